#include "cli/cliutil.h"
#include "cli/commands.h"

namespace quorel::cli {

int runRandom(const Args &)
{
    return failure("the 'random' command is not available in this build");
}

} // namespace quorel::cli
