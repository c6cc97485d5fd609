#include "gui/stereonet/stereonetpage.h"

#include "core/persist/settings.h"
#include "gui/data/datatableview.h"
#include "gui/document/document.h"
#include "gui/document/viewstate.h"
#include "gui/stereonet/stereonetdocument.h"
#include "gui/stereonet/stereonetpanel.h"
#include "gui/stereonet/stereonetview.h"
#include "gui/tools/htmlreportcommand.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QSplitter>

#include <limits>
#include <utility>

namespace quorel {

namespace {

// The report's sentences of the stereonet, in the interface's language like the rest of the
// report, every line without a dip listed.
std::vector<std::string> reportLines(const StereonetData &shown, NetKind net, char separator)
{
    std::vector<std::string> lines;
    for (const QString &line : StereonetPanel::figureLines(shown, net, separator,
                                                           std::numeric_limits<std::size_t>::max()))
        lines.push_back(line.toStdString());
    return lines;
}

} // namespace

StereonetPage::StereonetPage(Document &document, ViewState &view, DataTableView &measurementTable,
                             QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_viewState(view)
    , m_table(measurementTable)
    , m_stereonet(new StereonetDocument(document, this))
    , m_view(new StereonetView(*m_stereonet, view))
    , m_panel(new StereonetPanel(document, *m_stereonet))
{
    setObjectName(QStringLiteral("stereonetPage"));
    m_view->setObjectName(QStringLiteral("stereonetView"));
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("stereonetSplitter"));
    splitter->addWidget(m_view);
    splitter->addWidget(m_panel);
    // The net takes what the panel leaves; the panel keeps the width its boxes need.
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setCollapsible(0, false);
    splitter->setCollapsible(1, false);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(m_view, &StereonetView::plottedClicked, this, &StereonetPage::selectRowOf);
    connect(m_table.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &StereonetPage::markSelectedRows);
    connect(m_stereonet, &StereonetDocument::dataChanged, this, &StereonetPage::markSelectedRows);
    // A report that waited for the file before is not written.
    connect(&document, &Document::readFinished, this, [this] { m_reportWaiting = false; });
}

void StereonetPage::setShown(bool shown)
{
    m_stereonet->setWanted(shown);
}

const Picture &StereonetPage::picture() const
{
    return m_stereonet->picture();
}

void StereonetPage::applySettings(const Settings &settings)
{
    StereonetDocument::Options options;
    options.net = settings.stereonetWulff ? NetKind::Wulff : NetKind::Schmidt;
    options.greatCircles = settings.stereonetGreatCircles;
    options.contours = settings.stereonetContours;
    options.mean = settings.stereonetMean;
    options.girdle = settings.stereonetGirdle;
    options.netLines = settings.stereonetNetLines;
    m_stereonet->setOptions(options);
    setInReport(settings.stereonetReport);
}

void StereonetPage::storeSettings(Settings &settings) const
{
    const StereonetDocument::Options &options = m_stereonet->options();
    settings.stereonetWulff = options.net == NetKind::Wulff;
    settings.stereonetGreatCircles = options.greatCircles;
    settings.stereonetContours = options.contours;
    settings.stereonetMean = options.mean;
    settings.stereonetGirdle = options.girdle;
    settings.stereonetNetLines = options.netLines;
    settings.stereonetReport = m_inReport;
}

SettingsBinding StereonetPage::settingsBinding()
{
    return {[this](const Settings &settings) { applySettings(settings); },
            [this](Settings &settings) {
                storeSettings(settings);
            }};
}

void StereonetPage::setInReport(bool on)
{
    if (std::exchange(m_inReport, on) != on)
        emit inReportChanged(on);
}

void StereonetPage::prepareReport(std::function<void()> proceed)
{
    if (!m_inReport) {
        proceed();
        return;
    }
    if (m_reportWaiting)
        return;
    m_reportWaiting = true;
    m_stereonet->whenReady([this, proceed = std::move(proceed)] {
        m_reportWaiting = false;
        proceed();
    });
}

void StereonetPage::addReportSection(HtmlReportSource &source)
{
    const StereonetData *shown = m_stereonet->data();
    if (!m_inReport || !shown)
        return;
    Result<Picture> drawn =
        m_stereonet->pictureWith(StereonetDocument::screenWords(shown->poles()));
    if (!drawn)
        return;
    m_reportPicture = std::move(drawn).value();
    source.stereonetPicture = &m_reportPicture;
    source.stereonetLines =
        reportLines(*shown, m_stereonet->options().net, m_document.decimalSeparator());
}

void StereonetPage::selectRowOf(std::size_t plotted, bool add)
{
    const StereonetData *shown = m_stereonet->data();
    if (!shown || !shown->rowsMatch || plotted >= shown->plotted.size())
        return;
    const auto row = static_cast<int>(shown->rowOf(plotted));
    QAbstractItemModel *model = m_table.model();
    if (row >= model->rowCount())
        return;
    // A pole chosen replaces the petals chosen before, as a plain click in the table does.
    if (!add)
        m_viewState.clearSelectedPetals();
    const QModelIndex index = model->index(row, 0);
    QItemSelectionModel *selection = m_table.selectionModel();
    selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    selection->select(index,
                      (add ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect)
                          | QItemSelectionModel::Rows);
    m_table.scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_table.viewport()->update();
}

void StereonetPage::markSelectedRows()
{
    const StereonetData *shown = m_stereonet->data();
    std::vector<std::pair<std::size_t, std::size_t>> marked;
    if (shown && shown->rowsMatch) {
        for (const QItemSelectionRange &range : m_table.selectionModel()->selection())
            marked.push_back(shown->plottedInRows(static_cast<std::size_t>(range.top()),
                                                  static_cast<std::size_t>(range.bottom())));
    }
    m_view->setMarked(std::move(marked));
}

Command StereonetPage::reportCommand()
{
    return {.id = CommandId::StereonetReport,
            .caption = tr("&Stereonet in the report"),
            .menu = MenuName::Adds,
            .checkable = true,
            .toggled = [this](bool on) {
                setInReport(on);
            }};
}

} // namespace quorel
