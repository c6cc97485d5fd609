#include "core/tools/helppage.h"

#include "core/util/files.h"
#include "core/util/system.h"
#include "core/util/szdd.h"

#include <cstddef>
#include <filesystem>

namespace quorel {

namespace resources {
// Generated at build time from the help page (see resources/CMakeLists.txt).
extern const unsigned char helpResourceData[];
extern const std::size_t helpResourceDataSize;
} // namespace resources

std::optional<std::string_view> rawResource(std::string_view name)
{
    if (name == helpResourceName)
        return std::string_view(reinterpret_cast<const char *>(resources::helpResourceData),
                                resources::helpResourceDataSize);
    return std::nullopt;
}

bool saveResourceToFile(std::string_view name, const std::string &path)
{
    const auto bytes = rawResource(name);
    return bytes && writeFile(path, *bytes).ok();
}

std::string joinPath(std::string_view folder, std::string_view name)
{
    while (!name.empty() && name.front() == '/')
        name.remove_prefix(1);
    std::string path(folder);
    if (path.empty())
        return std::string(name);
    if (path.back() != '/')
        path += '/';
    path += name;
    return path;
}

bool unpackHelpPage(const std::string &folder, const std::string &tempFolder)
{
    const std::string compressed = joinPath(tempFolder, compressedHelpName);
    const std::string page = joinPath(folder, helpPageName);
    if (saveResourceToFile(helpResourceName, compressed))
        (void)expandCompressedFile(compressed, page, true);
    // The compressed copy is ours: it goes even when the expansion failed.
    (void)deleteFile(compressed);
    return fileExists(page);
}

std::optional<std::string> writeHelpPage(const std::string &pageFolder,
                                         const std::string &tempFolder)
{
    std::error_code error;
    if (!pageFolder.empty())
        std::filesystem::create_directories(pageFolder, error);
    if (!pageFolder.empty() && unpackHelpPage(pageFolder, tempFolder))
        return joinPath(pageFolder, helpPageName);
    if (unpackHelpPage(tempFolder, tempFolder))
        return joinPath(tempFolder, helpPageName);
    return std::nullopt;
}

} // namespace quorel
