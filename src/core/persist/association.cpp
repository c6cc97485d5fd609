#include "core/persist/association.h"

#include "core/util/files.h"
#include "core/util/system.h"
#include "core/util/text.h"
#include "core/util/xml.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace quorel {

namespace {

constexpr std::string_view mimeComment = "Quorel's data file";
constexpr std::string_view qrlGlob = "*.qrl";
// The MIME database's entries keep their apostrophes as they are ("Quorel's data file").
constexpr XmlEscaping mimeDatabaseText {.apostrophe = XmlEscaping::Apostrophe::Kept};

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// A MIME type name as the database writes them: "media/subtype" without blanks or controls.
bool isMimeTypeName(std::string_view type)
{
    const std::size_t slash = type.find('/');
    if (slash == 0 || slash == std::string_view::npos || slash + 1 == type.size())
        return false;
    for (char c : type) {
        if (isBlankOrControl(c) || c == '"' || c == '<' || c == '>' || c == '&' || c == ';'
            || c == '=')
            return false;
    }
    return true;
}

std::string packagePath(const AssociationFolders &folders)
{
    return folders.dataHome + "/mime/packages/" + std::string(quorelMimePackage);
}

std::string desktopPath(const AssociationFolders &folders)
{
    return folders.dataHome + "/applications/" + std::string(quorelDesktopFile);
}

std::string mimeAppsPath(const AssociationFolders &folders)
{
    return folders.configHome + "/mimeapps.list";
}

// The type our own package declares, or "" when there is no package.
std::string packageType(const AssociationFolders &folders)
{
    const auto text = readFileBytes(packagePath(folders));
    if (!text)
        return {};
    constexpr std::string_view marker = "<mime-type type=\"";
    const std::size_t start = text->find(marker);
    if (start == std::string::npos)
        return {};
    const std::size_t begin = start + marker.size();
    const std::size_t end = text->find('"', begin);
    const std::string type = text->substr(begin, end - begin);
    return isMimeTypeName(type) ? type : std::string();
}

Status writeCreatingFolder(const std::string &path, std::string_view bytes)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error)
        return fileError(ErrorKind::CannotCreate, path, error.value());
    return writeFileAtomic(path, bytes);
}

// Runs a tool found on PATH with one argument, without a shell, its output discarded.
void runIfInstalled(const char *tool, const std::string &argument)
{
    bool found = false;
    for (const std::string &folder : split(environment("PATH"), ':')) {
        if (!folder.empty() && ::access((folder + "/" + tool).c_str(), X_OK) == 0) {
            found = true;
            break;
        }
    }
    if (!found)
        return;
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
        }
        ::execlp(tool, tool, argument.c_str(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    if (child > 0) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) { }
    }
}

// The data folders in the order desktops search them: the user's, then the system's.
std::vector<std::string> searchedDataFolders(const AssociationFolders &folders)
{
    std::vector<std::string> dirs {folders.dataHome};
    for (std::string &dir : split(folders.dataDirs, ':')) {
        if (!dir.empty())
            dirs.push_back(std::move(dir));
    }
    return dirs;
}

// Whether the installed desktop entry that desktops find first declares `mimeType`.
bool installedEntryOpens(const AssociationFolders &folders, std::string_view mimeType)
{
    for (const std::string &dir : searchedDataFolders(folders)) {
        const auto entry =
            readFileBytes(dir + "/applications/" + std::string(installedDesktopFile));
        if (!entry)
            continue;
        for (const std::string &line : split(*entry, '\n')) {
            if (!line.starts_with("MimeType="))
                continue;
            for (const std::string &type : split(std::string_view(line).substr(9), ';')) {
                if (trimControl(type) == mimeType)
                    return true;
            }
        }
        return false;
    }
    return false;
}

void refreshCaches(const AssociationFolders &folders)
{
    if (directoryExists(folders.dataHome + "/mime/packages"))
        runIfInstalled("update-mime-database", folders.dataHome + "/mime");
    if (directoryExists(folders.dataHome + "/applications"))
        runIfInstalled("update-desktop-database", folders.dataHome + "/applications");
}

} // namespace

AssociationFolders AssociationFolders::fromEnvironment()
{
    const std::string home = environment("HOME");
    AssociationFolders folders;
    folders.dataHome = environment("XDG_DATA_HOME");
    if (folders.dataHome.empty())
        folders.dataHome = home + "/.local/share";
    folders.configHome = environment("XDG_CONFIG_HOME");
    if (folders.configHome.empty())
        folders.configHome = home + "/.config";
    folders.dataDirs = environment("XDG_DATA_DIRS");
    if (folders.dataDirs.empty())
        folders.dataDirs = "/usr/local/share:/usr/share";
    return folders;
}

std::string installedDesktopEntry(std::string_view programPath)
{
    const std::string bin = parentFolder(programPath);
    if (bin.size() < 4 || !bin.ends_with("/bin"))
        return {};
    const std::string entry =
        parentFolder(bin) + "/share/applications/" + std::string(installedDesktopFile);
    return fileExists(entry) ? entry : std::string();
}

std::string mimeTypeForQrl(const AssociationFolders &folders)
{
    for (const std::string &dir : searchedDataFolders(folders)) {
        const auto globs = readFileBytes(dir + "/mime/globs2");
        if (!globs)
            continue;
        // Lines "weight:type:glob[:flags...]"; "#" starts a comment.
        for (const std::string &line : split(*globs, '\n')) {
            if (line.empty() || line.front() == '#')
                continue;
            const std::vector<std::string> fields = split(line, ':');
            if (fields.size() >= 3 && equalsIgnoreCaseAscii(fields[2], qrlGlob)
                && isMimeTypeName(fields[1]))
                return fields[1];
        }
    }
    return {};
}

std::string mimePackageText(std::string_view mimeType, bool withComment)
{
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\""
        + escapeXml(mimeType, mimeDatabaseText) + "\">\n";
    if (withComment)
        text += "    <comment>" + escapeXml(mimeComment, mimeDatabaseText) + "</comment>\n";
    text += "    <glob pattern=\"" + std::string(qrlGlob)
        + "\"/>\n"
          "  </mime-type>\n"
          "</mime-info>\n";
    return text;
}

std::string quoteExecArgument(std::string_view argument)
{
    constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
    const bool quote = argument.empty() || argument.find_first_of(reserved) != std::string::npos;
    std::string exec;
    if (quote)
        exec += '"';
    for (char c : argument) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\'))
            exec += '\\';
        exec += c;
        if (c == '%')
            exec += '%';
    }
    if (quote)
        exec += '"';
    // The desktop file's own string escapes apply before the quoting is read.
    std::string value;
    for (char c : exec) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\t':
            value += "\\t";
            break;
        case '\r':
            value += "\\r";
            break;
        default:
            value += c;
        }
    }
    return value;
}

std::string desktopEntryText(std::string_view programPath, std::string_view mimeType)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Quorel\n"
           "Comment=Rose diagrams of orientation measurements\n"
           "Exec="
        + quoteExecArgument(programPath)
        + " %f\n"
          "MimeType="
        + std::string(mimeType)
        + ";\n"
          "Terminal=false\n"
          "Categories=Education;Science;\n";
}

std::string updateMimeAppsList(std::string_view text, std::string_view mimeType,
                               std::string_view desktopFile)
{
    std::vector<std::string> lines = split(text, '\n');
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    const bool removing = desktopFile.empty();
    const auto keyOf = [](std::string_view line) {
        const std::size_t equals = line.find('=');
        return equals == std::string_view::npos ? std::string_view()
                                                : trimControl(line.substr(0, equals));
    };

    std::string section;
    bool sectionSeen = false;
    bool done = false;
    std::size_t lastInSection = std::string::npos;
    std::vector<std::string> out;
    for (const std::string &line : lines) {
        const std::string_view trimmed = trimControl(line);
        if (trimmed.starts_with('[')) {
            section = std::string(trimmed);
            if (section == "[Default Applications]") {
                sectionSeen = true;
                lastInSection = out.size();
            }
            out.push_back(line);
            continue;
        }
        const bool ours = keyOf(line) == mimeType;
        if (section == "[Default Applications]" && !trimmed.empty())
            lastInSection = out.size();
        if (!ours || (section != "[Default Applications]" && section != "[Added Associations]")) {
            out.push_back(line);
            continue;
        }
        if (!removing) {
            if (section == "[Default Applications]" && !done) {
                out.push_back(std::string(mimeType) + "=" + std::string(desktopFile));
                done = true;
            } else {
                out.push_back(line);
            }
            continue;
        }
        // Removing: keep the other applications named on the line.
        std::string kept;
        const std::string_view value = std::string_view(line).substr(line.find('=') + 1);
        for (const std::string &entry : split(value, ';')) {
            const std::string_view name = trimControl(entry);
            if (!name.empty() && name != quorelDesktopFile && name != installedDesktopFile)
                kept += std::string(name) + ";";
        }
        if (!kept.empty()) {
            if (section == "[Default Applications]")
                kept.pop_back();
            out.push_back(std::string(mimeType) + "=" + kept);
        }
    }
    if (!removing && !done) {
        const std::string entry = std::string(mimeType) + "=" + std::string(desktopFile);
        if (sectionSeen) {
            out.insert(out.begin() + static_cast<std::ptrdiff_t>(lastInSection) + 1, entry);
        } else {
            if (!out.empty())
                out.emplace_back();
            out.emplace_back("[Default Applications]");
            out.push_back(entry);
        }
    }
    std::string result;
    for (const std::string &line : out)
        result += line + "\n";
    return result;
}

Status registerFileAssociation(const std::string &programPath, const AssociationFolders &folders)
{
    std::string type = packageType(folders);
    if (type.empty())
        type = mimeTypeForQrl(folders);
    if (type.empty())
        type = quorelMimeType;

    if (Status written = writeCreatingFolder(packagePath(folders), mimePackageText(type, true));
        !written)
        return written;
    const bool installed = installedEntryOpens(folders, type);
    if (installed) {
        std::error_code error;
        std::filesystem::remove(desktopPath(folders), error);
        if (error)
            return fileError(ErrorKind::CannotDelete, desktopPath(folders), error.value());
    } else if (Status written =
                   writeCreatingFolder(desktopPath(folders), desktopEntryText(programPath, type));
               !written) {
        return written;
    }
    const std::string listPath = mimeAppsPath(folders);
    const auto list = readFileBytes(listPath);
    if (Status written = writeCreatingFolder(
            listPath,
            updateMimeAppsList(list ? *list : "", type,
                               installed ? installedDesktopFile : quorelDesktopFile));
        !written)
        return written;
    refreshCaches(folders);
    return success();
}

Status unregisterFileAssociation(const AssociationFolders &folders)
{
    const std::string type = packageType(folders);
    const std::string desktop = desktopPath(folders);
    if (type.empty() && !fileExists(desktop))
        return success();
    const std::string ourType = type.empty() ? std::string(quorelMimeType) : type;

    std::error_code error;
    std::filesystem::remove(desktop, error);
    if (error)
        return fileError(ErrorKind::CannotDelete, desktop, error.value());
    const std::string listPath = mimeAppsPath(folders);
    if (const auto list = readFileBytes(listPath)) {
        const std::string updated = updateMimeAppsList(*list, ourType, "");
        if (updated != *list) {
            if (Status written = writeFileAtomic(listPath, updated); !written)
                return written;
        }
    }
    if (!type.empty()) {
        if (Status written = writeFileAtomic(packagePath(folders), mimePackageText(type, false));
            !written)
            return written;
    }
    refreshCaches(folders);
    return success();
}

Status applyAssociation(bool associate, const std::string &programPath,
                        const AssociationFolders &folders)
{
    return associate ? registerFileAssociation(programPath, folders)
                     : unregisterFileAssociation(folders);
}

} // namespace quorel
