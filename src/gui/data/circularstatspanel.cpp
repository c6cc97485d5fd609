#include "gui/data/circularstatspanel.h"

#include "core/data/circularsummary.h"
#include "gui/document/document.h"

#include <QLabel>
#include <QScrollArea>
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
    // The sentences wrap to whatever width the page leaves them: the statistics table keeps the
    // width it had before the panel existed.
    m_text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_text->setTextFormat(Qt::RichText);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setMargin(0);
    // Selected and copied into a lab report.
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setAccessibleName(tr("Circular statistics"));
    // A short window scrolls the sentences instead of cutting them off.
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_text);
    // On the page's own background, like the counts above it.
    scroll->viewport()->setAutoFillBackground(false);
    m_text->setAutoFillBackground(false);
    layout->addWidget(scroll, 1);

    connect(&document, &Document::readFinished, this, &CircularStatsPanel::refresh);
    connect(&document, &Document::styleChanged, this, &CircularStatsPanel::refresh);
    connect(&document, &Document::marksChanged, this, &CircularStatsPanel::refresh);
    refresh();
}

QString CircularStatsPanel::text() const
{
    return m_lines.join(QLatin1Char('\n'));
}

void CircularStatsPanel::refresh()
{
    QStringList lines;
    for (const std::string &line :
         circularPanelLines(m_document.circularStatistics(), m_document.decimalSeparator(),
                            m_document.showsSignificanceBand()))
        lines << QString::fromStdString(line);
    if (lines == m_lines)
        return;
    m_lines = lines;
    // One paragraph a sentence, a little apart, so that each figure reads on its own.
    QString html;
    for (const QString &line : lines)
        html += QStringLiteral("<p style=\"margin-bottom:4px\">") + line.toHtmlEscaped()
            + QStringLiteral("</p>");
    m_text->setText(html);
}

} // namespace quorel
