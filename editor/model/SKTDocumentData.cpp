// The card document data: a binary property list with the version, the
// archives of the front objects and the page settings.

#include "editor/model/SKTDocument.h"
#include "editor/model/SKTLog.h"
#include "platform/Plist.h"

#include <QPageSize>

namespace {

// Type names of the renderings the document can answer once the card
// renderer is there.
bool isPdfType(const QString& type) {
    return type == QLatin1String("com.adobe.pdf") || type == QLatin1String("application/pdf") ||
           type == QLatin1String("NSPDFPboardType");
}

bool isTiffType(const QString& type) {
    return type == QLatin1String("public.tiff") || type == QLatin1String("image/tiff") ||
           type == QLatin1String("NSTIFFPboardType");
}

// The page settings as a small property list: paper name and size, margins
// and orientation, in points.
QByteArray pageSettingsData(const QPageLayout& layout) {
    Plist settings = Plist::dictionary();
    const QSizeF paper = layout.pageSize().size(QPageSize::Point);
    const QMarginsF margins = layout.margins(QPageLayout::Point);
    settings.insert(QStringLiteral("paperName"), Plist::string(layout.pageSize().name()));
    settings.insert(QStringLiteral("paperWidth"), Plist::real(paper.width()));
    settings.insert(QStringLiteral("paperHeight"), Plist::real(paper.height()));
    settings.insert(QStringLiteral("orientation"),
                    Plist::integer(layout.orientation() == QPageLayout::Landscape ? 1 : 0));
    settings.insert(QStringLiteral("leftMargin"), Plist::real(margins.left()));
    settings.insert(QStringLiteral("topMargin"), Plist::real(margins.top()));
    settings.insert(QStringLiteral("rightMargin"), Plist::real(margins.right()));
    settings.insert(QStringLiteral("bottomMargin"), Plist::real(margins.bottom()));
    return settings.toBytes(PlistFormat::Binary);
}

} // namespace

std::optional<QByteArray> SKTDocument::dataOfType(const QString& typeName, SKTError* error) const {
    if (typeName == SKTDocumentNewTypeName || typeName == SKTDocumentOldTypeName) {
        Plist archives = Plist::array();
        for (const QByteArray& archive : SKTGraphic::propertiesWithGraphics(_graphics)) {
            archives.append(Plist::data(archive));
        }
        Plist root = Plist::dictionary();
        root.insert(SKTDocumentVersionKey, Plist::integer(SKTDocumentCurrentVersion));
        root.insert(SKTDocumentGraphicsKey, std::move(archives));
        root.insert(SKTDocumentPrintInfoKey, Plist::data(pageSettingsData(m_printInfo)));
        return root.toBytes(PlistFormat::Binary);
    }
    if (isTiffType(typeName)) {
        // The card renderer answers TIFF of the front side; until it is
        // there the rendering fails as a renderer failure does.
        if (error) {
            *error = SKTErrorWithCode(3);
        }
        return std::nullopt;
    }
    SKTLogMessage(isPdfType(typeName)
                      ? QStringLiteral("No PDF rendering of the card is available.")
                      : QStringLiteral("Invalid parameter not satisfying: %1").arg(typeName));
    if (error) {
        *error = SKTErrorWithCode(1);
    }
    return std::nullopt;
}
