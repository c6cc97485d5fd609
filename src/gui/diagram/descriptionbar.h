#pragma once

#include "gui/diagram/stylebar.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace quorel {

class ColorSwatch;
class Document;

// The "Description" bar: the free text drawn on the diagram with its position, typeface, size,
// colour and font styles. Every change redraws at once except typing into the text or position
// boxes, which waits for Enter or the next change.
class DescriptionBar : public StyleBar
{
    Q_OBJECT

public:
    DescriptionBar(Document &document, const SystemColorTable &colors, QWidget *parent = nullptr);
    ~DescriptionBar() override;

    void refresh() override;

    QSpinBox *xBox() const { return m_x; }
    QSpinBox *yBox() const { return m_y; }
    QComboBox *fontBox() const { return m_fonts; }
    QComboBox *sizeBox() const { return m_size; }
    ColorSwatch *colorSwatch() const { return m_color; }
    QCheckBox *boldBox() const { return m_bold; }
    QCheckBox *italicBox() const { return m_italic; }
    QCheckBox *underlineBox() const { return m_underline; }
    QLineEdit *textBox() const { return m_text; }

private:
    void createWidgets();
    void connectWidgets();
    void followFontBox();

    QSpinBox *m_x = nullptr;
    QSpinBox *m_y = nullptr;
    QComboBox *m_fonts = nullptr;
    QComboBox *m_size = nullptr;
    ColorSwatch *m_color = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QLineEdit *m_text = nullptr;
};

} // namespace quorel
