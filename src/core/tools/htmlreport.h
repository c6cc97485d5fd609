#pragma once

#include "core/diagram/color.h"
#include "core/tools/projectaddresses.h"
#include "core/util/result.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorel {

class MeasurementStore;
class Picture;
struct SectorArrays;

// The page's own words, in the interface's language (UTF-8; the page escapes them). The
// defaults are the English page.
struct HtmlReportWords
{
    std::string language = "en"; // the page's language code
    std::string graph = "Graph";
    std::string measurements = "Measurements";
    std::string statistics = "Statistics";
    std::string circularStatistics = "Circular statistics";
    std::string stereonet = "Stereonet";
    std::string number = "No.";
    std::string azimuth = "Azimuth";
    std::string range = "Range";
    std::string count = "Count";
    std::string allMeasurements = "All measurements: ";
    std::string max = "Max: ";
    std::string randomGraph = "RANDOM GRAPH";
};

// What the HTML report shows. Texts are the program's bytes (UTF-8, or Windows-1250 from an old
// data file); the page escapes them.
struct HtmlReportContent
{
    std::string author; // the user running the program
    std::string name; // the page's name: the chosen file's base name, or "RANDOM GRAPH"
    std::string pictureName; // the metafile's bare file name ("site4.wmf")
    std::string svgName; // the SVG copy's bare file name ("site4.svg")
    std::string allText; // what "All measurements :" shows
    std::string maxText; // what "Max :" shows
    // The circular statistics' sentences (UTF-8), a section of their own after the statistics;
    // none, and no entry in the contents, when empty.
    std::vector<std::string> circularLines = {};
    // The stereonet, a section of its own after the circular statistics: its picture files'
    // bare names and its sentences (UTF-8). None, and no entry in the contents, when
    // stereonetPictureName is empty.
    std::string stereonetPictureName = {};
    std::string stereonetSvgName = {};
    std::vector<std::string> stereonetLines = {};
    // The program's web page for the footer's link; empty: the footer names the program alone.
    std::string homePage = builtProjectAddresses().homePage;
    HtmlReportWords words = {};
};

// Escapes a value for the page: "&", "<", ">", '"' and "'" become entities, and every character
// beyond ASCII becomes a numeric reference, so the page is plain ASCII and shows the same in
// every browser whatever charset it assumes. Bytes that are not UTF-8 are read as Windows-1250.
[[nodiscard]] std::string htmlEscape(std::string_view text);

// The report page as its lines (without line ends): the head with its style sheet, the table of
// contents, the picture (SVG for browsers, the metafile as fallback), one table row per
// measurement (none when nothing is loaded), 36 sector rows ("&nbsp;" for an empty sector), the
// two figures, the circular statistics when there are any and the footer.
[[nodiscard]] std::vector<std::string> htmlReportLines(const HtmlReportContent &content,
                                                       const MeasurementStore &measurements,
                                                       const SectorArrays &sectors);

// The lines joined, each ended by CR LF.
[[nodiscard]] std::string htmlReportText(const HtmlReportContent &content,
                                         const MeasurementStore &measurements,
                                         const SectorArrays &sectors);

// Paths of the report files for the chosen page path: the page itself, and beside it the
// page's base name with ".wmf" and ".svg", and for a stereonet with "-stereonet.wmf" and
// "-stereonet.svg".
struct HtmlReportPaths
{
    std::string page;
    std::string wmf;
    std::string svg;
    std::string baseName; // the chosen file's name without folder and extension
    std::string stereonetWmf;
    std::string stereonetSvg;
};
[[nodiscard]] HtmlReportPaths htmlReportPaths(const std::string &pagePath);

// Writes the picture files and then the page, each created or replaced in one step (a failure
// leaves the old file as it was). When a picture cannot
// be written the page is not written either. A page path ending in ".wmf" or ".svg" is refused
// before anything is written, since the page would replace its own picture.
// The stereonet's picture files, when the report has a section of it.
struct HtmlReportStereonetFiles
{
    std::string_view wmfBytes;
    std::string_view svgText;
};
[[nodiscard]] Status writeHtmlReport(const HtmlReportPaths &paths, std::string_view wmfBytes,
                                     std::string_view svgText, std::string_view pageText,
                                     const HtmlReportStereonetFiles *stereonet = nullptr);

// Everything "Save data and graph as HTML file..." does after its dialog: the picture saved as
// the metafile "Save graph..." writes and as SVG, then the page. The page's name is the chosen
// file's base name, or "RANDOM GRAPH" for a random diagram; the two figures are the texts the
// statistics page shows. Too little memory for the texts is a failure that has written nothing.
struct HtmlReportRequest
{
    std::string pagePath;
    std::string author;
    bool randomGraph = false;
    std::string allText;
    std::string maxText;
    std::vector<std::string> circularLines = {};
    // With a stereonet picture the page gains its section, with these sentences.
    const Picture *stereonetPicture = nullptr;
    std::vector<std::string> stereonetLines = {};
    HtmlReportWords words = {};
};
[[nodiscard]] Status saveHtmlReport(const HtmlReportRequest &request, const Picture &picture,
                                    const SystemColorTable &colors,
                                    const MeasurementStore &measurements,
                                    const SectorArrays &sectors);

} // namespace quorel
