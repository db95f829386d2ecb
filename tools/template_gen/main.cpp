// Writes the three prepared templates: each a design file made by the
// design-file writer and its combined preview (front above back, 72 dpi).

#include "core/globals.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor/render/CardRenderInputs.h"
#include "editor/render/CombinedCardImage.h"
#include "editor/render/SKTRenderingView.h"
#include "mainwindow/controller/DesignFile.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>
#include <clocale>
#include <cstdio>
#include <memory>

namespace {

struct TemplateSpec {
    QString name;
    QColor fill;
    QColor accent;
    QString title;
    QString message;
    QString backNote;
};

std::shared_ptr<SKTText> text(const QRectF& bounds, const QString& value, int size,
                              const QColor& colour) {
    auto graphic = std::make_shared<SKTText>();
    graphic->setBounds(bounds);
    graphic->Text_Value = value;
    graphic->text_ctrl_font = QFont(Text_Ctrl_Font, size);
    graphic->txt_clr = colour;
    graphic->text_alignmnet = 2;
    graphic->setDrawingStroke(false);
    graphic->setDrawingFill(false);
    return graphic;
}

std::shared_ptr<Shape_Control> band(const QRectF& bounds, const QColor& colour) {
    auto shape = std::make_shared<Shape_Control>();
    shape->setBounds(bounds);
    shape->setDrawingFill(true);
    shape->setFillColor(colour);
    shape->setDrawingStroke(false);
    return shape;
}

Card_Property record(const TemplateSpec& plan, const QString& side, const QSizeF& size) {
    Card_Property page;
    page.setCard_border_chk(true);
    page.setCard_bordr_clr(plan.accent);
    page.setCard_bor_Stepper(2);
    page.setCard_fill_chk(true);
    page.setCard_fill_style(QStringLiteral("S"));
    page.setCard_fill_clr(plan.fill);
    page.setCard_alpha_Stepper(1.0f);
    page.setCard_Side(QStringLiteral("2"));
    page.setCard_Side_Name(side);
    page.setCard_Shape(QStringLiteral("R"));
    page.setCard_Name(plan.name);
    page.setCard_Size(size);
    page.setCard_Preset(QStringLiteral("Horizontal"));
    page.setCard_Category(QStringLiteral("Paper Card"));
    page.setCard_Create_Mode(QStringLiteral("T"));
    page.setCard_BG_Image_Layout(QStringLiteral("Stretch"));
    page.setCard_Content_clr(Qt::black);
    page.setCard_Content_font(Card_Property::defaultContentFont());
    return page;
}

bool writeTemplate(const TemplateSpec& plan, const QDir& folder) {
    const QSizeF size(360, 252); // 127 x 89 mm
    design_file::DesignContent content;
    content.front = record(plan, QStringLiteral("F"), size);
    content.back = record(plan, QStringLiteral("B"), size);
    content.titles = {QStringLiteral("Row No.")};
    content.frontObjects = {
        band(QRectF(0, 0, size.width(), 40), plan.accent),
        text(QRectF(20, 60, size.width() - 40, 50), plan.title, 28, plan.accent),
        text(QRectF(20, 120, size.width() - 40, 80), plan.message, 14, Qt::black),
    };
    content.backObjects = {
        text(QRectF(20, 90, size.width() - 40, 60), plan.backNote, 14, plan.accent),
        band(QRectF(0, size.height() - 30, size.width(), 30), plan.accent),
    };

    QString reason;
    const QString design = folder.filePath(plan.name + QStringLiteral(".dcard"));
    if (!design_file::Write_Design_Array(design_file::Design_Array(content), design, &reason)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(design), qPrintable(reason));
        return false;
    }

    CardRenderInputs::setFrontCanvasSize(size);
    CardRenderInputs::setPageRecord(0, content.front);
    CardRenderInputs::setPageRecord(1, content.back);
    Card_Front_Or_Back = 1;
    const CardPicture back = SKTRenderingView::image_From_Card_Graphics(content.backObjects, false);
    Card_Front_Or_Back = 0;
    const CardPicture front =
        SKTRenderingView::image_From_Card_Graphics(content.frontObjects, false);
    const QImage preview = combinedFrontAboveBack(front, back, 72.0);
    const QString png = folder.filePath(plan.name + QStringLiteral(".png"));
    if (preview.isNull() || !preview.save(png, "PNG")) {
        std::fprintf(stderr, "%s: cannot write the preview\n", qPrintable(png));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc != 2) {
        std::fprintf(stderr, "usage: template_gen OUTPUT_DIR\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }
    const TemplateSpec specs[] = {
        {QStringLiteral("Birthday"), QColor(255, 248, 225), QColor(214, 96, 40),
         QStringLiteral("Happy Birthday!"), QStringLiteral("Join us for cake and games."),
         QStringLiteral("Please reply by Friday.")},
        {QStringLiteral("Wedding"), QColor(250, 250, 252), QColor(150, 120, 60),
         QStringLiteral("Together with their families"),
         QStringLiteral("We invite you to celebrate our wedding."),
         QStringLiteral("Reception to follow.")},
        {QStringLiteral("Party"), QColor(230, 242, 255), QColor(30, 90, 170),
         QStringLiteral("You're Invited"), QStringLiteral("Music, food and friends."),
         QStringLiteral("Bring a friend!")},
    };
    for (const TemplateSpec& plan : specs) {
        if (!writeTemplate(plan, folder)) {
            return 1;
        }
    }
    return 0;
}
