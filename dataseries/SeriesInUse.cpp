#include "dataseries/SeriesInUse.h"

#include "core/globals.h"
#include "dataseries/SeriesFiles.h"

#include <QFileInfo>

namespace {

bool boundOnSide(const QString& name, const std::vector<SeriesBoundObject>& side) {
    for (const SeriesBoundObject& object : side) {
        if (Is_Series_Bindable_Class(object.className) && object.data_source_type == 1 &&
            object.batch_list_name == name) {
            return true;
        }
    }
    return false;
}

} // namespace

bool Is_Series_Bindable_Class(const QString& className) {
    return className == QLatin1String("SKTText") || className == QLatin1String("SKTImage") ||
           className == QLatin1String("SKTBarcode");
}

bool Check_Batch_File_In_Use_Validation(const QString& name, const SeriesBindingSides& card) {
    const QString path = Series_File_Path(name);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        return false;
    }
    if (boundOnSide(name, card.front)) {
        return true;
    }
    return CARD_SIDE_STR == QLatin1String("2") && !card.back.empty() &&
           boundOnSide(name, card.back);
}
