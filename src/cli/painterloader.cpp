#include "cli/painterloader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <new>
#include <string>
#include <vector>

namespace quorel::cli {

namespace {

// The folder of the running program, from the kernel (never from the environment or the
// working folder, so no other library can be slipped in); empty when it cannot be told.
std::string programFolder()
{
    std::array<char, 4096> buffer {};
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0)
        return {};
    std::string path(buffer.data(), static_cast<std::size_t>(length));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

struct Plugin
{
    PainterEntry entry = nullptr;
    std::string problem;
};

Plugin openPlugin()
{
    const std::string folder = programFolder();
    if (folder.empty())
        return {nullptr, "cannot tell where quorel-cli is installed"};
    // The build tree keeps the plugin beside the program; an installed program finds it in
    // its library folder.
    const std::vector<std::string> candidates {
        folder + '/' + painterPluginFileName,
        folder + '/' + QUOREL_PAINTER_FOLDER + '/' + painterPluginFileName,
    };
    std::string problem;
    for (const std::string &candidate : candidates) {
        if (::access(candidate.c_str(), F_OK) != 0)
            continue;
        // Never closed: Qt keeps threads and handlers of its own until the process ends.
        void *handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            problem = ::dlerror();
            continue;
        }
        if (void *symbol = ::dlsym(handle, painterEntryName))
            return {reinterpret_cast<PainterEntry>(symbol), {}};
        problem = candidate + " is not this version's painter";
    }
    if (problem.empty())
        problem = std::string(painterPluginFileName) + " is not installed";
    return {nullptr, problem};
}

} // namespace

Status writeWithPainter(PainterFormat format, const Picture &picture,
                        const SystemColorTable &colors, const std::string &path)
{
    static const Plugin plugin = openPlugin();
    if (!plugin.entry)
        return Error {"PNG, PDF and EMF output is not available: " + plugin.problem};
    std::string message;
    switch (plugin.entry(format, picture, colors, path.c_str(), message)) {
    case PainterResult::Written:
        return success();
    case PainterResult::Failed:
        return Error {message};
    case PainterResult::OutOfMemory:
        break;
    }
    throw std::bad_alloc();
}

} // namespace quorel::cli
