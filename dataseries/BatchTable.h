#pragma once
// The batch table of a run: one slot per listed series, in listing order.
// A slot is unloaded (only its name) until the values of its series are
// loaded. Objects find their slot by the series name they are bound to, so
// adding or removing a series never moves values from one binding to
// another. Plain data: the controller fills and reads it on the GUI thread.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct BatchSlot {
    QString name;
    std::optional<QStringList> values; // none while unloaded
};

class BatchTable {
public:
    // Every listed series gets an unloaded slot.
    void reset(const QStringList& names);
    void clear() { m_slots.clear(); }

    const std::vector<BatchSlot>& slotList() const { return m_slots; }
    int slotCount() const { return int(m_slots.size()); }
    // The slot of a series name; -1 when the series is not listed.
    int slotOf(const QString& name) const;

    // Loads the series' values (Read_Batch_Values) into its slot; a slot
    // already loaded stays as it is. False, with the reason logged, when the
    // series is not listed or cannot be read: the slot stays unloaded.
    bool load(const QString& name);
    // Puts values into a slot directly (any source).
    bool setValues(int slot, const QStringList& values);

    // The largest number of values of the loaded slots; 0 when none is.
    int rowCount() const;
    // The value of a record in a slot, untrimmed; "" for a slot outside the
    // table or unloaded, and for a record past the slot's values.
    QString value(int record, int slot) const;
    // The same by series name.
    QString value(int record, const QString& name) const { return value(record, slotOf(name)); }

private:
    std::vector<BatchSlot> m_slots;
};

// Row count of the imported table (Imported_Table()).
int Imported_Table_Row_Count();
// The imported table's value of a record: column 0 the 1-based row number,
// n >= 1 the n-th chosen column; "" for a record not below `rows` (the run's
// Excel_table_rows), a negative record or a missing entry.
QString Imported_Table_Value(int record, int column, int rows);
