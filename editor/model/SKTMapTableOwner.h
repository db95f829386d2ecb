#pragma once
// Old property values of one undo group: for each object (held strongly), a
// dictionary from property key to the value before the group's first change
// of that key. Setting them back is the group's property undo.

#include "editor/model/SKTGraphic.h"

#include <QVariantMap>
#include <memory>
#include <utility>
#include <vector>

class SKTMapTableOwner {
public:
    using MapTable = std::vector<std::pair<std::shared_ptr<SKTGraphic>, QVariantMap>>;

    MapTable& mapTable() { return m_table; }
    const MapTable& mapTable() const { return m_table; }

    // The object's dictionary, made when missing (objects keep their order
    // of first change).
    QVariantMap& dictionaryFor(const std::shared_ptr<SKTGraphic>& graphic) {
        for (auto& entry : m_table) {
            if (entry.first == graphic) {
                return entry.second;
            }
        }
        m_table.emplace_back(graphic, QVariantMap());
        return m_table.back().second;
    }

private:
    MapTable m_table;
};
