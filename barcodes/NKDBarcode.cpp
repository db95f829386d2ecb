#include "barcodes/NKDBarcode.h"

#include "barcodes/BarcodeText.h"

bool NKDBarcode::initWithContent(const QString& content, bool printsCaption) {
    return initWithContent(content, printsCaption, 0.936f, 36.0f, 6.0f, -1);
}

bool NKDBarcode::initWithContent(const QString& content, bool printsCaption, float /*barWidth*/,
                                 float /*height*/, float /*fontSize*/, signed char checkDigit) {
    if (content.isNull()) {
        return false;
    }
    setContent(content);
    setPrintsCaption(printsCaption);
    calculateWidth();
    setCheckDigit(checkDigit);
    return true;
}

void NKDBarcode::setContent(const QString& content) {
    m_content = content;
}

void NKDBarcode::setHeight(float height) {
    m_height = height;
}

void NKDBarcode::setWidth(float width) {
    m_width = width;
}

void NKDBarcode::calculateWidth() {
    m_width = static_cast<float>(completeBarcode().size()) * m_barWidth;
}

void NKDBarcode::setCheckDigit(signed char checkDigit) {
    m_checkDigit = checkDigit;
}

void NKDBarcode::setBarWidth(float barWidth) {
    m_barWidth = barWidth;
}

void NKDBarcode::setPrintsCaption(bool flag) {
    m_printsCaption = flag;
}

void NKDBarcode::setPrintsHeader(bool flag) {
    m_printsHeader = flag;
}

void NKDBarcode::setPrintsFooter(bool flag) {
    m_printsFooter = flag;
}

void NKDBarcode::generateChecksum() {}

std::optional<QByteArray> NKDBarcode::asciiForm(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        if (ch.unicode() > 0x7f) {
            return std::nullopt;
        }
        bytes.append(static_cast<char>(ch.unicode()));
    }
    return bytes;
}

bool NKDBarcode::isContentValid() const {
    // Content without an ASCII form cannot be encoded at all: refuse it
    // rather than draw an empty symbol.
    const auto ascii = asciiForm(m_content);
    if (!ascii) {
        return false;
    }
    for (const char c : *ascii) {
        if (_encodeChar(c).isEmpty()) {
            return false;
        }
    }
    return true;
}

QString NKDBarcode::initiator() const {
    return QString(QLatin1String(""));
}

QString NKDBarcode::terminator() const {
    return QString(QLatin1String(""));
}

QString NKDBarcode::_encodeChar(char /*c*/) const {
    return QStringLiteral("1010");
}

QString NKDBarcode::barcode() const {
    QString modules(QLatin1String(""));
    const auto ascii = asciiForm(m_content);
    if (!ascii) {
        return modules;
    }
    for (const char c : *ascii) {
        modules += _encodeChar(c);
    }
    if (m_checkDigit != -1) {
        modules += _encodeChar(static_cast<char>(m_checkDigit));
    }
    return modules;
}

QString NKDBarcode::completeBarcode() const {
    return initiator() + barcode() + terminator();
}

void NKDBarcode::setStyle(const BarcodeStyle& style) {
    m_style = style;
    // Bands measured with the old fonts would no longer fit the text drawn.
    if (m_captionMeasured) {
        measureCaption();
    }
    if (m_headerMeasured) {
        measureHeader();
    }
    if (m_footerMeasured) {
        measureFooter();
    }
}

void NKDBarcode::measureCaption() {
    m_captionHeight = BarcodeText::bandHeightInches(m_style.value_font);
    m_captionMeasured = true;
}

void NKDBarcode::measureHeader() {
    m_headerHeight = BarcodeText::bandHeightInches(m_style.header_font);
    m_headerWidth =
        static_cast<float>(BarcodeText::textSize(header(), m_style.header_font).width());
    m_headerMeasured = true;
}

void NKDBarcode::measureFooter() {
    m_footerHeight = BarcodeText::bandHeightInches(m_style.footer_font);
    m_footerWidth =
        static_cast<float>(BarcodeText::textSize(footer(), m_style.footer_font).width());
    m_footerMeasured = true;
}

void NKDBarcode::setCaptionFontSize(float size) {
    m_caption_fontSize = size;
    measureCaption();
}

void NKDBarcode::setHeaderFontSize(float size) {
    m_header_fontSize = size;
    measureHeader();
}

void NKDBarcode::setFooterFontSize(float size) {
    m_footer_fontSize = size;
    measureFooter();
}

int NKDBarcode::digitsToLeft() const {
    return 0;
}

int NKDBarcode::digitsToRight() const {
    return 0;
}

QString NKDBarcode::leftCaption() const {
    const int count = digitsToLeft();
    return count > 0 ? m_content.left(count) : QString(QLatin1String(""));
}

QString NKDBarcode::caption() const {
    const int left = digitsToLeft();
    const int right = digitsToRight();
    if (left == 0 && right == 0) {
        return m_content;
    }
    const qsizetype count = m_content.size() - left - right;
    if (count <= 0) {
        return QString(QLatin1String(""));
    }
    return m_content.mid(left, count);
}

QString NKDBarcode::rightCaption() const {
    const int count = digitsToRight();
    return count > 0 ? m_content.right(count) : QString(QLatin1String(""));
}

float NKDBarcode::barTop(int /*index*/) const {
    float top = m_height;
    if (printsCaption()) {
        top = static_cast<float>(top - static_cast<double>(m_captionHeight) * 72.0);
        top = top - m_style.value_margin;
    }
    if (printsHeader()) {
        top = static_cast<float>(top - static_cast<double>(m_headerHeight) * 72.0);
        top = top - m_style.header_margin;
    }
    if (printsFooter()) {
        top = static_cast<float>(top - static_cast<double>(m_footerHeight) * 72.0);
        top = top - m_style.footer_margin;
    }
    return top - 2.0f * m_style.TB_margin;
}

float NKDBarcode::barBottom(int /*index*/) const {
    return 0.0f;
}

float NKDBarcode::firstBar() const {
    return 0.0f;
}

float NKDBarcode::lastBar() const {
    return m_width - m_barWidth;
}
