#pragma once

#include "core/persist/settings.h"
#include "gui/diagram/stylebar.h"

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;

namespace quorel {

class ColorSwatch;
class Document;
class StyleComboBox;

// The "Options" bar: diagram size, the colours and patterns of lines and fill, background and
// label colours, what the diagram shows of the circular statistics (axial data, the band of
// chance, the mean direction), petal radius, ring labels, "Default settings" and the association
// check box. Every change but typing in the size box asks for a redraw at once.
class OptionsBar : public StyleBar
{
    Q_OBJECT

public:
    OptionsBar(Document &document, const SystemColorTable &colors, QWidget *parent = nullptr);

    void refresh() override;

    bool associate() const;
    void setAssociate(bool on);
    // The association box and the ring labels, kept in the settings.
    [[nodiscard]] SettingsBinding settingsBinding();
    // Ticks "Ring labels", which the document draws.
    void setRingLabels(bool on);

    QLineEdit *sizeBox() const { return m_size; }
    QCheckBox *associateBox() const { return m_associate; }
    QComboBox *petalRadiusList() const { return m_petalRadius; }
    QCheckBox *ringLabelsBox() const { return m_ringLabels; }
    ColorSwatch *mainLinesSwatch() const { return m_mainColor; }
    ColorSwatch *secondaryLinesSwatch() const { return m_secondaryColor; }
    ColorSwatch *fillSwatch() const { return m_fillColor; }
    ColorSwatch *backgroundSwatch() const { return m_backgroundColor; }
    ColorSwatch *labelSwatch() const { return m_labelColor; }
    StyleComboBox *mainLinesList() const { return m_mainStyle; }
    StyleComboBox *secondaryLinesList() const { return m_secondaryStyle; }
    StyleComboBox *fillList() const { return m_fillStyle; }
    QToolButton *plusButton() const { return m_plus; }
    QToolButton *minusButton() const { return m_minus; }
    QCheckBox *axialBox() const { return m_axial; }
    QCheckBox *bandBox() const { return m_band; }
    QCheckBox *meanDirectionBox() const { return m_meanDirection; }

signals:
    void sizeEntered(); // Enter in the size box
    void enlargeRequested();
    void reduceRequested();

private:
    void createWidgets();
    void createCircularBoxes(QBoxLayout *layout);
    void connectWidgets();
    void connectSwatch(ColorSwatch *swatch, Color DiagramStyle::*field,
                       std::initializer_list<StyleComboBox *> listsToRepaint);

    QLineEdit *m_size = nullptr;
    QToolButton *m_plus = nullptr;
    QToolButton *m_minus = nullptr;
    ColorSwatch *m_mainColor = nullptr;
    ColorSwatch *m_secondaryColor = nullptr;
    ColorSwatch *m_fillColor = nullptr;
    ColorSwatch *m_backgroundColor = nullptr;
    ColorSwatch *m_labelColor = nullptr;
    StyleComboBox *m_mainStyle = nullptr;
    StyleComboBox *m_secondaryStyle = nullptr;
    StyleComboBox *m_fillStyle = nullptr;
    QComboBox *m_petalRadius = nullptr;
    QCheckBox *m_ringLabels = nullptr;
    QCheckBox *m_axial = nullptr;
    QCheckBox *m_band = nullptr;
    QCheckBox *m_meanDirection = nullptr;
    QCheckBox *m_associate = nullptr;
};

} // namespace quorel
