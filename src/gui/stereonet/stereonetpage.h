#pragma once

#include "core/diagram/picture.h"
#include "gui/document/command.h"

#include <QWidget>

#include <functional>
#include <vector>

namespace quorel {

class DataTableView;
class Document;
class StereonetDocument;
class StereonetPanel;
class StereonetView;
class ViewState;
struct HtmlReportSource;
struct Settings;
struct SettingsBinding;

// The "Stereonet" page: the net beside its panel. Its data are worked out only while the page is
// shown (or the report asks for them), off the GUI thread. A pole clicked selects its row in the
// measurement table; the rows selected there mark their poles on the screen.
class StereonetPage : public QWidget
{
    Q_OBJECT

public:
    StereonetPage(Document &document, ViewState &view, DataTableView &measurementTable,
                  QWidget *parent = nullptr);

    StereonetDocument &stereonet() const { return *m_stereonet; }
    StereonetView *view() const { return m_view; }
    StereonetPanel *panel() const { return m_panel; }

    // Whether the page is the one shown: only then are its data worked out.
    void setShown(bool shown);
    // The picture of the page as shown.
    const Picture &picture() const;

    // What the settings keep of the page (its options and "Stereonet in the report").
    SettingsBinding settingsBinding();

    // "Stereonet in the report": the HTML report gains a section with the net and its figures.
    bool inReport() const { return m_inReport; }
    void setInReport(bool on);
    // Its row of the main window's commands.
    Command reportCommand();
    // Runs `proceed` once the report's section can be made: at once when the report has none;
    // never when a read finishes first. A second request while one waits is dropped.
    void prepareReport(std::function<void()> proceed);
    // Puts the section (its picture and its sentences, in the report's English) into `source`.
    void addReportSection(HtmlReportSource &source);

signals:
    void inReportChanged(bool on);

private:
    void applySettings(const Settings &settings);
    void storeSettings(Settings &settings) const;
    void selectRowOf(std::size_t plotted, bool add);
    void markSelectedRows();

    Document &m_document;
    ViewState &m_viewState;
    DataTableView &m_table;
    StereonetDocument *m_stereonet;
    StereonetView *m_view;
    StereonetPanel *m_panel;
    bool m_inReport = false;
    bool m_reportWaiting = false;
    Picture m_reportPicture;
};

} // namespace quorel
