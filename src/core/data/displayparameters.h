#pragma once

#include "core/diagram/diagramstyle.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace quorel {

// The display parameters a data file carries in ";NAME=VALUE" lines, in the order the
// write-back emits them (it follows them with Author and VERSION, which set nothing).
inline constexpr std::array<std::string_view, 18> styleParameterNames {
    "DescText",      "DescX",        "DescY",          "DescFontName",      "DescFontSize",
    "DescFontColor", "DescFontBold", "DescFontItalic", "DescFontUnderline", "MLinesColor",
    "SLinesColor",   "MLinesStyle",  "SLinesStyle",    "FillColor",         "FillStyle",
    "DiagWidth",     "FontColor",    "BgColor"};

// Applies one parameter line to the style. `name` is compared without case (a-z only) and must
// match exactly (";DescX =5" names "DescX " and is unknown); `value` is everything after the
// first "=", leading blanks kept. A bad value falls back as the data-file format says
// (DiagWidth: line ignored; style indexes and positions: 0; font size: "10"; empty font name:
// ignored; unknown colour text: window-text colour). Returns false for a name that sets
// nothing (unknown names, Author, VERSION).
bool applyParameter(DiagramStyle &style, std::string_view name, std::string_view value);

// The value of one style field as the write-back writes it: colours as signed decimals,
// booleans "True"/"False", list positions as decimals (-1 for no selection), texts unchanged.
// Empty for a name that is not one of styleParameterNames (compared without case).
[[nodiscard]] std::string parameterText(const DiagramStyle &style, std::string_view name);

// All 18 (name, value) pairs in write-back order.
[[nodiscard]] std::array<std::pair<std::string_view, std::string>, 18>
styleParameters(const DiagramStyle &style);

} // namespace quorel
