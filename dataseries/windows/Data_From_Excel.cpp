#include "dataseries/windows/Data_From_Excel.h"

#include "widgets/AppOwned.h"

#include <QtDebug>

Data_From_Excel::Data_From_Excel(QWidget* parent) : QDialog(parent) {
    Data_From_Excel_Window = this;
}

Data_From_Excel* Data_From_Excel::defaultInstance() {
    static QPointer<Data_From_Excel> instance;
    return appOwnedInstance(instance);
}

void Data_From_Excel::Open_Wnd() {
    // The table viewer comes with the spreadsheet import.
    qWarning() << "imported table viewer not built";
}
