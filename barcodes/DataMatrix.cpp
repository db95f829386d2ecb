#include "barcodes/DataMatrix.h"

#include <algorithm>

DataMatrix::DataMatrix(int dimension)
    : m_dimension(std::max(0, dimension)),
      m_data(static_cast<std::size_t>(m_dimension) * static_cast<std::size_t>(m_dimension), 0) {}

void DataMatrix::set(int x, int y, int value) {
    if (x < 0 || y < 0 || x >= m_dimension || y >= m_dimension) {
        return;
    }
    m_data[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_dimension) +
           static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(value);
}

int DataMatrix::valueAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_dimension || y >= m_dimension) {
        return 0;
    }
    return m_data[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_dimension) +
                  static_cast<std::size_t>(x)];
}

QString DataMatrix::description() const {
    QString text;
    text.reserve(m_dimension * (m_dimension + 1));
    for (int y = 0; y < m_dimension; ++y) {
        for (int x = 0; x < m_dimension; ++x) {
            text += QString::number(valueAt(x, y));
        }
        text += QLatin1Char('\n');
    }
    return text;
}
