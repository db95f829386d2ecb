// Pasteboard data: a binary property list whose root array holds one keyed
// archive (as data) per object, in list order.

#include "editor/model/SKTError.h"
#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLog.h"
#include "platform/Plist.h"

#include <QFileInfo>
#include <typeinfo>

QList<QByteArray> SKTGraphic::propertiesWithGraphics(const SKTGraphicList& graphics) {
    QList<QByteArray> archives;
    archives.reserve(graphics.size());
    for (const auto& graphic : graphics) {
        archives.append(graphic->archivedData());
    }
    return archives;
}

QByteArray SKTGraphic::pasteboardDataWithGraphics(const SKTGraphicList& graphics) {
    Plist root = Plist::array();
    for (const QByteArray& archive : propertiesWithGraphics(graphics)) {
        root.append(Plist::data(archive));
    }
    return root.toBytes(PlistFormat::Binary);
}

std::optional<SKTGraphicList> SKTGraphic::graphicsWithPasteboardData(const QByteArray& data,
                                                                     SKTError* error) {
    QString reason;
    const Plist plist = Plist::fromBytes(data, &reason);
    if (plist.isNull() || plist.type() != PlistType::Array) {
        if (!reason.isEmpty()) {
            SKTLogMessage(QStringLiteral("Pasteboard data does not read: ") + reason);
        }
        if (error) {
            *error = SKTErrorWithCode(2);
        }
        return std::nullopt;
    }
    const PlistView root = plist.view();
    QList<QByteArray> archives;
    for (int i = 0; i < root.count(); ++i) {
        if (auto archive = root.at(i).toData()) {
            archives.append(*archive);
        } else {
            SKTLogMessage(
                QStringLiteral("Pasteboard element %1 is not an archive: skipped.").arg(i));
        }
    }
    return graphicsWithProperties(archives);
}

SKTGraphicList SKTGraphic::graphicsWithProperties(const QList<QByteArray>& archives) {
    SKTGraphicList graphics;
    for (qsizetype i = 0; i < archives.size(); ++i) {
        QString reason;
        auto graphic = graphicWithArchivedData(archives.at(i), &reason);
        if (!graphic) {
            SKTLogMessage(
                QStringLiteral("Card object %1 does not read (%2): skipped.").arg(i).arg(reason));
            continue;
        }
        const SKTGraphic& object = *graphic;
        if (typeid(object) == typeid(SKTImage)) {
            auto* image = static_cast<SKTImage*>(graphic.get());
            SKTLogMessage(image->_file_path);
            if (QFileInfo(image->_file_path).isFile()) {
                image->setFilePath(image->_file_path);
            }
        }
        graphics.append(graphic);
    }
    return graphics;
}
