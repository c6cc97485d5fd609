#pragma once

#include "core/diagram/diagramstyle.h"
#include "gui/diagram/colorpicker.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quorel {

class ColorSwatch;
class Document;

// The "Description" bar: the free text drawn on the diagram with its position, typeface, size,
// colour and font styles. Edits the document's style and shows it whenever it changes; every
// change redraws at once except typing into the text or position boxes, which waits for Enter
// or the next change.
class DescriptionBar : public QWidget
{
    Q_OBJECT

public:
    DescriptionBar(Document &document, const SystemColorTable &colors, QWidget *parent = nullptr);
    ~DescriptionBar() override;

    // Shows the style's current values; emits nothing.
    void refresh();

    void setColorPicker(ColorPicker picker) { m_pickColor = std::move(picker); }

    QSpinBox *xBox() const { return m_x; }
    QSpinBox *yBox() const { return m_y; }
    QComboBox *fontBox() const { return m_fonts; }
    QComboBox *sizeBox() const { return m_size; }
    ColorSwatch *colorSwatch() const { return m_color; }
    QCheckBox *boldBox() const { return m_bold; }
    QCheckBox *italicBox() const { return m_italic; }
    QCheckBox *underlineBox() const { return m_underline; }
    QLineEdit *textBox() const { return m_text; }
    QPushButton *defaultsButton() const { return m_defaults; }

private:
    void createWidgets();
    void connectWidgets();
    void followFontBox();
    void restoreDefaults();
    // Changes the style; the bar already shows the change, so it does not refresh itself.
    // A change the picture shows at once, and one typed into a box, which it shows with Enter.
    void changeStyle(const std::function<void(DiagramStyle &style)> &change);
    void changeTyped(const std::function<void(DiagramStyle &style)> &change);

    Document &m_document;
    const DiagramStyle &m_style; // the document's
    SystemColorTable m_colors;
    bool m_changing = false;
    ColorPicker m_pickColor;

    QSpinBox *m_x = nullptr;
    QSpinBox *m_y = nullptr;
    QComboBox *m_fonts = nullptr;
    QComboBox *m_size = nullptr;
    ColorSwatch *m_color = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QLineEdit *m_text = nullptr;
    QPushButton *m_defaults = nullptr;
};

} // namespace quorel
