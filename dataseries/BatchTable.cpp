#include "dataseries/BatchTable.h"

#include "core/MessageFunctions.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesFiles.h"

#include <algorithm>

void BatchTable::reset(const QStringList& names) {
    m_slots.clear();
    m_slots.reserve(std::size_t(names.size()));
    for (const QString& name : names) {
        m_slots.push_back(BatchSlot{name, std::nullopt});
    }
}

int BatchTable::slotOf(const QString& name) const {
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].name == name) {
            return int(i);
        }
    }
    return -1;
}

bool BatchTable::load(const QString& name) {
    const int slot = slotOf(name);
    if (slot < 0) {
        Show_NSLog_Message(
            QStringLiteral("Series \"%1\" is not listed; its objects get no values.").arg(name));
        return false;
    }
    if (m_slots[std::size_t(slot)].values) {
        return true;
    }
    std::optional<QStringList> values = Read_Batch_Values(name);
    if (!values) {
        Show_NSLog_Message(
            QStringLiteral("Series \"%1\" cannot be read; its objects get no values.").arg(name));
        return false;
    }
    m_slots[std::size_t(slot)].values = std::move(*values);
    return true;
}

bool BatchTable::setValues(int slot, const QStringList& values) {
    if (slot < 0 || slot >= slotCount()) {
        return false;
    }
    m_slots[std::size_t(slot)].values = values;
    return true;
}

int BatchTable::rowCount() const {
    int rows = 0;
    for (const BatchSlot& slot : m_slots) {
        if (slot.values) {
            rows = std::max(rows, int(slot.values->size()));
        }
    }
    return rows;
}

QString BatchTable::value(int record, int slot) const {
    if (slot < 0 || slot >= slotCount() || record < 0) {
        return {};
    }
    const std::optional<QStringList>& values = m_slots[std::size_t(slot)].values;
    if (!values || record >= values->size()) {
        return {};
    }
    return values->at(record);
}

int Imported_Table_Row_Count() {
    return Imported_Table().rowCount();
}

QString Imported_Table_Value(int record, int column, int rows) {
    if (record < 0 || record >= rows) {
        return {};
    }
    return Imported_Table().Value_At(record, column);
}
