#include "dataseries/windows/View_Data_Series.h"

#include "widgets/AppOwned.h"

#include <QtDebug>

View_Data_Series::View_Data_Series(QWidget* parent) : QDialog(parent) {}

View_Data_Series* View_Data_Series::defaultInstance() {
    static QPointer<View_Data_Series> instance;
    return appOwnedInstance(instance);
}

void View_Data_Series::Open_Wnd() {
    // The series viewer comes with the series manager.
    qWarning() << "series viewer not built:" << file_name;
}
