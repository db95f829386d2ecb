// Opening design files through the main window: damaged, cut and hostile
// files (and seeded mutants of a sound one) either open or are refused with
// the one message and an untouched design; the stored outline and number of
// sides reach the card inspector, the side button and the process-wide
// values; and the window as it looks after an open.

#include "design_file_test_support.h"
#include "mainwindow_controller_fixture.h"

#include "dataseries/ImportedTable.h"
#include "editor/model/ContactFieldState.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTText.h"
#include "editor/model/Shape_Control.h"
#include "editor/render/CardRenderInputs.h"
#include "editor/view/SKTGrid.h"
#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/Export_Template.h"
#include "mainwindow/controller/Invitation_Wizard.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/Template_Wizard.h"
#include "mainwindow/controller/WindowEntries.h"
#include "platform/KeyedArchiver.h"
#include "widgets/GuiHooks.h"
#include "widgets/RadioMatrix.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <clocale>
#include <cstdio>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using window_entries::SaveResult;
using namespace designtest;

namespace {

const QString kCorrupt = QStringLiteral("File is corrupt and cannot be opened.");

class DesignOpenTest : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        hooks::setSavePanel([this](const hooks::SavePanelRequest&) { return m_saveAnswer; });
        hooks::setOpenPanel([this](const hooks::OpenPanelRequest&) {
            return m_openAnswer.isEmpty() ? QStringList() : QStringList{m_openAnswer};
        });
        startWithDesignFiles();
    }

    void TearDown() override {
        endDesignFiles();
        ControllerFixture::TearDown();
    }

    QString picture(const QString& name, QColor colour) {
        QImage image(40, 30, QImage::Format_ARGB32);
        image.fill(colour);
        const QString file = path(name);
        EXPECT_TRUE(image.save(file, "PNG"));
        return file;
    }

    // A design on both sides with a picture, a barcode, texts, a bound
    // column, a table and records unlike the defaults; saved to `file`.
    void saveDesign(const QString& file) {
        auto text = std::make_shared<SKTText>();
        text->setBounds(QRectF(10, 12, 120, 30));
        text->Text_Value = QStringLiteral("Dear guest");
        text->excel_binding = true;
        text->excel_col_indx = 1;
        auto shape = std::make_shared<Shape_Control>();
        shape->setBounds(QRectF(5, 5, 50, 40));
        auto image = std::make_shared<SKTImage>();
        image->setFilePath(picture(QStringLiteral("pic.png"), Qt::blue));
        image->setBounds(QRectF(20, 20, 40, 30));
        m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {text, shape, image}, {0, 1, 2});
        auto qr = std::make_shared<SKTBarcode>();
        qr->setBounds(QRectF(60, 10, 60, 60));
        qr->linear_or_2d = 1;
        auto hidden = std::make_shared<SKTText>();
        hidden->control_ID = QStringLiteral("Fup_Name");
        hidden->ctrl_is_visible = false;
        m_document->insertGraphicsInList(SKTDocumentGraphicsKey_back, {qr, hidden}, {0, 1});

        Card_Property& front = m_controller->Front_card_Prop;
        front.setCard_Size(QSizeF(300, 200));
        front.setCard_Name(QStringLiteral("Party"));
        front.setCard_Shape(QStringLiteral("RR"));
        front.setCard_fill_chk(true);
        front.setCard_fill_style(QStringLiteral("I"));
        front.setCard_BG_Image_Path(picture(QStringLiteral("bg.png"), Qt::green));
        m_controller->Back_card_Prop.setCard_Size(QSizeF(300, 200));
        ImportedTable& table = Imported_Table();
        table.Add_Column(QStringLiteral("Name"));
        table.Create_List_By_Array({QStringLiteral("Ann")}, 1);
        Excel_Binding_Use = 1;
        Excel_Source_Path = QStringLiteral("/data/guests.xlsx");
        m_saveAnswer = file;
        ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);
    }

    // Everything an open may change, as comparable text.
    QStringList designState() const {
        QStringList state;
        state << recordFields(m_controller->Front_card_Prop);
        state << recordFields(m_controller->Back_card_Prop);
        for (const QByteArray& archive : archives(m_document->graphics())) {
            state << QString::fromLatin1(archive.toBase64());
        }
        state << QStringLiteral("|");
        for (const QByteArray& archive : archives(m_document->graphics_back())) {
            state << QString::fromLatin1(archive.toBase64());
        }
        state << Imported_Table().allColumnTitles();
        for (const auto& row : Imported_Table().ListData()) {
            for (auto it = row.cbegin(); it != row.cend(); ++it) {
                state << it.key() + QLatin1Char('=') + it.value();
            }
        }
        state << QString::number(Excel_Binding_Use.load()) << Excel_Source_Path << Project_File_Name
              << m_controller->window()->windowTitle() << QString::number(Card_Shape.load())
              << CARD_SIDE_STR
              << QString::number(control<QComboBox>("Sides_ComboBox")->currentIndex())
              << QString::number(enabled("Back_Card_Btn"))
              << QString::number(Not_Draw_Only_Prop_Change.load())
              << QString::number(m_document->canUndo())
              << QString::number(m_document->isUndoRegistrationEnabled());
        return state;
    }

    // Opens a file through the window: either it opens (answer 1, no
    // message) or it is refused with the one message and `before` kept.
    // Answers whether it opened.
    bool openOrRefuse(const QString& file, const QStringList& before) {
        testsupport::ScriptedAlerts alerts;
        const int answer = m_controller->Read_and_load_design_Log(file, QStringLiteral("L"));
        EXPECT_TRUE(answer == 0 || answer == 1) << answer;
        if (answer == 1) {
            // At most the one message naming pictures that could not be shown.
            const QStringList texts = shown(alerts);
            EXPECT_TRUE(texts.isEmpty() ||
                        (texts.size() == 1 && texts.first().contains(QLatin1String("shown:"))))
                << texts.join('|').toStdString();
            EXPECT_EQ(Not_Draw_Only_Prop_Change.load(), 0);
            EXPECT_TRUE(m_document->isUndoRegistrationEnabled());
            EXPECT_FALSE(m_document->canUndo());
            return true;
        }
        EXPECT_EQ(shown(alerts), QStringList{kCorrupt});
        EXPECT_EQ(designState(), before);
        return false;
    }

    QString m_saveAnswer;
    QString m_openAnswer;
};

// ---- A new project ----

TEST_F(DesignOpenTest, ResetGivesEveryDesignValueItsStartingValue) {
    // A design with values unlike the starting ones everywhere.
    const QString file = path(QStringLiteral("before.dcard"));
    saveDesign(file);
    ASSERT_EQ(m_controller->Read_and_load_design_Log(file, QStringLiteral("L")), 1);
    m_controller->Back_card_Prop.setCard_Side_Name(QStringLiteral("B"));
    auto text = std::make_shared<SKTText>();
    m_document->insertGraphic(text, 0); // undoable
    ASSERT_TRUE(m_document->canUndo());
    QGuiApplication::clipboard()->setText(QStringLiteral("copied"));
    m_controller->grid()->setAlwaysShown(true);
    last_ctrl_X = 77;
    last_ctrl_Y = 88;
    Fill_User_Profile = 1;
    m_controller->All_Text_font_COPY = QFont(QStringLiteral("Arial"), 30);
    Card_Front_Or_Back = 1;

    m_controller->New_Project_Setting_Reset();

    // Every stored field of both records, in file order.
    const QStringList expected{"1",         "#ff000000",
                               "1",         "S",
                               "0",         "S",
                               "#ffffffff", "#ffffffff",
                               "#ffffffff", "0",
                               "",          "#ffffffff",
                               "1",         "2",
                               "F",         "R",
                               "Untitled",  "0,0",
                               "0,0",       "Horizontal",
                               "PVC Card",  "CR80-Credit Card Size",
                               "0",         "W",
                               "",          "Stretch",
                               "#ff000000", "Times New Roman14"};
    EXPECT_EQ(recordFields(m_controller->Front_card_Prop), expected);
    EXPECT_EQ(recordFields(m_controller->Back_card_Prop), expected);
    EXPECT_TRUE(m_controller->Front_card_Prop.Card_BG_Image().isNull());
    // The renderers see the same records.
    EXPECT_EQ(recordFields(CardRenderInputs::pageRecord(0)), expected);
    EXPECT_EQ(recordFields(CardRenderInputs::pageRecord(1)), expected);

    EXPECT_TRUE(m_document->graphics().isEmpty());
    EXPECT_TRUE(m_document->graphics_back().isEmpty());
    EXPECT_FALSE(m_document->canUndo());
    EXPECT_TRUE(Project_File_Name.isEmpty());
    EXPECT_EQ(m_controller->window()->windowTitle(), m_controller->App_Name);
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(!clipboard || clipboard->formats().isEmpty());
    EXPECT_FALSE(m_controller->grid()->isAlwaysShown());
    EXPECT_EQ(last_ctrl_X, 10.0f);
    EXPECT_EQ(last_ctrl_Y, 10.0f);
    EXPECT_EQ(Fill_User_Profile, 0);
    EXPECT_EQ(m_controller->All_Text_font.family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(m_controller->All_Text_font.pointSizeF(), 14.0);
    EXPECT_FALSE(m_controller->All_Text_font_COPY.has_value());
    EXPECT_EQ(control<QLabel>("All_Text_font_value")->text(),
              QStringLiteral("Times New Roman ( 14.00 )"));
    EXPECT_TRUE(control<QLabel>("All_Text_font_value_COPY")->text().isEmpty());
    EXPECT_EQ(Card_Front_Or_Back.load(), 0);
    EXPECT_EQ(Not_Draw_Only_Prop_Change.load(), 0);
}

// ---- Hostile files ----

QByteArray nestedArrays(int depth) {
    QByteArray bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">";
    bytes += QByteArray("<array>").repeated(depth);
    bytes += QByteArray("</array>").repeated(depth);
    bytes += "</plist>";
    return bytes;
}

// Entities that would expand to gigabytes if a parser expanded them.
QByteArray entityBomb() {
    QByteArray bytes = "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [\n<!ENTITY a0 \"aaaaaaaaaa\">\n";
    for (int i = 1; i < 10; ++i) {
        bytes += QStringLiteral("<!ENTITY a%1 \"").arg(i).toLatin1();
        bytes += QStringLiteral("&a%1;").arg(i - 1).toLatin1().repeated(10);
        bytes += "\">\n";
    }
    bytes += "]>\n<plist version=\"1.0\"><array><string>&a9;</string></array></plist>";
    return bytes;
}

// A binary property list whose only array names itself as its item.
QByteArray selfContainingBinary() {
    QByteArray bytes("bplist00");
    bytes += char(0xA1); // array of one item
    bytes += char(0x00); // item: object 0, the array itself
    const int offsetTable = bytes.size();
    bytes += char(8);
    QByteArray trailer(32, '\0');
    trailer[6] = 1;  // offset size
    trailer[7] = 1;  // reference size
    trailer[15] = 1; // one object
    trailer[31] = char(offsetTable);
    return bytes + trailer;
}

TEST_F(DesignOpenTest, HostileFilesAreRefusedWithoutAnyChange) {
    const QString sound = path(QStringLiteral("sound.dcard"));
    saveDesign(sound);
    ASSERT_EQ(m_controller->Read_and_load_design_Log(sound, QStringLiteral("L")), 1);
    const QStringList before = designState();
    ASSERT_EQ(m_document->graphics().size(), 3);

    const QString folder = path(QStringLiteral("a folder.dcard"));
    QDir().mkpath(folder);
    const QString zero = path(QStringLiteral("zero.dcard"));
    ASSERT_EQ(symlink("/dev/zero", zero.toLocal8Bit().constData()), 0);
    const QString loop = path(QStringLiteral("loop.dcard"));
    ASSERT_EQ(symlink(loop.toLocal8Bit().constData(), loop.toLocal8Bit().constData()), 0);
    const QString fifo = path(QStringLiteral("pipe.dcard"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    // Over the 64 MiB a design file may have (sparse: no disk is used).
    const QString huge = path(QStringLiteral("huge.dcard"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64(65) * 1024 * 1024));
    }
    const QByteArray bytes = readAll(sound);
    const struct {
        const char* name;
        QString file;
        QByteArray content; // written to the file when not empty
    } cases[] = {
        {"a missing file", path(QStringLiteral("missing.dcard")), {}},
        {"a folder", folder, {}},
        {"a link to a device", zero, {}},
        {"a link to itself", loop, {}},
        {"a FIFO", fifo, {}},
        {"over 64 MiB", huge, {}},
        {"nested 100,000 deep", path("deep.dcard"), nestedArrays(100000)},
        {"entities", path("bomb.dcard"), entityBomb()},
        {"a binary array holding itself", path("self.dcard"), selfContainingBinary()},
        {"binary signature only", path("sig.dcard"), QByteArray("bplist00")},
        {"NUL bytes", path("nul.dcard"), QByteArray(4096, '\0')},
        {"the sound file in UTF-16", path("utf16.dcard"),
         QByteArray(reinterpret_cast<const char*>(QString::fromUtf8(bytes).utf16()),
                    bytes.size() * 2)},
        {"cut inside the closing tags", path("cut.dcard"),
         bytes.left(bytes.lastIndexOf("</array>") + 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.content.isEmpty()) {
            writeBytes(c.file, c.content);
        }
        EXPECT_FALSE(openOrRefuse(c.file, before));
    }
}

// Single elements of a sound file replaced by defective values.
TEST_F(DesignOpenTest, DefectiveElementsAreRefusedWithoutAnyChange) {
    const QString sound = path(QStringLiteral("sound.dcard"));
    saveDesign(sound);
    ASSERT_EQ(m_controller->Read_and_load_design_Log(sound, QStringLiteral("L")), 1);
    const QStringList before = designState();
    const Plist root = Plist::fromBytes(readAll(sound));
    const auto items = root.view().items();
    ASSERT_EQ(items.size(), 68u);

    auto text = [](const char* value) { return Plist::string(QString::fromUtf8(value)); };
    const QByteArray colour = KeyedArchiver::archivedRootValue(QColor(Qt::red));
    const struct {
        const char* name;
        int index;
        std::function<Plist()> value;
    } cases[] = {
        {"location of infinity", 18, [&] { return text("{inf, 0}"); }},
        {"location not a number", 18, [&] { return text("{nan, 0}"); }},
        {"location beyond doubles", 18, [&] { return text("{1e400, 0}"); }},
        {"negative size", 19, [&] { return text("{-1, 5}"); }},
        {"size of one number", 19, [&] { return text("{5}"); }},
        {"back size over 14,400", 47, [&] { return text("{300, 14400.5}"); }},
        {"opacity not a number", 13, [&] { return text("nan"); }},
        {"opacity beyond floats", 13, [&] { return text("1e39"); }},
        {"border width beyond 32 bits", 3, [&] { return text("2147483648"); }},
        {"a colour in the font element", 28, [&] { return Plist::data(colour); }},
        {"binding flag an array", 57, [] { return Plist::array(); }},
        {"source path data", 58, [] { return Plist::data("x"); }},
        {"a title not a string", 59,
         [] {
             Plist titles = Plist::array();
             titles.append(Plist::integer(1));
             return titles;
         }},
        {"a cell holding a dictionary", 60,
         [] {
             Plist row = Plist::dictionary();
             row.insert(QStringLiteral("Column1"), Plist::dictionary());
             Plist rows = Plist::array();
             rows.append(std::move(row));
             return rows;
         }},
        {"front count with a sign", 61, [&] { return text("+3"); }},
        {"front count with a blank", 61, [&] { return text(" 3"); }},
        {"back count larger than the rest", 65, [&] { return text("3"); }},
        {"an object that is a string", 62, [&] { return text("SKTText"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Plist array = Plist::array();
        for (int i = 0; i < int(items.size()); ++i) {
            array.append(i == c.index ? c.value() : items[std::size_t(i)].clone());
        }
        const QString file = path(QStringLiteral("defect.dcard"));
        writeBytes(file, array.toBytes(PlistFormat::Xml));
        EXPECT_FALSE(openOrRefuse(file, before));
    }
}

// Pictures of a design that give no picture: the design opens with their
// paths kept, and then one message names them all; pictures that only name
// the program's placeholders are not told.
TEST_F(DesignOpenTest, PicturesThatCannotBeShownAreToldOnceAfterTheOpen) {
    const QString sound = path(QStringLiteral("sound.dcard"));
    saveDesign(sound);
    const QString pic = path(QStringLiteral("pic.png"));
    const QString bg = path(QStringLiteral("bg.png"));
    // The same design with placeholder pictures: the resource folder's
    // "no.png" (absent here), another installation's, and no path at all.
    const QString placeholders = path(QStringLiteral("placeholders.dcard"));
    {
        auto image = std::dynamic_pointer_cast<SKTImage>(m_document->graphics().at(2));
        ASSERT_NE(image, nullptr);
        image->_file_path = QDir(m_resources).filePath(QStringLiteral("no.png"));
        for (const QString& other : {QStringLiteral("/opt/cards/resources/no.png"), QString()}) {
            auto more = std::make_shared<SKTImage>();
            more->_file_path = other;
            m_document->insertGraphic(more, 0);
        }
        m_saveAnswer = placeholders;
        ASSERT_EQ(m_controller->Save_project_file(true, 0), SaveResult::Saved);
    }
    const auto makeFifo = [](const QString& file) {
        ASSERT_TRUE(QFile::remove(file));
        ASSERT_EQ(mkfifo(file.toLocal8Bit().constData(), 0600), 0);
    };
    const struct {
        const char* name;
        QString design;
        std::function<void()> damage;
        QString told;
    } rows[] = {
        {"placeholders", placeholders, [] {}, QString()},
        {"missing", sound,
         [&] {
             ASSERT_TRUE(QFile::remove(pic));
             ASSERT_TRUE(QFile::remove(bg));
         },
         QStringLiteral("These pictures of the design could not be shown:\n"
                        "\"%1\" cannot be found.\n\"%2\" cannot be found.")
             .arg(pic, bg)},
        {"fifos", sound,
         [&] {
             picture(QStringLiteral("pic.png"), Qt::blue);
             picture(QStringLiteral("bg.png"), Qt::green);
             makeFifo(pic);
             makeFifo(bg);
         },
         QStringLiteral("These pictures of the design could not be shown:\n"
                        "\"%1\" is not a picture the program can read.\n"
                        "\"%2\" is not a picture the program can read.")
             .arg(pic, bg)},
        {"one missing", sound,
         [&] {
             ASSERT_TRUE(QFile::remove(pic));
             ASSERT_TRUE(QFile::remove(bg));
             picture(QStringLiteral("bg.png"), Qt::green);
         },
         QStringLiteral("This picture of the design could not be shown:\n"
                        "\"%1\" cannot be found.")
             .arg(pic)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        row.damage();
        testsupport::ScriptedAlerts alerts;
        ASSERT_EQ(m_controller->Read_and_load_design_Log(row.design, QStringLiteral("L")), 1);
        EXPECT_EQ(shown(alerts), row.told.isEmpty() ? QStringList() : QStringList{row.told});
        // The design is open, its pictures' paths kept.
        EXPECT_EQ(Project_File_Name, row.design);
        const auto image = std::dynamic_pointer_cast<SKTImage>(m_document->graphics().last());
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->FilePath() == pic, row.design == sound);
        EXPECT_EQ(m_controller->Front_card_Prop.Card_BG_Image_Path(), bg);
    }
}

// Mutants of a sound file, made with a printed fixed seed: byte changes,
// element changes (replaced, removed, doubled, moved) and cuts. Every one is
// opened through the window: opened, or refused without any change.
TEST_F(DesignOpenTest, MutatedFilesOpenOrAreRefusedThroughTheWindow) {
    const QString sound = path(QStringLiteral("sound.dcard"));
    saveDesign(sound);
    ASSERT_EQ(m_controller->Read_and_load_design_Log(sound, QStringLiteral("L")), 1);
    const QStringList before = designState();
    const QByteArray bytes = readAll(sound);
    const Plist root = Plist::fromBytes(bytes);
    const auto items = root.view().items();
    ASSERT_EQ(items.size(), 63u + 3u + 2u);

    const quint32 seed = 4021;
    std::printf("design file mutants, seed %u\n", seed);
    QRandomGenerator random(seed);
    const QString file = path(QStringLiteral("mutant.dcard"));
    int opened = 0;
    int refused = 0;
    auto tryMutant = [&](const QByteArray& mutant) {
        writeBytes(file, mutant);
        if (openOrRefuse(file, before)) {
            ++opened;
            // Back to the sound design for the next mutant.
            ASSERT_EQ(m_controller->Read_and_load_design_Log(sound, QStringLiteral("L")), 1);
            ASSERT_EQ(designState(), before);
        } else {
            ++refused;
        }
    };
    const QByteArray fontArchive =
        KeyedArchiver::archivedRootValue(QFont(QStringLiteral("Arial"), 12));
    const QByteArray colourArchive = KeyedArchiver::archivedRootValue(QColor(Qt::red));
    auto element = [&]() -> Plist {
        switch (random.bounded(9)) {
        case 0:
            return Plist::string(QString::number(qint64(random.bounded(2000000)) - 1000000));
        case 1:
            return Plist::string(QStringLiteral("{%1, %2}")
                                     .arg(random.bounded(30000) - 1000)
                                     .arg(random.bounded(30000) - 1000));
        case 2:
            return Plist::integer(random.bounded(100));
        case 3:
            return Plist::data(fontArchive);
        case 4:
            return Plist::data(colourArchive);
        case 5: {
            QByteArray noise(int(random.bounded(64)), '\0');
            for (char& c : noise) {
                c = char(random.bounded(256));
            }
            return Plist::data(noise);
        }
        case 6:
            return Plist::array();
        case 7:
            return Plist::dictionary();
        default:
            return Plist::string(QStringLiteral("Y"));
        }
    };
    for (int i = 0; i < 1000 && !HasFatalFailure(); ++i) {
        QByteArray mutant = bytes;
        const int changes = 1 + int(random.bounded(6));
        for (int c = 0; c < changes; ++c) {
            mutant[int(random.bounded(quint32(mutant.size())))] = char(random.bounded(256));
        }
        tryMutant(mutant);
    }
    for (int i = 0; i < 1000 && !HasFatalFailure(); ++i) {
        const int at = int(random.bounded(quint32(items.size())));
        const int kind = int(random.bounded(4));
        Plist array = Plist::array();
        for (int j = 0; j < int(items.size()); ++j) {
            if (j != at) {
                array.append(items[std::size_t(j)].clone());
                continue;
            }
            if (kind == 0) {
                array.append(element()); // replaced
            } else if (kind == 2) {
                array.append(items[std::size_t(j)].clone()); // doubled
                array.append(items[std::size_t(j)].clone());
            } else if (kind == 3) {
                // moved to the end
            }
            // kind 1: removed
        }
        if (kind == 3) {
            array.append(items[std::size_t(at)].clone());
        }
        tryMutant(array.toBytes(random.bounded(2) ? PlistFormat::Xml : PlistFormat::Binary));
    }
    for (int i = 0; i < 64 && !HasFatalFailure(); ++i) {
        if (i % 2 == 0) {
            tryMutant(bytes.left(int(random.bounded(quint32(bytes.size())))));
        } else {
            Plist array = Plist::array();
            const int keep = int(random.bounded(quint32(items.size())));
            for (int j = 0; j < keep; ++j) {
                array.append(items[std::size_t(j)].clone());
            }
            tryMutant(array.toBytes(PlistFormat::Xml));
        }
    }
    EXPECT_EQ(opened + refused, 2064);
    EXPECT_GT(opened, 0);
    EXPECT_GT(refused, 1000);
    std::printf("opened %d, refused %d\n", opened, refused);
}

// ---- Numbers ----

// A German number format for the scope, for C and for Qt.
class GermanNumbers {
public:
    GermanNumbers() : m_c(std::setlocale(LC_NUMERIC, nullptr)), m_qt(QLocale()) {
        m_active = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~GermanNumbers() {
        std::setlocale(LC_NUMERIC, m_c.c_str());
        QLocale::setDefault(m_qt);
    }
    GermanNumbers(const GermanNumbers&) = delete;
    GermanNumbers& operator=(const GermanNumbers&) = delete;
    bool active() const { return m_active; }

private:
    std::string m_c;
    QLocale m_qt;
    bool m_active = false;
};

TEST_F(DesignOpenTest, NumbersAreWrittenAndReadWithAPointWhateverTheLocale) {
    GermanNumbers german;
    if (!german.active()) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    }
    Card_Property& front = m_controller->Front_card_Prop;
    front.setCard_alpha_Stepper(0.37f);
    front.setCard_Location(QPointF(1.5, 2.25));
    m_controller->Set_Document_Size(QSizeF(300.5, 200)); // saved as the records' size
    front.setCard_bor_Stepper(-3);
    const QString file = path(QStringLiteral("numbers.dcard"));
    m_saveAnswer = file;
    ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);
    const Plist root = Plist::fromFile(file);
    const auto items = root.view().items();
    ASSERT_EQ(items.size(), 63u);
    EXPECT_EQ(items[3].toString().value_or(""), QStringLiteral("-3"));
    EXPECT_EQ(items[13].toString().value_or(""), QStringLiteral("0.37"));
    EXPECT_EQ(items[18].toString().value_or(""), QStringLiteral("{1.5, 2.25}"));
    EXPECT_EQ(items[19].toString().value_or(""), QStringLiteral("{300.5, 200}"));

    // The stored location reads back (the card inspector then puts every
    // side at the canvas origin).
    const auto read = design_file::Read_Design_File(file);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->front.Card_Location(), QPointF(1.5, 2.25));

    m_controller->New_Project_Setting_Reset();
    ASSERT_EQ(m_controller->Read_and_load_design_Log(file, QStringLiteral("L")), 1);
    EXPECT_FLOAT_EQ(m_controller->Front_card_Prop.Card_alpha_Stepper(), 0.37f);
    EXPECT_EQ(m_controller->Front_card_Prop.Card_Size(), QSizeF(300.5, 200));
    EXPECT_EQ(m_controller->Front_card_Prop.Card_bor_Stepper(), -3);
}

// ---- Outline and sides ----

struct OutlineCase {
    const char* shape; // the front record's Card_Shape
    const char* sides; // the front record's Card_Side
    int cardShape;     // Card_Shape and the chosen row afterwards
    int sidesIndex;    // Sides_ComboBox afterwards
    bool backButton;   // Back_Card_Btn enabled afterwards
};

TEST_F(DesignOpenTest, OpeningAppliesTheStoredOutlineAndSides) {
    const OutlineCase cases[] = {
        {"R", "1", 0, 1, false},
        {"RR", "2", 1, 0, true},
        {"E", "1", 2, 1, false},
        {"E", "2", 2, 0, true},
        // Anything else is the ellipse and one side.
        {"X", "", 2, 1, false},
    };
    auto* sides = control<QComboBox>("Sides_ComboBox");
    auto* outline = control<RadioMatrix>("matrix_card_shape");
    ASSERT_NE(sides, nullptr);
    ASSERT_NE(outline, nullptr);
    for (const OutlineCase& c : cases) {
        SCOPED_TRACE(std::string(c.shape) + "/" + c.sides);
        m_controller->New_Project_Setting_Reset();
        m_controller->Front_card_Prop.setCard_Size(QSizeF(200, 100));
        m_controller->Front_card_Prop.setCard_Shape(QString::fromLatin1(c.shape));
        m_controller->Front_card_Prop.setCard_Side(QString::fromLatin1(c.sides));
        const QString file = path(QStringLiteral("outline.dcard"));
        m_saveAnswer = file;
        ASSERT_EQ(m_controller->Save_project_file(true, 0), SaveResult::Saved);

        // The window shows the opposite of what the file holds.
        sides->setCurrentIndex(1 - c.sidesIndex);
        m_controller->comboBoxSelectionDidChange(sides);
        ASSERT_EQ(enabled("Back_Card_Btn"), !c.backButton);
        Card_Shape = (c.cardShape + 1) % 3;
        outline->selectCellAtRow(Card_Shape, 0);

        m_openAnswer = file;
        testsupport::ScriptedAlerts alerts({0});
        m_controller->Open_Btn_Clicked();
        ASSERT_EQ(Project_File_Name, file);
        EXPECT_EQ(Card_Shape.load(), c.cardShape);
        EXPECT_EQ(outline->selectedRow(), c.cardShape);
        EXPECT_EQ(CARD_SIDE_STR, c.sidesIndex == 0 ? QStringLiteral("2") : QStringLiteral("1"));
        EXPECT_EQ(sides->currentIndex(), c.sidesIndex);
        EXPECT_EQ(enabled("Back_Card_Btn"), c.backButton);
        // The records keep what the file holds.
        EXPECT_EQ(m_controller->Front_card_Prop.Card_Shape(), QString::fromLatin1(c.shape));
        EXPECT_EQ(m_controller->Front_card_Prop.Card_Side(), QString::fromLatin1(c.sides));
    }
}

// ---- The window after an open ----

TEST_F(DesignOpenTest, MainWindowAfterAnOpen) {
    auto shape = std::make_shared<Shape_Control>();
    shape->_shape_type = QStringLiteral("RR");
    shape->setBounds(QRectF(40, 40, 120, 80));
    shape->_fillColor = QColor(200, 40, 40);
    ASSERT_TRUE(m_document->insertGraphic(shape, 0));
    m_controller->Front_card_Prop.setCard_Size(QSizeF(360, 250));
    m_controller->Front_card_Prop.setCard_Name(QStringLiteral("Garden party"));
    const QString file = path(QStringLiteral("garden.dcard"));
    m_saveAnswer = file;
    ASSERT_EQ(m_controller->Save_project_file(false, 0), SaveResult::Saved);

    m_controller->New_Project_Setting_Reset();
    ASSERT_TRUE(m_document->graphics().isEmpty());
    m_openAnswer = file;
    testsupport::ScriptedAlerts alerts({0});
    m_controller->Open_Btn_Clicked();
    QCoreApplication::processEvents();

    MainWindowFrame* window = m_controller->window();
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("%1 ( garden.dcard )").arg(m_controller->App_Name));
    const QImage shot = window->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    // The opened shape's red shows inside its bounds on the front canvas.
    QWidget* canvas = m_controller->canvasOfSide(0);
    ASSERT_NE(canvas, nullptr);
    ASSERT_TRUE(canvas->isVisible());
    const QPoint inside = canvas->mapTo(window, QPoint(100, 80));
    const QColor seen(shot.pixel(inside * shot.devicePixelRatio()));
    EXPECT_GT(seen.red(), seen.blue() + 60) << seen.name().toStdString();
    EXPECT_GT(seen.red(), seen.green() + 60) << seen.name().toStdString();
    // The card inspector shows the opened card's name.
    EXPECT_EQ(control<QLineEdit>("card_name")->text(), QStringLiteral("Garden party"));

    const QString folder = qEnvironmentVariable("CARD_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        EXPECT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("main_window_after_open.png"))));
    }
}

// File > Open replaces the design only with a file it has read and
// accepted: a cancelled panel or a refused file leaves the design, its file
// name and the window as they were, and no start wizard runs.
TEST_F(DesignOpenTest, ACancelledOrRefusedOpenKeepsTheDesign) {
    const QString sound = path(QStringLiteral("kept.dcard"));
    saveDesign(sound);
    ASSERT_EQ(m_controller->Read_and_load_design_Log(sound, QStringLiteral("L")), 1);
    const QByteArray bytes = readAll(sound);
    writeBytes(path(QStringLiteral("cut.dcard")), bytes.left(bytes.size() / 2));
    writeBytes(path(QStringLiteral("text.dcard")), "a letter, not a design");
    int wizards = 0;
    m_startScript = [&wizards](Invitation_Wizard&) {
        ++wizards;
        return 0;
    };
    const QString question = QStringLiteral("Do you want to save changes before opening document?");
    struct Row {
        const char* name;
        const char* file; // "" cancels the panel
        QStringList messages;
    };
    const Row rows[] = {
        {"cancelled", "", {question}},
        {"cut in half", "cut.dcard", {question, kCorrupt}},
        {"not a design", "text.dcard", {question, kCorrupt}},
    };
    QAction* open = m_controller->window()->findChild<QAction*>(QStringLiteral("Open_action"));
    ASSERT_NE(open, nullptr);
    const QStringList before = designState();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_openAnswer = *row.file ? path(QString::fromLatin1(row.file)) : QString();
        testsupport::ScriptedAlerts alerts({0}); // No to saving first
        open->trigger();
        EXPECT_EQ(shown(alerts), row.messages);
        EXPECT_EQ(designState(), before);
        EXPECT_EQ(m_document->graphics().size(), 3);
        EXPECT_EQ(wizards, 0);
        EXPECT_FALSE(m_exitCode.has_value());
    }
}

// ---- The spreadsheet binding ----

TEST_F(DesignOpenTest, TheStoredBindingOffersOrWithdrawsTheExcelSource) {
    auto* kinds = control<QComboBox>("Data_source_type");
    ASSERT_NE(kinds, nullptr);
    auto items = [kinds] {
        QStringList texts;
        for (int i = 0; i < kinds->count(); ++i) {
            texts << kinds->itemText(i);
        }
        return texts;
    };
    const QStringList withExcel{"Manual", "Series", "Excel"};
    const QStringList without{"Manual", "Series"};
    for (const bool bound : {true, false}) {
        SCOPED_TRACE(bound ? "bound" : "not bound");
        Excel_Binding_Use = bound ? 1 : 0;
        const QString file = path(QStringLiteral("binding.dcard"));
        m_saveAnswer = file;
        ASSERT_EQ(m_controller->Save_project_file(true, 0), SaveResult::Saved);
        // The window offers the opposite of what the file holds.
        if (bound) {
            SKTWindowController::Remove_Excel_Col_Name_In_Combo(*kinds);
        } else {
            SKTWindowController::Add_Excel_Col_Name_In_Combo(*kinds);
        }
        ASSERT_EQ(items(), bound ? without : withExcel);
        Excel_Binding_Use = bound ? 0 : 1;

        ASSERT_EQ(m_controller->Read_and_load_design_Log(file, QStringLiteral("L")), 1);
        EXPECT_EQ(Excel_Binding_Use.load(), bound ? 1 : 0);
        EXPECT_EQ(items(), bound ? withExcel : without);
    }
}

// ---- The commands that reach the reader and the writer through entries ----

TEST_F(DesignOpenTest, TheStartWizardsOpenChoiceOpensADesign) {
    const QString file = path(QStringLiteral("wizard.dcard"));
    saveDesign(file);
    int wizardResult = -1;
    m_startScript = [&](Invitation_Wizard& wizard) {
        wizard.setResult(0); // as a modal run starts
        wizard.Open_Log_Click();
        wizardResult = wizard.result();
        return wizardResult;
    };
    m_openAnswer = file;
    {
        testsupport::ScriptedAlerts alerts;
        m_controller->New_Project();
        EXPECT_TRUE(shown(alerts).isEmpty());
    }
    EXPECT_EQ(wizardResult, 1);
    EXPECT_FALSE(m_exitCode.has_value());
    EXPECT_EQ(m_document->graphics().size(), 3);
    EXPECT_EQ(m_document->graphics_back().size(), 2);
    EXPECT_EQ(Project_File_Name, file);
    EXPECT_EQ(m_controller->Front_card_Prop.Card_Name(), QStringLiteral("Party"));

    // A damaged file keeps the wizard at its start box; left there, the
    // program ends.
    const QString bad = path(QStringLiteral("bad.dcard"));
    writeBytes(bad, "not a design");
    m_openAnswer = bad;
    testsupport::ScriptedAlerts alerts;
    m_startScript = [&](Invitation_Wizard& wizard) {
        wizard.setResult(0); // as a modal run starts
        wizard.Open_Log_Click();
        wizardResult = wizard.result();
        return wizard.result() == 1 ? 1 : 0;
    };
    m_controller->New_Project();
    EXPECT_EQ(wizardResult, 0);
    EXPECT_EQ(shown(alerts), QStringList{kCorrupt});
    EXPECT_EQ(m_exitCode, std::optional<int>(0));
}

TEST_F(DesignOpenTest, ExitSavesThroughTheDesignFileWriter) {
    auto text = std::make_shared<SKTText>();
    text->Text_Value = QStringLiteral("Before leaving");
    m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {text}, {0});
    const QString question = QStringLiteral("Do you want to save changes before closing?");
    {
        // Yes, then the save panel is cancelled: the program stays.
        testsupport::ScriptedAlerts alerts({1});
        m_saveAnswer.clear();
        EXPECT_FALSE(m_controller->Exit_App());
        EXPECT_FALSE(m_exitCode.has_value());
        EXPECT_EQ(shown(alerts), QStringList{question});
    }
    {
        // Yes, and the write fails: the program stays.
        testsupport::ScriptedAlerts alerts({1});
        m_saveAnswer = path(QStringLiteral("no/such/folder/exit.dcard"));
        EXPECT_FALSE(m_controller->Exit_App());
        EXPECT_FALSE(m_exitCode.has_value());
        EXPECT_EQ(firstLines(alerts), (QStringList{question, QStringLiteral("fail")}));
    }
    {
        // Yes and a place: the design is written, then the program ends.
        testsupport::ScriptedAlerts alerts({1});
        Project_File_Name.clear();
        const QString file = path(QStringLiteral("exit.dcard"));
        m_saveAnswer = file;
        EXPECT_TRUE(m_controller->Exit_App());
        EXPECT_EQ(m_exitCode, std::optional<int>(0));
        const auto saved = design_file::Read_Design_File(file);
        ASSERT_TRUE(saved.has_value());
        ASSERT_EQ(saved->frontObjects.size(), 1);
        EXPECT_EQ(saved->frontObjects.first()->Text_Value, QStringLiteral("Before leaving"));
    }
}

TEST_F(DesignOpenTest, OpenStopsAfterAFailedSave) {
    auto text = std::make_shared<SKTText>();
    m_document->insertGraphicsInList(SKTDocumentGraphicsKey, {text}, {0});
    const QString other = path(QStringLiteral("other.dcard"));
    writeBytes(other, "never read");
    m_openAnswer = other;
    m_saveAnswer = path(QStringLiteral("no/such/folder/x.dcard"));
    testsupport::ScriptedAlerts alerts({1});
    m_controller->Open_Btn_Clicked();
    EXPECT_EQ(firstLines(alerts),
              (QStringList{QStringLiteral("Do you want to save changes before opening document?"),
                           QStringLiteral("fail")}));
    EXPECT_EQ(m_document->graphics().size(), 1);
    EXPECT_FALSE(m_exitCode.has_value());
}

struct RenameCase {
    const char* typed;
    int answer;
    const char* chosen; // "" when nothing is chosen
    const char* alert;  // "" when none
};

TEST_F(DesignOpenTest, RenameAsksForTheNameWithTheCurrentOnePassed) {
    const auto ask = window_entries::templateName.get();
    ASSERT_TRUE(ask);
    const QString folder = Export_Template::userTemplateFolder();
    QDir().mkpath(folder);
    for (const char* name : {"Party.dcard", "Party.png", "Other.dcard", "Other.png"}) {
        writeBytes(QDir(folder).filePath(QString::fromLatin1(name)), "kept");
    }
    const RenameCase cases[] = {
        {"Party", 1, "Party", ""}, // its own name is no clash
        {"Other", 0, "", "Template with this name already exists."},
        {" Garden? ", 1, "Garden", ""},
        {"../Party", 0, "", "Please enter template name."},
    };
    for (const RenameCase& c : cases) {
        SCOPED_TRACE(c.typed);
        QString seenName;
        QString seenPassed;
        hooks::setModalRunner([&](QDialog& dialog) {
            auto* names = dynamic_cast<Export_Template*>(&dialog);
            if (!names) {
                return 0;
            }
            names->setResult(0); // as a modal run starts
            seenName = names->template_name()->text();
            seenPassed = names->template_passed()->text();
            names->template_name()->setText(QString::fromUtf8(c.typed));
            names->OKPressed();
            if (names->result() != 1) {
                names->CancelPressed();
            }
            return names->result();
        });
        testsupport::ScriptedAlerts alerts;
        QString chosen;
        EXPECT_EQ(ask(QStringLiteral("Party"), chosen), c.answer);
        EXPECT_EQ(chosen, QString::fromUtf8(c.chosen));
        EXPECT_EQ(seenName, QStringLiteral("Party"));
        EXPECT_EQ(seenPassed, QStringLiteral("Party"));
        EXPECT_EQ(shown(alerts),
                  *c.alert ? QStringList{QString::fromUtf8(c.alert)} : QStringList());
    }
    // Nothing was written or removed by asking.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 4);
}

TEST_F(DesignOpenTest, TemplateExportAsksForNoPlaceAndPutsTheSideBack) {
    auto shape = std::make_shared<Shape_Control>();
    shape->setBounds(QRectF(10, 10, 40, 40));
    m_document->insertGraphicsInList(SKTDocumentGraphicsKey_back, {shape}, {0});
    int savePanels = 0;
    hooks::setSavePanel([&](const hooks::SavePanelRequest&) {
        ++savePanels;
        return QString();
    });
    hooks::setModalRunner([](QDialog& dialog) {
        auto* names = dynamic_cast<Export_Template*>(&dialog);
        if (!names) {
            return 0;
        }
        names->setResult(0);
        names->template_name()->setText(QStringLiteral("Side"));
        names->OKPressed();
        return names->result();
    });
    for (const int side : {1, 0}) {
        SCOPED_TRACE(side);
        if (side == 1) {
            m_controller->Select_back_side();
        } else {
            m_controller->Select_front_side();
        }
        testsupport::ScriptedAlerts alerts({1}); // replacing the first export
        m_controller->Export_As_Template_Clicked();
        EXPECT_EQ(shown(alerts).last(), QStringLiteral("Template exported successfully."));
        EXPECT_EQ(Card_Front_Or_Back.load(), side);
        EXPECT_EQ(savePanels, 0);
        const QString folder = Export_Template::userTemplateFolder();
        EXPECT_FALSE(QImage(QDir(folder).filePath(QStringLiteral("Side.png"))).isNull());
        const auto saved = design_file::Read_Design_File(QDir(folder).filePath("Side.dcard"));
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(saved->backObjects.size(), 1);
    }
}

// ---- The prepared templates ----

// The templates the program ships, in the template window and opened as
// templates (the design keeps no file name).
TEST_F(DesignOpenTest, PreparedTemplatesAreListedAndOpen) {
    const QDir shipped(QStringLiteral(CARD_SOURCE_DIR "/resources/Templates"));
    const QString folder = QDir(m_resources).filePath(QStringLiteral("Templates"));
    QDir().mkpath(folder);
    for (const QString& name : shipped.entryList(QDir::Files)) {
        ASSERT_TRUE(QFile::copy(shipped.filePath(name), QDir(folder).filePath(name)));
    }
    QStringList titles;
    hooks::setModalRunner([&](QDialog& dialog) {
        auto* window = dynamic_cast<Template_Wizard*>(&dialog);
        if (!window) {
            return 0;
        }
        for (const MyImageObject& item : window->images()) {
            titles << item._title;
        }
        window->hide();
        window->OK_Click();
        return window->result();
    });
    EXPECT_EQ(m_controller->Templates_Clicked(), 1);
    EXPECT_EQ(titles, (QStringList{"Birthday.png", "Party.png", "Wedding.png"}));
    for (const char* name : {"Birthday", "Party", "Wedding"}) {
        SCOPED_TRACE(name);
        const QString design = QDir(folder).filePath(QString::fromLatin1(name) + ".dcard");
        testsupport::ScriptedAlerts alerts;
        ASSERT_EQ(m_controller->Read_and_load_design_Log(design, QStringLiteral("T")), 1);
        EXPECT_TRUE(shown(alerts).isEmpty());
        EXPECT_FALSE(m_document->graphics().isEmpty());
        EXPECT_TRUE(Project_File_Name.isEmpty());
        EXPECT_EQ(m_controller->window()->windowTitle(), m_controller->App_Name);
    }
}

} // namespace
