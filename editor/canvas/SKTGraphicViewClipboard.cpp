// Copy, cut and paste of card objects, and pictures made from the clipboard
// or from files. The clipboard carries the objects under our own MIME type,
// plus PDF and TIFF renderings for other programs.

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "editor/canvas/SKTCanvasHost.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/canvas/SKTPasteboardChangeCount.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTError.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTPasteboard.h"

#include "editor/render/SKTRenderingView.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMimeData>

namespace {

const QString kPdfMimeType = QStringLiteral("application/pdf");
const QString kTiffMimeType = QStringLiteral("image/tiff");

} // namespace

void SKTGraphicView::copy() {
    if (refuseWhenLocked()) {
        return;
    }
    const SKTGraphicList selected = selectedGraphics();
    auto data = std::make_unique<QMimeData>();
    data->setData(SKTGraphicViewPasteboardMimeType,
                  SKTGraphic::pasteboardDataWithGraphics(selected));
    // A rendering that fails is left out rather than offered empty.
    const QByteArray pdf = SKTRenderingView::pdfDataWithGraphics_data(selected);
    if (!pdf.isEmpty()) {
        data->setData(kPdfMimeType, pdf);
    }
    const QByteArray tiff = SKTRenderingView::tiffDataWithGraphics(selected);
    if (!tiff.isEmpty()) {
        data->setData(kTiffMimeType, tiff);
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    SKTPasteboardChangeCount(); // counting starts before our own change
    clipboard->clear();
    clipboard->setMimeData(data.release());
    _pasteboardChangeCount = SKTPasteboardChangeCount();
    _pasteCascadeNumber = 1;
    SKTCanvasMain::Set_Paste_Button_Status();
}

void SKTGraphicView::cut() {
    if (refuseWhenLocked()) {
        return;
    }
    copy();
    deleteSelection();
    SKTCanvasMain::Undo_Redo_Button_state();
}

void SKTGraphicView::paste() {
    const QMimeData* pasteboard = QGuiApplication::clipboard()->mimeData();
    if (!pasteboard) {
        return;
    }
    if (pasteboard->hasFormat(SKTGraphicViewPasteboardMimeType)) {
        SKTError error;
        const std::optional<SKTGraphicList> read = SKTGraphic::graphicsWithPasteboardData(
            pasteboard->data(SKTGraphicViewPasteboardMimeType), &error);
        if (!read) {
            Show_MessageBox(error.localizedDescription + QLatin1Char('\n') +
                            error.localizedFailureReason);
            return;
        }
        const qint64 changeCount = SKTPasteboardChangeCount();
        if (changeCount != _pasteboardChangeCount) {
            _pasteboardChangeCount = changeCount;
            _pasteCascadeNumber = 0;
        }
        if (read->isEmpty()) {
            return;
        }
        if (_pasteCascadeNumber > 0) {
            const QString side =
                Current_Card_Side_Is_Back() ? QStringLiteral("B") : QStringLiteral("F");
            const QPointF start = SKTMainWindow::Control_New_Point(side);
            SKTGraphic::Paste_Location_Of_Graphics(*read, start.x(), start.y(), side);
        }
        ++_pasteCascadeNumber;
        QList<int> indexes;
        for (int i = 0; i < read->size(); ++i) {
            indexes.append(i);
        }
        insertAndSelect(*read, indexes);
        SKTCanvasMain::Undo_Redo_Button_state();
        return;
    }
    if (pasteboard->hasUrls()) {
        return; // file names are not pasted
    }
    makeNewImageFromPasteboard(pasteboard, QPointF(50.0, 50.0));
}

bool SKTGraphicView::makeNewImageFromPasteboard(const QMimeData* pasteboard, const QPointF& point) {
    if (!pasteboard || !pasteboard->hasImage() || !m_document) {
        return false;
    }
    const QImage image = qvariant_cast<QImage>(pasteboard->imageData());
    if (image.isNull()) {
        return false;
    }
    auto graphic = std::make_shared<SKTImage>();
    const CardPicture picture = CardPicture::fromImage(image);
    graphic->initWithPosition(point, picture);
    // The picture's top-left corner lies at the point (y grows downwards
    // here, so no height is subtracted).
    graphic->_bounds = QRectF(point, picture.size());
    insertAndSelect({graphic}, {0});
    return true;
}

bool SKTGraphicView::makeNewImageFromContentsOfFile(const QString& path, const QPointF& point) {
    if (!m_document) {
        return false;
    }
    const QByteArray extension = QFileInfo(path).suffix().toLower().toUtf8();
    if (extension.isEmpty() || !QImageReader::supportedImageFormats().contains(extension)) {
        return false;
    }
    auto graphic = std::make_shared<SKTImage>();
    graphic->initWithPath(point, path);
    if (graphic->contents().isNull()) {
        return false;
    }
    insertAndSelect({graphic}, {0});
    return true;
}

void SKTGraphicView::insertAndSelect(const SKTGraphicList& list, const QList<int>& indexes) {
    beginGroup();
    mutableGraphics().insert(list, indexes);
    endGroup();
    select(indexes);
}
