#include "core/util/files.h"

#include "core/util/system.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorel {

namespace {

// Closes the descriptor when it goes out of scope, unless release() took it back.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    { }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;

    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

// Writes every byte; 0 on success, else the errno value (ENOSPC when the system stops
// accepting bytes without saying why).
int writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// Closes the descriptor; 0 or the errno value of a failed close (a delayed write error).
int closeChecked(FileDescriptor &file)
{
    return ::close(file.release()) == 0 ? 0 : errno;
}

// The process's file-creation mask, read without changing it.
mode_t currentUmask()
{
    if (std::FILE *status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return static_cast<mode_t>(mask & 0777);
    }
    return 022;
}

// The file a write should replace: the target of a link, else the path itself.
std::string resolveTarget(const std::string &path)
{
    struct stat info
    { };
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char *real = realpath(path.c_str(), nullptr)) {
            std::string target = real;
            std::free(real);
            return target;
        }
    }
    return path;
}

} // namespace

std::string_view englishErrorWhat(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::Other:
        return {};
    case ErrorKind::CannotOpen:
        return "Cannot open file";
    case ErrorKind::CannotRead:
        return "Cannot read file";
    case ErrorKind::CannotCreate:
        return "Cannot create file";
    case ErrorKind::CannotWrite:
        return "Cannot write file";
    case ErrorKind::CannotReplace:
        return "Cannot replace file";
    case ErrorKind::CannotDelete:
        return "Cannot delete file";
    case ErrorKind::NotAWholeNumber:
    case ErrorKind::TooManyForRandomGraph:
    case ErrorKind::ReportReplacesPicture:
    case ErrorKind::NoMemoryToRead:
    case ErrorKind::NoMemoryToWrite:
        return {}; // not file failures of fileError's kind
    }
    return {};
}

Error fileError(ErrorKind kind, const std::string &path, int reason)
{
    std::string message(englishErrorWhat(kind));
    message += " \"";
    message += path;
    message += "\". ";
    message += reason == notRegularFileReason ? std::string("Not a regular file")
                                              : systemErrorText(reason);
    return Error {std::move(message), kind, path, reason};
}

std::string systemErrorText(int errorNumber)
{
    char buffer[256];
    // The GNU variant: returns a pointer that may or may not be into the buffer.
    return strerror_r(errorNumber, buffer, sizeof buffer);
}

Result<std::string> readFileBytes(const std::string &path)
{
    constexpr ErrorKind what = ErrorKind::CannotOpen;
    // O_NONBLOCK so that a FIFO without a writer cannot stop the program; regular files
    // ignore the flag.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0)
        return fileError(what, path, errno);
    struct stat info
    { };
    if (fstat(file.get(), &info) != 0)
        return fileError(what, path, errno);
    if (S_ISDIR(info.st_mode))
        return fileError(what, path, EISDIR);
    if (!S_ISREG(info.st_mode))
        return fileError(what, path, notRegularFileReason);

    std::string bytes;
    if (info.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    // Read to the end rather than trusting the size: the file may grow or be a /proc file.
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fileError(ErrorKind::CannotRead, path, errno);
        }
        if (n == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    return bytes;
}

namespace {

// Writes a file's contents into the open descriptor; 0 or the errno value of the failure.
using ContentWriter = std::function<int(int fd)>;

// Writes the pieces as they are made; 0 or the errno value of the first write that failed.
int writePieces(int fd, const NextPiece &next)
{
    std::string piece;
    for (;;) {
        piece.clear();
        if (!next(piece))
            return 0;
        if (const int error = writeAll(fd, piece))
            return error;
    }
}

// writeFileAtomic over any way of making the contents.
Status replaceFile(const std::string &path, const ContentWriter &contents)
{
    const std::string target = resolveTarget(path);
    const std::string folder = parentFolder(target);
    const auto slash = target.rfind('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);

    struct stat original
    { };
    const bool exists = stat(target.c_str(), &original) == 0;
    if (exists && !S_ISREG(original.st_mode))
        return fileError(ErrorKind::CannotCreate, path,
                         S_ISDIR(original.st_mode) ? EISDIR : notRegularFileReason);
    // A file the user may not write stays as it is, even though the folder would let a new
    // file take its place.
    if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return fileError(ErrorKind::CannotCreate, path, errno);

    std::string temporary = folder + "/." + name + ".XXXXXX";
    FileDescriptor file(mkostemp(temporary.data(), O_CLOEXEC));
    if (file.get() < 0)
        return fileError(ErrorKind::CannotCreate, path, errno);

    const auto fail = [&](int error) {
        if (file.get() >= 0)
            ::close(file.release());
        ::unlink(temporary.c_str());
        return fileError(ErrorKind::CannotWrite, path, error);
    };

    const mode_t mode = exists ? (original.st_mode & 07777) : (0666 & ~currentUmask());
    if (exists) {
        // Keep the owner when allowed (an administrator editing someone else's file).
        [[maybe_unused]] const int ignored = fchown(file.get(), original.st_uid, original.st_gid);
    }
    if (fchmod(file.get(), mode) != 0)
        return fail(errno);
    if (const int error = contents(file.get()))
        return fail(error);
    if (fsync(file.get()) != 0)
        return fail(errno);
    if (const int error = closeChecked(file))
        return fail(error);
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fileError(ErrorKind::CannotReplace, path, error);
    }
    // Make the rename itself durable; a failure here no longer endangers either version.
    if (FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        directory.get() >= 0)
        fsync(directory.get());
    return success();
}

// writeFile over any way of making the contents; with `devices`, a device or a FIFO is written
// as well.
Status createOrReplace(const std::string &path, const ContentWriter &contents, bool devices)
{
    constexpr ErrorKind what = ErrorKind::CannotCreate;
    // An existing file is replaced whole, so that a full disk or a crash in the middle of the
    // write leaves its old contents; only a folder that takes no new file (while the file
    // itself may be written) makes it be rewritten in place.
    struct stat existing
    { };
    const bool existed = stat(path.c_str(), &existing) == 0;
    if (existed && S_ISREG(existing.st_mode)
        && faccessat(AT_FDCWD, parentFolder(resolveTarget(path)).c_str(), W_OK | X_OK, AT_EACCESS)
            == 0)
        return replaceFile(path, contents);
    // O_NONBLOCK so that a FIFO without a reader fails at once instead of blocking.
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666));
    if (file.get() < 0)
        return fileError(what, path, errno);
    struct stat info
    { };
    if (fstat(file.get(), &info) != 0)
        return fileError(what, path, errno);
    if (S_ISREG(info.st_mode)) {
        // Only a file with contents is cut: truncating even an empty new file makes ext4 write
        // it out when it is closed (its guard for files rewritten in place), and the command
        // then waits for the disk.
        if (info.st_size > 0 && ftruncate(file.get(), 0) != 0)
            return fileError(what, path, errno);
    } else if (!devices) {
        return fileError(what, path, notRegularFileReason);
    } else {
        // A reader is there: from now on a full pipe waits for it rather than failing.
        const int flags = fcntl(file.get(), F_GETFL);
        if (flags < 0 || fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
            return fileError(what, path, errno);
    }
    int error = contents(file.get());
    if (const int closeError = closeChecked(file); error == 0)
        error = closeError;
    if (error == 0)
        return success();
    // A file this write created and could not fill is no use to anyone.
    if (!existed && S_ISREG(info.st_mode))
        ::unlink(path.c_str());
    return fileError(ErrorKind::CannotWrite, path, error);
}

} // namespace

Status writeFile(const std::string &path, std::string_view bytes)
{
    return createOrReplace(
        path, [bytes](int fd) { return writeAll(fd, bytes); }, false);
}

Status writeFileInPieces(const std::string &path, const NextPiece &next)
{
    return createOrReplace(
        path, [&next](int fd) { return writePieces(fd, next); }, true);
}

Status writeFileAtomic(const std::string &path, std::string_view bytes)
{
    return replaceFile(path, [bytes](int fd) { return writeAll(fd, bytes); });
}

} // namespace quorel
