#pragma once

#include "core/diagram/diagramstyle.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorel {

// When the write-back appends the line of a parameter that a file does not have yet.
enum class WriteRule {
    Always,
    // Only when the value differs from the first-run style's, so that a file written with an
    // option off keeps exactly the lines it had before the option existed.
    UnlessDefault,
};

// One display parameter a data file carries in a ";NAME=VALUE" line: the one place that says
// how it is read, how it is written and when.
struct DisplayParameter
{
    std::string_view name; // as written; read without case (a-z only)
    // Sets the style from a value read from a file; a bad value falls back as the format says.
    void (*apply)(DiagramStyle &style, std::string_view value);
    // The style's value as the write-back writes it.
    std::string (*text)(const DiagramStyle &style);
    WriteRule rule = WriteRule::Always;
    // The value written over a line the file already has, when it differs from `text`.
    std::string (*rewrittenText)(const DiagramStyle &style) = nullptr;
};

// Every display parameter, in the order the write-back appends them (it follows them with
// Author and VERSION, which set nothing).
[[nodiscard]] std::span<const DisplayParameter> displayParameters();

// The parameter named `name` (compared without case, a-z only; ";DescX =5" names "DescX " and
// is unknown), or null for a name that sets nothing (unknown names, Author, VERSION).
[[nodiscard]] const DisplayParameter *findDisplayParameter(std::string_view name);

// Applies one parameter line to the style. `value` is everything after the first "=", leading
// blanks kept. A bad value falls back as the data-file format says (DiagWidth: line ignored;
// style indexes and positions: 0; font size: "10"; empty font name: ignored; unknown colour
// text: window-text colour; PetalScale: anything but "Area" is the classic rose). Returns false
// for a name that sets nothing.
bool applyParameter(DiagramStyle &style, std::string_view name, std::string_view value);

// The value of one style field as the write-back writes it: colours as signed decimals,
// booleans "True"/"False", list positions as decimals (-1 for no selection), texts unchanged.
// Empty for a name that is not a display parameter (compared without case).
[[nodiscard]] std::string parameterText(const DiagramStyle &style, std::string_view name);

// True when the write-back appends the parameter's line for this style.
[[nodiscard]] bool isWritten(const DisplayParameter &parameter, const DiagramStyle &style);

// Sets every parameter written only when not the default to its default. A file is read from
// there: as the write-back leaves such a line out for the default, a file without it holds the
// default, whatever the file read before it held.
void resetOptionalParameters(DiagramStyle &style);

// The (name, value) pairs of the parameters written for this style, in write-back order.
[[nodiscard]] std::vector<std::pair<std::string_view, std::string>>
styleParameters(const DiagramStyle &style);

} // namespace quorel
