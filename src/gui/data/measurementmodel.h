#pragma once

#include <QAbstractTableModel>
#include <QFont>

#include <cstddef>
#include <functional>
#include <string_view>

namespace quorel {

// The measurement table: "No." and "Azimuth" over the measurement list, read in place (no copy
// of the texts), so a million measurements cost nothing to show. With no measurement the table
// keeps one spare row that shows its number and no azimuth.
class MeasurementModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { NumberColumn, AzimuthColumn, ColumnCount };

    // How the model reaches the measurement list: its size and the text of entry i.
    struct Source
    {
        std::function<std::size_t()> count;
        std::function<std::string_view(std::size_t)> text;
    };

    explicit MeasurementModel(QObject *parent = nullptr);

    // Points the model at a list; the list must outlive the model or the next setSource().
    void setSource(Source source);
    // Re-reads the size of the list after it was filled or emptied.
    void reload();
    // Shows the spare row only, whatever the list holds (the tables are emptied before a read).
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Starting widths of the two columns in pixels.
    static int columnWidth(int column);
    // The width the "No." column needs to show the largest row number whole: never below its
    // starting width.
    int numberColumnWidth() const;

private:
    std::size_t measurementCount() const;

    Source m_source;
    bool m_cleared = true;
    QFont m_labelFont;
    QFont m_valueFont;
};

} // namespace quorel
