// Painting asks for no redraw and changes nothing: no change reports, no
// undo steps, the same fields before and after, on any thread.

#include "editor/model/PicturePlaceholders.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTDocument.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTLine.h"
#include "editor/model/SKTSignature.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor_test_support.h"
#include "objects_test_support.h"

#include <QCoreApplication>
#include <thread>

namespace {

SKTGraphicList oneOfEachKind(const objtest::ResourceFolder& resources) {
    auto star = makeGraphic<Shape_Control>({10, 10, 80, 80});
    star->_shape_type = "S";
    star->_fill_type = "H";
    star->_fill_hatch_type = "Hatch1";
    star->alpha_val = 0.5f;
    auto line = makeGraphic<SKTLine>({100, 10, 80, 40});
    line->_stroke_border_type = "DD";
    auto text = makeGraphic<SKTText>({10, 100, 150, 40});
    text->Text_contents().setString("Painted text");
    auto picture = std::make_shared<SKTImage>();
    picture->initWithPath({250, 60}, resources.file("no.png"));
    picture->setBounds(QRectF(200, 10, 90, 90));
    picture->Sepia = true;
    picture->rotate_image = 30;
    auto signature = std::make_shared<SKTSignature>();
    signature->initWithPosition({250, 150}, PicturePlaceholders::sign_sample_img(), "S");
    signature->Set_Control_File_path("Default"); // resolved for drawing only
    auto barcode = std::make_shared<SKTBarcode>();
    barcode->initWithPosition({100, 170}, CardPicture());
    return {star, line, text, picture, signature, barcode};
}

QImage paintAll(const SKTGraphicList& graphics) {
    QImage image = CardUnits::makeRaster({300, 200}, 2.0, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(2, 2);
    for (auto it = graphics.crbegin(); it != graphics.crend(); ++it) {
        (*it)->drawContentsInView(painter, false);
    }
    return image;
}

} // namespace

TEST(ObjectPainting, PaintsReportNoChangeAndRecordNoUndo) {
    objtest::ResourceFolder resources;
    FakeMainWindow window;
    SKTDocument document;
    const SKTGraphicList graphics = oneOfEachKind(resources);
    QList<int> indexes;
    for (int i = 0; i < graphics.size(); ++i) {
        indexes.append(i);
    }
    ASSERT_TRUE(document.insertGraphics(graphics, indexes));
    QCoreApplication::processEvents();
    document.undoManager()->clear();

    QList<QString> before;
    for (const auto& g : graphics) {
        before.append(g->description());
    }
    int changes = 0;
    QObject::connect(&document, &SKTDocument::graphicChanged, [&changes] { ++changes; });
    const QImage first = paintAll(graphics);
    const QImage second = paintAll(graphics);
    QCoreApplication::processEvents();
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(document.canUndo());
    EXPECT_EQ(first, second);
    for (int i = 0; i < graphics.size(); ++i) {
        EXPECT_EQ(graphics[i]->description(), before[i]) << graphics[i]->className().toStdString();
    }
    EXPECT_EQ(graphics[4]->FilePath(), QStringLiteral("Default"));
}

TEST(ObjectPainting, WorkerThreadsDrawTheSameCard) {
    objtest::ResourceFolder resources;
    PicturePlaceholders::load();
    const SKTGraphicList graphics = oneOfEachKind(resources);
    const QImage onGui = paintAll(graphics);
    QImage results[3];
    std::thread workers[3];
    for (int i = 0; i < 3; ++i) {
        workers[i] = std::thread([&graphics, &results, i] { results[i] = paintAll(graphics); });
    }
    for (auto& worker : workers) {
        worker.join();
    }
    for (const QImage& result : results) {
        EXPECT_EQ(result, onGui);
    }
}

TEST(ObjectPainting, HiddenObjectsOfEveryKindDrawNothing) {
    objtest::ResourceFolder resources;
    for (const auto& graphic : oneOfEachKind(resources)) {
        graphic->ctrl_is_visible = false;
        EXPECT_TRUE(objtest::isWhite(paintAll({graphic}))) << graphic->className().toStdString();
    }
}

TEST(ObjectPainting, BadGeometryNeverCrashes) {
    objtest::ResourceFolder resources;
    const double nan = std::nan("");
    const QRectF rects[] = {
        {nan, nan, nan, nan}, {0, 0, 0, 0}, {10, 10, -50, -50}, {0, 0, 1e12, 1e12}};
    for (const QRectF& rect : rects) {
        for (const auto& graphic : oneOfEachKind(resources)) {
            graphic->_bounds = rect;
            graphic->_strokeWidth = rect.width() > 1e6 ? 1e9 : nan;
            graphic->hue_val = static_cast<float>(nan);
            graphic->rotate_image = static_cast<float>(nan);
            graphic->img_trnsp_val = static_cast<float>(nan);
            paintAll({graphic});
            graphic->isContentsUnderPoint(QPointF(5, 5));
        }
    }
    SUCCEED();
}
