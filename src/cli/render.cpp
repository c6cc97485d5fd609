#include "cli/cliutil.h"
#include "cli/commands.h"

namespace quorel::cli {

int runRender(const Args &)
{
    return failure("the 'render' command is not available in this build");
}

} // namespace quorel::cli
