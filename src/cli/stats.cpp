#include "cli/cliutil.h"
#include "cli/commands.h"

namespace quorel::cli {

int runStats(const Args &)
{
    return failure("the 'stats' command is not available in this build");
}

} // namespace quorel::cli
