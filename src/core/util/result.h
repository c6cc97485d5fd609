#pragma once

#include <string>
#include <utility>
#include <variant>

namespace quorel {

// What failed, for a front end that words failures itself. The message stays the English
// sentence the command line prints.
enum class ErrorKind {
    Other, // only the message says what
    CannotOpen, // "Cannot open file "PATH". REASON"
    CannotRead,
    CannotCreate,
    CannotWrite,
    CannotReplace,
    CannotDelete,
    // The failures below carry in `path` the text or the file they are about.
    NotAWholeNumber, // "'TEXT' is not a valid integer value"
    TooManyForRandomGraph, // "COUNT" is too many ..., `reason` the most it takes
    ReportReplacesPicture, // the report's page named like its own picture
    NoMemoryToRead, // "Not enough memory to read file "PATH"."
    NoMemoryToWrite,
};

// The reason of a file failure when it is no system error number.
inline constexpr int notRegularFileReason = -1;

// A failure with the message the user is shown; the core reports failures as values. A file
// failure also carries its kind, the file and the system's error number (or
// notRegularFileReason), so the window can word it in its own language.
struct Error
{
    Error(std::string text)
        : message(std::move(text))
    { }
    Error(std::string text, ErrorKind errorKind, std::string filePath, int errorReason)
        : message(std::move(text))
        , kind(errorKind)
        , path(std::move(filePath))
        , reason(errorReason)
    { }

    std::string message;
    ErrorKind kind = ErrorKind::Other;
    std::string path;
    int reason = 0;
};

// Either a value or an Error (std::expected is C++23; this is the small subset we need).
template<class T>
class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_state(std::in_place_index<0>, std::move(value))
    { }
    Result(Error error)
        : m_state(std::in_place_index<1>, std::move(error))
    { }

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T &value() & { return std::get<0>(m_state); }
    const T &value() const & { return std::get<0>(m_state); }
    T &&value() && { return std::get<0>(std::move(m_state)); }
    T *operator->() { return &value(); }
    const T *operator->() const { return &value(); }
    T &operator*() & { return value(); }
    const T &operator*() const & { return value(); }

    const Error &error() const { return std::get<1>(m_state); }
    const std::string &message() const { return error().message; }

private:
    std::variant<T, Error> m_state;
};

// Result of an operation that yields nothing but may fail.
struct Done
{ };
using Status = Result<Done>;

inline Status success()
{
    return Done {};
}

} // namespace quorel
