#include "gui/data/measurementmodel.h"

#include "core/util/text.h"
#include "gui/data/gridcelldelegate.h"
#include "gui/data/tablestyle.h"

#include <QFontMetrics>

#include <limits>

namespace quorel {

MeasurementModel::MeasurementModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_labelFont(tablestyle::labelFont())
    , m_valueFont(tablestyle::valueFont())
{ }

void MeasurementModel::setSource(Source source)
{
    beginResetModel();
    m_source = std::move(source);
    m_cleared = false;
    endResetModel();
}

void MeasurementModel::reload()
{
    beginResetModel();
    m_cleared = false;
    endResetModel();
}

void MeasurementModel::clear()
{
    beginResetModel();
    m_cleared = true;
    endResetModel();
}

std::size_t MeasurementModel::measurementCount() const
{
    if (m_cleared || !m_source.count)
        return 0;
    return m_source.count();
}

int MeasurementModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    const std::size_t count = measurementCount();
    if (count == 0)
        return 1; // the spare row
    // A view cannot show more rows than an int counts; the list itself keeps them all.
    return count > std::size_t(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                : int(count);
}

int MeasurementModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MeasurementModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    if (index.column() == NumberColumn) {
        switch (role) {
        case Qt::DisplayRole:
            return QString::number(row + 1) + QStringLiteral(". ");
        case Qt::FontRole:
            return m_labelFont;
        case Qt::ForegroundRole:
            return tablestyle::navy();
        case Qt::TextAlignmentRole:
            return int(Qt::AlignRight | Qt::AlignTop);
        default:
            return {};
        }
    }
    switch (role) {
    case Qt::DisplayRole: {
        if (std::size_t(row) >= measurementCount())
            return QString();
        return QString::fromStdString(displayText(m_source.text(std::size_t(row))));
    }
    case Qt::FontRole:
        return m_valueFont;
    case Qt::TextAlignmentRole:
        return int(Qt::AlignRight | Qt::AlignTop);
    default:
        return {};
    }
}

QVariant MeasurementModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return section == NumberColumn ? tr("No.") : tr("Azimuth");
    case Qt::FontRole:
        return m_labelFont;
    case Qt::ForegroundRole:
        return tablestyle::navy();
    case Qt::TextAlignmentRole:
        return int(Qt::AlignHCenter | Qt::AlignTop);
    default:
        return {};
    }
}

int MeasurementModel::columnWidth(int column)
{
    return column == NumberColumn ? 40 : 60;
}

int MeasurementModel::numberColumnWidth() const
{
    // The widest digit in every place, so any number of that many digits fits.
    const QFontMetrics metrics(m_labelFont);
    int digitWidth = 0;
    for (char digit = '0'; digit <= '9'; ++digit)
        digitWidth = std::max(digitWidth, metrics.horizontalAdvance(QLatin1Char(digit)));
    const int digits = int(QString::number(rowCount()).size());
    const int textWidth = digits * digitWidth + metrics.horizontalAdvance(QStringLiteral(". "));
    return std::max(columnWidth(NumberColumn), GridCellDelegate::columnWidthFor(textWidth));
}

} // namespace quorel
