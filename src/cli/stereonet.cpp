// quorel-cli stereonet: the lower-hemisphere stereonet of a data file's dips, as a picture in the
// formats of render, or its points (and their density) as one JSON object.
#include "cli/cliutil.h"
#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/painterloader.h"
#include "cli/spherical.h"
#include "core/diagram/svgwriter.h"
#include "core/diagram/wmfwriter.h"
#include "core/stereonet/density.h"
#include "core/stereonet/stereonetrenderer.h"
#include "core/tools/sphericalwording.h"
#include "core/util/files.h"
#include "core/util/text.h"

#include <cstdio>
#include <optional>

namespace quorel::cli {

namespace {

enum class Format { Wmf, Emf, Svg, Png, Pdf };

std::optional<Format> formatOf(const std::string &path)
{
    const auto dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.')
        return std::nullopt;
    const std::string extension = upperAscii(std::string_view(path).substr(dot + 1));
    for (const auto &[name, format] : {std::pair {"WMF", Format::Wmf},
                                       {"EMF", Format::Emf},
                                       {"SVG", Format::Svg},
                                       {"PNG", Format::Png},
                                       {"PDF", Format::Pdf}}) {
        if (extension == name)
            return format;
    }
    return std::nullopt;
}

// Standard output in blocks, so a million points are never held as text all at once.
class JsonOutput
{
public:
    std::string &text() { return m_text; }
    void flushIfFull()
    {
        if (m_text.size() >= (1 << 20))
            flush();
    }
    void flush()
    {
        if (std::fwrite(m_text.data(), 1, m_text.size(), stdout) != m_text.size())
            m_failed = true;
        m_text.clear();
    }
    bool finish()
    {
        flush();
        return std::fflush(stdout) == 0 && !m_failed;
    }

private:
    std::string m_text;
    bool m_failed = false;
};

void writeDensity(JsonOutput &output, const PlottedDips &dips, NetKind net, int nodes)
{
    std::vector<Vector3> vectors;
    vectors.reserve(dips.plotted.size());
    for (const Direction &d : dips.plotted)
        vectors.push_back(unitVector(d));
    const DensityGrid grid = densityGrid(vectors, nodes, net);
    std::string &out = output.text();
    out += ",\n  \"density\": {\"method\": \"exponential-kamb\", \"sigma\": ";
    appendJsonFigure(out, kambSigma);
    out += ", \"grid\": " + std::to_string(nodes) + ", \"values\": [";
    bool first = true;
    for (int j = 0; j < nodes; ++j) {
        for (int i = 0; i < nodes; ++i) {
            if (!grid.inside[static_cast<std::size_t>(j) * static_cast<std::size_t>(nodes)
                             + static_cast<std::size_t>(i)])
                continue;
            out += first ? "\n    [" : ",\n    [";
            first = false;
            appendJsonFigure(out, grid.x(i));
            out += ", ";
            appendJsonFigure(out, grid.y(j));
            out += ", ";
            // Without vectors there is no density (its units are zero).
            appendJsonFigure(out, vectors.empty() ? std::nullopt : std::optional(grid.at(i, j)));
            out += ']';
            output.flushIfFull();
        }
    }
    out += first ? "]}" : "\n  ]}";
}

int writeJson(const PlottedDips &dips, const CommandLine &line)
{
    JsonOutput output;
    std::string &out = output.text();
    out += "{\n  \"kind\": ";
    out += dips.poles() ? "\"poles\"" : "\"lines\"";
    out += ",\n  \"net\": ";
    out += line.net == NetKind::Schmidt ? "\"schmidt\"" : "\"wulff\"";
    out += ",\n  \"points\": [";
    for (std::size_t k = 0; k < dips.plotted.size(); ++k) {
        const Direction &d = dips.plotted[k];
        const NetPoint at = project(d, line.net);
        out += k ? ",\n    {\"line\": " : "\n    {\"line\": ";
        out += std::to_string(dips.reading.measurements[k].line);
        out += ", \"trend\": ";
        appendJsonFigure(out, d.trend);
        out += ", \"plunge\": ";
        appendJsonFigure(out, d.plunge);
        out += ", \"x\": ";
        appendJsonFigure(out, at.x + 0.0);
        out += ", \"y\": ";
        appendJsonFigure(out, at.y + 0.0);
        out += '}';
        output.flushIfFull();
    }
    out += dips.plotted.empty() ? "]" : "\n  ]";
    out += ",\n  \"without_dip\": [";
    for (std::size_t k = 0; k < dips.reading.withoutDip.size(); ++k) {
        out += k ? ", " : "";
        out += std::to_string(dips.reading.withoutDip[k]);
        output.flushIfFull();
    }
    out += ']';
    if (line.densityGrid)
        writeDensity(output, dips, line.net, *line.densityGrid);
    out += "\n}\n";
    return output.finish() ? ExitOk : failure("cannot write the output");
}

} // namespace

int runStereonet(const CommandLine &line)
{
    if (line.operands.empty())
        return usageError("stereonet needs a data file");
    if (line.output && line.json)
        return usageError("stereonet takes either -o OUT or --json, not both");
    if (!line.output && !line.json)
        return usageError("stereonet needs an output file (-o OUT) or --json");
    if (line.densityGrid && !line.json)
        return usageError("--density-grid goes with --json");
    std::optional<Format> format;
    if (line.output) {
        format = formatOf(*line.output);
        if (!format)
            return usageError("the output's extension must be .wmf, .emf, .svg, .png or .pdf");
    }

    DiagramStyle style = DiagramStyle::firstRun();
    const char separator = line.decimalSeparator();
    const auto dips = readPlottedDips(line.operands.front(), separator, line.azimuth, &style);
    if (!dips)
        return failure(dips.message());
    if (line.json)
        return writeJson(*dips, line);

    if (line.size)
        style.diagramSize = *line.size;
    StereonetOptions options;
    options.net = line.net;
    options.greatCircles = line.greatCircles;
    options.points = !line.noPoints;
    options.contours = line.contours;
    options.mean = line.mean;
    options.girdle = line.girdle;
    options.gridLines = line.gridLines;
    options.decimalSeparator = separator;
    options.words = englishStereonetWords(dips->poles());
    const Result<Picture> picture =
        renderStereonet(style, dips->plotted, dips->poles(), dips->stats, options);
    if (!picture)
        return failure(picture.message());

    const SystemColorTable &colors = classicSystemColors();
    const std::string &output = *line.output;
    Status written = success();
    switch (*format) {
    case Format::Wmf:
        written = writeFile(output, writePlaceableWmf(*picture, colors));
        break;
    case Format::Svg:
        written = writeFile(output, pictureToSvg(*picture, colors));
        break;
    // PNG, PDF and EMF need Qt's fonts and painter, which only they load.
    case Format::Emf:
        written = writeWithPainter(PainterFormat::Emf, *picture, colors, output);
        break;
    case Format::Png:
        written = writeWithPainter(PainterFormat::Png, *picture, colors, output);
        break;
    case Format::Pdf:
        written = writeWithPainter(PainterFormat::Pdf, *picture, colors, output);
        break;
    }
    if (!written)
        return failure(written.message());
    return ExitOk;
}

} // namespace quorel::cli
