#pragma once
// A square grid of QR Code modules (0 light, 1 dark); nothing to do with the
// Data Matrix symbology.

#include <QString>
#include <cstdint>
#include <vector>

class DataMatrix {
public:
    explicit DataMatrix(int dimension);

    int dimension() const { return m_dimension; }
    // Column x, row y. Coordinates outside the grid are ignored (set) or
    // read as 0.
    void set(int x, int y, int value);
    int valueAt(int x, int y) const;
    // The rows as digits, one line per row.
    QString description() const;

private:
    int m_dimension = 0;
    std::vector<std::uint8_t> m_data; // row after row
};
