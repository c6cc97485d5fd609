#include "gui/data/circularstatspanel.h"

#include "core/data/circularsummary.h"
#include "gui/document/document.h"

#include <QLabel>
#include <QVBoxLayout>

namespace quorel {

CircularStatsPanel::CircularStatsPanel(const Document &document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("circularStatsPanel"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    auto *heading = new QLabel(tr("Circular statistics"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);

    m_text->setObjectName(QStringLiteral("circularStatsText"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Selected and copied into a lab report.
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setAccessibleName(tr("Circular statistics"));
    layout->addWidget(m_text);
    layout->addStretch();

    connect(&document, &Document::readFinished, this, &CircularStatsPanel::refresh);
    connect(&document, &Document::styleChanged, this, &CircularStatsPanel::refresh);
    connect(&document, &Document::marksChanged, this, &CircularStatsPanel::refresh);
    refresh();
}

QString CircularStatsPanel::text() const
{
    return m_text->text();
}

void CircularStatsPanel::refresh()
{
    QStringList lines;
    for (const std::string &line :
         circularPanelLines(m_document.circularStatistics(), m_document.decimalSeparator(),
                            m_document.showsSignificanceBand()))
        lines << QString::fromStdString(line);
    const QString text = lines.join(QLatin1Char('\n'));
    if (m_text->text() != text)
        m_text->setText(text);
}

} // namespace quorel
