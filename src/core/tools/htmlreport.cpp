#include "core/tools/htmlreport.h"

#include "core/data/measurementstore.h"
#include "core/data/sectorarrays.h"
#include "core/diagram/picture.h"
#include "core/diagram/svgwriter.h"
#include "core/diagram/wmfwriter.h"
#include "core/util/files.h"
#include "core/util/text.h"
#include "core/util/xml.h"

#include <filesystem>
#include <new>

namespace quorel {

namespace {

void appendLine(std::vector<std::string> &lines, std::string_view before,
                std::string_view value = {}, std::string_view after = {})
{
    std::string line;
    line.reserve(before.size() + value.size() + after.size());
    line.append(before).append(value).append(after);
    lines.push_back(std::move(line));
}

// A bare file name as a relative URL: bytes that end or split a URL (and blanks and commas,
// which separate candidates in srcset) are percent-encoded, as is everything beyond ASCII, so
// the browser finds the file by its exact bytes.
std::string fileNameUrl(std::string_view name)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F || c == '%' || c == '#' || c == '?' || c == ',') {
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return htmlEscape(out);
}

} // namespace

std::string htmlEscape(std::string_view text)
{
    // displayText gives valid UTF-8 (old Windows-1250 bytes converted).
    return escapeXml(displayText(text),
                     {.apostrophe = XmlEscaping::Apostrophe::Numbered, .numberNonAscii = true});
}

std::vector<std::string> htmlReportLines(const HtmlReportContent &content,
                                         const MeasurementStore &measurements,
                                         const SectorArrays &sectors)
{
    const HtmlReportWords &w = content.words;
    const std::string name = htmlEscape(content.name);
    std::vector<std::string> lines;
    lines.reserve(70 + measurements.size() * 4 + sectorCount * 5);

    appendLine(lines, R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)");
    appendLine(lines, "");
    appendLine(lines, "<html>");
    appendLine(lines, "<head>");
    appendLine(lines, R"(  <meta name="language" content=")", htmlEscape(w.language), R"(">)");
    appendLine(lines, R"(  <meta name="author" content=")", htmlEscape(content.author), R"(">)");
    appendLine(lines, "  <title>", name, "</title>");
    appendLine(lines, "  <style>");
    appendLine(lines, "  body {background-color: #dcd6be;font-family:Verdana;font-size:10pt;");
    appendLine(lines, "        margin-left:0.3cm;margin-right:0.3cm;scrollbar-face-color:#d3ccaf;");
    appendLine(lines, "        scrollbar-highlight-color:#dcd6be;scrollbar-shadow-color:gray;");
    appendLine(lines, "        scrollbar-3dlight-color:gray;scrollbar-arrow-color:black;}");
    appendLine(lines, "  td {font-size:8pt;font-family:Verdana;}");
    appendLine(lines, "  th {font-size:8pt;font-family:Verdana;}");
    appendLine(lines, "  a:link {color:maroon;text-decoration:none;}");
    appendLine(lines, "  a:visited {color:maroon;text-decoration:none;}");
    appendLine(lines, "  </style>");
    appendLine(lines, "</head>");
    appendLine(lines, "");
    appendLine(lines, "<body>");
    appendLine(lines, "");
    appendLine(lines, "<h3><center>", name, "</center></h3>");
    appendLine(lines, "<hr>");
    appendLine(lines, "<blockquote>");
    appendLine(lines, R"(  <a href="#graph">)", htmlEscape(w.graph), "</a><br>");
    appendLine(lines, R"(  <a href="#measurements">)", htmlEscape(w.measurements), "</a><br>");
    appendLine(lines, R"(  <a href="#stats">)", htmlEscape(w.statistics), "</a><br>");
    const bool circular = !content.circularLines.empty();
    if (circular)
        appendLine(lines, R"(  <a href="#circular">)", htmlEscape(w.circularStatistics),
                   "</a><br>");
    const bool stereonet = !content.stereonetPictureName.empty();
    if (stereonet)
        appendLine(lines, R"(  <a href="#stereonet">)", htmlEscape(w.stereonet), "</a><br>");
    appendLine(lines, "</blockquote>");
    appendLine(lines, "<br><br>");
    appendLine(lines, "");
    appendLine(lines, R"(<a name="graph">)");
    appendLine(lines, "<b><center>", htmlEscape(w.graph), "</center></b><br>");
    // No current browser shows a metafile, so the SVG copy comes first and the metafile stays
    // as the fallback for programs that read it.
    appendLine(lines, R"(<center><picture><source srcset=")",
               fileNameUrl(content.svgName) + R"(" type="image/svg+xml"><img src=")"
                   + fileNameUrl(content.pictureName),
               R"("></picture></center><br><br><br><br>)");
    appendLine(lines, "");
    appendLine(lines, R"(<a name="measurements">)");
    appendLine(lines, "<b><center>", htmlEscape(w.measurements), "</center></b><br>");
    appendLine(lines, "<table border=1 cellSpacing=0 cellPadding=3 align=center>");
    appendLine(lines, "<th>" + htmlEscape(w.number) + "</th><th>", htmlEscape(w.azimuth), "</th>");
    for (std::size_t n = 1; n <= measurements.size(); ++n) {
        appendLine(lines, "<tr>");
        appendLine(lines, R"(  <td align="right">)", std::to_string(n), ".</td>");
        appendLine(lines, R"(  <td align="right"><font color="maroon">)",
                   htmlEscape(measurements[n - 1]), "</font></td>");
        appendLine(lines, "</tr>");
    }
    appendLine(lines, "</table>");
    appendLine(lines, "");
    appendLine(lines, "<br><br><br><br>");
    appendLine(lines, R"(<a name="stats">)");
    appendLine(lines, "<b><center>", htmlEscape(w.statistics), "</center></b><br>");
    appendLine(lines, "<table border=1 cellSpacing=0 cellPadding=3 align=center>");
    appendLine(lines,
               "<th>" + htmlEscape(w.range) + "</th><th>" + htmlEscape(w.count) + "</th><th>",
               htmlEscape(w.azimuth), "</th>");
    for (int k = 1; k <= sectorCount; ++k) {
        appendLine(lines, "<tr>");
        if (k == 1)
            appendLine(lines, R"(  <td align="center">0 - 10</td>)");
        else
            appendLine(lines, R"(  <td align="center">)",
                       std::to_string(10 * k - 9) + " - " + std::to_string(10 * k), "</td>");
        appendLine(lines, R"(  <td align="right"><font color="maroon">)",
                   std::to_string(sectors.count(k)), "</font></td>");
        const std::string &list = sectors.list(k);
        appendLine(lines, "  <td>", list.empty() ? std::string("&nbsp;") : htmlEscape(list),
                   "</td>");
        appendLine(lines, "</tr>");
    }
    appendLine(lines, "</table>");
    appendLine(lines, "");
    appendLine(lines, "<br><br>");
    appendLine(lines, "<center>");
    appendLine(lines, htmlEscape(w.allMeasurements) + "<b>", htmlEscape(content.allText),
               "</b><br>");
    appendLine(lines, htmlEscape(w.max) + "<b>", htmlEscape(content.maxText), "</b><br>");
    appendLine(lines, "</center>");
    if (circular) {
        appendLine(lines, "");
        appendLine(lines, "<br><br>");
        appendLine(lines, R"(<a name="circular">)");
        appendLine(lines, "<b><center>", htmlEscape(w.circularStatistics), "</center></b><br>");
        appendLine(lines, "<table border=1 cellSpacing=0 cellPadding=3 align=center>");
        for (const std::string &sentence : content.circularLines)
            appendLine(lines, "<tr><td>", htmlEscape(sentence), "</td></tr>");
        appendLine(lines, "</table>");
        appendLine(lines, "<br>");
    }
    if (stereonet) {
        appendLine(lines, "");
        appendLine(lines, "<br><br>");
        appendLine(lines, R"(<a name="stereonet">)");
        appendLine(lines, "<b><center>", htmlEscape(w.stereonet), "</center></b><br>");
        appendLine(lines, R"(<center><picture><source srcset=")",
                   fileNameUrl(content.stereonetSvgName) + R"(" type="image/svg+xml"><img src=")"
                       + fileNameUrl(content.stereonetPictureName),
                   R"("></picture></center><br>)");
        appendLine(lines, "<table border=1 cellSpacing=0 cellPadding=3 align=center>");
        for (const std::string &sentence : content.stereonetLines)
            appendLine(lines, "<tr><td>", htmlEscape(sentence), "</td></tr>");
        appendLine(lines, "</table>");
        appendLine(lines, "<br>");
    }
    appendLine(lines, "<hr>");
    appendLine(lines, R"(<div style="font-size:6pt;font-family:Verdana">)");
    if (content.homePage.empty()) {
        appendLine(lines, "QUOREL<br>");
    } else {
        const std::string address = htmlEscape(content.homePage);
        appendLine(lines, R"(<a href=")", address + R"(" title=")" + address,
                   R"(">QUOREL</a><br>)");
    }
    appendLine(lines, "</div>");
    appendLine(lines, "</body>");
    appendLine(lines, "");
    appendLine(lines, "</html>");
    return lines;
}

std::string htmlReportText(const HtmlReportContent &content, const MeasurementStore &measurements,
                           const SectorArrays &sectors)
{
    std::string text;
    for (const auto &line : htmlReportLines(content, measurements, sectors)) {
        text += line;
        text += "\r\n";
    }
    return text;
}

HtmlReportPaths htmlReportPaths(const std::string &pagePath)
{
    const std::filesystem::path page(pagePath);
    HtmlReportPaths paths;
    paths.page = pagePath;
    paths.baseName = page.stem().string();
    paths.wmf = std::filesystem::path(page).replace_extension(".wmf").string();
    paths.svg = std::filesystem::path(page).replace_extension(".svg").string();
    const std::filesystem::path stereonet =
        std::filesystem::path(page).replace_filename(paths.baseName + "-stereonet");
    paths.stereonetWmf = std::filesystem::path(stereonet).concat(".wmf").string();
    paths.stereonetSvg = std::filesystem::path(stereonet).concat(".svg").string();
    return paths;
}

Status writeHtmlReport(const HtmlReportPaths &paths, std::string_view wmfBytes,
                       std::string_view svgText, std::string_view pageText,
                       const HtmlReportStereonetFiles *stereonet)
{
    // A page named like its own picture ("x.wmf") would overwrite the picture just written.
    if (paths.page == paths.wmf || paths.page == paths.svg
        || (stereonet && (paths.page == paths.stereonetWmf || paths.page == paths.stereonetSvg)))
        return Error {"The report \"" + paths.page
                          + "\" would replace its own picture. Choose a name ending in \".html\".",
                      ErrorKind::ReportReplacesPicture, paths.page, 0};
    if (Status status = writeFileAtomic(paths.wmf, wmfBytes); !status)
        return status;
    if (Status status = writeFileAtomic(paths.svg, svgText); !status)
        return status;
    if (stereonet) {
        if (Status status = writeFileAtomic(paths.stereonetWmf, stereonet->wmfBytes); !status)
            return status;
        if (Status status = writeFileAtomic(paths.stereonetSvg, stereonet->svgText); !status)
            return status;
    }
    return writeFileAtomic(paths.page, pageText);
}

Status saveHtmlReport(const HtmlReportRequest &request, const Picture &picture,
                      const SystemColorTable &colors, const MeasurementStore &measurements,
                      const SectorArrays &sectors)
{
    const HtmlReportPaths paths = htmlReportPaths(request.pagePath);
    HtmlReportContent content;
    content.author = request.author;
    content.name = request.randomGraph ? request.words.randomGraph : paths.baseName;
    content.words = request.words;
    content.pictureName = std::filesystem::path(paths.wmf).filename().string();
    content.svgName = std::filesystem::path(paths.svg).filename().string();
    content.allText = request.allText;
    content.maxText = request.maxText;
    content.circularLines = request.circularLines;
    if (request.stereonetPicture) {
        content.stereonetPictureName =
            std::filesystem::path(paths.stereonetWmf).filename().string();
        content.stereonetSvgName = std::filesystem::path(paths.stereonetSvg).filename().string();
        content.stereonetLines = request.stereonetLines;
    }
    // The page holds every measurement once more; all the texts are made before the first
    // file is written, so running out of memory leaves every file as it was.
    try {
        std::string stereonetWmf;
        std::string stereonetSvg;
        HtmlReportStereonetFiles stereonet;
        if (request.stereonetPicture) {
            stereonetWmf = writePlaceableWmf(*request.stereonetPicture, colors);
            stereonetSvg = pictureToSvg(*request.stereonetPicture, colors);
            stereonet = {stereonetWmf, stereonetSvg};
        }
        return writeHtmlReport(paths, writePlaceableWmf(picture, colors),
                               pictureToSvg(picture, colors),
                               htmlReportText(content, measurements, sectors),
                               request.stereonetPicture ? &stereonet : nullptr);
    } catch (const std::bad_alloc &) {
        return Error {"Not enough memory to write file \"" + paths.page + "\".",
                      ErrorKind::NoMemoryToWrite, paths.page, 0};
    }
}

} // namespace quorel
