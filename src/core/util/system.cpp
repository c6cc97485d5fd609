#include "core/util/system.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorel {

std::string userName()
{
    long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (bufferSize <= 0)
        bufferSize = 16384;
    std::vector<char> buffer(static_cast<std::size_t>(bufferSize));
    passwd entry {};
    passwd *found = nullptr;
    int rc = 0;
    while ((rc = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE
           && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    if (rc == 0 && found && found->pw_name && *found->pw_name)
        return found->pw_name;
    if (const char *user = std::getenv("USER"); user && *user)
        return user;
    return {};
}

std::string tempFolder()
{
    if (const char *tmp = std::getenv("TMPDIR"); tmp && *tmp) {
        std::string folder = tmp;
        if (folder.back() != '/')
            folder += '/';
        return folder;
    }
    if (directoryExists("/tmp"))
        return "/tmp/";
    return programFolder();
}

std::string programPath()
{
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(n));
        if (buffer.size() >= (1u << 16))
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string parentFolder(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return ".";
    path = path.substr(0, slash);
    while (!path.empty() && path.back() == '/')
        path.remove_suffix(1);
    return path.empty() ? std::string("/") : std::string(path);
}

std::string programFolder()
{
    const std::string path = programPath();
    return path.empty() ? std::string() : parentFolder(path);
}

std::string programCacheFolder()
{
    const char *cache = std::getenv("XDG_CACHE_HOME");
    if (cache && cache[0] == '/')
        return std::string(cache) + "/quorel";
    const char *home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.cache/quorel";
    return {};
}

bool directoryExists(const std::string &path)
{
    struct stat info
    { };
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool fileExists(const std::string &path)
{
    struct stat info
    { };
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool deleteFile(const std::string &path)
{
    if (unlink(path.c_str()) == 0 || errno == ENOENT)
        return true;
    struct stat info
    { };
    if (lstat(path.c_str(), &info) != 0)
        return errno == ENOENT;
    // A link's own mode cannot be changed; only a real file gets the write bit.
    const bool changeMode = S_ISREG(info.st_mode) && !(info.st_mode & S_IWUSR);
    if (changeMode)
        chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
    if (unlink(path.c_str()) == 0 || errno == ENOENT)
        return true;
    if (changeMode)
        chmod(path.c_str(), info.st_mode & 07777);
    return false;
}

char decimalSeparatorFromLocale(std::string_view decimalPoint)
{
    return decimalPoint.size() == 1 ? decimalPoint.front() : ',';
}

char systemDecimalSeparator()
{
    // A private locale object, used by this thread only for the one query, so neither the
    // process's global locale nor other threads see a change.
    const locale_t userLocale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (userLocale == static_cast<locale_t>(0))
        return decimalSeparatorFromLocale(std::localeconv()->decimal_point);
    const locale_t previous = uselocale(userLocale);
    const std::string point = std::localeconv()->decimal_point;
    uselocale(previous);
    freelocale(userLocale);
    return decimalSeparatorFromLocale(point);
}

} // namespace quorel
