#include "cli/cliutil.h"
#include "cli/commands.h"

namespace quorel::cli {

int runConvert(const Args &)
{
    return failure("the 'convert' command is not available in this build");
}

} // namespace quorel::cli
