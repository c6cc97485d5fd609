#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QString>

#include <array>

namespace quorel {

// The statistics table: one row per 10-degree sector with its range, its count and the
// measurements that fell into it.
class StatsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { RangeColumn, CountColumn, AzimuthColumn, ColumnCount };
    static constexpr int sectorCount = 36;

    explicit StatsModel(QObject *parent = nullptr);

    // The counts and the sector texts (entry k-1 belongs to sector k).
    void setSectors(const std::array<int, sectorCount> &counts,
                    const std::array<QString, sectorCount> &azimuths);
    // All counts 0, all texts empty.
    void clear();

    int count(int sector) const { return m_counts.at(std::size_t(sector)); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The range text of sector k (1..36): " 0 - 10", "11 - 20", ..., "351 - 360".
    static QString rangeText(int sector);
    static int columnWidth(int column);

private:
    std::array<int, sectorCount> m_counts {};
    std::array<QString, sectorCount> m_azimuths;
    QFont m_font;
};

} // namespace quorel
