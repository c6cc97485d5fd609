#pragma once

#include <string>

namespace quorel {

// Where the program's links lead: its web page (the report's footer, the About box's web link
// and logo) and the mail address of the About box's mail link. Both are chosen when the program
// is built (the CMake cache variables QUOREL_HOME_PAGE and QUOREL_MAIL_ADDRESS) and are empty
// while the project publishes none; an empty address makes no link.
struct ProjectAddresses
{
    std::string homePage;
    std::string mailAddress;
};

// The addresses this build was made with.
[[nodiscard]] const ProjectAddresses &builtProjectAddresses();

} // namespace quorel
