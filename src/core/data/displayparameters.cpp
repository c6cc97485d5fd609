#include "core/data/displayparameters.h"

#include "core/diagram/color.h"
#include "core/util/numbers.h"
#include "core/util/text.h"

#include <optional>

namespace quorel {

namespace {

enum class Parameter {
    DescText,
    DescX,
    DescY,
    DescFontName,
    DescFontSize,
    DescFontColor,
    DescFontBold,
    DescFontItalic,
    DescFontUnderline,
    MLinesColor,
    SLinesColor,
    MLinesStyle,
    SLinesStyle,
    FillColor,
    FillStyle,
    DiagWidth,
    FontColor,
    BgColor,
};

std::optional<Parameter> parameterNamed(std::string_view name)
{
    for (std::size_t i = 0; i < styleParameterNames.size(); ++i) {
        if (equalsIgnoreCaseAscii(name, styleParameterNames[i]))
            return static_cast<Parameter>(i);
    }
    return std::nullopt;
}

int wholeNumberOrZero(std::string_view value)
{
    return toInteger(value).value_or(0);
}

} // namespace

bool applyParameter(DiagramStyle &style, std::string_view name, std::string_view value)
{
    const std::optional<Parameter> parameter = parameterNamed(name);
    if (!parameter)
        return false;
    switch (*parameter) {
    case Parameter::BgColor:
        style.bgColor = parseColor(value);
        break;
    case Parameter::MLinesColor:
        style.mLinesColor = parseColor(value);
        break;
    case Parameter::SLinesColor:
        style.sLinesColor = parseColor(value);
        break;
    case Parameter::FillColor:
        style.fillColor = parseColor(value);
        break;
    case Parameter::FontColor:
        style.fontColor = parseColor(value);
        break;
    case Parameter::DescFontColor:
        style.descFontColor = parseColor(value);
        break;
    case Parameter::MLinesStyle:
        style.mLinesStyle = listPosition(wholeNumberOrZero(value), lineStyleCount);
        break;
    case Parameter::SLinesStyle:
        style.sLinesStyle = listPosition(wholeNumberOrZero(value), lineStyleCount);
        break;
    case Parameter::FillStyle:
        style.fillStyle = listPosition(wholeNumberOrZero(value), fillStyleCount);
        break;
    case Parameter::DiagWidth:
        if (isInteger(value))
            style.diagWidth = std::string(value);
        break;
    case Parameter::DescText:
        style.descText = std::string(value);
        break;
    case Parameter::DescX:
        // The position control shows the number it was given, not the typed text.
        style.descX = std::to_string(wholeNumberOrZero(value));
        break;
    case Parameter::DescY:
        style.descY = std::to_string(wholeNumberOrZero(value));
        break;
    case Parameter::DescFontName:
        if (!value.empty())
            style.descFontName = std::string(value);
        break;
    case Parameter::DescFontSize:
        style.descFontSize = isInteger(value) ? std::string(value) : std::string("10");
        break;
    case Parameter::DescFontBold:
        style.descFontBold = textToBool(value);
        break;
    case Parameter::DescFontItalic:
        style.descFontItalic = textToBool(value);
        break;
    case Parameter::DescFontUnderline:
        style.descFontUnderline = textToBool(value);
        break;
    }
    return true;
}

std::string parameterText(const DiagramStyle &style, std::string_view name)
{
    const std::optional<Parameter> parameter = parameterNamed(name);
    if (!parameter)
        return {};
    const auto number = [](int value) {
        return std::to_string(value);
    };
    const auto boolean = [](bool value) {
        return std::string(boolToText(value));
    };
    switch (*parameter) {
    case Parameter::DescText:
        return style.descText;
    case Parameter::DescX:
        return style.descX;
    case Parameter::DescY:
        return style.descY;
    case Parameter::DescFontName:
        return style.descFontName;
    case Parameter::DescFontSize:
        return style.descFontSize;
    case Parameter::DescFontColor:
        return number(style.descFontColor);
    case Parameter::DescFontBold:
        return boolean(style.descFontBold);
    case Parameter::DescFontItalic:
        return boolean(style.descFontItalic);
    case Parameter::DescFontUnderline:
        return boolean(style.descFontUnderline);
    case Parameter::MLinesColor:
        return number(style.mLinesColor);
    case Parameter::SLinesColor:
        return number(style.sLinesColor);
    case Parameter::MLinesStyle:
        return number(style.mLinesStyle);
    case Parameter::SLinesStyle:
        return number(style.sLinesStyle);
    case Parameter::FillColor:
        return number(style.fillColor);
    case Parameter::FillStyle:
        return number(style.fillStyle);
    case Parameter::DiagWidth:
        return style.diagWidth;
    case Parameter::FontColor:
        return number(style.fontColor);
    case Parameter::BgColor:
        return number(style.bgColor);
    }
    return {};
}

std::array<std::pair<std::string_view, std::string>, 18> styleParameters(const DiagramStyle &style)
{
    std::array<std::pair<std::string_view, std::string>, 18> out;
    for (std::size_t i = 0; i < styleParameterNames.size(); ++i)
        out[i] = {styleParameterNames[i], parameterText(style, styleParameterNames[i])};
    return out;
}

} // namespace quorel
