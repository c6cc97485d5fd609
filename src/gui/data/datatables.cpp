#include "gui/data/datatables.h"

#include "core/data/measurementselection.h"
#include "core/util/text.h"
#include "gui/data/circularstatspanel.h"
#include "gui/data/datatableview.h"
#include "gui/data/measurementmodel.h"
#include "gui/data/statsmodel.h"
#include "gui/data/tablestyle.h"
#include "gui/document/document.h"
#include "gui/document/viewstate.h"

#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QScrollBar>
#include <QSplitter>

#include <utility>

namespace quorel {

namespace {

// The start of a sector's list that the statistics table shows: a cell is a few hundred pixels
// wide, and ten million measurements would otherwise be copied into the table as UTF-16 text.
// The list is cut after a whole measurement.
std::string_view shownPart(std::string_view list)
{
    constexpr std::size_t shownBytes = 8192;
    if (list.size() <= shownBytes)
        return list;
    const std::size_t cut = list.rfind("; ", shownBytes);
    return list.substr(0, cut == std::string_view::npos ? shownBytes : cut);
}

} // namespace

DataTables::DataTables(const Document &document, ViewState &view, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_view(view)
    , m_measurements(new MeasurementModel(this))
    , m_stats(new StatsModel(this))
    , m_measurementTable(new DataTableView)
    , m_statsTable(new DataTableView)
    , m_countsPanel(new QWidget)
    , m_countLabel(new QLabel(QStringLiteral("0"), m_countsPanel))
    , m_maxLabel(new QLabel(QStringLiteral("0"), m_countsPanel))
{
    m_measurements->setSource({[this] { return m_document.measurements().size(); },
                               [this](std::size_t i) {
                                   return m_document.measurements().at(i);
                               }});
    m_measurements->clear();
    m_measurementTable->setObjectName(QStringLiteral("measurementTable"));
    m_measurementTable->setAccessibleName(tr("Measurements"));
    m_measurementTable->setModelWithWidths(
        m_measurements, {MeasurementModel::columnWidth(0), MeasurementModel::columnWidth(1)});

    m_statsTable->setObjectName(QStringLiteral("statsTable"));
    m_statsTable->setAccessibleName(tr("Statistics"));
    m_statsTable->setFrameShape(QFrame::NoFrame);
    m_statsTable->setFont(tablestyle::labelFont());
    m_statsTable->setModelWithWidths(
        m_stats,
        {StatsModel::columnWidth(0), StatsModel::columnWidth(1), StatsModel::columnWidth(2)});
    m_statsTable->setListColumn(StatsModel::AzimuthColumn);

    m_countLabel->setObjectName(QStringLiteral("countLabel"));
    m_maxLabel->setObjectName(QStringLiteral("maxLabel"));
    auto *labels = new QGridLayout(m_countsPanel);
    for (QLabel *value : {m_countLabel, m_maxLabel}) {
        QPalette palette = value->palette();
        palette.setColor(QPalette::WindowText, tablestyle::maroon());
        value->setPalette(palette);
    }
    labels->addWidget(new QLabel(tr("All measurements :")), 0, 0);
    labels->addWidget(m_countLabel, 0, 1);
    labels->addWidget(new QLabel(tr("Max :")), 1, 0);
    labels->addWidget(m_maxLabel, 1, 1);
    labels->addWidget(new CircularStatsPanel(document, m_countsPanel), 2, 0, 1, 3);
    labels->setColumnStretch(2, 1);
    labels->setRowStretch(2, 1);

    for (DataTableView *table : {m_measurementTable, m_statsTable})
        table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_measurementTable->setRowHighlight([this](int row) { return isPetalRow(row); });
    connect(&view, &ViewState::petalsSelected, this, &DataTables::showSelectedPetals);
    connect(m_measurementTable, &DataTableView::selectionReplaced, this,
            [this] { m_view.clearSelectedPetals(); });
    connect(m_measurementTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DataTables::outlineSelection);

    // The tables empty when a read names its file and fill with its result at the end; what
    // they show in between is never the half-read file (a read fills a result of its own).
    connect(&document, &Document::readStarted, this, &DataTables::readStarted);
    connect(&document, &Document::readFinished, this, &DataTables::readFinished);
}

int DataTables::statsTableWidth() const
{
    int width =
        2 * m_statsTable->frameWidth() + m_statsTable->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < StatsModel::ColumnCount; ++column)
        width += m_statsTable->columnWidth(column);
    return width;
}

void DataTables::readStarted()
{
    // Taken while the table is in view: the lines hide it.
    m_sizesBeforeRead = m_splitter ? m_splitter->sizes() : QList<int>();
    m_measurements->clear();
}

void DataTables::readFinished()
{
    m_measurements->reload();
    fitNumberColumn();
    showStatistics();
}

bool DataTables::isPetalRow(int row) const
{
    const SectorSet petals = m_view.selectedPetals();
    if (petals.none() || row < 0)
        return false;
    const MeasurementStore &store = m_document.measurements();
    const auto index = static_cast<std::size_t>(row);
    return index < store.size() && store.sector(index) > 0
        && petals.test(static_cast<std::size_t>(store.sector(index) - 1));
}

void DataTables::showSelectedPetals(bool added)
{
    const SectorSet petals = m_view.selectedPetals();
    if (!added)
        m_measurementTable->selectionModel()->clearSelection();
    const MeasurementStore &store = m_document.measurements();
    const std::size_t first = firstRowIn(store, petals);
    if (first < store.size()) {
        const QModelIndex index = m_measurements->index(static_cast<int>(first), 0);
        m_measurementTable->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        m_measurementTable->scrollTo(index, QAbstractItemView::PositionAtTop);
    }
    m_measurementTable->viewport()->update();

    QItemSelection rows;
    for (int sector = 1; sector <= StatsModel::sectorCount; ++sector) {
        if (petals.test(static_cast<std::size_t>(sector - 1)))
            rows.select(m_stats->index(sector - 1, 0),
                        m_stats->index(sector - 1, StatsModel::ColumnCount - 1));
    }
    m_statsTable->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    if (!rows.isEmpty())
        m_statsTable->scrollTo(rows.first().topLeft());
    outlineSelection();
}

void DataTables::outlineSelection()
{
    std::vector<RowRange> ranges;
    for (const QItemSelectionRange &range : m_measurementTable->selectionModel()->selection()) {
        ranges.push_back(
            {static_cast<std::size_t>(range.top()), static_cast<std::size_t>(range.bottom())});
    }
    SectorSet present;
    const SectorArrays &sectors = m_document.sectors();
    for (std::size_t k = 0; k < present.size(); ++k)
        present.set(k, sectors.counts[k] > 0);
    m_view.setOutlinedPetals(m_view.selectedPetals()
                             | sectorsOfRows(m_document.measurements(), ranges, present));
}

void DataTables::fitNumberColumn()
{
    const int before = m_measurementTable->columnWidth(MeasurementModel::NumberColumn);
    const int fitted = m_measurements->numberColumnWidth();
    if (fitted == before)
        return;
    m_measurementTable->setColumnWidth(MeasurementModel::NumberColumn, fitted);
    // The panel takes the difference, so the azimuths stay as much in view as before.
    QList<int> sizes = m_sizesBeforeRead;
    if (m_splitter && sizes.size() == 2 && sizes[0] > 0) {
        sizes[0] += fitted - before;
        sizes[1] -= fitted - before;
        m_splitter->setSizes(sizes);
    }
}

void DataTables::showStatistics()
{
    const SectorArrays &sectors = m_document.sectors();
    const std::size_t count = m_document.measurementCount();
    // After a read without measurements the table and the labels say so rather than keep the
    // last file's: a failed read leaves the previous file's sectors in the reader.
    std::array<int, StatsModel::sectorCount> counts {};
    std::array<QString, StatsModel::sectorCount> lists;
    for (std::size_t k = 0; count > 0 && k < counts.size(); ++k) {
        counts[k] = sectors.counts[k];
        lists[k] = QString::fromStdString(displayText(shownPart(sectors.lists[k])));
    }
    m_stats->setSectors(counts, lists);
    m_countLabel->setText(QString::number(count));
    m_maxLabel->setText(QString::number(m_document.maxCount()));
}

} // namespace quorel
