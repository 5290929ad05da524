#pragma once

#include <QString>
#include <QVector>

// The results of one eye in one grid mode, one short text per test point.
//
// A cell holds "×" (not presented), "●s" (presented, no click) or "○s" (presented and
// clicked); the sheet shows only the first character. The trailing "s" makes a presented
// cell two characters long: the choice of the next point looks only at the length, so a
// cell of length 1 or less is free. Cells are empty until the grid is first reset.
class ResultGrid {
public:
    static const QString kUntested; // "×"
    static const QString kNotSeen; // "●s"
    static const QString kSeen; // "○s"

    ResultGrid(int columns, int rows);

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    bool contains(int column, int row) const;

    const QString& at(int column, int row) const;
    // Writes a cell; a point outside the grid is ignored.
    void set(int column, int row, const QString& value);
    bool isTaken(int column, int row) const { return at(column, row).size() > 1; }
    int takenCount() const;

    // Every point back to "×".
    void reset();

    bool operator==(const ResultGrid& other) const;

private:
    int index(int column, int row) const { return column * m_rows + row; }

    int m_columns;
    int m_rows;
    QVector<QString> m_cells;
};
