#pragma once
// The model of a linear barcode: turns a content string into a module string
// ("1" a bar module, "0" a space module, one character per module of width
// barWidth()) and carries the sizes, texts and caption rules the renderer
// needs. A model is made for one rendering and used by one thread at a time.
//
// Writing a symbology: derive from NKDBarcode (or NKDAbstractUPCEANBarcode
// for the EAN/UPC family) and override what the symbology changes:
//   - initWithContent(content, printsCaption): call the base version first
//     (it answers false for a null content), then set the symbology's bar
//     width, height and check character (generateChecksum()). If you override
//     only one initWithContent overload, add `using NKDBarcode::initWithContent;`.
//   - initiator(), terminator(): start and stop patterns ("" by default).
//   - _encodeChar(c): the modules of one content character; "" means the
//     character cannot be encoded (isContentValid() then answers false).
//   - generateChecksum(): compute and setCheckDigit() the check character,
//     which barcode() then encodes after the content; -1 means none.
//   - barcode(): override only when the content is not encoded character by
//     character (code sets, digit pairs, parity patterns).
//   - isContentValid(): the base answers whether every character encodes and
//     the content is ASCII; add length, digit or position rules.
//   - calculateWidth(): when the picture is wider than the modules.
//   - digitsToLeft(), digitsToRight(), caption(), rightCaption(): the value
//     texts left of, under and right of the bars. caption() may hold several
//     groups separated by a TAB, each drawn in its own field.
//   - firstBar(), lastBar(): x of the first and last bar where captions hang.
//   - barTop(i), barBottom(i): the extent of the bar whose (last) module has
//     index i, in points above the common baseline of the bars. The base top
//     is the height left for bars by height() less the printed text bands,
//     margins and 2 x TB_margin; the base bottom is 0. Postal codes answer
//     per bar.
//   - printsCaption(), printsHeader(), printsFooter(): when a symbology always
//     draws its texts.
// The model holds the one style (fonts, margins, colours) its picture is
// measured and drawn with (setStyle): barTop() and the renderer's text bands
// read the same margins, and a new style measures the text bands that were
// measured already again with its fonts.

#include "barcodes/BarcodeStyle.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

class NKDBarcode {
public:
    // A fresh model: every number 0, every flag off, no check character.
    NKDBarcode() = default;
    virtual ~NKDBarcode() = default;

    // Makes a model of class T and initialises it with content and flag;
    // none for a null content (or when T's initialiser refuses).
    template <class T>
    static std::unique_ptr<T> create(const QString& content, bool printsCaption) {
        auto model = std::make_unique<T>();
        if (!static_cast<NKDBarcode&>(*model).initWithContent(content, printsCaption)) {
            return nullptr;
        }
        return model;
    }

    // The common initialiser: the designated one with no check character,
    // bar width 0.936, height 36 and font size 6. False for a null content.
    virtual bool initWithContent(const QString& content, bool printsCaption);
    // Designated initialiser: stores content and flag, calculates the width
    // and sets the check character. Bar width, height and font size are not
    // stored (they stay 0 until the designer sets them). False for a null
    // content.
    virtual bool initWithContent(const QString& content, bool printsCaption, float barWidth,
                                 float height, float fontSize, signed char checkDigit);

    // The designer's style the model measures, sizes and is drawn with.
    // Replacing it measures again the bands whose font-size setter has run.
    void setStyle(const BarcodeStyle& style);
    const BarcodeStyle& style() const { return m_style; }

    virtual void setContent(const QString& content);
    const QString& content() const { return m_content; }
    void setHeader(const QString& header) { m_header = header; }
    void setFooter(const QString& footer) { m_footer = footer; }
    // The texts, "" when unset.
    QString header() const { return m_header.isNull() ? QString(QLatin1String("")) : m_header; }
    QString footer() const { return m_footer.isNull() ? QString(QLatin1String("")) : m_footer; }

    // Total picture height and width in points.
    virtual void setHeight(float height);
    float height() const { return m_height; }
    virtual void setWidth(float width);
    float width() const { return m_width; }
    // width = modules x barWidth, in single precision.
    virtual void calculateWidth();

    virtual void setCheckDigit(signed char checkDigit);
    signed char checkDigit() const { return m_checkDigit; }
    virtual void setBarWidth(float barWidth);
    float barWidth() const { return m_barWidth; }

    virtual void setPrintsCaption(bool flag);
    virtual bool printsCaption() const { return m_printsCaption; }
    virtual void setPrintsHeader(bool flag);
    virtual bool printsHeader() const { return m_printsHeader; }
    virtual void setPrintsFooter(bool flag);
    virtual bool printsFooter() const { return m_printsFooter; }

    // Sets the check character from the content; nothing in the base.
    virtual void generateChecksum();
    // True when the content is ASCII and every character encodes. An empty
    // content is valid.
    virtual bool isContentValid() const;

    virtual QString initiator() const;
    virtual QString terminator() const;
    // The modules of one character: "1010" in the base.
    virtual QString _encodeChar(char c) const;
    // Encoded content and check character; "" for a content that is not ASCII.
    virtual QString barcode() const;
    // initiator + barcode + terminator.
    QString completeBarcode() const;

    // Text band heights in inches, text widths in points. A band set by hand
    // is kept when the style changes.
    void setCaptionHeight(float inches) {
        m_captionHeight = inches;
        m_captionMeasured = false;
    }
    float captionHeight() const { return m_captionHeight; }
    void setHeaderHeight(float inches) {
        m_headerHeight = inches;
        m_headerMeasured = false;
    }
    float headerHeight() const { return m_headerHeight; }
    void setFooterHeight(float inches) {
        m_footerHeight = inches;
        m_footerMeasured = false;
    }
    float footerHeight() const { return m_footerHeight; }
    void setHeaderWidth(float points) { m_headerWidth = points; }
    float headerWidth() const { return m_headerWidth; }
    void setFooterWidth(float points) { m_footerWidth = points; }
    float footerWidth() const { return m_footerWidth; }

    // Store the size and derive the band height from the style's font (its
    // cap height + 35 %); header and footer also measure their text, so set
    // the text first.
    void setCaptionFontSize(float size);
    float caption_fontSize() const { return m_caption_fontSize; }
    void setHeaderFontSize(float size);
    float header_fontSize() const { return m_header_fontSize; }
    void setFooterFontSize(float size);
    float footer_fontSize() const { return m_footer_fontSize; }

    // Value texts: the first digitsToLeft characters, the middle, the last
    // digitsToRight characters (all of it in the middle when both are 0).
    virtual int digitsToLeft() const;
    virtual int digitsToRight() const;
    QString leftCaption() const;
    virtual QString caption() const;
    virtual QString rightCaption() const;

    // Extent of the bar ending at module `index`, in points above the bar
    // baseline.
    virtual float barTop(int index) const;
    virtual float barBottom(int index) const;
    // x of the first and the last bar, where the side captions are placed.
    virtual float firstBar() const;
    virtual float lastBar() const;

protected:
    NKDBarcode(const NKDBarcode&) = default;
    NKDBarcode& operator=(const NKDBarcode&) = default;

    // The text as bytes when every character is ASCII, else none.
    static std::optional<QByteArray> asciiForm(const QString& text);

    signed char m_checkDigit = -1;
    float m_barWidth = 0.0f;
    QString m_content;
    QString m_header;
    QString m_footer;
    float m_height = 0.0f;
    float m_width = 0.0f;
    bool m_printsCaption = false;
    bool m_printsHeader = false;
    bool m_printsFooter = false;
    float m_caption_fontSize = 0.0f;
    float m_header_fontSize = 0.0f;
    float m_footer_fontSize = 0.0f;
    float m_captionHeight = 0.0f;
    float m_headerHeight = 0.0f;
    float m_footerHeight = 0.0f;
    float m_headerWidth = 0.0f;
    float m_footerWidth = 0.0f;
    // Which bands a font-size setter has measured.
    bool m_captionMeasured = false;
    bool m_headerMeasured = false;
    bool m_footerMeasured = false;
    BarcodeStyle m_style;

private:
    void measureCaption();
    void measureHeader();
    void measureFooter();
};
