#include "gui/tools/randomgraphprompt.h"

#include "core/util/numbers.h"
#include "gui/document/programcaption.h"

#include <QInputDialog>
#include <QMessageBox>

namespace quorel {

std::optional<int> askRandomGraphCount(QWidget *owner)
{
    bool accepted = false;
    const QString answer = QInputDialog::getText(
        owner, QStringLiteral("RANDOM GRAPH"), QStringLiteral("Measurements :"), QLineEdit::Normal,
        QStringLiteral("500"), &accepted);
    if (!accepted)
        return std::nullopt;
    const auto count = toInteger(answer.toStdString());
    if (!count) {
        QMessageBox::warning(owner, programCaptionText(),
                             QLatin1Char('"') + answer
                                 + QStringLiteral("\" is not a valid integer !"));
        return std::nullopt;
    }
    return *count;
}

} // namespace quorel
