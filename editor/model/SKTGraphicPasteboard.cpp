// Pasteboard data: a binary property list whose root array holds one keyed
// archive (as data) per object, in list order.

#include "editor/model/SKTError.h"
#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLog.h"
#include "platform/Plist.h"
#include "platform/PlistBinaryWriter.h"

#include <QFileInfo>
#include <typeinfo>
#include <vector>

QList<QByteArray> SKTGraphic::propertiesWithGraphics(const SKTGraphicList& graphics) {
    QList<QByteArray> archives;
    archives.reserve(graphics.size());
    for (const auto& graphic : graphics) {
        archives.append(graphic->archivedData());
    }
    return archives;
}

QByteArray SKTGraphic::pasteboardDataWithGraphics(const SKTGraphicList& graphics) {
    // Written straight to the binary form: a libplist tree would only copy
    // every archive once more.
    PlistBinaryWriter::Stream out;
    const int root = out.openArray();
    std::vector<int> items;
    for (const QByteArray& archive : propertiesWithGraphics(graphics)) {
        items.push_back(out.data(archive));
    }
    out.close(root, std::move(items));
    return out.bytes();
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
    const std::vector<PlistView> items = root.items();
    for (size_t i = 0; i < items.size(); ++i) {
        if (auto archive = items[i].toData()) {
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
