#include "testrun/resultgrid.h"

#include <QtGlobal>

const QString ResultGrid::kUntested = QStringLiteral("×");
const QString ResultGrid::kNotSeen = QStringLiteral("●s");
const QString ResultGrid::kSeen = QStringLiteral("○") + QStringLiteral("s");

ResultGrid::ResultGrid(int columns, int rows)
    : m_columns(columns)
    , m_rows(rows)
    , m_cells(columns * rows)
{
}

bool ResultGrid::contains(int column, int row) const
{
    return column >= 0 && column < m_columns && row >= 0 && row < m_rows;
}

const QString& ResultGrid::at(int column, int row) const
{
    Q_ASSERT(contains(column, row));
    return m_cells.at(index(column, row));
}

void ResultGrid::set(int column, int row, const QString& value)
{
    if (contains(column, row))
        m_cells[index(column, row)] = value;
}

int ResultGrid::takenCount() const
{
    int count = 0;
    for (const QString& cell : m_cells)
        count += cell.size() > 1 ? 1 : 0;
    return count;
}

void ResultGrid::reset()
{
    m_cells.fill(kUntested);
}

bool ResultGrid::operator==(const ResultGrid& other) const
{
    return m_columns == other.m_columns && m_rows == other.m_rows && m_cells == other.m_cells;
}
