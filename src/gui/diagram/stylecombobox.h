#pragma once

#include "core/diagram/diagramstyle.h"

#include <QComboBox>

namespace quorel {

// A fixed list of line or fill styles whose items are drawn as samples in the diagram's own
// colours on its background, without a selection highlight, so the closed list always shows
// a sample of the current choice.
class StyleComboBox : public QComboBox
{
    Q_OBJECT

public:
    enum class Kind { MainLines, SecondaryLines, Fill };

    StyleComboBox(Kind kind, const DiagramStyle &style, const SystemColorTable &colors,
                  QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    // Draws one item's sample into `rect` (the closed box and every row of the open list).
    void paintSample(QPainter &painter, const QRect &rect, int index) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
    const DiagramStyle &m_style;
    const SystemColorTable &m_colors;
};

} // namespace quorel
