#pragma once

#include "core/diagram/color.h"
#include "core/diagram/picture.h"
#include "core/util/result.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class QMimeData;
class QPrintDialog;
class QPrinter;

namespace quorel {

// The formats the diagram is saved in. The metafile comes first: it is what the program has
// always written; the others are for programs that read no metafiles.
enum class ImageFormat { Wmf, Emf, Svg, Png, Pdf };

// Filters of the "Save graph..." dialog, in ImageFormat order: each shows its description
// ("Windows Meta File (*.WMF)" first) and matches with lower-case patterns first, so the dialog
// proposes "quorel.wmf", never "quorel.WMF". The dialog must hide the filters' details.
[[nodiscard]] QStringList imageFilters();
// The format of a filter, whole or its description alone; the metafile for any other text.
[[nodiscard]] ImageFormat formatOfFilter(const QString &filter);
// The format's extension in lower case ("wmf").
[[nodiscard]] QString extensionOf(ImageFormat format);
// The path with the format's extension added when the user typed none.
[[nodiscard]] QString withDefaultExtension(const QString &path, ImageFormat format);

// Writes the picture to a file; with the metafile format the file is a metafile whatever the
// extension. Files resolve system colours through `colors`.
[[nodiscard]] Status saveDiagram(const Picture &picture, const SystemColorTable &colors,
                                 const std::string &path, ImageFormat format);

// The clipboard contents for the picture: SVG, PNG, and the metafile bytes (image/x-wmf,
// image/x-emf), so drawing programs, office suites and image editors can all paste it.
[[nodiscard]] QMimeData *diagramMimeData(const Picture &picture, const SystemColorTable &colors);

// Prints `copies` copies, each as its own job titled with the printer's document name (a file
// printer gets one document with a page per copy), scaled to the smaller side of the printable
// area. Nothing is printed for an empty picture or fewer than one copy.
[[nodiscard]] Status printDiagram(const Picture &picture, const SystemColorTable &colors,
                                  QPrinter &printer, int copies);

// The PDF file a print to file proposes: the data file's name with ".pdf" in the data file's
// folder; when that folder cannot be written, in `saveFolder` (where "Save graph..." saves), else
// in `homeFolder`. Without a data file the name is `pictureName` (what "Save graph..." proposes,
// "RANDOM GRAPH.wmf" for instance) with ".pdf", or "quorel.pdf".
[[nodiscard]] QString proposedPdfPath(const QString &dataFile, const QString &pictureName,
                                      const QString &saveFolder, const QString &homeFolder,
                                      const std::function<bool(const QString &)> &isWritableFolder);

// Puts `path` into the print dialog's output file box, which would otherwise propose the job's
// name in the working or home folder. The printer chosen stays the dialog's default.
void proposeOutputFile(QPrintDialog &dialog, const QString &path);

} // namespace quorel
