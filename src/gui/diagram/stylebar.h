#pragma once

#include "core/diagram/diagramstyle.h"
#include "gui/diagram/colorpicker.h"

#include <QWidget>

#include <functional>

class QPushButton;

namespace quorel {

class ColorSwatch;
class Document;

// What the Options and Description bars share: each edits its part of the document's style,
// shows the style again whenever something else changes it (not for its own edits), lets the
// user pick colours through a replaceable picker and has a "Default settings" button for its
// part. System colours show as `colors` gives them.
class StyleBar : public QWidget
{
    Q_OBJECT

public:
    ~StyleBar() override;

    // Shows the style's current values; emits nothing.
    virtual void refresh() = 0;

    void setColorPicker(ColorPicker picker) { m_pickColor = std::move(picker); }
    QPushButton *defaultsButton() const { return m_defaults; }

protected:
    StyleBar(Document &document, const SystemColorTable &colors, QWidget *parent);

    Document &document() const { return m_document; }
    const DiagramStyle &diagramStyle() const { return m_style; }
    // The table the bar's swatches and samples resolve system colours with; lives as the bar.
    const SystemColorTable &systemColors() const { return m_colors; }

    // Changes the style; the bar already shows the change, so it does not refresh itself.
    // A change the picture shows at once, and one typed into a box, which it shows with Enter.
    void changeStyle(const std::function<void(DiagramStyle &style)> &change);
    void changeTyped(const std::function<void(DiagramStyle &style)> &change);
    // Asks the picker for the colour of `field`, starting from the present one; a colour chosen
    // goes into the style and onto `swatch`.
    void pickColor(ColorSwatch *swatch, Color DiagramStyle::*field);
    // The "Default settings" button: it sets the bar's part of the style with `defaults` and
    // shows the result.
    QPushButton *createDefaultsButton(void (*defaults)(DiagramStyle &style));

private:
    Document &m_document;
    const DiagramStyle &m_style; // the document's
    SystemColorTable m_colors;
    bool m_changing = false;
    ColorPicker m_pickColor;
    QMetaObject::Connection m_followStyle;
    QPushButton *m_defaults = nullptr;
};

} // namespace quorel
