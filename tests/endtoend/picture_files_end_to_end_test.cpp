// Picture files as the user meets them: phone photos stored on their side
// and a 16-bit PNG placed with the Picture tool show upright on the canvas,
// at their natural size, in a 300 dpi export and in a printed PDF; a JPEG
// claiming a huge size and a cut one are refused when chosen and named when
// a design names them.

#include "InvitationDesign.h"

#include "common/PictureFileMaking.h"
#include "core/globals.h"
#include "dataseries/windows/SmallSeriesDialogs.h"
#include "editor/canvas/SKTGraphicView.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "output/ExportWindow.h"
#include "output/Print_Wnd.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

using namespace invitation;
using namespace picturefiles;

// The quarter colour nearest to a pixel ('R', 'G', 'B', 'Y'), '?' when none
// is near.
char quarterColour(const QColor& c) {
    const struct {
        char name;
        QColor colour;
    } known[] = {{'R', Qt::red}, {'G', Qt::green}, {'B', Qt::blue}, {'Y', Qt::yellow}};
    for (const auto& k : known) {
        if (std::abs(c.red() - k.colour.red()) < 70 &&
            std::abs(c.green() - k.colour.green()) < 70 &&
            std::abs(c.blue() - k.colour.blue()) < 70) {
            return k.name;
        }
    }
    return '?';
}

// The colours shown at the middles of the four quarters of `frame` (card
// points) in a raster of the card whose origin lies at `origin` and which
// has `scale` pixels a point.
std::string cornersIn(const QImage& raster, const QRectF& frame, const QPointF& origin,
                      double scale) {
    std::string corners;
    for (const QPointF& f :
         {QPointF(0.25, 0.25), QPointF(0.75, 0.25), QPointF(0.25, 0.75), QPointF(0.75, 0.75)}) {
        const QPointF at =
            origin +
            (frame.topLeft() + QPointF(frame.width() * f.x(), frame.height() * f.y())) * scale;
        corners += quarterColour(raster.pixelColor(at.toPoint()));
    }
    return corners;
}

// The box of the pixels that are not white.
QRect inkBox(const QImage& page) {
    QRect box;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 200) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

class PictureFilesEndToEnd : public InvitationDesign {
protected:
    // The user chooses the file with the Picture tool; the object it made
    // (none when the file was refused).
    std::shared_ptr<SKTGraphic> placeWithPictureTool(const QString& path) {
        const qsizetype before = frontObjects(QStringLiteral("SKTImage")).size();
        expectOpenPanel({path});
        click(control<QToolButton>("Image_Tool"));
        if (frontObjects(QStringLiteral("SKTImage")).size() == before) {
            return nullptr;
        }
        return justMade();
    }
};

TEST_F(PictureFilesEndToEnd, PhotosShowUprightOnTheCanvasInExportsAndInPrint) {
    CARD_REQUIRE_TOOL(pdftoppm, "pdftoppm");
    ASSERT_NO_FATAL_FAILURE(startWithTheWizard());
    // Stored 240 x 120 pixels (red, green / blue, yellow quarters); shown as
    // the EXIF standard says.
    const QImage stored = quarters(240, 120);
    const struct {
        const char* name;
        QByteArray bytes;
        QSizeF natural;
        const char* corners; // shown top left, top right, bottom left, bottom right
        QRectF frame;
    } rows[] = {
        {"tagged6.jpg",
         withOrientation(jpeg(stored, false), 6),
         {120, 240},
         "BRYG",
         {20, 20, 60, 120}},
        {"tagged8.jpg",
         withOrientation(jpeg(stored, true), 8, false),
         {120, 240},
         "GYRB",
         {100, 20, 60, 120}},
        // Qt decodes a 16-bit PNG whole at 8 bytes a pixel: 1000 x 500 is
        // 4 MB, over the 1 MB limit set while it is placed as a 4500 x 4500
        // one is over the usual 128 MB. At 300 dpi: 240 x 120 points.
        {"deep.png", png16(1000, 500, 300), {240, 120}, "RGBY", {20, 160, 120, 60}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = homeFile(QString::fromLatin1(row.name));
        ASSERT_TRUE(writeFile(path, row.bytes));
        const int savedLimit = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(1);
        const auto picture = placeWithPictureTool(path);
        QImageReader::setAllocationLimit(savedLimit);
        EXPECT_EQ(takeMessages(), QStringList());
        ASSERT_NE(picture, nullptr);
        // Make Natural Size gives the picture's size as shown.
        placeByMouse(picture, row.frame);
        ASSERT_EQ(picture->bounds(), row.frame);
        trigger("Make_Natural_action");
        EXPECT_EQ(picture->bounds().size(), row.natural);
        placeByMouse(picture, row.frame);
        ASSERT_EQ(picture->bounds(), row.frame);
        clickCanvas(QPointF(300, 570)); // nothing selected: no handles drawn
    }

    // The canvas.
    SKTGraphicView& canvas = frontCanvas();
    QCoreApplication::processEvents();
    const QImage shown = canvas.grab().toImage();
    for (const auto& row : rows) {
        EXPECT_EQ(cornersIn(shown, row.frame, {}, canvas.zoomFactor() * shown.devicePixelRatio()),
                  row.corners)
            << row.name << " on the canvas";
    }

    // File > Export: PNG at 300 dpi, the front.
    const QString exported = homeFile(QStringLiteral("card.png"));
    expectDialog<ExportWindow>([&](ExportWindow& window) {
        choose(child<QComboBox>(window, "fileFormatPopup"), QStringLiteral("png"));
        choose(child<QComboBox>(window, "saveDPIText"), QStringLiteral("300"));
        click(child<QRadioButton>(window, "exportFront"));
        click(child<QPushButton>(window, "exportOkayButton"));
        return window.result();
    });
    expectSavePanel(exported);
    expectDialog<Open_Export_Log>([](Open_Export_Log& prompt) {
        prompt.CancelPressed();
        return prompt.result();
    });
    trigger("Export_action");
    takeMessages();
    const QImage card(exported);
    ASSERT_FALSE(card.isNull());
    for (const auto& row : rows) {
        EXPECT_EQ(cornersIn(card, row.frame, {}, 300.0 / 72.0), row.corners)
            << row.name << " in the export";
    }

    // File > Print into a PDF file, one card a page, rastered at 72 dpi:
    // the card is the box of the page's ink (its border).
    const QString pdf = homeFile(QStringLiteral("card.pdf"));
    expectDialog<Print_Wnd>([&](Print_Wnd& window) {
        expectDialog(QStringLiteral("QPageSetupDialog"), [&](QDialog& panel) {
            QPrinter* device = static_cast<QPageSetupDialog&>(panel).printer();
            device->setOutputFormat(QPrinter::PdfFormat);
            device->setOutputFileName(pdf);
            device->setPageSize(QPageSize(QPageSize::A4));
            return 1;
        });
        click(child<QPushButton>(window, "pageSetupButton"));
        type(child<QLineEdit>(window, "Row_Text"), QStringLiteral("1"));
        confirm(child<QLineEdit>(window, "Row_Text"));
        type(child<QLineEdit>(window, "Col_Text"), QStringLiteral("1"));
        confirm(child<QLineEdit>(window, "Col_Text"));
        click(child<QPushButton>(window, "printButton"));
        click(child<QPushButton>(window, "cancelButton"));
        return window.result();
    });
    trigger("Print_action");
    EXPECT_EQ(takeMessages(), QStringList());
    ASSERT_TRUE(QFileInfo(pdf).isFile());
    const QString base = homeFile(QStringLiteral("page"));
    const auto run = testsupport::runProcess(pdftoppm, {QStringLiteral("-r"), QStringLiteral("144"),
                                                        QStringLiteral("-png"),
                                                        QStringLiteral("-singlefile"), pdf, base});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage page(base + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    const QRect box = inkBox(page);
    const QSizeF cardPoints = controller().Front_card_Prop.Card_Size();
    ASSERT_NEAR(box.width(), cardPoints.width() * 2, 4);
    for (const auto& row : rows) {
        EXPECT_EQ(cornersIn(page, row.frame, box.topLeft(), 2.0), row.corners)
            << row.name << " in the printed PDF";
    }
}

TEST_F(PictureFilesEndToEnd, JpegsThatClaimTooMuchOrAreCutAreRefusedAndNamed) {
    ASSERT_NO_FATAL_FAILURE(startWithTheWizard());
    const struct {
        const char* name;
        QByteArray bytes;
        const char* told;
    } rows[] = {
        // A few hundred bytes claiming 16000 x 16000 progressive pixels.
        {"claims.jpg", claimingProgressiveJpeg(16000, 16000), "is too large"},
        // Cut short but ending in the end marker.
        {"cut.jpg", cutJpeg(true, 0.5), "is not a picture the program can read"},
    };
    const QString good = homeFile(QStringLiteral("good.jpg"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = homeFile(QString::fromLatin1(row.name));
        ASSERT_TRUE(writeFile(path, row.bytes));
        EXPECT_EQ(placeWithPictureTool(path), nullptr);
        EXPECT_EQ(takeMessages(), QStringList{QStringLiteral("\"%1\" %2.")
                                                  .arg(QString::fromLatin1(row.name),
                                                       QString::fromLatin1(row.told))});
        // A design naming a file that became such a file says so when opened.
        ASSERT_TRUE(writeFile(good, jpeg(quarters(40, 20), true)));
        ASSERT_NE(placeWithPictureTool(good), nullptr);
        EXPECT_EQ(takeMessages(), QStringList());
        expectSavePanel(designFile());
        trigger("SaveAs_action");
        takeMessages();
        ASSERT_TRUE(writeFile(good, row.bytes));
        quitProgram();
        ASSERT_NO_FATAL_FAILURE(startOpeningTheDesignFile());
        takeDialogs();
        const QStringList messages = takeMessages();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages.first().contains(QDir::toNativeSeparators(good)))
            << messages.first().toStdString();
        EXPECT_TRUE(messages.first().contains(QString::fromLatin1(row.told)))
            << messages.first().toStdString();
        quitProgram();
        ASSERT_NO_FATAL_FAILURE(startWithTheWizard());
    }
}

} // namespace
