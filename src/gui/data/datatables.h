#pragma once

#include <QList>
#include <QObject>

class QLabel;
class QSplitter;
class QWidget;

namespace quorel {

class DataTableView;
class Document;
class ViewState;
class MeasurementModel;
class StatsModel;

// The document's data as the window shows it: the measurement table, the statistics table and
// the two counts beside it with the circular statistics below them. They follow the document:
// emptied when a read names its file, the measurement table hidden while rows arrive, filled when
// the read has finished. The tables are thin models over the document's store; the statistics keep
// a copy of the sector texts. Petals chosen on the diagram select their measurements and their
// statistics rows; the rows selected in the measurement table tell the document which petals to
// outline.
class DataTables : public QObject
{
    Q_OBJECT

public:
    DataTables(const Document &document, ViewState &view, QObject *parent = nullptr);

    // The widgets, for the window to place (it becomes their parent).
    DataTableView *measurementTable() const { return m_measurementTable; }
    DataTableView *statsTable() const { return m_statsTable; }
    QWidget *countsPanel() const { return m_countsPanel; }
    // The statistics table's width with all its columns and its scroll bar in view.
    int statsTableWidth() const;

    // The splitter whose first pane holds the measurement table: when the "No." column widens
    // for a long file, the pane widens by as much.
    void setPanelSplitter(QSplitter *splitter) { m_splitter = splitter; }

private:
    void readStarted();
    void readFinished();
    // Fits the "No." column to the largest row number, from the splitter's sizes before the read.
    void fitNumberColumn();
    void showStatistics();
    // Shows the document's chosen petals as selected rows of both tables.
    void showSelectedPetals(bool added);
    // Tells the document the petals of the selected measurements.
    void outlineSelection();
    bool isPetalRow(int row) const;

    const Document &m_document;
    ViewState &m_view;
    MeasurementModel *m_measurements;
    StatsModel *m_stats;
    DataTableView *m_measurementTable;
    DataTableView *m_statsTable;
    QWidget *m_countsPanel;
    QLabel *m_countLabel;
    QLabel *m_maxLabel;
    QSplitter *m_splitter = nullptr;
    QList<int> m_sizesBeforeRead;
};

} // namespace quorel
