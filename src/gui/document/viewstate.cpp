#include "gui/document/viewstate.h"

#include "gui/document/document.h"

namespace quorel {

ViewState::ViewState(const Document &document, QObject *parent)
    : QObject(parent)
    , m_document(document)
{
    connect(&document, &Document::stateChanged, this, [this] {
        if (m_document.isReading()) {
            m_selectedPetals.reset();
            setOutlinedPetals({});
        }
    });
}

void ViewState::selectPetal(int sector, bool add)
{
    if (sector < 1 || sector > 36)
        return;
    if (!add)
        m_selectedPetals.reset();
    m_selectedPetals.set(static_cast<std::size_t>(sector - 1));
    if (m_document.renderOptions().axial)
        m_selectedPetals.set(static_cast<std::size_t>((sector + 17) % 36));
    emit petalsSelected(add);
}

void ViewState::setOutlinedPetals(SectorSet petals)
{
    if (petals == m_outlinedPetals)
        return;
    m_outlinedPetals = petals;
    emit outlineChanged();
}

void ViewState::setFitToWindow(bool on)
{
    if (m_fitToWindow == on)
        return;
    m_fitToWindow = on;
    emit fitToWindowChanged(on);
}

SettingsBinding ViewState::settingsBinding()
{
    return {[this](const Settings &settings) { setFitToWindow(settings.fitToWindow); },
            [this](Settings &settings) {
                settings.fitToWindow = m_fitToWindow;
            }};
}

} // namespace quorel
