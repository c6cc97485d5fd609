// quorel-cli stats: reads a data file exactly as the program does and prints what the
// statistics page and the Errors window would show, as text or as one JSON object.
#include "cli/cliutil.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/spherical.h"
#include "core/data/circularstats.h"
#include "core/data/datareader.h"
#include "core/data/displayparameters.h"
#include "core/diagram/diagramstyle.h"
#include "core/tools/circularwording.h"
#include "core/util/text.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string>

namespace quorel::cli {

namespace {

// Standard output in blocks of about a megabyte, so the text of ten million measurements is
// never held in memory beside the measurements themselves.
class Output
{
public:
    Output() { m_text.reserve(blockSize + 4096); }
    std::string &text() { return m_text; }
    // Writes the block out once it is full; call between pieces.
    void flushIfFull()
    {
        if (m_text.size() >= blockSize)
            flush();
    }
    // Writes a long piece straight out after what is buffered, without copying it.
    void writeThrough(std::string_view piece)
    {
        if (piece.size() < blockSize / 4) {
            m_text += piece;
            return;
        }
        flush();
        if (std::fwrite(piece.data(), 1, piece.size(), stdout) != piece.size())
            m_failed = true;
    }
    void flush()
    {
        if (std::fwrite(m_text.data(), 1, m_text.size(), stdout) != m_text.size())
            m_failed = true;
        m_text.clear();
    }
    // Everything written.
    bool finish()
    {
        flush();
        return std::fflush(stdout) == 0 && !m_failed;
    }

private:
    static constexpr std::size_t blockSize = 1 << 20;
    std::string m_text;
    bool m_failed = false;
};

// Stored azimuth texts hold only digits, signs, "e", blanks and the decimal separator, so
// with a separator that needs no escaping they go into JSON as they are, unscanned.
bool azimuthTextsArePlain(char separator)
{
    const auto byte = static_cast<unsigned char>(separator);
    return byte >= 0x20 && byte < 0x80 && separator != '"' && separator != '\\';
}

void writeAzimuthText(Output &output, std::string_view text, bool plain)
{
    if (plain) {
        output.text() += '"';
        output.writeThrough(text);
        output.text() += '"';
    } else {
        appendJsonString(output.text(), text);
    }
}

// A number in the fewest digits that read back as the same double; null when undefined.
void appendJsonNumber(std::string &out, std::optional<double> value)
{
    if (!value) {
        out += "null";
        return;
    }
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, *value).ptr;
    out.append(digits, end);
}

void writeCircularJson(std::string &out, const CircularStatistics &stats)
{
    const auto member = [&](const char *name) {
        out += ",\n    \"";
        out += name;
        out += "\": ";
    };
    out += ",\n  \"circular\": {\n    \"axial\": ";
    out += stats.axial ? "true" : "false";
    member("n");
    out += std::to_string(stats.n);
    member("mean_direction");
    appendJsonNumber(out, stats.meanDirection);
    member("mean_resultant_length");
    appendJsonNumber(out, stats.meanResultantLength);
    member("circular_variance");
    appendJsonNumber(out, stats.circularVariance);
    member("circular_sd");
    appendJsonNumber(out, stats.circularSd);
    member("angular_deviation");
    appendJsonNumber(out, stats.angularDeviation);
    member("rayleigh_z");
    appendJsonNumber(out, stats.rayleighZ);
    member("rayleigh_p");
    appendJsonNumber(out, stats.rayleighP);
    member("ci95");
    if (stats.ci95) {
        out += '[';
        appendJsonNumber(out, stats.ci95->lower);
        out += ", ";
        appendJsonNumber(out, stats.ci95->upper);
        out += ']';
    } else {
        out += "null";
    }
    member("kappa");
    appendJsonNumber(out, stats.kappa);
    member("band");
    if (stats.band)
        out += '[' + std::to_string(stats.band->lower) + ", " + std::to_string(stats.band->upper)
            + ']';
    else
        out += "null";
    // Each petal's own band: the first and last sectors are wider and narrower than 10°.
    member("band_by_sector");
    if (stats.bandBySector) {
        out += '[';
        for (std::size_t k = 0; k < stats.bandBySector->size(); ++k) {
            const CountRange &band = (*stats.bandBySector)[k];
            out += k > 0 ? ", [" : "[";
            out += std::to_string(band.lower) + ", " + std::to_string(band.upper) + ']';
        }
        out += ']';
    } else {
        out += "null";
    }
    out += "\n  }";
}

void writeJson(Output &output, const DataReader &reader, const DiagramStyle &style,
               bool measurements, const CircularStatistics &circular, const std::string &extra)
{
    const bool plain = azimuthTextsArePlain(reader.decimalSeparator());
    const ReadSummary &summary = reader.summary();
    const SectorArrays &sectors = reader.sectors();
    std::string &out = output.text();
    out += "{\n  \"file\": ";
    appendJsonString(out, summary.path);
    out += ",\n  \"measurements\": " + std::to_string(reader.measurements().size());
    out += ",\n  \"max\": " + std::to_string(sectors.maxCount);
    out += ",\n  \"errors\": " + std::to_string(summary.errorCount);
    out += ",\n  \"cancelled\": ";
    out += summary.cancelled ? "true" : "false";
    out += ",\n  \"sectors\": [";
    for (int sector = 1; sector <= sectorCount; ++sector) {
        out += sector > 1 ? ", " : "";
        out += std::to_string(sectors.count(sector));
    }
    out += "],\n  \"sector_lists\": [";
    for (int sector = 1; sector <= sectorCount; ++sector) {
        out += sector > 1 ? ",\n    " : "\n    ";
        writeAzimuthText(output, sectors.list(sector), plain);
        output.flushIfFull();
    }
    out += "\n  ],\n  \"report\": [";
    bool first = true;
    for (const std::string &line : reader.errorReportLines()) {
        out += first ? "\n    " : ",\n    ";
        first = false;
        appendJsonString(out, line);
    }
    out += "\n  ],\n  \"style\": {";
    first = true;
    for (const auto &[name, value] : styleParameters(style)) {
        out += first ? "\n    " : ",\n    ";
        first = false;
        appendJsonString(out, name);
        out += ": ";
        appendJsonString(out, value);
    }
    out += "\n  }";
    if (measurements) {
        out += ",\n  \"azimuths\": [";
        first = true;
        reader.measurements().texts().forEach([&](std::string_view text) {
            out += first ? "\n    " : ",\n    ";
            first = false;
            writeAzimuthText(output, text, plain);
            output.flushIfFull();
        });
        out += "\n  ]";
    }
    writeCircularJson(out, circular);
    out += extra;
    out += "\n}\n";
}

// The statistics table's text: range, count and the sector's measurements.
void writeText(Output &output, const DataReader &reader, bool measurements,
               const CircularStatistics &circular)
{
    const ReadSummary &summary = reader.summary();
    const SectorArrays &sectors = reader.sectors();
    std::string &out = output.text();
    out += "File: " + displayText(summary.path) + "\n";
    out += "All measurements : " + std::to_string(reader.measurements().size()) + "\n";
    out += "Max : " + std::to_string(sectors.maxCount) + "\n";
    out += "Errors: " + std::to_string(summary.errorCount) + "\n\n";
    out += "Range       Count  Azimuth\n";
    for (int sector = 1; sector <= sectorCount; ++sector) {
        // Columns at 0, 12 and 19; no trailing blanks on an empty sector's row.
        const std::size_t start = out.size();
        out += sectorLabel(sector);
        out.resize(start + 12, ' ');
        out += std::to_string(sectors.count(sector));
        if (!sectors.list(sector).empty()) {
            out.resize(start + 19, ' ');
            output.writeThrough(sectors.list(sector));
        }
        out += '\n';
        output.flushIfFull();
    }
    out += "\n";
    for (const std::string &line : reader.errorReportLines())
        out += displayText(line) + "\n";
    if (measurements) {
        out += "\nNo.  Azimuth\n";
        std::size_t number = 0;
        reader.measurements().texts().forEach([&](std::string_view text) {
            out += std::to_string(++number);
            out += ". ";
            out += text;
            out += '\n';
            output.flushIfFull();
        });
    }
    out += circular.axial ? "\nCircular statistics, axial data" : "\nCircular statistics";
    out += " (n = " + std::to_string(circular.n) + "):\n";
    for (const CircularSentence &sentence : circularSentences(circular)) {
        // The command line has no check box to point to, but an option.
        out += sentence.kind == CircularSentenceKind::OppositeGroups
            ? "The directions form two opposite groups: run again with --axial."
            : englishSentence(sentence, reader.decimalSeparator());
        out += '\n';
    }
}

} // namespace

int runStats(const CommandLine &line)
{
    if (line.operands.empty())
        return usageError("stats needs a data file");

    DataReader reader(line.decimalSeparator());
    DiagramStyle style = DiagramStyle::firstRun();
    if (const Status read = reader.load(line.operands.front(), style); !read.ok())
        return failure(read.message());

    // Orientations when asked for, or when the file says so with its ";Axial=1" line.
    const CircularStatistics circular =
        circularStatistics(reader.measurements().directions(), line.axial || style.axial);
    // The dips are read in a pass of their own, only when asked for.
    std::string spherical;
    if (line.spherical) {
        const auto dips =
            readPlottedDips(line.operands.front(), line.decimalSeparator(), line.azimuth);
        if (!dips)
            return failure(dips.message());
        spherical =
            line.json ? sphericalJson(*dips) : sphericalText(*dips, line.decimalSeparator());
    }
    Output output;
    if (line.json)
        writeJson(output, reader, style, line.measurements, circular, spherical);
    else
        writeText(output, reader, line.measurements, circular);
    output.text() += line.json ? "" : spherical;
    if (!output.finish())
        return failure("cannot write the output");
    warnInvalidLines(reader.summary().errorCount, reader.summary().firstInvalidLine);
    return ExitOk;
}

} // namespace quorel::cli
