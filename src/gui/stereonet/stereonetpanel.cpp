#include "gui/stereonet/stereonetpanel.h"

#include "core/stereonet/sphericalstats.h"
#include "core/util/numbers.h"
#include "gui/data/tablestyle.h"
#include "gui/document/document.h"
#include "gui/stereonet/stereonetdocument.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace quorel {

namespace {

// The azimuth box's entries, in its order.
constexpr AzimuthMeaning meanings[] = {AzimuthMeaning::DipDirection, AzimuthMeaning::Strike,
                                       AzimuthMeaning::Trend};

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

StereonetPanel::StereonetPanel(Document &document, StereonetDocument &stereonet, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_stereonet(stereonet)
    , m_azimuth(new QComboBox(this))
    , m_net(new QComboBox(this))
    , m_show(new QComboBox(this))
    , m_contours(new QCheckBox(tr("Contours"), this))
    , m_mean(new QCheckBox(tr("Mean and cone"), this))
    , m_girdle(new QCheckBox(tr("Girdle and β axis"), this))
    , m_netLines(new QCheckBox(tr("10° net"), this))
    , m_status(new QLabel(tr("Working out the stereonet…"), this))
    , m_figures(new QLabel(this))
{
    setObjectName(QStringLiteral("stereonetPanel"));
    m_azimuth->setObjectName(QStringLiteral("azimuthBox"));
    m_azimuth->addItems({tr("Dip direction (planes)"), tr("Strike, right-hand rule (planes)"),
                         tr("Trend (lines)")});
    m_net->setObjectName(QStringLiteral("netBox"));
    m_net->addItems({tr("Schmidt (equal area)"), tr("Wulff (equal angle)")});
    m_show->setObjectName(QStringLiteral("showBox"));
    m_show->addItems({tr("Poles"), tr("Great circles")});
    m_contours->setObjectName(QStringLiteral("contoursBox"));
    m_mean->setObjectName(QStringLiteral("meanBox"));
    m_girdle->setObjectName(QStringLiteral("girdleBox"));
    m_netLines->setObjectName(QStringLiteral("netLinesBox"));
    // A narrow window leaves the net the room: the boxes shorten their texts (their lists show
    // them whole) and the panel keeps to a column beside the net.
    for (QComboBox *box : {m_azimuth, m_net, m_show}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(8);
    }
    setMinimumWidth(180);

    // A short window scrolls the panel rather than squeezing its boxes.
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    auto *form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::WrapAllRows);
    form->addRow(tr("Azimuth means:"), m_azimuth);
    form->addRow(tr("Net:"), m_net);
    form->addRow(tr("Show:"), m_show);
    layout->addLayout(form);
    for (QCheckBox *box : {m_contours, m_mean, m_girdle, m_netLines})
        layout->addWidget(box);

    layout->addSpacing(6);
    layout->addWidget(boldLabel(tr("Stereonet figures"), this));
    m_status->setObjectName(QStringLiteral("stereonetStatus"));
    m_status->setWordWrap(true);
    m_status->hide();
    layout->addWidget(m_status);
    m_figures->setObjectName(QStringLiteral("stereonetFigures"));
    m_figures->setWordWrap(true);
    // The sentences wrap to whatever width the panel has.
    m_figures->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_figures->setTextFormat(Qt::RichText);
    m_figures->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Selected and copied into a lab report.
    m_figures->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_figures->setAccessibleName(tr("Stereonet figures"));
    layout->addWidget(m_figures);
    layout->addStretch(1);

    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    // On the page's own background.
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    connect(m_azimuth, &QComboBox::activated, this, [this](int index) {
        if (index < 0 || index >= int(std::size(meanings)))
            return;
        const AzimuthMeaning meaning = meanings[index];
        // A value the program does not know stays in the file until another is chosen.
        if (m_document.style().azimuthMeaning() == meaning)
            return;
        m_document.editStyle([meaning](DiagramStyle &style) {
            style.azimuth = std::string(azimuthMeaningText(meaning));
        });
    });
    connect(m_net, &QComboBox::activated, this, &StereonetPanel::editOptions);
    connect(m_show, &QComboBox::activated, this, &StereonetPanel::editOptions);
    for (QCheckBox *box : {m_contours, m_mean, m_girdle, m_netLines})
        connect(box, &QCheckBox::toggled, this, &StereonetPanel::editOptions);

    connect(&document, &Document::styleChanged, this, &StereonetPanel::showStyle);
    connect(&stereonet, &StereonetDocument::optionsChanged, this, &StereonetPanel::showOptions);
    connect(&stereonet, &StereonetDocument::dataChanged, this, &StereonetPanel::showFigures);
    connect(&stereonet, &StereonetDocument::computingChanged, this, &StereonetPanel::showFigures);
    // The figures' numbers follow the options' net only in the summary line.
    connect(&stereonet, &StereonetDocument::optionsChanged, this, &StereonetPanel::showFigures);
    showStyle();
    showOptions();
    showFigures();
}

QSize StereonetPanel::sizeHint() const
{
    int widest = 0;
    for (const QComboBox *box : {m_azimuth, m_net, m_show}) {
        for (int i = 0; i < box->count(); ++i)
            widest = std::max(widest, box->fontMetrics().horizontalAdvance(box->itemText(i)));
    }
    // The box's arrow and frame, the panel's margins and its scroll bar.
    return {std::clamp(widest + 90, 220, 360), QWidget::sizeHint().height()};
}

QString StereonetPanel::text() const
{
    return m_lines.join(QLatin1Char('\n'));
}

bool StereonetPanel::saysComputing() const
{
    return !m_status->isHidden();
}

void StereonetPanel::showStyle()
{
    const AzimuthMeaning meaning = m_document.style().azimuthMeaning();
    const auto at = std::find(std::begin(meanings), std::end(meanings), meaning);
    const QSignalBlocker blocker(m_azimuth);
    m_azimuth->setCurrentIndex(static_cast<int>(at - std::begin(meanings)));
    // Lines have no great circles.
    m_show->setEnabled(meaning != AzimuthMeaning::Trend);
    showFigures();
}

void StereonetPanel::showOptions()
{
    const StereonetDocument::Options &options = m_stereonet.options();
    const QSignalBlocker blockNet(m_net);
    const QSignalBlocker blockShow(m_show);
    m_net->setCurrentIndex(options.net == NetKind::Wulff ? 1 : 0);
    m_show->setCurrentIndex(options.greatCircles ? 1 : 0);
    for (const auto &[box, on] : {std::pair {m_contours, options.contours},
                                  {m_mean, options.mean},
                                  {m_girdle, options.girdle},
                                  {m_netLines, options.netLines}}) {
        const QSignalBlocker blocker(box);
        box->setChecked(on);
    }
}

void StereonetPanel::editOptions()
{
    StereonetDocument::Options options;
    options.net = m_net->currentIndex() == 1 ? NetKind::Wulff : NetKind::Schmidt;
    options.greatCircles = m_show->currentIndex() == 1;
    options.contours = m_contours->isChecked();
    options.mean = m_mean->isChecked();
    options.girdle = m_girdle->isChecked();
    options.netLines = m_netLines->isChecked();
    m_stereonet.setOptions(options);
}

void StereonetPanel::showFigures()
{
    m_status->setVisible(m_stereonet.isComputing());
    QStringList lines;
    const StereonetData *shown = m_stereonet.data();
    const char separator = m_document.decimalSeparator();
    if (shown) {
        lines = figureLines(*shown, m_stereonet.options().net, separator, 50);
        if (shown->source == StereonetData::Source::Read && !shown->rowsMatch)
            lines << tr("The file has changed since it was read: read it again to link the "
                        "poles to the table.");
    }
    if (lines == m_lines)
        return;
    m_lines = lines;
    m_figures->setText(tablestyle::sentenceParagraphs(lines));
}

QStringList StereonetPanel::figureLines(const StereonetData &shown, NetKind net,
                                        char decimalSeparator, std::size_t shownLines)
{
    switch (shown.source) {
    case StereonetData::Source::ReadFailed:
        return {tr("The file could not be read: the net is empty.")};
    case StereonetData::Source::DipsUnreadable:
        return {
            tr("The file's dips could not be read: %1").arg(QString::fromStdString(shown.message))};
    case StereonetData::Source::Read:
        break;
    }
    QStringList lines;
    const bool poles = shown.poles();
    const QString netName =
        net == NetKind::Schmidt ? tr("equal-area (Schmidt) net") : tr("equal-angle (Wulff) net");
    if (shown.stats.n > 0)
        lines << (poles ? tr("Poles of planes: %1, lower hemisphere, %2.")
                        : tr("Lines: %1, lower hemisphere, %2."))
                     .arg(shown.stats.n)
                     .arg(netName);
    // Ten million lines without a dip are counted, not copied, where the list is cut.
    const std::vector<std::size_t> &without = shown.dips->withoutDip;
    const std::size_t taken = shownLines < without.size() ? shownLines + 1 : without.size();
    const std::span<const std::size_t> listed(without.data(), taken);
    for (SphericalSentence &sentence : sphericalSentences(shown.stats, listed)) {
        if (sentence.kind == SphericalSentenceKind::WithoutDip)
            sentence.value = static_cast<double>(without.size());
        lines << sentenceText(sentence, poles, decimalSeparator, shownLines);
    }
    return lines;
}

QString StereonetPanel::sentenceText(const SphericalSentence &sentence, bool poles,
                                     char decimalSeparator, std::size_t shownLines)
{
    using Kind = SphericalSentenceKind;
    const auto fixed = [decimalSeparator](double value, int decimals) {
        return QString::fromStdString(formatFixed(value, decimals, decimalSeparator));
    };
    const auto direction = [](Direction d) {
        return QString::fromStdString(directionText(d));
    };
    switch (sentence.kind) {
    case Kind::NoDips:
        return tr("No measurement has a valid dip: the net is empty.");
    case Kind::WithoutDip: {
        const auto count = static_cast<std::size_t>(sentence.value);
        const std::size_t shown = std::min(sentence.lines.size(), shownLines);
        QStringList numbers;
        for (std::size_t i = 0; i < shown; ++i)
            numbers << QString::number(sentence.lines[i]);
        if (count > shown)
            numbers << QStringLiteral("…");
        const QString list = numbers.join(QStringLiteral(", "));
        return count == 1 ? tr("1 measurement has no valid dip: line %1").arg(list)
                          : tr("%1 measurements have no valid dip: lines %2").arg(count).arg(list);
    }
    case Kind::MeanWithCone:
        return (poles ? tr("Mean pole %1 (trend/plunge), α95 = %2° (95% cone of confidence)")
                      : tr("Mean line %1 (trend/plunge), α95 = %2° (95% cone of confidence)"))
            .arg(direction(sentence.direction), fixed(sentence.value, 1));
    case Kind::MeanWithoutCone:
        return (poles ? tr("Mean pole %1 (trend/plunge)") : tr("Mean line %1 (trend/plunge)"))
            .arg(direction(sentence.direction));
    case Kind::TooScattered:
        return tr("Too scattered for a cone of confidence.");
    case Kind::Concentration:
        return tr("Concentration κ = %1 (Fisher): the larger κ, the tighter the cluster.")
            .arg(fixed(sentence.value, sentence.value >= 10 ? 0 : 1));
    case Kind::ShapeGirdle:
        return (poles ? tr("Shape K = %1: a girdle (K < 1) — the poles spread along a great circle")
                      : tr("Shape K = %1: a girdle (K < 1) — the lines spread along a great "
                           "circle"))
            .arg(fixed(sentence.value, sentence.value < 0.1 ? 2 : 1));
    case Kind::ShapeCluster:
        return (poles ? tr("Shape K = %1: a cluster (K > 1) — the poles gather about one direction")
                      : tr("Shape K = %1: a cluster (K > 1) — the lines gather about one "
                           "direction"))
            .arg(fixed(sentence.value, 1));
    case Kind::ShapeBetween:
        return tr("Shape K = %1: between a cluster and a girdle").arg(fixed(sentence.value, 1));
    case Kind::GirdleAdvice:
        return tr("Fisher statistics suit one cluster; for a girdle read the eigenvalues and the "
                  "best-fit girdle.");
    case Kind::BestFitGirdle: {
        const QString plane = direction({sentence.plane.dipDirection, sentence.plane.dip});
        return (poles ? tr("Best-fit girdle %1, β axis %2 (fold axis for bedding poles).")
                      : tr("Best-fit girdle %1, β axis %2."))
            .arg(plane, direction(sentence.direction));
    }
    }
    return {};
}

} // namespace quorel
