#include "barcodes/designer/core/DesignerLists.h"

#include "barcodes/LinearSymbologies.h"

namespace DesignerLists {

const QStringList& symbologies() {
    static const QStringList list = LinearSymbologies::titles() +
                                    QStringList{QStringLiteral("QR Code"), QStringLiteral("PDF417"),
                                                QStringLiteral("DataMatrix")};
    return list;
}

const QStringList& alignments() {
    static const QStringList list{QStringLiteral("Left"), QStringLiteral("Center"),
                                  QStringLiteral("Right")};
    return list;
}

const QStringList& dataSources() {
    static const QStringList list{QStringLiteral("Manual"), QStringLiteral("Series"),
                                  QStringLiteral("Excel")};
    return list;
}

const QStringList& resolutions() {
    static const QStringList list{QStringLiteral("Auto"), QStringLiteral("Custom"),
                                  QStringLiteral("72"),   QStringLiteral("150"),
                                  QStringLiteral("300"),  QStringLiteral("600"),
                                  QStringLiteral("1200")};
    return list;
}

const QStringList& qrLevels() {
    static const QStringList list{QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("Q"),
                                  QStringLiteral("H")};
    return list;
}

const QStringList& qrVersions() {
    static const QStringList list = [] {
        QStringList items{QStringLiteral("Auto")};
        for (int version = 1; version <= 40; ++version) {
            items << QStringLiteral("V%1").arg(version);
        }
        return items;
    }();
    return list;
}

const QStringList& dataMatrixFormats() {
    static const QStringList list{
        QStringLiteral("Auto"),     QStringLiteral("C10X10"),   QStringLiteral("C12X12"),
        QStringLiteral("C14X14"),   QStringLiteral("C16X16"),   QStringLiteral("C18X18"),
        QStringLiteral("C20X20"),   QStringLiteral("C22X22"),   QStringLiteral("C24X24"),
        QStringLiteral("C26X26"),   QStringLiteral("C32X32"),   QStringLiteral("C36X36"),
        QStringLiteral("C40X40"),   QStringLiteral("C44X44"),   QStringLiteral("C48X48"),
        QStringLiteral("C52X52"),   QStringLiteral("C64X64"),   QStringLiteral("C72X72"),
        QStringLiteral("C80X80"),   QStringLiteral("C88X88"),   QStringLiteral("C96X96"),
        QStringLiteral("C104X104"), QStringLiteral("C120X120"), QStringLiteral("C132X132"),
        QStringLiteral("C144X144"), QStringLiteral("C8X18"),    QStringLiteral("C8X32"),
        QStringLiteral("C12X26"),   QStringLiteral("C12X36"),   QStringLiteral("C16X36"),
        QStringLiteral("C16X48")};
    return list;
}

const QStringList& dataMatrixEncodings() {
    static const QStringList list{QStringLiteral("Auto"), QStringLiteral("Ascii"),
                                  QStringLiteral("C40"), QStringLiteral("Text"),
                                  QStringLiteral("Base256")};
    return list;
}

QString titleAt(const QStringList& list, int index) {
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

bool isTwoDimensional(const QString& title) {
    return title == QLatin1String("QR Code") || title == QLatin1String("PDF417") ||
           title == QLatin1String("DataMatrix");
}

bool isRetail(const QString& title) {
    return title == QLatin1String("UPCE") || title == QLatin1String("UPCA") ||
           title == QLatin1String("EAN-8") || title == QLatin1String("EAN-13");
}

} // namespace DesignerLists
