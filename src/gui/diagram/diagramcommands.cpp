#include "gui/diagram/diagramcommands.h"

#include "core/diagram/sizing.h"
#include "gui/diagram/diagramexport.h"
#include "gui/diagram/pictureplayer.h"
#include "gui/diagram/previewwindow.h"
#include "gui/document/document.h"
#include "gui/document/programcaption.h"
#include "gui/document/readwords.h"
#include "gui/document/viewstate.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTextEdit>

namespace quorel {

namespace {

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

DiagramCommands::DiagramCommands(Document &document, ViewState &view, QWidget &window)
    : QObject(&window)
    , m_document(document)
    , m_view(view)
    , m_window(window)
{
    m_shownPicture = [this]() -> const Picture & {
        return m_document.picture();
    };
    m_chooseSave = [this](const QString &suggested, QString *filter) {
        return chooseImageFile(&m_window, suggested, filter);
    };
    m_choosePrint = [this](QPrinter &printer) {
        QPrintDialog dialog(&printer, &m_window);
        proposeOutputFile(dialog, proposedPrintFile());
        return dialog.exec() == QDialog::Accepted;
    };
    // The main block's plus/equals and minus keys (not the keypad, which Qt's shortcuts would
    // not tell apart); edit boxes keep these keys for typing.
    qApp->installEventFilter(this);
}

void DiagramCommands::setPreviewIcons(const QIcon &copy, const QIcon &print)
{
    m_copyIcon = copy;
    m_printIcon = print;
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
    const auto *dock = qobject_cast<const QDockWidget *>(window);
    const bool inMainWindow = window == &m_window || (dock && dock->parentWidget() == &m_window);
    if (!inMainWindow || takesTyping(widget))
        return QObject::eventFilter(watched, event);
    if (grow)
        enlarge();
    else
        reduce();
    return true;
}

bool DiagramCommands::applySize(std::optional<int> size)
{
    if (!size) {
        // The size box shows the size text as it was typed.
        m_document.warn(tr("\"%1\" is not a valid integer !")
                            .arg(QString::fromStdString(m_document.style().diagramSize)));
        return false;
    }
    m_document.editStyle(
        [&size](DiagramStyle &style) { style.diagramSize = std::to_string(*size); });
    // The screen shows the size just chosen, so "Graph size" and the page never disagree.
    m_view.setFitToWindow(false);
    // Enter also shows what was typed into the description's boxes.
    m_document.applyTyping();
    return true;
}

bool DiagramCommands::applyTypedSize()
{
    return applySize(typedSize(m_document.style().diagramSize));
}

bool DiagramCommands::enlarge()
{
    return applySize(enlargedSize(m_document.style().diagramSize));
}

bool DiagramCommands::reduce()
{
    return applySize(reducedSize(m_document.style().diagramSize));
}

void DiagramCommands::saveImage()
{
    const std::string &proposed = m_document.saveNames().image;
    const QString name =
        proposed.empty() ? defaultPictureNameText() : QString::fromStdString(proposed);
    const QString suggested = m_imageFolder.isEmpty() ? name : QDir(m_imageFolder).filePath(name);
    QString filter = imageFilters().first();
    const QString chosen = m_chooseSave(suggested, &filter);
    if (chosen.isEmpty())
        return;
    const ImageFormat format = formatOfFilter(filter);
    const QString path = withDefaultExtension(chosen, format);
    const Status saved = saveDiagram(m_shownPicture(), fileColors(), path.toStdString(), format);
    if (!saved)
        m_document.warn(errorText(saved.error()));
}

void DiagramCommands::copyImage()
{
    QGuiApplication::clipboard()->setMimeData(diagramMimeData(m_shownPicture(), fileColors()));
}

QString DiagramCommands::proposedPrintFile() const
{
    return proposedPdfPath(m_document.currentFileName(),
                           QString::fromStdString(m_document.saveNames().image), m_imageFolder,
                           QDir::homePath(), [](const QString &folder) {
                               const QFileInfo info(folder);
                               return info.isDir() && info.isWritable();
                           });
}

void DiagramCommands::print()
{
    QPrinter printer(QPrinter::HighResolution);
    // Named before the dialog, which shows the job's name.
    printer.setDocName(tr("Printing: %1").arg(m_window.windowIconText()));
    if (!m_choosePrint(printer))
        return;
    const int copies = printer.copyCount();
    const Status printed = printDiagram(m_shownPicture(), fileColors(), printer, copies);
    if (!printed)
        m_document.warn(errorText(printed.error()));
}

void DiagramCommands::preview()
{
    const std::string remembered = m_document.style().diagramSize;
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
        return m_shownPicture();
    };
    host.copyIcon = m_copyIcon;
    host.printIcon = m_printIcon;
    host.colors = [this] {
        return systemColorsFromPalette(m_window.palette());
    };
    PreviewWindow window(std::move(host), &m_window);
    if (QScreen *screen = m_window.screen())
        window.setGeometry(screen->geometry()); // bare X servers ignore full-screen requests
    m_window.hide();
    window.showFullScreen();
    window.exec();
    m_document.editStyle([&remembered](DiagramStyle &style) { style.diagramSize = remembered; });
    m_window.show();
}

SettingsBinding DiagramCommands::settingsBinding()
{
    return {[this](const Settings &settings) {
                setImageFolder(QString::fromStdString(settings.imageFolder));
            },
            {}};
}

std::vector<Command> DiagramCommands::commands()
{
    return {
        {.id = CommandId::SaveGraph,
         .caption = tr("&Save graph..."),
         .shortcut = QKeySequence(QStringLiteral("Ctrl+S")),
         .icon = CommandIcon::SaveGraph,
         .menu = MenuName::File,
         .buttonCaption = tr("&Save"),
         .buttonHint = tr("Save graph as... (Ctrl+S)"),
         .run =
             [this] {
                 saveImage();
             }},
        {.id = CommandId::Print,
         .caption = tr("&Print..."),
         .shortcut = QKeySequence(QStringLiteral("Ctrl+P")),
         .icon = CommandIcon::Print,
         .menu = MenuName::File,
         .separatorBefore = true,
         .run =
             [this] {
                 print();
             }},
        {.id = CommandId::CopyGraph,
         .caption = tr("&Copy graph to the Clipboard"),
         .shortcut = QKeySequence(QStringLiteral("Ctrl+C")),
         .icon = CommandIcon::Copy,
         .menu = MenuName::Edit,
         .run =
             [this] {
                 copyImage();
             }},
        {.id = CommandId::FullScreen,
         .caption = tr("&Full screen"),
         .shortcut = QKeySequence(Qt::Key_F11),
         .menu = MenuName::View,
         .separatorBefore = true,
         .run =
             [this] {
                 preview();
             }},
        {.id = CommandId::Enlarge,
         .caption = tr("Graph size &+ 20    (+)"),
         .menu = MenuName::Size,
         .run =
             [this] {
                 enlarge();
             }},
        {.id = CommandId::Reduce,
         .caption = tr("Graph size &- 20     (-)"),
         .menu = MenuName::Size,
         .run =
             [this] {
                 reduce();
             }},
    };
}

} // namespace quorel
