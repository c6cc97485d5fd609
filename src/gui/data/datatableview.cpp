#include "gui/data/datatableview.h"

#include "gui/data/gridcelldelegate.h"
#include "gui/data/tablestyle.h"

#include <QHeaderView>

namespace quorel {

DataTableView::DataTableView(QWidget *parent)
    : QTableView(parent)
{
    setItemDelegate(new GridCellDelegate(1, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    // Uniform fixed-height rows keep a million-row table as cheap as a short one.
    verticalHeader()->setMinimumSectionSize(tablestyle::rowHeight);
    verticalHeader()->setDefaultSectionSize(tablestyle::rowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setFixedHeight(tablestyle::rowHeight + 2);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
}

void DataTableView::setModelWithWidths(QAbstractItemModel *model, const QList<int> &widths)
{
    setModel(model);
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths.at(column));
}

} // namespace quorel
