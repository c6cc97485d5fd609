#include "core/stereonet/dipreader.h"

#include "core/data/displayparameters.h"
#include "core/data/lineclassifier.h"
#include "core/util/files.h"
#include "core/util/numbers.h"
#include "core/util/text.h"

#include <string>

namespace quorel {

std::optional<double> dipOfLine(std::string_view trimmedLine, char decimalSeparator)
{
    std::size_t separator = std::string_view::npos;
    for (const char c : detail::fieldSeparators) {
        separator = trimmedLine.find(c);
        if (separator != std::string_view::npos)
            break;
    }
    if (separator == std::string_view::npos)
        return std::nullopt; // a lone azimuth
    std::string_view rest = trimmedLine.substr(separator + 1);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    const std::size_t end = rest.find_first_of(detail::fieldSeparators);
    const std::string_view field = rest.substr(0, end);
    if (field.empty())
        return std::nullopt;
    // The azimuth's decimal rules: the first "." and then the first "," become the separator.
    std::string text(field);
    if (const std::size_t dot = text.find('.'); dot != std::string::npos)
        text[dot] = decimalSeparator;
    if (const std::size_t comma = text.find(','); comma != std::string::npos)
        text[comma] = decimalSeparator;
    const std::optional<double> dip = toFloat(text, decimalSeparator);
    if (!dip || !(*dip >= 0 && *dip <= 90))
        return std::nullopt;
    return *dip + 0.0; // "-0" is 0
}

DipReading readDips(std::string_view bytes, char decimalSeparator, DiagramStyle *style)
{
    DipReading reading;
    LineClassifier classifier(decimalSeparator);
    LineCursor cursor(textBeforeNul(bytes));
    std::string_view line;
    std::size_t number = 0;
    while (cursor.next(line)) {
        ++number;
        const ClassifiedLine classified = classifier.classify(line);
        if (classified.kind == LineKind::Parameter) {
            if (style)
                applyParameter(*style, classified.name, classified.value);
            continue;
        }
        if (classified.kind != LineKind::Measurement)
            continue;
        const std::optional<double> dip = dipOfLine(trimControl(line), decimalSeparator);
        if (dip)
            reading.measurements.push_back({number, classified.degrees, *dip});
        else
            reading.withoutDip.push_back(number);
    }
    return reading;
}

Result<DipReading> readDipFile(const std::string &path, char decimalSeparator, DiagramStyle *style)
{
    const Result<std::string> bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    return readDips(*bytes, decimalSeparator, style);
}

} // namespace quorel
