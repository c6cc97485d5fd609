#include "core/tools/helppage.h"

#include "core/util/files.h"
#include "core/util/system.h"
#include "core/util/szdd.h"

#include <cstddef>
#include <filesystem>

namespace quorel {

namespace resources {
// Generated at build time from the help pages (see resources/CMakeLists.txt).
extern const unsigned char polishHelpResourceData[];
extern const std::size_t polishHelpResourceDataSize;
extern const unsigned char englishHelpResourceData[];
extern const std::size_t englishHelpResourceDataSize;
} // namespace resources

namespace {

std::string_view bytesOf(const unsigned char *data, std::size_t size)
{
    return {reinterpret_cast<const char *>(data), size};
}

bool unpackPage(std::string_view resource, const std::string &page, const std::string &tempFolder)
{
    const std::string compressed = joinPath(tempFolder, compressedHelpName);
    if (saveResourceToFile(resource, compressed))
        (void)expandCompressedFile(compressed, page, true);
    // The compressed copy is ours: it goes even when the expansion failed.
    (void)deleteFile(compressed);
    return fileExists(page);
}

} // namespace

std::optional<std::string_view> rawResource(std::string_view name)
{
    if (name == helpResourceName)
        return bytesOf(resources::polishHelpResourceData, resources::polishHelpResourceDataSize);
    if (name == englishHelpResourceName)
        return bytesOf(resources::englishHelpResourceData, resources::englishHelpResourceDataSize);
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
    const bool polish = unpackPage(helpResourceName, joinPath(folder, helpPageName), tempFolder);
    const bool english =
        unpackPage(englishHelpResourceName, joinPath(folder, englishHelpPageName), tempFolder);
    return polish && english;
}

std::optional<std::string> writeHelpPage(const std::string &pageFolder,
                                         const std::string &tempFolder, HelpLanguage language)
{
    const std::string_view name =
        language == HelpLanguage::Polish ? helpPageName : englishHelpPageName;
    std::error_code error;
    if (!pageFolder.empty())
        std::filesystem::create_directories(pageFolder, error);
    if (!pageFolder.empty() && unpackHelpPage(pageFolder, tempFolder))
        return joinPath(pageFolder, name);
    if (unpackHelpPage(tempFolder, tempFolder))
        return joinPath(tempFolder, name);
    return std::nullopt;
}

} // namespace quorel
