#pragma once

#include "core/tools/htmlreport.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

class QFileDialog;
class QWidget;

namespace quorel {

class MeasurementStore;
class Picture;
struct SectorArrays;

// What "Save data and graph as HTML file..." reports: the picture shown, the data behind it and
// the two figures of the statistics page, and the circular statistics where asked for.
struct HtmlReportSource
{
    const Picture *picture = nullptr;
    const MeasurementStore *measurements = nullptr;
    const SectorArrays *sectors = nullptr;
    bool randomGraph = false;
    QString allText;
    QString maxText;
    std::vector<std::string> circularLines = {}; // none: no circular statistics section
    // With a picture, the report gains a section of the stereonet with these sentences.
    const Picture *stereonetPicture = nullptr;
    std::vector<std::string> stereonetLines = {};
};

// The page's own words in the interface's language.
[[nodiscard]] HtmlReportWords htmlReportWords();

// Asks for the report's file name; empty when cancelled. Replaceable for tests.
using HtmlReportChooser = std::function<QString(QFileDialog &dialog)>;

// The save dialog as the command shows it: "HTML document (*.HTML)", extension "html" added to a
// bare name, overwriting confirmed, starting in `folder` with `defaultName` proposed.
void prepareHtmlReportDialog(QFileDialog &dialog, const QString &folder,
                             const QString &defaultName);

// The command: the dialog, then the metafile, the SVG copy and the page beside each other. A
// failure is shown in a message box and nothing more is written. Returns the page written, or
// an empty text when the dialog was cancelled or the report failed.
QString saveHtmlReportAs(QWidget *owner, const QString &folder, const QString &defaultName,
                         const HtmlReportSource &source, const HtmlReportChooser &chooser = {});

} // namespace quorel
