#include "gui/data/circularstatspanel.h"

#include "core/data/circularsummary.h"
#include "gui/data/tablestyle.h"
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

QString CircularStatsPanel::sentenceText(const CircularSentence &sentence, char decimalSeparator)
{
    using Kind = CircularSentenceKind;
    const char sep = decimalSeparator;
    const bool axial = sentence.axial;
    const double first = sentence.figures[0];
    const double second = sentence.figures[1];
    const auto text = [](const std::string &figure) {
        return QString::fromStdString(figure);
    };
    const auto bearing = [&](double degrees, double period = 360) {
        return text(figures::bearing(degrees, sep, period));
    };
    const auto axis = [&](double degrees) {
        return text(figures::axis(degrees, sep));
    };
    const auto p = [&](double value) {
        return text(figures::pValue(value, sep));
    };
    const auto spread = [&](double degrees) {
        return text(figures::spread(degrees, sep));
    };
    switch (sentence.kind) {
    case Kind::NoMeasurements:
        return tr("No measurements, no circular statistics.");
    case Kind::OneMeasurement:
        return axial
            ? tr("One orientation, the %1 axis: no test with one measurement.").arg(axis(first))
            : tr("One direction, %1: no test with one measurement.").arg(bearing(first));
    case Kind::Clustered:
        return axial
            ? tr("The orientations cluster around the %1 axis (%2).").arg(axis(first), p(second))
            : tr("The directions are significantly clustered around %1 (Rayleigh test, "
                 "%2).")
                  .arg(bearing(first), p(second));
    case Kind::NotRandom:
        return axial
            ? tr("The orientations are not spread at random (%1).").arg(p(first))
            : tr("The directions are not spread at random (Rayleigh test, %1).").arg(p(first));
    case Kind::NoPreference:
        return axial ? tr("No preferred orientation can be shown (Rayleigh %1).").arg(p(first))
                     : tr("No preferred direction can be shown (Rayleigh %1).").arg(p(first));
    case Kind::OneModeCaveat:
        return tr("The Rayleigh test looks for one preferred direction: two opposite clusters "
                  "cancel out, so treat orientations as axial data.");
    case Kind::OppositeGroups:
        return tr("The directions form two opposite groups: switch on Axial data.");
    case Kind::SeveralGroups:
        return axial ? tr("The orientations form separate groups: their mean axis, %1, falls "
                          "where few of them lie and describes none of them.")
                           .arg(axis(first))
                     : tr("The directions form separate groups: their mean direction, %1, falls "
                          "where few of them lie and describes none of them.")
                           .arg(bearing(first));
    case Kind::MeanResultantLength:
        return axial ? tr("Mean resultant length %1 of the doubled angles (1 = all orientations "
                          "identical, 0 = no common orientation).")
                           .arg(text(figures::fixed(first, 3, sep)))
                     : tr("Mean resultant length %1 (1 = all directions identical, 0 = no common "
                          "direction).")
                           .arg(text(figures::fixed(first, 3, sep)));
    case Kind::CircularVariance:
        return tr("Circular variance %1 (0 = no spread, 1 = maximal spread).")
            .arg(text(figures::fixed(first, 3, sep)));
    case Kind::Spread:
        return tr("Typical spread around the mean: %1 (circular SD; angular deviation %2).")
            .arg(spread(first), spread(second));
    case Kind::SpreadVeryLarge:
        return tr("Typical spread around the mean: very large (R̄ < %1); angular deviation "
                  "%2.")
            .arg(text(figures::fixed(meaningfulSdLength, 1, sep)), spread(first));
    case Kind::NoMean:
        return axial ? tr("No mean orientation: the orientations cancel out (angular deviation "
                          "%1).")
                           .arg(spread(first))
                     : tr("No mean direction: the directions cancel out (angular deviation %1).")
                           .arg(spread(first));
    case Kind::ConfidenceInterval:
        return axial ? tr("The true mean axis lies between %1 and %2 (95% confidence).")
                           .arg(bearing(first, 180), bearing(second, 180))
                     : tr("The true mean direction lies between %1 and %2 (95% confidence).")
                           .arg(bearing(first), bearing(second));
    case Kind::NoConfidenceInterval:
        return tr("Too scattered for a confidence interval of the mean.");
    case Kind::Concentration:
        return tr("Concentration κ = %1 (von Mises model): the larger κ, the tighter "
                  "the cluster.")
            .arg(text(figures::kappa(first, sep)));
    case Kind::ConcentrationUnbounded:
        return axial ? tr("Concentration κ without bound (von Mises model): all "
                          "orientations are identical.")
                     : tr("Concentration κ without bound (von Mises model): all directions "
                          "are identical.");
    case Kind::Band:
        return axial ? tr("Band of chance: %1 to %2 measurements per petal; with random "
                          "orientations all 18 pairs of petals stay inside it at least 95 times "
                          "in 100.")
                           .arg(text(figures::count(first)), text(figures::count(second)))
                     : tr("Band of chance: %1 to %2 measurements per petal; with random "
                          "directions all 36 petals stay inside it at least 95 times in 100.")
                           .arg(text(figures::count(first)), text(figures::count(second)));
    case Kind::BandLegend:
        return axial ? tr("The shaded ring is the band of chance: with random orientations all 18 "
                          "pairs of petals stay inside it at least 95 times in 100.")
                     : tr("The shaded ring is the band of chance: with random directions all 36 "
                          "petals stay inside it at least 95 times in 100.");
    case Kind::MeanLegend:
        return axial ? tr("The red line shows the mean axis.")
                     : tr("The red line shows the mean direction.");
    case Kind::MeanWithArcLegend:
        return axial ? tr("The red line shows the mean axis, the red arcs its 95% confidence "
                          "interval.")
                     : tr("The red line shows the mean direction, the red arc its 95% "
                          "confidence interval.");
    case Kind::MeanNotSignificantLegend:
        return axial ? tr("The grey dashed line shows the mean axis (not significant).")
                     : tr("The grey dashed line shows the mean direction (not significant).");
    case Kind::MeanBetweenGroupsLegend:
        return axial ? tr("The grey dashed line shows the mean axis, which falls between groups.")
                     : tr("The grey dashed line shows the mean direction, which falls between "
                          "groups.");
    }
    return {};
}

void CircularStatsPanel::refresh()
{
    QStringList lines;
    for (const CircularSentence &sentence :
         circularPanelSentences(m_document.circularStatistics(), m_document.showsSignificanceBand(),
                                m_document.showsMeanDirection()))
        lines << sentenceText(sentence, m_document.decimalSeparator());
    if (lines == m_lines)
        return;
    m_lines = lines;
    m_text->setText(tablestyle::sentenceParagraphs(lines));
}

} // namespace quorel
