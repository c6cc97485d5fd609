#include "gui/diagram/optionsbar.h"

#include "gui/diagram/colorswatch.h"
#include "gui/diagram/stylecombobox.h"

#include <QCheckBox>
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

OptionsBar::OptionsBar(DiagramStyle &style, const SystemColorTable &colors, QWidget *parent)
    : QWidget(parent)
    , m_style(style)
    , m_colors(colors)
    , m_pickColor(pickColorWithDialog)
{
    createWidgets();

    connect(m_size, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_style.diagWidth = text.toStdString(); });
    connect(m_size, &QLineEdit::returnPressed, this, &OptionsBar::sizeEntered);
    connect(m_plus, &QToolButton::clicked, this, &OptionsBar::enlargeRequested);
    connect(m_minus, &QToolButton::clicked, this, &OptionsBar::reduceRequested);

    const auto connectList = [this](StyleComboBox *list, int DiagramStyle::*field) {
        connect(list, &QComboBox::activated, this, [this, field](int index) {
            m_style.*field = index;
            emit redrawRequested();
        });
    };
    connectList(m_mainStyle, &DiagramStyle::mLinesStyle);
    connectList(m_secondaryStyle, &DiagramStyle::sLinesStyle);
    connectList(m_fillStyle, &DiagramStyle::fillStyle);

    connectSwatch(m_mainColor, &DiagramStyle::mLinesColor, {m_mainStyle});
    connectSwatch(m_secondaryColor, &DiagramStyle::sLinesColor, {m_secondaryStyle});
    connectSwatch(m_fillColor, &DiagramStyle::fillColor, {m_fillStyle});
    connectSwatch(m_backgroundColor, &DiagramStyle::bgColor,
                  {m_mainStyle, m_secondaryStyle, m_fillStyle});
    connectSwatch(m_labelColor, &DiagramStyle::fontColor, {});

    connect(m_defaults, &QPushButton::clicked, this, &OptionsBar::restoreDefaults);
    refresh();
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
    m_size->setObjectName(QStringLiteral("edWidth"));
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

    const QString colorHint = tr("Change color...");
    const auto group = [&](const QString &title, ColorSwatch *&swatch, StyleComboBox *&list,
                           StyleComboBox::Kind kind) {
        layout->addWidget(separator(this));
        layout->addWidget(heading(title, this));
        auto *grid = new QGridLayout;
        swatch = new ColorSwatch(colorHint, this);
        swatch->setFixedSize(swatch->sizeHint());
        swatch->setSystemColors(&m_colors);
        list = new StyleComboBox(kind, m_style, m_colors, this);
        grid->addWidget(new QLabel(tr("Color :"), this), 0, 0);
        grid->addWidget(swatch, 0, 1, Qt::AlignLeft);
        grid->addWidget(new QLabel(tr("Style :"), this), 1, 0);
        grid->addWidget(list, 1, 1);
        layout->addLayout(grid);
    };
    group(tr("Main lines :"), m_mainColor, m_mainStyle, StyleComboBox::Kind::MainLines);
    group(tr("Secondary lines :"), m_secondaryColor, m_secondaryStyle,
          StyleComboBox::Kind::SecondaryLines);
    group(tr("Fill :"), m_fillColor, m_fillStyle, StyleComboBox::Kind::Fill);

    layout->addWidget(separator(this));
    auto *others = new QGridLayout;
    m_backgroundColor = new ColorSwatch(colorHint, this);
    m_backgroundColor->setFixedSize(m_backgroundColor->sizeHint());
    m_backgroundColor->setSystemColors(&m_colors);
    m_labelColor = new ColorSwatch(colorHint, this);
    m_labelColor->setFixedSize(m_labelColor->sizeHint());
    m_labelColor->setSystemColors(&m_colors);
    others->addWidget(new QLabel(tr("Bg Color :"), this), 0, 0);
    others->addWidget(m_backgroundColor, 0, 1, Qt::AlignLeft);
    others->addWidget(new QLabel(tr("Font Color :"), this), 1, 0);
    others->addWidget(m_labelColor, 1, 1, Qt::AlignLeft);
    layout->addLayout(others);

    layout->addWidget(separator(this));
    m_defaults = new QPushButton(tr("Default settings"), this);
    layout->addWidget(m_defaults);

    layout->addWidget(separator(this));
    m_associate = new QCheckBox(tr("Associate QRL"), this);
    layout->addWidget(m_associate);
    auto *beneath = new QLabel(tr("files with Quorel"), this);
    beneath->setIndent(20);
    layout->addWidget(beneath);
    layout->addStretch();
}

void OptionsBar::connectSwatch(ColorSwatch *swatch, Color DiagramStyle::*field,
                               std::initializer_list<StyleComboBox *> listsToRepaint)
{
    std::vector<StyleComboBox *> lists(listsToRepaint);
    connect(swatch, &ColorSwatch::pressed, this,
            [this, swatch, field, lists](Qt::MouseButton button) {
                // Only the left button opens the dialog; any button redraws.
                if (button == Qt::LeftButton) {
                    if (const auto chosen = m_pickColor(toQColor(m_style.*field, m_colors), this)) {
                        m_style.*field = fromQColor(*chosen);
                        swatch->setColor(m_style.*field);
                    }
                }
                for (StyleComboBox *list : lists)
                    list->update();
                emit redrawRequested();
            });
}

void OptionsBar::restoreDefaults()
{
    applyOptionDefaults(m_style);
    refresh();
    emit redrawRequested();
}

void OptionsBar::refresh()
{
    m_size->setText(QString::fromStdString(m_style.diagWidth));
    m_mainColor->setColor(m_style.mLinesColor);
    m_secondaryColor->setColor(m_style.sLinesColor);
    m_fillColor->setColor(m_style.fillColor);
    m_backgroundColor->setColor(m_style.bgColor);
    m_labelColor->setColor(m_style.fontColor);
    // Setting a selection here is the program's doing, not the user's: `activated` stays quiet.
    m_mainStyle->setCurrentIndex(listPosition(m_style.mLinesStyle, lineStyleCount));
    m_secondaryStyle->setCurrentIndex(listPosition(m_style.sLinesStyle, lineStyleCount));
    m_fillStyle->setCurrentIndex(listPosition(m_style.fillStyle, fillStyleCount));
    for (StyleComboBox *list : {m_mainStyle, m_secondaryStyle, m_fillStyle})
        list->update();
}

bool OptionsBar::associate() const
{
    return m_associate->isChecked();
}

void OptionsBar::setAssociate(bool on)
{
    m_associate->setChecked(on);
}

} // namespace quorel
