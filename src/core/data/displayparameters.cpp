#include "core/data/displayparameters.h"

#include "core/diagram/color.h"
#include "core/util/numbers.h"
#include "core/util/text.h"

#include <array>

namespace quorel {

namespace {

int wholeNumberOrZero(std::string_view value)
{
    return toInteger(value).value_or(0);
}

// The kinds of field a parameter sets, each with the format's rule for a bad value.

template<Color DiagramStyle::*Field>
constexpr DisplayParameter colorParameter(std::string_view name)
{
    return {name,
            [](DiagramStyle &style, std::string_view value) { style.*Field = parseColor(value); },
            [](const DiagramStyle &style) {
                return std::to_string(style.*Field);
            }};
}

template<bool DiagramStyle::*Field>
constexpr DisplayParameter switchParameter(std::string_view name)
{
    return {name,
            [](DiagramStyle &style, std::string_view value) { style.*Field = textToBool(value); },
            [](const DiagramStyle &style) {
                return std::string(boolToText(style.*Field));
            }};
}

// A position in a list of `Count` entries; a value that is not a whole number selects the first.
template<int DiagramStyle::*Field, int Count>
constexpr DisplayParameter listParameter(std::string_view name)
{
    return {name,
            [](DiagramStyle &style, std::string_view value) {
                style.*Field = listPosition(wholeNumberOrZero(value), Count);
            },
            [](const DiagramStyle &style) {
                return std::to_string(style.*Field);
            }};
}

// A whole number shown in a box that keeps the number it was given, not the typed text.
template<std::string DiagramStyle::*Field>
constexpr DisplayParameter positionParameter(std::string_view name)
{
    return {name,
            [](DiagramStyle &style, std::string_view value) {
                style.*Field = std::to_string(wholeNumberOrZero(value));
            },
            [](const DiagramStyle &style) {
                return style.*Field;
            }};
}

constexpr std::array parameters {
    DisplayParameter {"DescText",
                      [](DiagramStyle &style, std::string_view value) {
                          style.descriptionText = std::string(value);
                      },
                      [](const DiagramStyle &style) {
                          return style.descriptionText;
                      }},
    positionParameter<&DiagramStyle::descriptionX>("DescX"),
    positionParameter<&DiagramStyle::descriptionY>("DescY"),
    DisplayParameter {"DescFontName",
                      [](DiagramStyle &style, std::string_view value) {
                          if (!value.empty())
                              style.descriptionFontName = std::string(value);
                      },
                      [](const DiagramStyle &style) {
                          return style.descriptionFontName;
                      }},
    DisplayParameter {"DescFontSize",
                      [](DiagramStyle &style, std::string_view value) {
                          style.descriptionFontSize = isInteger(value) ? std::string(value) : "10";
                      },
                      [](const DiagramStyle &style) { return style.descriptionFontSize; },
                      WriteRule::Always,
                      // A rewritten line gets a readable size; an appended one the text as
                      // it stands.
                      [](const DiagramStyle &style) {
                          return isInteger(style.descriptionFontSize) ? style.descriptionFontSize
                                                                      : std::string("10");
                      }},
    colorParameter<&DiagramStyle::descriptionColor>("DescFontColor"),
    switchParameter<&DiagramStyle::descriptionBold>("DescFontBold"),
    switchParameter<&DiagramStyle::descriptionItalic>("DescFontItalic"),
    switchParameter<&DiagramStyle::descriptionUnderline>("DescFontUnderline"),
    colorParameter<&DiagramStyle::mainLineColor>("MLinesColor"),
    colorParameter<&DiagramStyle::secondaryLineColor>("SLinesColor"),
    listParameter<&DiagramStyle::mainLineStyle, lineStyleCount>("MLinesStyle"),
    listParameter<&DiagramStyle::secondaryLineStyle, lineStyleCount>("SLinesStyle"),
    colorParameter<&DiagramStyle::fillColor>("FillColor"),
    listParameter<&DiagramStyle::fillStyle, fillStyleCount>("FillStyle"),
    DisplayParameter {"DiagWidth",
                      [](DiagramStyle &style, std::string_view value) {
                          if (isInteger(value))
                              style.diagramSize = std::string(value);
                      },
                      [](const DiagramStyle &style) {
                          return style.diagramSize;
                      }},
    colorParameter<&DiagramStyle::labelColor>("FontColor"),
    colorParameter<&DiagramStyle::backgroundColor>("BgColor"),
    // Written only for equal-area petals, so a file drawn the classic way keeps its lines.
    DisplayParameter {"PetalScale",
                      [](DiagramStyle &style, std::string_view value) {
                          style.petalScale = equalsIgnoreCaseAscii(value, "Area")
                              ? PetalScale::Area
                              : PetalScale::Count;
                      },
                      [](const DiagramStyle &style) {
                          return std::string(style.petalScale == PetalScale::Area ? "Area"
                                                                                  : "Count");
                      },
                      WriteRule::UnlessDefault},
    // Orientations rather than directions: a file says so with ";Axial=1" (any true word reads);
    // files of directions never carry the line.
    DisplayParameter {
        "Axial",
        [](DiagramStyle &style, std::string_view value) { style.axial = textToBool(value); },
        [](const DiagramStyle &style) { return std::string(style.axial ? "1" : "0"); },
        WriteRule::UnlessDefault},
    // What the azimuths of measurements with a dip stand for. The value is kept as written, so a
    // value the program does not know (it reads as the dip direction) stays in the file as it
    // was; files of dip directions never carry the line.
    DisplayParameter {
        "Azimuth",
        [](DiagramStyle &style, std::string_view value) { style.azimuth = std::string(value); },
        [](const DiagramStyle &style) { return style.azimuth; }, WriteRule::UnlessDefault},
};

} // namespace

std::span<const DisplayParameter> displayParameters()
{
    return parameters;
}

const DisplayParameter *findDisplayParameter(std::string_view name)
{
    for (const DisplayParameter &parameter : parameters) {
        if (equalsIgnoreCaseAscii(name, parameter.name))
            return &parameter;
    }
    return nullptr;
}

bool applyParameter(DiagramStyle &style, std::string_view name, std::string_view value)
{
    const DisplayParameter *parameter = findDisplayParameter(name);
    if (!parameter)
        return false;
    parameter->apply(style, value);
    return true;
}

std::string parameterText(const DiagramStyle &style, std::string_view name)
{
    const DisplayParameter *parameter = findDisplayParameter(name);
    return parameter ? parameter->text(style) : std::string();
}

bool isWritten(const DisplayParameter &parameter, const DiagramStyle &style)
{
    return parameter.rule == WriteRule::Always
        || parameter.text(style) != parameter.text(DiagramStyle::firstRun());
}

void resetOptionalParameters(DiagramStyle &style)
{
    const DiagramStyle first = DiagramStyle::firstRun();
    for (const DisplayParameter &parameter : parameters) {
        if (parameter.rule == WriteRule::UnlessDefault)
            parameter.apply(style, parameter.text(first));
    }
}

std::vector<std::pair<std::string_view, std::string>> styleParameters(const DiagramStyle &style)
{
    std::vector<std::pair<std::string_view, std::string>> out;
    out.reserve(parameters.size());
    for (const DisplayParameter &parameter : parameters) {
        if (isWritten(parameter, style))
            out.emplace_back(parameter.name, parameter.text(style));
    }
    return out;
}

} // namespace quorel
