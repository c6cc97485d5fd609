#include "gui/diagram/descriptionbar.h"

#include "core/diagram/renderer.h"
#include "core/util/numbers.h"
#include "core/util/text.h"
#include "gui/diagram/colorswatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorel {

namespace {

constexpr int positionStep = 5;

QString fromBytes(const std::string &bytes)
{
    return QString::fromStdString(displayText(bytes));
}

// A font-style check box under its small picture ("B", "I", "U" in that style).
QCheckBox *styleBox(const QString &letter, const QString &hint, QFont look, QWidget *parent,
                    QGridLayout *grid, int column)
{
    auto *picture = new QLabel(letter, parent);
    picture->setFont(look);
    picture->setAlignment(Qt::AlignHCenter);
    picture->setToolTip(hint);
    auto *box = new QCheckBox(parent);
    box->setToolTip(hint);
    grid->addWidget(picture, 0, column, Qt::AlignHCenter);
    grid->addWidget(box, 1, column, Qt::AlignHCenter);
    return box;
}

} // namespace

DescriptionBar::DescriptionBar(DiagramStyle &style, const SystemColorTable &colors, QWidget *parent)
    : QWidget(parent)
    , m_style(style)
    , m_colors(colors)
    , m_pickColor(pickColorWithDialog)
{
    createWidgets();
    refresh();
    connectWidgets();
}

void DescriptionBar::createWidgets()
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);

    auto *position = new QGridLayout;
    const auto positionBox = [this](const char *name) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QLatin1String(name));
        box->setRange(0, descriptionPositionMax);
        box->setSingleStep(positionStep);
        box->setGroupSeparatorShown(false);
        box->setKeyboardTracking(false); // typed digits apply with Enter
        return box;
    };
    m_x = positionBox("edX");
    m_y = positionBox("edY");
    position->addWidget(new QLabel(tr("X :"), this), 0, 0);
    position->addWidget(m_x, 0, 1);
    position->addWidget(new QLabel(tr("Y :"), this), 1, 0);
    position->addWidget(m_y, 1, 1);
    layout->addLayout(position);

    auto *font = new QGridLayout;
    m_fonts = new QComboBox(this);
    m_fonts->setEditable(true);
    m_fonts->setInsertPolicy(QComboBox::NoInsert);
    m_fonts->setMaxVisibleItems(14);
    m_fonts->addItems(QFontDatabase::families());
    m_fonts->setMinimumWidth(160);
    m_size = new QComboBox(this);
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    m_size->setToolTip(tr("Font size"));
    for (int points = 1; points <= 20; ++points)
        m_size->addItem(QString::number(points));
    m_color = new ColorSwatch(tr("Font color..."), this);
    m_color->setSystemColors(&m_colors);
    font->addWidget(new QLabel(tr("Font :"), this), 0, 0);
    font->addWidget(m_fonts, 0, 1);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_size);
    sizeRow->addWidget(m_color);
    font->addLayout(sizeRow, 1, 1);
    layout->addLayout(font);

    auto *styles = new QGridLayout;
    QFont bold = this->font();
    bold.setBold(true);
    QFont italic = this->font();
    italic.setItalic(true);
    QFont underline = this->font();
    underline.setUnderline(true);
    m_bold = styleBox(QStringLiteral("B"), tr("Bold"), bold, this, styles, 0);
    m_italic = styleBox(QStringLiteral("I"), tr("Italic"), italic, this, styles, 1);
    m_underline = styleBox(QStringLiteral("U"), tr("Underline"), underline, this, styles, 2);
    layout->addLayout(styles);

    auto *text = new QVBoxLayout;
    text->addWidget(new QLabel(tr("Description :"), this));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("edDesc"));
    m_text->setMinimumWidth(200);
    text->addWidget(m_text);
    layout->addLayout(text, 1);

    m_defaults = new QPushButton(tr("Default settings"), this);
    layout->addWidget(m_defaults, 0, Qt::AlignVCenter);
}

void DescriptionBar::connectWidgets()
{
    const auto connectPosition = [this](QSpinBox *box, std::string DiagramStyle::*field) {
        connect(box, &QSpinBox::valueChanged, this, [this, field](int value) {
            m_style.*field = std::to_string(value);
            emit redrawRequested();
        });
        // Enter with an unchanged number still redraws (typed description changes show).
        connect(box, &QSpinBox::editingFinished, this, &DescriptionBar::redrawRequested);
    };
    connectPosition(m_x, &DiagramStyle::descX);
    connectPosition(m_y, &DiagramStyle::descY);

    connect(m_fonts, &QComboBox::currentTextChanged, this, [this](const QString &name) {
        m_style.descFontName = name.toStdString();
        followFontBox();
        emit redrawRequested();
    });
    connect(m_size, &QComboBox::currentTextChanged, this, [this](const QString &points) {
        m_style.descFontSize = points.toStdString();
        emit redrawRequested();
    });
    connect(m_color, &ColorSwatch::released, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton) {
            if (const auto chosen = m_pickColor(toQColor(m_style.descFontColor, m_colors), this)) {
                m_style.descFontColor = fromQColor(*chosen);
                m_color->setColor(m_style.descFontColor);
            }
        }
        emit redrawRequested();
    });
    const auto connectCheck = [this](QCheckBox *box, bool DiagramStyle::*field) {
        connect(box, &QCheckBox::clicked, this, [this, field](bool on) {
            m_style.*field = on;
            emit redrawRequested();
        });
    };
    connectCheck(m_bold, &DiagramStyle::descFontBold);
    connectCheck(m_italic, &DiagramStyle::descFontItalic);
    connectCheck(m_underline, &DiagramStyle::descFontUnderline);

    connect(m_text, &QLineEdit::textEdited, this,
            [this](const QString &text) { m_style.descText = text.toStdString(); });
    connect(m_text, &QLineEdit::returnPressed, this, &DescriptionBar::redrawRequested);
    connect(m_defaults, &QPushButton::clicked, this, &DescriptionBar::restoreDefaults);
}

void DescriptionBar::followFontBox()
{
    QFont font = m_text->font();
    font.setFamily(m_fonts->currentText());
    m_text->setFont(font);
}

void DescriptionBar::restoreDefaults()
{
    applyDescriptionDefaults(m_style);
    refresh();
    emit redrawRequested();
}

void DescriptionBar::refresh()
{
    const QSignalBlocker blockX(m_x), blockY(m_y), blockFonts(m_fonts), blockSize(m_size);
    // A position outside 0..4000 from a data file shows at the nearest end of the range.
    m_x->setValue(toInteger(m_style.descX).value_or(0));
    m_y->setValue(toInteger(m_style.descY).value_or(0));
    const QString family = fromBytes(m_style.descFontName);
    m_fonts->setCurrentIndex(m_fonts->findText(family, Qt::MatchFixedString));
    m_fonts->setEditText(family);
    const QString points = fromBytes(m_style.descFontSize);
    m_size->setCurrentIndex(m_size->findText(points));
    m_size->setEditText(points);
    m_color->setColor(m_style.descFontColor);
    m_bold->setChecked(m_style.descFontBold);
    m_italic->setChecked(m_style.descFontItalic);
    m_underline->setChecked(m_style.descFontUnderline);
    m_text->setText(fromBytes(m_style.descText));
    followFontBox();
}

} // namespace quorel
