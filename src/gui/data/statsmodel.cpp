#include "gui/data/statsmodel.h"

#include "gui/data/tablestyle.h"

namespace quorel {

namespace {

// A sector's list as its cell's tool tip: the first few thousand characters, cut after a whole
// measurement, in lines of about a hundred characters (a tool tip never wraps plain text).
QString listToolTip(const QString &list)
{
    constexpr qsizetype shownCharacters = 3000;
    constexpr qsizetype lineCharacters = 100;
    const QString separator = QStringLiteral("; ");
    QString shown = list;
    if (shown.size() > shownCharacters) {
        const qsizetype cut = shown.lastIndexOf(separator, shownCharacters);
        shown = shown.left(cut > 0 ? cut : shownCharacters) + separator + QStringLiteral("\u2026");
    }
    qsizetype lineStart = 0;
    for (qsizetype at = shown.indexOf(separator); at >= 0; at = shown.indexOf(separator, at + 1)) {
        const qsizetype next = shown.indexOf(separator, at + 1);
        if ((next < 0 ? shown.size() : next) - lineStart > lineCharacters) {
            shown[at + 1] = QLatin1Char('\n');
            lineStart = at + 2;
        }
    }
    return shown;
}

} // namespace

StatsModel::StatsModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_font(tablestyle::labelFont())
{ }

void StatsModel::setSectors(const std::array<int, sectorCount> &counts,
                            const std::array<QString, sectorCount> &azimuths)
{
    m_counts = counts;
    m_azimuths = azimuths;
    emit dataChanged(index(0, 0), index(sectorCount - 1, ColumnCount - 1));
}

void StatsModel::clear()
{
    setSectors({}, {});
}

int StatsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : sectorCount;
}

int StatsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString StatsModel::rangeText(int sector)
{
    if (sector == 1)
        return QStringLiteral(" 0 - 10");
    return QStringLiteral("%1 - %2").arg(10 * sector - 9).arg(10 * sector);
}

QVariant StatsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int sector = index.row() + 1;
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column == RangeColumn)
            return rangeText(sector);
        if (column == CountColumn)
            return QString::number(m_counts[std::size_t(sector - 1)]);
        return m_azimuths[std::size_t(sector - 1)];
    case Qt::ToolTipRole:
        if (column == AzimuthColumn && !m_azimuths[std::size_t(sector - 1)].isEmpty())
            return listToolTip(m_azimuths[std::size_t(sector - 1)]);
        return {};
    case Qt::FontRole:
        return m_font;
    case Qt::ForegroundRole:
        if (column == RangeColumn)
            return tablestyle::navy();
        if (column == CountColumn)
            return tablestyle::maroon();
        return {};
    case Qt::TextAlignmentRole:
        return int((column == AzimuthColumn ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignTop);
    default:
        return {};
    }
}

QVariant StatsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (section == RangeColumn)
            return tr("Range");
        if (section == CountColumn)
            return tr("Count");
        return tr("    Azimuth");
    case Qt::FontRole:
        return m_font;
    case Qt::ForegroundRole:
        return tablestyle::navy();
    case Qt::TextAlignmentRole:
        return int((section == AzimuthColumn ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignTop);
    default:
        return {};
    }
}

int StatsModel::columnWidth(int column)
{
    static constexpr int widths[ColumnCount] = {70, 60, 400};
    return column >= 0 && column < ColumnCount ? widths[column] : 0;
}

} // namespace quorel
