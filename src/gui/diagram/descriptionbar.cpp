#include "gui/diagram/descriptionbar.h"

#include "core/diagram/renderer.h"
#include "core/util/numbers.h"
#include "core/util/text.h"
#include "gui/diagram/colorswatch.h"
#include "gui/document/document.h"

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

// A font-style check box whose letter ("B", "I", "U") is drawn in that style after the box, with
// room before the next one.
QCheckBox *styleBox(const QString &letter, const QString &hint, const QFont &look, QWidget *parent,
                    QHBoxLayout *row)
{
    auto *box = new QCheckBox(letter, parent);
    box->setFont(look);
    box->setToolTip(hint);
    row->addSpacing(6);
    row->addWidget(box);
    return box;
}

} // namespace

DescriptionBar::DescriptionBar(Document &document, const SystemColorTable &colors, QWidget *parent)
    : StyleBar(document, colors, parent)
{
    createWidgets();
    refresh();
    connectWidgets();
}

void DescriptionBar::createWidgets()
{
    // Two compact rows: position, typeface, size, colour and styles above; the text below.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);

    const auto positionBox = [this](const char *name) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QLatin1String(name));
        box->setRange(0, descriptionPositionMax);
        box->setSingleStep(positionStep);
        box->setGroupSeparatorShown(false);
        box->setKeyboardTracking(false); // typed digits apply with Enter
        box->setMinimumWidth(70);
        return box;
    };
    m_x = positionBox("xBox");
    m_y = positionBox("yBox");
    grid->addWidget(new QLabel(tr("X :"), this), 0, 0);
    grid->addWidget(m_x, 0, 1);
    grid->addWidget(new QLabel(tr("Y :"), this), 1, 0);
    grid->addWidget(m_y, 1, 1);

    m_fonts = new QComboBox(this);
    m_fonts->setObjectName(QStringLiteral("fontBox"));
    m_fonts->setEditable(true);
    m_fonts->setInsertPolicy(QComboBox::NoInsert);
    m_fonts->setMaxVisibleItems(14);
    m_fonts->addItems(QFontDatabase::families());
    m_fonts->setMinimumWidth(150);
    m_size = new QComboBox(this);
    m_size->setObjectName(QStringLiteral("fontSizeBox"));
    m_size->setEditable(true);
    m_size->setInsertPolicy(QComboBox::NoInsert);
    m_size->setToolTip(tr("Font size"));
    for (int points = 1; points <= 20; ++points)
        m_size->addItem(QString::number(points));
    m_color = new ColorSwatch(tr("Font color..."), this);
    m_color->setFixedSize(m_color->sizeHint());
    m_color->setSystemColors(&systemColors());

    auto *fontRow = new QHBoxLayout;
    fontRow->addWidget(new QLabel(tr("Font :"), this));
    fontRow->addWidget(m_fonts, 1);
    fontRow->addWidget(m_size);
    fontRow->addWidget(m_color);
    QFont bold = this->font();
    bold.setBold(true);
    QFont italic = this->font();
    italic.setItalic(true);
    QFont underline = this->font();
    underline.setUnderline(true);
    m_bold = styleBox(QStringLiteral("B"), tr("Bold"), bold, this, fontRow);
    m_italic = styleBox(QStringLiteral("I"), tr("Italic"), italic, this, fontRow);
    m_underline = styleBox(QStringLiteral("U"), tr("Underline"), underline, this, fontRow);
    grid->addLayout(fontRow, 0, 2);

    auto *textRow = new QHBoxLayout;
    textRow->addWidget(new QLabel(tr("Description :"), this));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("descriptionBox"));
    m_text->setMinimumWidth(160);
    textRow->addWidget(m_text, 1);
    textRow->addWidget(createDefaultsButton(applyDescriptionDefaults));
    grid->addLayout(textRow, 1, 2);
    grid->setColumnStretch(2, 1);
}

DescriptionBar::~DescriptionBar()
{
    // Closing the bar moves the keyboard focus, and a position box reports the end of its edit
    // then; by that time this bar is half destroyed, so its boxes no longer reach it.
    for (const QObject *child : findChildren<QObject *>())
        disconnect(child, nullptr, this, nullptr);
}

void DescriptionBar::connectWidgets()
{
    const auto connectPosition = [this](QSpinBox *box, std::string DiagramStyle::*field) {
        connect(box, &QSpinBox::valueChanged, this, [this, field](int value) {
            changeStyle(
                [field, value](DiagramStyle &style) { style.*field = std::to_string(value); });
        });
        // Typed digits are the style's at once, so closing keeps what the box shows, as for
        // the other typed values; the picture follows with Enter.
        const auto keepShownText = [this, box, field] {
            const std::string shown = box->cleanText().toStdString();
            changeTyped([field, &shown](DiagramStyle &style) { style.*field = shown; });
        };
        connect(box->findChild<QLineEdit *>(), &QLineEdit::textEdited, this, keepShownText);
        // Enter with an unchanged number still redraws (typed description changes show). An
        // unfinished entry (an empty box) that the box puts back on leaving is put back here too.
        connect(box, &QSpinBox::editingFinished, this, keepShownText);
        connect(box, &QSpinBox::editingFinished, &document(), &Document::applyTyping);
    };
    connectPosition(m_x, &DiagramStyle::descriptionX);
    connectPosition(m_y, &DiagramStyle::descriptionY);

    connect(m_fonts, &QComboBox::currentTextChanged, this, [this](const QString &name) {
        changeStyle(
            [&name](DiagramStyle &style) { style.descriptionFontName = name.toStdString(); });
        followFontBox();
    });
    connect(m_size, &QComboBox::currentTextChanged, this, [this](const QString &points) {
        changeStyle(
            [&points](DiagramStyle &style) { style.descriptionFontSize = points.toStdString(); });
    });
    connect(m_color, &ColorSwatch::released, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            pickColor(m_color, &DiagramStyle::descriptionColor);
        document().applyTyping();
    });
    const auto connectCheck = [this](QCheckBox *box, bool DiagramStyle::*field) {
        connect(box, &QCheckBox::clicked, this, [this, field](bool on) {
            changeStyle([field, on](DiagramStyle &style) { style.*field = on; });
        });
    };
    connectCheck(m_bold, &DiagramStyle::descriptionBold);
    connectCheck(m_italic, &DiagramStyle::descriptionItalic);
    connectCheck(m_underline, &DiagramStyle::descriptionUnderline);

    connect(m_text, &QLineEdit::textEdited, this, [this](const QString &text) {
        changeTyped([&text](DiagramStyle &style) { style.descriptionText = text.toStdString(); });
    });
    connect(m_text, &QLineEdit::returnPressed, &document(), &Document::applyTyping);
}

void DescriptionBar::followFontBox()
{
    QFont font = m_text->font();
    font.setFamily(m_fonts->currentText());
    m_text->setFont(font);
}

void DescriptionBar::refresh()
{
    const DiagramStyle &style = diagramStyle();
    const QSignalBlocker blockX(m_x), blockY(m_y), blockFonts(m_fonts), blockSize(m_size);
    // A position outside 0..4000 from a data file shows at the nearest end of the range.
    m_x->setValue(toInteger(style.descriptionX).value_or(0));
    m_y->setValue(toInteger(style.descriptionY).value_or(0));
    const QString family = fromBytes(style.descriptionFontName);
    m_fonts->setCurrentIndex(m_fonts->findText(family, Qt::MatchFixedString));
    m_fonts->setEditText(family);
    const QString points = fromBytes(style.descriptionFontSize);
    m_size->setCurrentIndex(m_size->findText(points));
    m_size->setEditText(points);
    m_color->setColor(style.descriptionColor);
    m_bold->setChecked(style.descriptionBold);
    m_italic->setChecked(style.descriptionItalic);
    m_underline->setChecked(style.descriptionUnderline);
    // A text that is already shown is left as it is, with the cursor where the user has it.
    const QString text = fromBytes(style.descriptionText);
    if (m_text->text() != text)
        m_text->setText(text);
    followFontBox();
}

} // namespace quorel
