#include "barcodes/NKDRoyalMailBarcode.h"

#include "barcodes/PostalTables.h"
#include "barcodes/SymbologyText.h"

bool NKDRoyalMailBarcode::initWithContent(const QString& content, bool printsCaption) {
    if (!NKDBarcode::initWithContent(content.isNull() ? content : symbology::asciiUpper(content),
                                     printsCaption)) {
        return false;
    }
    setBarWidth(static_cast<float>(symbology::mmToPoints(0.5)));
    setPrintsCaption(false);
    generateChecksum();
    setHeight(static_cast<float>(symbology::mmToPoints(royalmail::kAscenderTopMm)));
    calculateWidth();
    return true;
}

QString NKDRoyalMailBarcode::initiator() const {
    return QStringLiteral("10");
}

QString NKDRoyalMailBarcode::terminator() const {
    return QStringLiteral("1");
}

QString NKDRoyalMailBarcode::_encodeChar(char c) const {
    return royalmail::gridIndex(c) < 0 ? QString(QLatin1String("")) : QStringLiteral("10101010");
}

void NKDRoyalMailBarcode::generateChecksum() {
    setCheckDigit(
        static_cast<signed char>(royalmail::checkCharacter(symbology::asciiText(m_content))));
}

bool NKDRoyalMailBarcode::printsCaption() const {
    return true;
}

bool NKDRoyalMailBarcode::printsHeader() const {
    return true;
}

bool NKDRoyalMailBarcode::printsFooter() const {
    return true;
}

int NKDRoyalMailBarcode::_barDescriptor(int index) const {
    const int length = static_cast<int>(m_content.size());
    if (index <= 0) {
        return postal::barValue('A');
    }
    if (index >= (length + 1) * 8 + 2) {
        return postal::barValue('F');
    }
    const int j = index - 2;
    const int position = j / 8;
    char c = 0;
    if (position < length) {
        const QChar ch = m_content.at(position);
        c = ch.unicode() < 128 ? static_cast<char>(ch.unicode()) : char(0);
    } else {
        c = static_cast<char>(m_checkDigit);
    }
    return postal::barValue(royalmail::bars(c)[static_cast<std::size_t>((j % 8) / 2)]);
}

float NKDRoyalMailBarcode::barTop(int index) const {
    const double mm = postal::hasAscender(_barDescriptor(index)) ? royalmail::kAscenderTopMm
                                                                 : royalmail::kShortTopMm;
    return static_cast<float>(symbology::mmToPoints(mm));
}

float NKDRoyalMailBarcode::barBottom(int index) const {
    const double mm =
        postal::hasDescender(_barDescriptor(index)) ? 0.0 : royalmail::kRaisedBottomMm;
    return static_cast<float>(symbology::mmToPoints(mm));
}
