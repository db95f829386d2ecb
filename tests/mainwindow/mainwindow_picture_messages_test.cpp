// Picture files the user chooses that give no picture (words named .png, a
// cut PNG, a PNG claiming a huge size, a FIFO): every control that chooses
// one names the file and why, and leaves the objects and the background as
// they were.

#include "mainwindow_controller_fixture.h"

#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTSignature.h"
#include "mainwindow/controller/Image_Library.h"
#include "widgets/ImageBrowser.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QToolButton>
#include <QtEndian>
#include <sys/stat.h>
#include <zlib.h>

namespace {

// A PNG chunk: length, type, data and the CRC of type and data.
QByteArray pngChunk(const char* type, const QByteArray& data) {
    QByteArray body = QByteArray(type, 4) + data;
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), chunk.data());
    chunk += body;
    QByteArray crc(4, '\0');
    qToBigEndian<quint32>(
        quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))),
        crc.data());
    return chunk + crc;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct BadFile {
    QString path;
    const char* told; // the message, after the file's name
};

class PictureMessagesTest : public ControllerFixture {
protected:
    void TearDown() override {
        hooks::setOpenPanel({});
        hooks::setModalRunner({});
        ControllerFixture::TearDown();
        Library_Selected_Image.clear();
        lib_window_sel_file.clear();
    }

    QString folder(const QString& name) const {
        const QString path = QDir(m_resources).filePath(name);
        QDir().mkpath(path);
        return path;
    }

    static QString goodPicture(const QString& dir, const QString& name, QColor colour) {
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = QDir(dir).filePath(name);
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    }

    // One file of each unreadable kind in `dir` (the FIFO only when asked:
    // the library lists regular files only).
    static QList<BadFile> badFiles(const QString& dir, bool withFifo) {
        const auto at = [&dir](const char* name) { return QDir(dir).filePath(name); };
        QList<BadFile> files;
        writeFile(at("words.png"), "Dear guest, this is no picture.\n");
        files.append({at("words.png"), "is not a picture the program can read."});

        QImage noise(64, 48, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < noise.height(); ++y) {
            for (int x = 0; x < noise.width(); ++x) {
                noise.setPixel(x, y, random.generate() | 0xff000000u);
            }
        }
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(noise.save(&buffer, "PNG"));
        writeFile(at("cut.png"), png.left(png.size() / 2));
        files.append({at("cut.png"), "is not a picture the program can read."});
        QByteArray jpeg;
        QBuffer jpegBuffer(&jpeg);
        jpegBuffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(noise.save(&jpegBuffer, "JPEG"));
        writeFile(at("cut.jpg"), jpeg.left(jpeg.size() * 2 / 3));
        files.append({at("cut.jpg"), "is not a picture the program can read."});

        // 60000 x 60000 RGBA: about 14 GB of pixels.
        QByteArray header(13, '\0');
        qToBigEndian<quint32>(60000, header.data());
        qToBigEndian<quint32>(60000, header.data() + 4);
        header[8] = 8; // bits per channel
        header[9] = 6; // RGBA
        // The reader wants a first data chunk before it tells the size.
        writeFile(at("huge.png"), QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) +
                                      pngChunk("IDAT", qCompress(QByteArray(16, '\0')).mid(4)) +
                                      pngChunk("IEND", {}));
        files.append({at("huge.png"), "is too large."});

        if (withFifo) {
            EXPECT_EQ(mkfifo(at("pipe.png").toLocal8Bit().constData(), 0600), 0);
            files.append({at("pipe.png"), "is not a picture the program can read."});
        }
        return files;
    }

    // What the user sees of the design: every object with its file and the
    // size of its picture, and the front side's background.
    QStringList design() const {
        QStringList state;
        for (const auto& graphic : m_document->graphics()) {
            CardPicture picture;
            if (auto* image = dynamic_cast<SKTImage*>(graphic.get())) {
                picture = image->contents();
            } else if (auto* signature = dynamic_cast<SKTSignature*>(graphic.get())) {
                picture = signature->_contents_img;
            }
            state << QStringLiteral("%1 %2 %3x%4")
                         .arg(graphic->className(), graphic->_file_path)
                         .arg(picture.size().width())
                         .arg(picture.size().height());
        }
        const Card_Property& front = m_controller->Front_card_Prop;
        state << front.Card_fill_style() << front.Card_BG_Image_Path()
              << QString::number(front.Card_BG_Image().size().width())
              << control<QLineEdit>("Card_Image_path")->text()
              << control<QLineEdit>("Manual_image_path")->text()
              << control<QLineEdit>("Sign_image_path")->text();
        return state;
    }

    void selectObject(const char* cls) {
        SKTGraphicView* view = m_controller->currentGraphicView();
        const SKTGraphicList& graphics = m_document->graphics();
        for (int i = 0; i < graphics.size(); ++i) {
            if (graphics[i]->className() == QLatin1String(cls)) {
                view->changeSelectionIndexes({i});
                m_controller->Show_RHS_Properties(graphics[i]);
                return;
            }
        }
        ADD_FAILURE() << "no " << cls;
    }

    // The card tabs with the picture fill chosen, as the user opens them.
    void showCardPictureFill() {
        m_controller->window()->findChild<QAction*>(QStringLiteral("Card_Prop_action"))->trigger();
        if (!control<QAbstractButton>("Card_fill_chk")->isChecked()) {
            control<QAbstractButton>("Card_fill_chk")->click();
        }
        control<QAbstractButton>("Card_Image_fill_rd")->click();
    }
};

// How a row's control gets its file.
enum class Chooser { Panel, Library };

TEST_F(PictureMessagesTest, AChosenFileThatGivesNoPictureIsToldAndChangesNothing) {
    const QString library = folder(QStringLiteral("LibraryImage/mixed"));
    const QString backgrounds = folder(QStringLiteral("Background"));
    const QString good = goodPicture(library, QStringLiteral("rose.png"), Qt::red);
    const QString sky = goodPicture(backgrounds, QStringLiteral("sky.png"), Qt::blue);
    const QList<BadFile> panelFiles = badFiles(m_temp.path(), true);
    const QList<BadFile> libraryFiles = badFiles(library, false);
    const QList<BadFile> backgroundFiles = badFiles(backgrounds, false);
    start();

    QString answer;
    hooks::setOpenPanel([&answer](const hooks::OpenPanelRequest&) { return QStringList{answer}; });
    hooks::setModalRunner([&answer](QDialog& dialog) {
        auto* library = qobject_cast<Image_Library*>(&dialog);
        if (!library) {
            ADD_FAILURE() << "an unexpected window";
            return 0;
        }
        Image_Library& window = *library;
        dialog.show();
        QCoreApplication::processEvents();
        ImageBrowser* browser = window.imageBrowser();
        const QList<MyImageObject>& items = browser->browserModel()->items();
        int row = -1;
        for (int i = 0; i < items.size(); ++i) {
            if (items[i].imageRepresentation() == answer) {
                row = i;
            }
        }
        EXPECT_GE(row, 0) << answer.toStdString();
        const QRect place = browser->visualRect(browser->model()->index(row, 0));
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
        window.findChild<QPushButton*>(QStringLiteral("OK_Button"))->click();
        return dialog.result();
    });

    // A picture object, a signature and a picture background to keep.
    answer = good;
    control<QToolButton>("Image_Tool")->click();
    control<QToolButton>("Signature_Tool")->click();
    selectObject("SKTSignature");
    control<QPushButton>("Sign_Browse_Btn")->click();
    showCardPictureFill();
    answer = sky;
    control<QAbstractButton>("Card_Image_Browse_Btn")->click();
    ASSERT_EQ(m_document->graphics().size(), 2);
    ASSERT_EQ(m_controller->Front_card_Prop.Card_BG_Image_Path(), sky);
    ASSERT_TRUE(m_alerts.texts().isEmpty()) << m_alerts.texts().join('|').toStdString();

    const struct {
        const char* control;
        Chooser chooser;
        const QList<BadFile>& files;
        std::function<void()> before;
    } rows[] = {
        {"Image_Tool", Chooser::Panel, panelFiles, [] {}},
        {"Image_Library_Tool", Chooser::Library, libraryFiles, [] {}},
        {"Manual_Image_Browse_Btn", Chooser::Panel, panelFiles,
         [this] { selectObject("SKTImage"); }},
        {"Manual_Library_Browse_Btn", Chooser::Library, libraryFiles,
         [this] { selectObject("SKTImage"); }},
        {"Sign_Browse_Btn", Chooser::Panel, panelFiles, [this] { selectObject("SKTSignature"); }},
        {"Card_Image_Browse_Btn", Chooser::Panel, panelFiles, [this] { showCardPictureFill(); }},
        {"Card_Image_Library_Btn", Chooser::Library, backgroundFiles,
         [this] { showCardPictureFill(); }},
    };
    for (const auto& row : rows) {
        for (const BadFile& file : row.files) {
            SCOPED_TRACE(std::string(row.control) + " " + file.path.toStdString());
            row.before();
            const QStringList kept = design();
            const qsizetype told = m_alerts.texts().size();
            answer = file.path;
            control<QAbstractButton>(row.control)->click();
            EXPECT_EQ(design(), kept);
            ASSERT_EQ(m_alerts.texts().size(), told + 1);
            EXPECT_EQ(m_alerts.texts().last().trimmed(),
                      QStringLiteral("\"%1\" %2")
                          .arg(QFileInfo(file.path).fileName(), QString::fromLatin1(file.told)));
        }
    }
}

} // namespace
