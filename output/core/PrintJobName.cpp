#include "output/core/PrintJobName.h"

#include <QFileInfo>

namespace sheet {

QString printJobName(const QString& designPath) {
    const QString name = QFileInfo(designPath.trimmed()).completeBaseName();
    return name.isEmpty() ? QStringLiteral("Untitled") : name;
}

} // namespace sheet
