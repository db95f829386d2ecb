#pragma once
// Class names and key names of the value encodings shared by the keyed
// archiver and unarchiver (see platform/ARCHIVE.md).

#include <QString>
#include <QStringList>

namespace ArchiveClasses {

inline const QStringList& colorChain() {
    static const QStringList chain{QStringLiteral("NSColor")};
    return chain;
}
inline const QStringList& fontChain() {
    static const QStringList chain{QStringLiteral("NSFont")};
    return chain;
}
inline const QStringList& textStorageChain() {
    static const QStringList chain{QStringLiteral("NSTextStorage"),
                                   QStringLiteral("NSMutableAttributedString"),
                                   QStringLiteral("NSAttributedString")};
    return chain;
}
inline const QStringList& arrayChain() {
    static const QStringList chain{QStringLiteral("NSArray")};
    return chain;
}
inline const QStringList& dictionaryChain() {
    static const QStringList chain{QStringLiteral("NSDictionary")};
    return chain;
}
inline const QStringList& imageChain() {
    static const QStringList chain{QStringLiteral("NSImage")};
    return chain;
}
inline const QStringList& bitmapChain() {
    static const QStringList chain{QStringLiteral("NSBitmapImageRep"),
                                   QStringLiteral("NSImageRep")};
    return chain;
}

// Our own font keys: the face of a font whose name is a family name.
inline const QString kFontBoldKey = QStringLiteral("SKTFontBold");
inline const QString kFontItalicKey = QStringLiteral("SKTFontItalic");
// The font effects a font panel offers beyond bold and italic, each written
// only when it differs from a plain font, so a plain font's archive is the
// same as before and an archive without them reads as a plain font: the
// weight (1-1000) when it is neither normal nor bold, the face's style name,
// underline, strikeout, letter spacing (its type, 0 per cent or 1 absolute,
// and amount) and word spacing.
inline const QString kFontWeightKey = QStringLiteral("SKTFontWeight");
inline const QString kFontStyleNameKey = QStringLiteral("SKTFontStyleName");
inline const QString kFontUnderlineKey = QStringLiteral("SKTFontUnderline");
inline const QString kFontStrikeOutKey = QStringLiteral("SKTFontStrikeOut");
inline const QString kFontLetterSpacingTypeKey = QStringLiteral("SKTFontLetterSpacingType");
inline const QString kFontLetterSpacingKey = QStringLiteral("SKTFontLetterSpacing");
inline const QString kFontWordSpacingKey = QStringLiteral("SKTFontWordSpacing");
// Largest spacing amount read back (per cent or points).
inline constexpr double kFontMaxSpacing = 1000.0;

// Resolution at which vector pictures are rasterised for archiving.
inline constexpr double kPictureArchiveScale = 2.0; // 144 dpi
// Largest raster written for a vector picture (pixels), well inside Qt's
// default image allocation limit.
inline constexpr double kPictureArchiveMaxPixels = 32.0 * 1024 * 1024;

} // namespace ArchiveClasses
