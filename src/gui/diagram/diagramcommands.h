#pragma once

#include "core/diagram/color.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QDockWidget;
class QPrinter;
class QToolButton;

namespace quorel {

class DescriptionBar;
class MainWindow;
class OptionsBar;

// What the user does with the diagram: the two style bars, the size commands, "Save graph...",
// copying, printing and the full-screen preview. Adds its actions to the main window's menus
// and tool bar and works on the window's style and picture; the window redraws.
class DiagramCommands : public QObject
{
    Q_OBJECT

public:
    explicit DiagramCommands(MainWindow &window);
    ~DiagramCommands() override;

    OptionsBar *optionsBar() const { return m_options; }
    DescriptionBar *descriptionBar() const { return m_description; }
    QDockWidget *optionsDock() const { return m_optionsDock; }
    QDockWidget *descriptionDock() const { return m_descriptionDock; }

    // Shows the style's values in both bars (after a read, the settings or a command).
    void refreshBars();

    // The folder and name "Save graph..." proposes.
    void setImageFolder(const QString &folder) { m_imageFolder = folder; }
    QString imageFolder() const { return m_imageFolder; }

    // Enter in the size box, "Graph size + 20" and "Graph size - 20": false when the size box
    // holds no whole number (the user has been warned).
    bool applyTypedSize();
    bool enlarge();
    bool reduce();
    // "Save graph...", "Copy graph to the Clipboard", "Print..." and "Full screen".
    void saveImage();
    void copyImage();
    void print();
    void preview();

    // Tests answer the dialogs instead of a user: the chosen path and filter (empty: cancelled),
    // and whether to print with the printer as set up (false: cancelled).
    using SaveChooser = std::function<QString(const QString &suggested, QString *filter)>;
    using PrintChooser = std::function<bool(QPrinter &printer)>;
    void setSaveChooser(SaveChooser chooser) { m_chooseSave = std::move(chooser); }
    void setPrintChooser(PrintChooser chooser) { m_choosePrint = std::move(chooser); }

    QAction *saveGraphAction = nullptr;
    QAction *copyGraphAction = nullptr;
    QAction *printAction = nullptr;
    QAction *fullScreenAction = nullptr;
    QAction *enlargeAction = nullptr;
    QAction *reduceAction = nullptr;
    QToolButton *saveButton = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createBars();
    void createActions();
    bool applySize(std::optional<int> size);

    MainWindow &m_window;
    OptionsBar *m_options = nullptr;
    DescriptionBar *m_description = nullptr;
    QDockWidget *m_optionsDock = nullptr;
    QDockWidget *m_descriptionDock = nullptr;
    QString m_imageFolder;
    SaveChooser m_chooseSave;
    PrintChooser m_choosePrint;
};

// The colours files, the clipboard and the printer resolve system colours with: the classic
// scheme, so a saved diagram is the same wherever it is made.
const SystemColorTable &fileColors();

} // namespace quorel
