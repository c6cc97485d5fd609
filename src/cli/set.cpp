#include "cli/cliutil.h"
#include "cli/commands.h"

namespace quorel::cli {

int runSet(const Args &)
{
    return failure("the 'set' command is not available in this build");
}

} // namespace quorel::cli
