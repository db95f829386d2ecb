#include "editor/canvas/SKTCanvasHost.h"

#include "core/globals.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTPictureLoading.h"
#include "editor/render/Card_Base_Drawing.h"

#include <QDir>
#include <QPainter>

namespace {

// The one main window controller of the run, as the canvas sees it.
SKTCanvasHost* g_host = nullptr;

CardPicture resourcePicture(const char* name) {
    return SKTLoadPictureFile(QDir(Resource_Path).filePath(QString::fromUtf8(name)));
}

} // namespace

SKTCanvasHost* SKTCanvasHost::current() {
    return g_host;
}

void SKTCanvasHost::setCurrent(SKTCanvasHost* host) {
    g_host = host;
}

namespace SKTCanvasMain {

int Selected_Control_Tool() {
    return g_host ? g_host->Selected_Control_Tool() : 0;
}

QString currentGraphicClass() {
    return g_host ? g_host->currentGraphicClass() : QString();
}

void Card_Base_Drawing(QPainter& painter, const QRectF& card) {
    if (g_host) {
        g_host->Card_Base_Drawing(painter, card);
        return;
    }
    ::Card_Base_Drawing(painter, card, CardBackgroundInputs::current());
}

void Show_RHS_Properties(const std::shared_ptr<SKTGraphic>& graphic) {
    if (g_host) {
        g_host->Show_RHS_Properties(graphic);
    }
}

void Refresh_Canvas(SKTGraphicView& requester) {
    if (g_host) {
        g_host->Refresh_Canvas();
        return;
    }
    requester.Refresh_Canvas();
}

void Open_Barcode_Window() {
    if (g_host) {
        g_host->Open_Barcode_Window();
    }
}

void Undo_Redo_Button_state() {
    if (g_host) {
        g_host->Undo_Redo_Button_state();
    }
}

void Set_Paste_Button_Status() {
    if (g_host) {
        g_host->Set_Paste_Button_Status();
    }
}

void setSameSizeButtonsEnabled(bool enabled) {
    if (g_host) {
        g_host->setSameSizeButtonsEnabled(enabled);
    }
}

CardPicture no_image() {
    return g_host ? g_host->no_image() : resourcePicture("no.png");
}

CardPicture barcode_sample_img() {
    return g_host ? g_host->barcode_sample_img() : resourcePicture("barcode_sample.png");
}

CardPicture sign_sample_img() {
    return g_host ? g_host->sign_sample_img() : resourcePicture("sign_sample.png");
}

CardPicture fp_sample_img() {
    return g_host ? g_host->fp_sample_img() : resourcePicture("fingerprints.png");
}

} // namespace SKTCanvasMain
