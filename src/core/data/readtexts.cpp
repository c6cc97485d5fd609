#include "core/data/readtexts.h"

#include "core/util/programtexts.h"

#include <filesystem>
#include <system_error>

namespace quorel {

namespace {

// The file name without its folder.
std::string bareFileName(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name with its extension (from its last ".") replaced, or the extension appended.
std::string withExtension(const std::string &name, std::string_view extension)
{
    const std::size_t dot = name.find_last_of('.');
    return (dot == std::string::npos ? name : name.substr(0, dot)) + std::string(extension);
}

std::string fullPath(const std::string &path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace

ReadTitles readTitles(const std::string &path, bool randomGraph)
{
    const std::string program(programCaption);
    if (randomGraph) {
        const std::string random(randomGraphText);
        return {program + " - " + random, random + " - " + program};
    }
    return {program + " - " + fullPath(path), bareFileName(path) + " - " + program};
}

StatusLine analyzingStatus()
{
    return {ReadStatus::Analyzing, clWindowText};
}

StatusLine finishedStatus(bool invalidLines, bool cancelled, bool randomGraph)
{
    if (randomGraph)
        return {ReadStatus::Ready, statusBlue};
    if (cancelled)
        return {ReadStatus::Cancelled, statusGreen};
    if (invalidLines)
        return {ReadStatus::ReadyWithErrors, statusMaroon};
    return {ReadStatus::Ready, clWindowText};
}

std::string_view englishStatusText(ReadStatus status)
{
    switch (status) {
    case ReadStatus::Analyzing:
        return "Analyzing... Please wait...";
    case ReadStatus::Ready:
        return "OK";
    case ReadStatus::Cancelled:
        return "Operation cancelled by user ! Press F12 !";
    case ReadStatus::ReadyWithErrors:
        return "Ready, but error occured ! Press F12 !";
    }
    return {};
}

SaveNames saveNamesAfterRead(const SaveNames &before, const std::string &path, bool randomGraph,
                             bool hasMeasurements)
{
    if (!hasMeasurements)
        return {std::string(defaultPictureName), before.html};
    const std::string name = randomGraph ? std::string(randomGraphText) : bareFileName(path);
    return {withExtension(name, ".wmf"), withExtension(name, ".html")};
}

} // namespace quorel
