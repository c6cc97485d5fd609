#pragma once

#include "core/data/measurementselection.h"
#include "core/persist/settings.h"

#include <QObject>

namespace quorel {

class Document;

// What the window shows of the document beyond the picture: the petals chosen on the diagram,
// the petals the selected rows fall in (outlined on the screen, never in a picture), and whether
// the picture fills its page. Kept apart from the document: none of it is read from a file,
// drawn into a picture or written anywhere but the settings.
class ViewState : public QObject
{
    Q_OBJECT

public:
    // The choice of petals ends when the document starts a read: it named the rows of the file
    // that goes.
    explicit ViewState(const Document &document, QObject *parent = nullptr);

    // Every measurement of a chosen petal's sector counts as selected (held per sector, never
    // per row). `add` keeps the petals chosen before; a petal of orientations stands for its
    // sector and the opposite one.
    SectorSet selectedPetals() const { return m_selectedPetals; }
    void selectPetal(int sector, bool add);
    void clearSelectedPetals() { m_selectedPetals.reset(); }

    SectorSet outlinedPetals() const { return m_outlinedPetals; }
    void setOutlinedPetals(SectorSet petals);

    // Whether the screen shows the picture as large as the diagram page holds, following the
    // window's size (a setting of the program); "Graph size" still sizes every picture that
    // leaves the program.
    bool fitToWindow() const { return m_fitToWindow; }
    void setFitToWindow(bool on);
    // Fit to window is a setting of the program.
    [[nodiscard]] SettingsBinding settingsBinding();

signals:
    // Petals were chosen on the diagram (added to the earlier ones or not).
    void petalsSelected(bool added);
    void outlineChanged();
    void fitToWindowChanged(bool on);

private:
    const Document &m_document;
    SectorSet m_selectedPetals;
    SectorSet m_outlinedPetals;
    bool m_fitToWindow = false;
};

} // namespace quorel
