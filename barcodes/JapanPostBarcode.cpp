#include "barcodes/JapanPostBarcode.h"

#include "barcodes/PostalTables.h"
#include "barcodes/SymbologyText.h"

#include <algorithm>

namespace {

constexpr float kMinBarWidth = 1.3333334f;
constexpr float kMaxBarWidth = 1.9166666f;
// Modules of the start bars and of one character.
constexpr int kStartModules = 4;
constexpr int kCharModules = 6;

} // namespace

bool JapanPostBarcode::initWithContent(const QString& content, bool printsCaption,
                                       float /*barWidth*/, float height, float /*fontSize*/,
                                       signed char /*checkDigit*/) {
    if (content.isNull()) {
        return false;
    }
    setContent(content);
    setPrintsCaption(printsCaption);
    setSymbolSize(height >= 8.0f && height <= japanpost::kMaxSize ? height
                                                                  : japanpost::kNominalSize);
    return true;
}

void JapanPostBarcode::setContent(const QString& content) {
    const japanpost::Encoded encoded = japanpost::encode(symbology::asciiText(content));
    m_japanpostContents = QString::fromStdString(encoded.contents);
    NKDBarcode::setContent(QString::fromStdString(encoded.caption));
    generateChecksum();
}

void JapanPostBarcode::setSymbolSize(float size) {
    m_size = std::clamp(size, japanpost::kMinSize, japanpost::kMaxSize);
    NKDBarcode::setBarWidth(m_size / 6.0f);
    calculateWidth();
}

void JapanPostBarcode::setBarWidth(float barWidth) {
    const float width = std::clamp(barWidth, kMinBarWidth, kMaxBarWidth);
    NKDBarcode::setBarWidth(width);
    m_size = 6.0f * width;
    calculateWidth();
}

QString JapanPostBarcode::barcode() const {
    QString modules(QLatin1String(""));
    for (const QChar ch : m_japanpostContents) {
        modules += _encodeChar(static_cast<char>(ch.unicode()));
    }
    if (m_checkDigit != -1) {
        modules += _encodeChar(static_cast<char>(m_checkDigit));
    }
    return modules;
}

QString JapanPostBarcode::initiator() const {
    return QStringLiteral("1010");
}

QString JapanPostBarcode::terminator() const {
    return QStringLiteral("101");
}

QString JapanPostBarcode::_encodeChar(char c) const {
    return japanpost::bars(c).empty() ? QString(QLatin1String("")) : QStringLiteral("101010");
}

void JapanPostBarcode::generateChecksum() {
    setCheckDigit(static_cast<signed char>(
        japanpost::checkCharacter(symbology::asciiText(m_japanpostContents))));
}

bool JapanPostBarcode::isContentValid() const {
    if (m_content.size() < 7) {
        return false;
    }
    for (int i = 0; i < 7; ++i) {
        if (m_content.at(i) < QLatin1Char('0') || m_content.at(i) > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

bool JapanPostBarcode::printsCaption() const {
    return true;
}

bool JapanPostBarcode::printsHeader() const {
    return true;
}

bool JapanPostBarcode::printsFooter() const {
    return true;
}

int JapanPostBarcode::_barDescriptor(int index) const {
    if (index < kStartModules) {
        return postal::barValue(
            japanpost::kStart[static_cast<std::size_t>(std::max(index, 0) / 2)]);
    }
    const int characters = static_cast<int>(m_japanpostContents.size()) + 1;
    const int j = index - kStartModules;
    const int position = j / kCharModules;
    if (position < characters) {
        const char c = position < characters - 1
                           ? static_cast<char>(m_japanpostContents.at(position).unicode())
                           : static_cast<char>(m_checkDigit);
        const std::string_view bars = japanpost::bars(c);
        const auto bar = static_cast<std::size_t>((j % kCharModules) / 2);
        return bar < bars.size() ? postal::barValue(bars[bar]) : 0;
    }
    const int k = j - characters * kCharModules;
    return postal::barValue(japanpost::kStop[static_cast<std::size_t>((k % 3) / 2)]);
}

float JapanPostBarcode::barTop(int index) const {
    const double mm = postal::hasAscender(_barDescriptor(index)) ? japanpost::kAscenderTopMm
                                                                 : japanpost::kShortTopMm;
    return static_cast<float>(symbology::mmToPoints(mm * m_size / 10.0));
}

float JapanPostBarcode::barBottom(int index) const {
    const double mm =
        postal::hasDescender(_barDescriptor(index)) ? 0.0 : japanpost::kRaisedBottomMm;
    return static_cast<float>(symbology::mmToPoints(mm * m_size / 10.0));
}
