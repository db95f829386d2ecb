#include "dataseries/FilePathCheck.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"

#include <QFileInfo>

bool Check_And_Validate_File_Path(const QString& path) {
    const QString trimmed = Trim_Str(path);
    if (trimmed.isEmpty() || !QFileInfo::exists(trimmed)) {
        Show_MessageBox(QStringLiteral("Please select valid file path."));
        return false;
    }
    return true;
}
