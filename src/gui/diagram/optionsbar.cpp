#include "gui/diagram/optionsbar.h"

#include "gui/diagram/colorswatch.h"
#include "gui/diagram/stylecombobox.h"
#include "gui/document/document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorel {

namespace {

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

OptionsBar::OptionsBar(Document &document, const SystemColorTable &colors, QWidget *parent)
    : StyleBar(document, colors, parent)
{
    createWidgets();
    connectWidgets();
    refresh();
}

void OptionsBar::connectWidgets()
{
    connect(m_size, &QLineEdit::textEdited, this, [this](const QString &text) {
        changeTyped([&text](DiagramStyle &style) { style.diagramSize = text.toStdString(); });
    });
    connect(m_size, &QLineEdit::returnPressed, this, &OptionsBar::sizeEntered);
    connect(m_plus, &QToolButton::clicked, this, &OptionsBar::enlargeRequested);
    connect(m_minus, &QToolButton::clicked, this, &OptionsBar::reduceRequested);

    const auto connectList = [this](StyleComboBox *list, int DiagramStyle::*field) {
        connect(list, &QComboBox::activated, this, [this, field](int index) {
            changeStyle([field, index](DiagramStyle &style) { style.*field = index; });
        });
    };
    connectList(m_mainStyle, &DiagramStyle::mainLineStyle);
    connectList(m_secondaryStyle, &DiagramStyle::secondaryLineStyle);
    connectList(m_fillStyle, &DiagramStyle::fillStyle);

    connectSwatch(m_mainColor, &DiagramStyle::mainLineColor, {m_mainStyle});
    connectSwatch(m_secondaryColor, &DiagramStyle::secondaryLineColor, {m_secondaryStyle});
    connectSwatch(m_fillColor, &DiagramStyle::fillColor, {m_fillStyle});
    connectSwatch(m_backgroundColor, &DiagramStyle::backgroundColor,
                  {m_mainStyle, m_secondaryStyle, m_fillStyle});
    connectSwatch(m_labelColor, &DiagramStyle::labelColor, {});

    connect(m_petalRadius, &QComboBox::activated, this, [this](int index) {
        const PetalScale scale = index == 1 ? PetalScale::Area : PetalScale::Count;
        changeStyle([scale](DiagramStyle &style) { style.petalScale = scale; });
    });
    connect(m_ringLabels, &QCheckBox::toggled, this,
            [this](bool on) { document().setRingLabels(on); });
    connect(m_axial, &QCheckBox::clicked, this,
            [this](bool on) { changeStyle([on](DiagramStyle &style) { style.axial = on; }); });
    connect(m_band, &QCheckBox::clicked, this,
            [this](bool on) { document().setShowSignificanceBand(on); });
    connect(m_meanDirection, &QCheckBox::clicked, this,
            [this](bool on) { document().setShowMeanDirection(on); });
    connect(&document(), &Document::marksChanged, this, [this] {
        m_band->setChecked(document().showsSignificanceBand());
        m_meanDirection->setChecked(document().showsMeanDirection());
    });
}

void OptionsBar::createWidgets()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);

    layout->addWidget(heading(tr("Graph size :"), this));
    auto *sizeRow = new QHBoxLayout;
    m_minus = new QToolButton(this);
    m_minus->setText(QStringLiteral("<"));
    m_minus->setToolTip(tr("Graph size -20"));
    m_minus->setAutoRaise(true);
    m_size = new QLineEdit(this);
    m_size->setObjectName(QStringLiteral("sizeBox"));
    m_size->setAlignment(Qt::AlignRight);
    m_size->setMaximumWidth(60);
    m_plus = new QToolButton(this);
    m_plus->setText(QStringLiteral(">"));
    m_plus->setToolTip(tr("Graph size +20"));
    m_plus->setAutoRaise(true);
    sizeRow->addWidget(m_minus);
    sizeRow->addWidget(m_size);
    sizeRow->addWidget(m_plus);
    sizeRow->addStretch();
    layout->addLayout(sizeRow);

    // The colour and style rows of all groups share one grid, so every swatch and every list
    // starts at the same x whatever the length of its label.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    const QString colorHint = tr("Change color...");
    const auto makeSwatch = [&] {
        auto *swatch = new ColorSwatch(colorHint, this);
        swatch->setFixedSize(swatch->sizeHint());
        swatch->setSystemColors(&systemColors());
        return swatch;
    };
    int rows = 0;
    const auto addRow = [&](QWidget *label, QWidget *control, Qt::Alignment alignment = {}) {
        const int row = rows++;
        if (label)
            grid->addWidget(label, row, 0);
        grid->addWidget(control, row, label ? 1 : 0, 1, label ? 1 : 2, alignment);
    };
    const auto group = [&](const QString &title, ColorSwatch *&swatch, StyleComboBox *&list,
                           StyleComboBox::Kind kind) {
        addRow(nullptr, separator(this));
        addRow(nullptr, heading(title, this));
        swatch = makeSwatch();
        list = new StyleComboBox(kind, diagramStyle(), systemColors(), this);
        // The samples need no more than the list's minimum; the column's longest label ("Font
        // Color :") must not make the bar wider than the lists' texts would.
        list->setSizePolicy(QSizePolicy::Ignored, list->sizePolicy().verticalPolicy());
        addRow(new QLabel(tr("Color :"), this), swatch, Qt::AlignLeft);
        addRow(new QLabel(tr("Style :"), this), list);
    };
    group(tr("Main lines :"), m_mainColor, m_mainStyle, StyleComboBox::Kind::MainLines);
    group(tr("Secondary lines :"), m_secondaryColor, m_secondaryStyle,
          StyleComboBox::Kind::SecondaryLines);
    group(tr("Fill :"), m_fillColor, m_fillStyle, StyleComboBox::Kind::Fill);

    addRow(nullptr, separator(this));
    m_backgroundColor = makeSwatch();
    m_labelColor = makeSwatch();
    addRow(new QLabel(tr("Bg Color :"), this), m_backgroundColor, Qt::AlignLeft);
    addRow(new QLabel(tr("Font Color :"), this), m_labelColor, Qt::AlignLeft);
    layout->addLayout(grid);

    createCircularBoxes(layout);

    layout->addWidget(separator(this));
    layout->addWidget(heading(tr("Petal radius :"), this));
    m_petalRadius = new QComboBox(this);
    m_petalRadius->setObjectName(QStringLiteral("petalRadiusList"));
    m_petalRadius->addItems({tr("Proportional to count"), tr("Equal area")});
    layout->addWidget(m_petalRadius);
    m_ringLabels = new QCheckBox(tr("Ring labels"), this);
    m_ringLabels->setObjectName(QStringLiteral("ringLabelsBox"));
    layout->addWidget(m_ringLabels);

    layout->addWidget(separator(this));
    layout->addWidget(createDefaultsButton(applyOptionDefaults));

    layout->addWidget(separator(this));
    m_associate = new QCheckBox(tr("Associate QRL"), this);
    layout->addWidget(m_associate);
    auto *beneath = new QLabel(tr("files with Quorel"), this);
    beneath->setIndent(20);
    layout->addWidget(beneath);
    layout->addStretch();
}

void OptionsBar::createCircularBoxes(QBoxLayout *layout)
{
    layout->addWidget(separator(this));
    m_axial = new QCheckBox(tr("Axial data (orientations)"), this);
    m_axial->setObjectName(QStringLiteral("axialBox"));
    m_axial->setToolTip(tr("Each measurement is an axis: it counts in its sector and in the "
                           "opposite one. Kept in the data file."));
    m_band = new QCheckBox(tr("Band of chance"), this);
    m_band->setObjectName(QStringLiteral("bandBox"));
    m_band->setToolTip(tr("How long petals get by chance, as a shaded ring"));
    m_meanDirection = new QCheckBox(tr("Mean direction"), this);
    m_meanDirection->setObjectName(QStringLiteral("meanDirectionBox"));
    m_meanDirection->setToolTip(tr("The mean direction and its 95% confidence arc"));
    for (QCheckBox *box : {m_axial, m_band, m_meanDirection})
        layout->addWidget(box);
}

void OptionsBar::connectSwatch(ColorSwatch *swatch, Color DiagramStyle::*field,
                               std::initializer_list<StyleComboBox *> listsToRepaint)
{
    std::vector<StyleComboBox *> lists(listsToRepaint);
    connect(swatch, &ColorSwatch::pressed, this,
            [this, swatch, field, lists](Qt::MouseButton button) {
                // Only the left button opens the dialog; any button draws the picture again.
                if (button == Qt::LeftButton)
                    pickColor(swatch, field);
                for (StyleComboBox *list : lists)
                    list->update();
                document().applyTyping();
            });
}

void OptionsBar::refresh()
{
    const DiagramStyle &style = diagramStyle();
    // A text that is already shown is left as it is, with the cursor where the user has it.
    const QString size = QString::fromStdString(style.diagramSize);
    if (m_size->text() != size)
        m_size->setText(size);
    m_mainColor->setColor(style.mainLineColor);
    m_secondaryColor->setColor(style.secondaryLineColor);
    m_fillColor->setColor(style.fillColor);
    m_backgroundColor->setColor(style.backgroundColor);
    m_labelColor->setColor(style.labelColor);
    // Setting a selection here is the program's doing, not the user's: `activated` stays quiet.
    m_mainStyle->setCurrentIndex(listPosition(style.mainLineStyle, lineStyleCount));
    m_secondaryStyle->setCurrentIndex(listPosition(style.secondaryLineStyle, lineStyleCount));
    m_fillStyle->setCurrentIndex(listPosition(style.fillStyle, fillStyleCount));
    m_petalRadius->setCurrentIndex(style.petalScale == PetalScale::Area ? 1 : 0);
    for (StyleComboBox *list : {m_mainStyle, m_secondaryStyle, m_fillStyle})
        list->update();
    m_axial->setChecked(style.axial);
    m_band->setChecked(document().showsSignificanceBand());
    m_meanDirection->setChecked(document().showsMeanDirection());
}

bool OptionsBar::associate() const
{
    return m_associate->isChecked();
}

void OptionsBar::setAssociate(bool on)
{
    m_associate->setChecked(on);
}

void OptionsBar::setRingLabels(bool on)
{
    m_ringLabels->setChecked(on);
}

SettingsBinding OptionsBar::settingsBinding()
{
    return {[this](const Settings &settings) {
                setAssociate(settings.associateFiles);
                setRingLabels(settings.ringLabels);
            },
            [this](Settings &settings) {
                settings.associateFiles = associate();
            }};
}

} // namespace quorel
