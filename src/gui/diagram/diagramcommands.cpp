#include "gui/diagram/diagramcommands.h"

#include "gui/diagram/descriptionbar.h"
#include "gui/diagram/diagramexport.h"
#include "gui/diagram/optionsbar.h"
#include "gui/diagram/pictureplayer.h"
#include "gui/diagram/previewwindow.h"
#include "gui/diagram/sizing.h"
#include "gui/shell/commandicons.h"
#include "gui/shell/diagramview.h"
#include "gui/shell/mainactions.h"
#include "gui/shell/mainwindow.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

namespace quorel {

namespace {

// The first action of `menu` after `anchor` (nullptr when `anchor` is the last one).
QAction *actionAfter(QMenu *menu, QAction *anchor)
{
    const auto actions = menu->actions();
    const auto at = actions.indexOf(anchor);
    return at >= 0 && at + 1 < actions.size() ? actions.at(at + 1) : nullptr;
}

// Edit boxes where "=" and "-" are typed rather than commands.
bool takesTyping(const QWidget *widget)
{
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget)
        || qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QTextEdit *>(widget))
        return true;
    const auto *combo = qobject_cast<const QComboBox *>(widget);
    return combo && combo->isEditable();
}

// The "Save graph..." dialog: Qt's own, like the program's other file dialogs, so the filters
// show their descriptions and the proposed name keeps its lower-case extension.
QString chooseImageFile(QWidget *owner, const QString &suggested, QString *filter)
{
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(imageFilters());
    dialog.selectNameFilter(*filter);
    dialog.setDefaultSuffix(extensionOf(formatOfFilter(*filter)));
    // A bare name gets the extension of the format chosen, also when the dialog asks before
    // overwriting.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &f) {
        dialog.setDefaultSuffix(extensionOf(formatOfFilter(f)));
    });
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    *filter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

} // namespace

const SystemColorTable &fileColors()
{
    return classicSystemColors();
}

DiagramCommands::DiagramCommands(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
    m_chooseSave = [this](const QString &suggested, QString *filter) {
        return chooseImageFile(&m_window, suggested, filter);
    };
    m_choosePrint = [this](QPrinter &printer) {
        QPrintDialog dialog(&printer, &m_window);
        return dialog.exec() == QDialog::Accepted;
    };
    createBars();
    createActions();
}

DiagramCommands::~DiagramCommands()
{
    // The bars edit the window's style in place: they must not outlive this window's parts.
    delete m_optionsDock;
    delete m_descriptionDock;
}

void DiagramCommands::createBars()
{
    static SystemColorTable screenColors;
    screenColors = systemColorsFromPalette(m_window.palette());

    m_options = new OptionsBar(m_window.style(), screenColors);
    m_optionsDock = new QDockWidget(QStringLiteral("Options"), &m_window);
    m_optionsDock->setObjectName(QStringLiteral("optionsDock"));
    // A short window scrolls the bar instead of squeezing its controls.
    auto *scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_options);
    scroll->setMinimumWidth(m_options->sizeHint().width() + 16);
    m_optionsDock->setWidget(scroll);
    m_optionsDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    m_window.addDockWidget(Qt::RightDockWidgetArea, m_optionsDock);

    m_description = new DescriptionBar(m_window.style(), screenColors);
    m_descriptionDock = new QDockWidget(QStringLiteral("Description"), &m_window);
    m_descriptionDock->setObjectName(QStringLiteral("descriptionDock"));
    m_descriptionDock->setWidget(m_description);
    m_descriptionDock->setFeatures(QDockWidget::DockWidgetMovable
                                   | QDockWidget::DockWidgetFloatable);
    m_window.addDockWidget(Qt::BottomDockWidgetArea, m_descriptionDock);

    connect(m_options, &OptionsBar::redrawRequested, &m_window, &MainWindow::redrawDiagram);
    connect(m_options, &OptionsBar::sizeEntered, this, &DiagramCommands::applyTypedSize);
    connect(m_options, &OptionsBar::enlargeRequested, this, &DiagramCommands::enlarge);
    connect(m_options, &OptionsBar::reduceRequested, this, &DiagramCommands::reduce);
    connect(m_description, &DescriptionBar::redrawRequested, &m_window, &MainWindow::redrawDiagram);
}

void DiagramCommands::createActions()
{
    MainActions &menus = *m_window.actions();
    saveGraphAction = MainActions::makeAction(
        this, QStringLiteral("Save graph..."), QKeySequence(QStringLiteral("Ctrl+S")),
        "saveGraphAction", commandIcon(CommandIcon::SaveGraph));
    copyGraphAction = MainActions::makeAction(this, QStringLiteral("Copy graph to the Clipboard"),
                                              QKeySequence(QStringLiteral("Ctrl+C")),
                                              "copyGraphAction", commandIcon(CommandIcon::Copy));
    printAction = MainActions::makeAction(this, QStringLiteral("Print..."),
                                          QKeySequence(QStringLiteral("Ctrl+P")), "printAction",
                                          commandIcon(CommandIcon::Print));
    fullScreenAction = MainActions::makeAction(this, QStringLiteral("Full screen"),
                                               QKeySequence(Qt::Key_F11), "fullScreenAction");
    enlargeAction = MainActions::makeAction(this, QStringLiteral("Graph size + 20    (+)"), {},
                                            "enlargeAction");
    reduceAction = MainActions::makeAction(this, QStringLiteral("Graph size - 20     (-)"), {},
                                           "reduceAction");
    // The main block's plus/equals and minus keys (not the keypad, which Qt's shortcuts would
    // not tell apart); edit boxes keep these keys for typing.
    qApp->installEventFilter(this);

    connect(saveGraphAction, &QAction::triggered, this, &DiagramCommands::saveImage);
    connect(copyGraphAction, &QAction::triggered, this, &DiagramCommands::copyImage);
    connect(printAction, &QAction::triggered, this, &DiagramCommands::print);
    connect(fullScreenAction, &QAction::triggered, this, &DiagramCommands::preview);
    connect(enlargeAction, &QAction::triggered, this, &DiagramCommands::enlarge);
    connect(reduceAction, &QAction::triggered, this, &DiagramCommands::reduce);

    // File: New, Open, Save graph, (report), separator, Print, separator, Exit.
    QAction *afterOpen = actionAfter(menus.fileMenu, menus.openAction);
    menus.fileMenu->insertAction(afterOpen, saveGraphAction);
    menus.fileMenu->insertAction(menus.exitAction, printAction);
    menus.fileMenu->insertSeparator(menus.exitAction);
    menus.editMenu->addAction(copyGraphAction);
    menus.viewMenu->addSeparator();
    menus.viewMenu->addAction(fullScreenAction);
    menus.sizeMenu->addAction(enlargeAction);
    menus.sizeMenu->addAction(reduceAction);

    // The picture's own menu and its double click.
    DiagramView *view = m_window.diagramView();
    auto *pictureMenu = new QMenu(view);
    pictureMenu->setObjectName(QStringLiteral("pictureMenu"));
    pictureMenu->addAction(copyGraphAction);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, pictureMenu,
            [view, pictureMenu](const QPoint &at) { pictureMenu->popup(view->mapToGlobal(at)); });
    connect(view, &DiagramView::imageDoubleClicked, this, &DiagramCommands::preview);

    saveButton = new QToolButton(menus.mainToolBar);
    saveButton->setText(QStringLiteral("&Save"));
    saveButton->setToolTip(QStringLiteral("Save graph as... (Ctrl+S)"));
    saveButton->setIcon(saveGraphAction->icon());
    saveButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    saveButton->setAutoRaise(true);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    connect(saveButton, &QToolButton::clicked, saveGraphAction, &QAction::trigger);
    const auto toolActions = menus.mainToolBar->actions();
    QAction *beforeEdit = nullptr;
    for (QAction *a : toolActions) {
        if (menus.mainToolBar->widgetForAction(a) == menus.editDataButton) {
            beforeEdit = a;
            break;
        }
    }
    // After Open, before the separator that precedes Edit.
    const auto at = toolActions.indexOf(beforeEdit);
    menus.mainToolBar->insertWidget(at > 0 ? toolActions.at(at - 1) : beforeEdit, saveButton);

    menus.updateMenuBar();
}

bool DiagramCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    // "+" has a key of its own on some layouts (German) and is a shifted "=" on others; the
    // keypad's keys carry the keypad modifier and are left alone.
    const bool grow = (key->key() == Qt::Key_Equal && modifiers == Qt::NoModifier)
        || (key->key() == Qt::Key_Plus
            && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier));
    const bool shrink = key->key() == Qt::Key_Minus && modifiers == Qt::NoModifier;
    if (!grow && !shrink)
        return QObject::eventFilter(watched, event);
    auto *widget = static_cast<QWidget *>(watched);
    // The style bars belong to the main window also while they float in windows of their own.
    const QWidget *window = widget->window();
    const bool inMainWindow =
        window == &m_window || window == m_optionsDock || window == m_descriptionDock;
    if (!inMainWindow || takesTyping(widget))
        return QObject::eventFilter(watched, event);
    if (grow)
        enlarge();
    else
        reduce();
    return true;
}

void DiagramCommands::refreshBars()
{
    m_options->refresh();
    m_description->refresh();
}

bool DiagramCommands::applySize(std::optional<int> size)
{
    if (!size) {
        m_window.warn(QStringLiteral("\"") + m_options->sizeBox()->text()
                      + QStringLiteral("\" is not a valid integer !"));
        m_window.diagramView()->centerImage();
        return false;
    }
    m_window.style().diagWidth = std::to_string(*size);
    m_options->refresh();
    m_window.redrawDiagram();
    return true;
}

bool DiagramCommands::applyTypedSize()
{
    return applySize(typedSize(m_window.style().diagWidth));
}

bool DiagramCommands::enlarge()
{
    return applySize(enlargedSize(m_window.style().diagWidth));
}

bool DiagramCommands::reduce()
{
    return applySize(reducedSize(m_window.style().diagWidth));
}

void DiagramCommands::saveImage()
{
    const std::string &proposed = m_window.saveNames().image;
    const QString name =
        proposed.empty() ? QStringLiteral("quorel.wmf") : QString::fromStdString(proposed);
    const QString suggested = m_imageFolder.isEmpty() ? name : QDir(m_imageFolder).filePath(name);
    QString filter = imageFilters().first();
    const QString chosen = m_chooseSave(suggested, &filter);
    if (chosen.isEmpty())
        return;
    const ImageFormat format = formatOfFilter(filter);
    const QString path = withDefaultExtension(chosen, format);
    const Status saved =
        saveDiagram(m_window.diagramView()->picture(), fileColors(), path.toStdString(), format);
    if (!saved)
        m_window.warn(QString::fromStdString(saved.message()));
}

void DiagramCommands::copyImage()
{
    QGuiApplication::clipboard()->setMimeData(
        diagramMimeData(m_window.diagramView()->picture(), fileColors()));
}

void DiagramCommands::print()
{
    QPrinter printer(QPrinter::HighResolution);
    // Named before the dialog, which shows the job's name.
    printer.setDocName(QStringLiteral("Printing: ") + m_window.appTitle());
    if (!m_choosePrint(printer))
        return;
    const int copies = printer.copyCount();
    const Status printed =
        printDiagram(m_window.diagramView()->picture(), fileColors(), printer, copies);
    if (!printed)
        m_window.warn(QString::fromStdString(printed.message()));
}

void DiagramCommands::preview()
{
    const std::string remembered = m_window.style().diagWidth;
    PreviewHost host;
    host.enlarge = [this] {
        enlarge();
    };
    host.reduce = [this] {
        reduce();
    };
    host.copyToClipboard = [this] {
        copyImage();
    };
    host.print = [this] {
        print();
    };
    host.picture = [this] {
        return m_window.diagramView()->picture();
    };
    host.copyIcon = copyGraphAction->icon();
    host.printIcon = printAction->icon();
    host.colors = [this] {
        return systemColorsFromPalette(m_window.palette());
    };
    PreviewWindow window(std::move(host), &m_window);
    if (QScreen *screen = m_window.screen())
        window.setGeometry(screen->geometry()); // bare X servers ignore full-screen requests
    m_window.hide();
    window.showFullScreen();
    window.exec();
    m_window.style().diagWidth = remembered;
    m_options->refresh();
    m_window.show();
    m_window.redrawDiagram();
}

} // namespace quorel
