#pragma once

#include <QTableView>

namespace quorel {

// A table shaped like the program's grids: rows of 16 pixels, whole-row selection, a header row,
// the first column drawn as a fixed column, column widths the user can drag.
class DataTableView : public QTableView
{
    Q_OBJECT

public:
    explicit DataTableView(QWidget *parent = nullptr);

    // Sets the model and the starting width of each column.
    void setModelWithWidths(QAbstractItemModel *model, const QList<int> &widths);
};

} // namespace quorel
