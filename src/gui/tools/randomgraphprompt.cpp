#include "gui/tools/randomgraphprompt.h"

#include "core/util/numbers.h"
#include "gui/document/programcaption.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace quorel {

std::optional<int> askRandomGraphCount(QWidget *owner)
{
    bool accepted = false;
    const QString answer = QInputDialog::getText(
        owner, QStringLiteral("RANDOM GRAPH"),
        QCoreApplication::translate("quorel::RandomGraphPrompt", "Measurements :"),
        QLineEdit::Normal, QStringLiteral("500"), &accepted);
    if (!accepted)
        return std::nullopt;
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
