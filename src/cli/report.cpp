#include "cli/cliutil.h"
#include "cli/commands.h"

namespace quorel::cli {

int runReport(const Args &)
{
    return failure("the 'report' command is not available in this build");
}

} // namespace quorel::cli
