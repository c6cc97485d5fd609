#include "gui/diagram/stylebar.h"

#include "gui/diagram/colorswatch.h"
#include "gui/document/document.h"

#include <QPushButton>
#include <QScopedValueRollback>

namespace quorel {

StyleBar::StyleBar(Document &document, const SystemColorTable &colors, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_style(document.style())
    , m_colors(colors)
    , m_pickColor(pickColorWithDialog)
{
    m_followStyle = connect(&document, &Document::styleChanged, this, [this] {
        if (!m_changing)
            refresh();
    });
}

StyleBar::~StyleBar()
{
    // The bar that shows the style is gone by now; a change made while the widgets close (a box
    // that finishes its edit) must not reach it.
    disconnect(m_followStyle);
}

void StyleBar::changeStyle(const std::function<void(DiagramStyle &style)> &change)
{
    const QScopedValueRollback changing(m_changing, true);
    m_document.editStyle(change);
    // Every change on the bar also shows what was typed before it.
    m_document.applyTyping();
}

void StyleBar::changeTyped(const std::function<void(DiagramStyle &style)> &change)
{
    const QScopedValueRollback changing(m_changing, true);
    m_document.editStyleTyped(change);
}

void StyleBar::pickColor(ColorSwatch *swatch, Color DiagramStyle::*field)
{
    if (const auto chosen = m_pickColor(toQColor(m_style.*field, m_colors), this)) {
        const Color color = fromQColor(*chosen);
        changeStyle([field, color](DiagramStyle &style) { style.*field = color; });
        swatch->setColor(m_style.*field);
    }
}

QPushButton *StyleBar::createDefaultsButton(void (*defaults)(DiagramStyle &style))
{
    m_defaults = new QPushButton(tr("Default settings"), this);
    connect(m_defaults, &QPushButton::clicked, this, [this, defaults] {
        changeStyle(defaults);
        refresh();
    });
    return m_defaults;
}

} // namespace quorel
