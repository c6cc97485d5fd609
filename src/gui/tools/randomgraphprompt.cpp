#include "gui/tools/randomgraphprompt.h"

#include "core/util/numbers.h"
#include "gui/document/programcaption.h"
#include "gui/document/readwords.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyle>

namespace quorel {

namespace {

// What a window manager's title bar takes beside the title: the window's icon and its buttons
// (close, maximise, minimise), with their margins, on common desktops.
constexpr int titleBarButtonsWidth = 160;

} // namespace

int widthForTitle(const QWidget &dialog, const QString &title)
{
    // Title bars draw in a bold font, often a size larger than the dialog's own.
    QFont font = dialog.font();
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 1.25);
    else
        font.setPixelSize(font.pixelSize() * 5 / 4);
    return QFontMetrics(font).horizontalAdvance(title) + titleBarButtonsWidth;
}

std::optional<int> askRandomGraphCount(QWidget *owner)
{
    QInputDialog dialog(owner);
    const QString title = randomGraphName();
    dialog.setWindowTitle(title);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(QCoreApplication::translate("quorel::RandomGraphPrompt", "Measurements :"));
    dialog.setTextValue(QStringLiteral("500"));
    // Narrow by its contents, the box would show its title cut to "RANDOM GRA...". Its layout,
    // made when it shows, sets the box's minimum from its parts: the edit box takes the width.
    if (auto *edit = dialog.findChild<QLineEdit *>()) {
        const QStyle *style = dialog.style();
        const int margins = style->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, &dialog)
            + style->pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, &dialog);
        edit->setMinimumWidth(widthForTitle(dialog, title) - margins);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString answer = dialog.textValue();
    const auto count = toInteger(answer.toStdString());
    if (!count) {
        QMessageBox::warning(owner, programCaptionText(),
                             QCoreApplication::translate("quorel::RandomGraphPrompt",
                                                         "\"%1\" is not a valid integer !")
                                 .arg(answer));
        return std::nullopt;
    }
    return *count;
}

} // namespace quorel
