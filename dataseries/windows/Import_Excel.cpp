#include "dataseries/windows/Import_Excel.h"

#include "widgets/AppOwned.h"

#include <QtDebug>

Import_Excel::Import_Excel(QWidget* parent) : QDialog(parent) {}

Import_Excel* Import_Excel::defaultInstance() {
    static QPointer<Import_Excel> instance;
    return appOwnedInstance(instance);
}

int Import_Excel::Open_excel_Wnd(const QString& path) {
    // The import window comes with the spreadsheet import; nothing is read.
    qWarning() << "spreadsheet import not built:" << path;
    return 0;
}
