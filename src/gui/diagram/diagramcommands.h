#pragma once

#include "core/diagram/color.h"
#include "core/persist/settings.h"
#include "gui/document/command.h"

#include <QIcon>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;

namespace quorel {

class Document;
class Picture;
class ViewState;

// What the user does with the diagram: the size commands (also the main block's "=", "+" and
// "-" keys anywhere in the window but in edit boxes), "Save graph...", copying, printing and
// the full-screen preview. They work on the document's style and picture; `window` is the main
// window, which owns the dialogs and steps aside for the preview.
class DiagramCommands : public QObject
{
    Q_OBJECT

public:
    DiagramCommands(Document &document, ViewState &view, QWidget &window);

    // The folder and name "Save graph..." proposes.
    void setImageFolder(const QString &folder) { m_imageFolder = folder; }
    // The settings start "Save graph..." in the folder it saved in last.
    [[nodiscard]] SettingsBinding settingsBinding();
    QString imageFolder() const { return m_imageFolder; }

    // Enter in the size box, "Graph size + 20" and "Graph size - 20": false when the size
    // holds no whole number (the user has been warned). A size chosen ends fitting to the window.
    bool applyTypedSize();
    bool enlarge();
    bool reduce();
    // "Save graph...", "Copy graph to the Clipboard", "Print..." and "Full screen".
    void saveImage();
    void copyImage();
    void print();
    void preview();

    // The picture the commands act on: the document's rose unless another page is shown.
    using PictureSource = std::function<const Picture &()>;
    void setPictureSource(PictureSource source) { m_shownPicture = std::move(source); }

    // The rows of the main window's commands these are.
    std::vector<Command> commands();

    // The PDF file "Print..." proposes for printing to a file (see proposedPdfPath).
    QString proposedPrintFile() const;

    // The pictures of the copy and print commands, which the preview's menu shows too.
    void setPreviewIcons(const QIcon &copy, const QIcon &print);

    // Tests answer the dialogs instead of a user: the chosen path and filter (empty: cancelled),
    // and whether to print with the printer as set up (false: cancelled).
    using SaveChooser = std::function<QString(const QString &suggested, QString *filter)>;
    using PrintChooser = std::function<bool(QPrinter &printer)>;
    void setSaveChooser(SaveChooser chooser) { m_chooseSave = std::move(chooser); }
    void setPrintChooser(PrintChooser chooser) { m_choosePrint = std::move(chooser); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool applySize(std::optional<int> size);

    Document &m_document;
    ViewState &m_view;
    QWidget &m_window;
    QString m_imageFolder;
    QIcon m_copyIcon;
    QIcon m_printIcon;
    PictureSource m_shownPicture;
    SaveChooser m_chooseSave;
    PrintChooser m_choosePrint;
};

// The colours files, the clipboard and the printer resolve system colours with: the classic
// scheme, so a saved diagram is the same wherever it is made.
const SystemColorTable &fileColors();

} // namespace quorel
