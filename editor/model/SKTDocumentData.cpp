// The card document data: a binary property list with the version, the
// archives of the front objects and the page settings.

#include "editor/model/SKTDocument.h"
#include "editor/model/SKTLog.h"
#include "platform/Plist.h"

#include <QPageSize>

namespace {

SKTCardRenderings& cardRenderings() {
    static SKTCardRenderings renderings;
    return renderings;
}

// Type names of the renderings of the front list.
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
    const SKTCardRenderings& render = cardRenderings();
    if (isPdfType(typeName)) {
        QByteArray pdf = render.pdf ? render.pdf(_graphics) : QByteArray();
        if (!pdf.isEmpty()) {
            return pdf;
        }
        SKTLogMessage(QStringLiteral("No PDF rendering of the card is available."));
        if (error) {
            *error = SKTErrorWithCode(1);
        }
        return std::nullopt;
    }
    if (isTiffType(typeName)) {
        SKTError failure = SKTErrorWithCode(3);
        QByteArray tiff = render.tiff ? render.tiff(_graphics, &failure) : QByteArray();
        if (!tiff.isEmpty()) {
            return tiff;
        }
        if (error) {
            *error = failure;
        }
        return std::nullopt;
    }
    SKTLogMessage(QStringLiteral("Invalid parameter not satisfying: %1").arg(typeName));
    if (error) {
        *error = SKTErrorWithCode(1);
    }
    return std::nullopt;
}

void SKTDocument::setCardRenderings(SKTCardRenderings renderings) {
    cardRenderings() = std::move(renderings);
}
