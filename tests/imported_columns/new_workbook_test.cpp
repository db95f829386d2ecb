// A guest workbook is imported through Contact Fields, the Name field is
// bound to its "Name" column there and a text to its "City" column on the
// data-source tab; then a second workbook is imported through Contact
// Fields. Checked: the column pop-ups, the one message, the canvas and the
// first record of an export.

#include "../profiles/profiles_fixture.h"

#include "barcodes/designer/core/DesignerLists.h"
#include "dataseries/windows/Import_Excel.h"
#include "editor/model/SKTBarcode.h"
#include "editor/render/SKTRenderingView.h"
#include "mainwindow/controller/ControllerOutputHost.h"
#include "output/BatchExporter.h"
#include "output/ExportWindow.h"
#include "output/OutputCommands.h"
#include "output/core/CardExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <climits>

namespace {

const char* const kWriteWorkbook = R"PY(
import json, sys, openpyxl
wb = openpyxl.Workbook()
for row in json.loads(sys.argv[2]):
    wb.active.append(row)
wb.save(sys.argv[1])
)PY";

const QString kRowNo = QStringLiteral("Row No.");

struct SecondWorkbook {
    const char* name;
    QList<QStringList> rows; // the second workbook, titles first
    QStringList columns;     // what the column pop-ups list afterwards
    QString nameColumn;      // the Name row's column ("" none chosen)
    QString cityColumn;      // the text's column on the data-source tab
    QString nameShown;       // the name line on the canvas
    QString cityShown;       // the text on the canvas
    QStringList messages;    // what the import said
    const char* closeWith;   // the contact-field dialog's button
};

void PrintTo(const SecondWorkbook& row, std::ostream* out) {
    *out << row.name;
}

// clang-format off
const SecondWorkbook kSecondWorkbooks[] = {
    {"SameTitlesInAnotherOrder", {{"City", "Name"}, {"Lyon", "Cora"}, {"Nice", "Dario"}},
     {kRowNo, "City", "Name"}, "Name", "City", "Cora", "Lyon", {}, "ok_btn"},
    {"OtherTitles", {{"Label", "Value"}, {"sum", "12"}, {"big", "7"}},
     {kRowNo, "Label", "Value"}, "", "", "", "",
     {"\nThe new workbook has no column for these fields; choose their columns again:\n"
      "Name: column \"Name\"\nText \"Berlin\" on the front: column \"City\"\n"
      "Barcode \"Berlin\" on the front: column \"City\""},
     "cancel_btn"},
};
// clang-format on

QStringList items(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) {
        texts << combo->itemText(i);
    }
    return texts;
}

QString chosen(const QComboBox* combo) {
    return combo->currentIndex() >= 0 ? combo->currentText() : QString();
}

// Pixels that differ by more than a faint edge in any channel.
int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return INT_MAX;
    }
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int column = 0; column < x.width(); ++column) {
            const QRgb p = x.pixel(column, row);
            const QRgb q = y.pixel(column, row);
            count +=
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))}) > 48;
        }
    }
    return count;
}

class NewWorkbookTest : public ProfilesFixture,
                        public ::testing::WithParamInterface<SecondWorkbook> {
protected:
    void TearDown() override {
        OutputHost::setCurrent(nullptr);
        m_host.reset();
        ProfilesFixture::TearDown();
    }

    QString workbook(const QString& python, const QString& name, const QList<QStringList>& rows) {
        QJsonArray table;
        for (const QStringList& row : rows) {
            table.append(QJsonArray::fromStringList(row));
        }
        const QString path = m_temp.filePath(name);
        const auto run = testsupport::runProcess(
            python, {QStringLiteral("-c"), QString::fromLatin1(kWriteWorkbook), path,
                     QString::fromUtf8(QJsonDocument(table).toJson(QJsonDocument::Compact))});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return path;
    }

    static void click(QWidget& parent, const char* name) {
        auto* button = parent.findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The user clicks the empty card, then the object, with the arrow.
    void clickOnCanvas(const std::shared_ptr<SKTGraphic>& graphic) {
        click(*m_controller->window(), "Arrow_Tool");
        QTest::mouseClick(&view(0), Qt::LeftButton, {},
                          view(0).widgetRect(QRectF(330, 330, 1, 1)).center().toPoint());
        ASSERT_TRUE(view(0).selectedGraphics().isEmpty());
        QTest::mouseClick(&view(0), Qt::LeftButton, {},
                          view(0).widgetRect(graphic->bounds()).center().toPoint());
        ASSERT_EQ(view(0).selectedGraphic(), graphic);
    }

    void showDataSourceTab() {
        QTabWidget* tabs = m_controller->sett_tab();
        const int index = tabs->indexOf(m_controller->tabPage(SKTWindowController::DataSourceTab));
        ASSERT_GE(index, 0);
        QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                          tabs->tabBar()->tabRect(index).center());
    }

    std::shared_ptr<SKTGraphic> frontObject(const QString& id) const {
        for (const auto& graphic : view(0).graphics()) {
            if (graphic->control_ID == id) {
                return graphic;
            }
        }
        return nullptr;
    }

    // Every dialog is run as the user runs it; the contact-field dialog
    // runs `inProfile`.
    void scriptDialogs() {
        m_script = [this](QDialog& dialog) {
            dialog.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            if (qobject_cast<Import_Excel*>(&dialog)) {
                click(dialog, "select_all_btn");
                click(dialog, "ok_btn");
            } else if (auto* profile = qobject_cast<Show_User_Profile*>(&dialog)) {
                m_inProfile(*profile);
            } else if (dynamic_cast<ExportWindow*>(&dialog)) {
                // 150 dpi, png, the front.
                QTest::keyClick(dialog.findChild<QComboBox*>(QStringLiteral("saveDPIText")),
                                Qt::Key_Down);
                click(dialog, "exportOkayButton");
            }
            dialog.hide();
        };
    }

    // The batch export of the front side into the temporary folder; the
    // first record's file.
    QImage exportFirstRecord() {
        testsupport::ScriptedAlerts sure({1});
        m_panelAnswer = {m_temp.path()};
        BatchExporter* exporter = BatchExporter::defaultInstance();
        bool finished = false;
        const auto onEnd =
            QObject::connect(exporter, &BatchExporter::runFinished, [&] { finished = true; });
        output::Export_Button();
        EXPECT_TRUE(QTest::qWaitFor([&] { return finished; }, 60000));
        QObject::disconnect(onEnd);
        return QImage(QDir(m_temp.path()).filePath(QStringLiteral("VOSK Festoria/Card_1.png")));
    }

    std::function<void(Show_User_Profile&)> m_inProfile;
    std::unique_ptr<ControllerOutputHost> m_host;
};

TEST_P(NewWorkbookTest, BoundColumnsFollowTheirTitles) {
    const SecondWorkbook& second = GetParam();
    CARD_REQUIRE_PYTHON_MODULE(python, "openpyxl");
    startWithSeries();
    m_host = std::make_unique<ControllerOutputHost>(*m_controller);
    OutputHost::setCurrent(m_host.get());
    m_controller->window()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_controller->window()));
    const QString guests =
        workbook(python, "guests.xlsx", {{"Name", "City"}, {"Alma", "Berlin"}, {"Bruno", "Oslo"}});
    const QString next = workbook(python, "next.xlsx", second.rows);
    scriptDialogs();

    // Contact Fields: the guest workbook, Name bound to its "Name" column.
    m_inProfile = [&](Show_User_Profile& d) {
        m_panelAnswer = {guests};
        click(d, "excel_browse_btn");
        QTest::keyClicks(d.row(0).source, QStringLiteral("E"));
        QTest::keyClicks(d.row(0).seriesColumn, QStringLiteral("Name"));
        click(d, "ok_btn");
    };
    click(*m_controller->window(), "User_Profile_Button");
    const auto name = frontObject(QStringLiteral("Fup_Name"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(plain(*name), QStringLiteral("Alma"));

    // A text bound to the "City" column on the data-source tab.
    click(*m_controller->window(), "Text_Tool");
    const auto city = view(0).selectedGraphic();
    ASSERT_NE(city, nullptr);
    ASSERT_NE(city, name);
    showDataSourceTab();
    auto* sources = control<QComboBox>("Data_source_type");
    auto* columns = control<QComboBox>("Batch_Series");
    QTest::keyClicks(sources, QStringLiteral("E"));
    QTest::keyClicks(columns, QStringLiteral("City"));
    EXPECT_EQ(plain(*city), QStringLiteral("Berlin"));
    // A QR Code bound to the same column, as an opened design holds it.
    auto code = std::make_shared<SKTBarcode>();
    code->barcode_font_index = int(DesignerLists::symbologies().indexOf(QStringLiteral("QR Code")));
    code->linear_or_2d = 1;
    code->two_d_font_val = QStringLiteral("Berlin");
    code->data_source_type = 2;
    code->excel_col_indx = city->excel_col_indx;
    code->setBounds(QRectF(200, 200, 80, 80));
    insert(0, code);
    // The temporary side has shown the front's own objects.
    click(*m_controller->window(), "Temp_Card_Btn");
    click(*m_controller->window(), "Front_Card_Btn");
    clickOnCanvas(city);
    showDataSourceTab();
    ASSERT_EQ(chosen(columns), QStringLiteral("City"));
    ASSERT_TRUE(m_alerts.texts().isEmpty()) << m_alerts.texts().join('|').toStdString();

    // Contact Fields again: the second workbook.
    QStringList rowColumns;
    QString rowColumn;
    QString rowValue;
    QStringList messages;
    m_inProfile = [&](Show_User_Profile& d) {
        m_panelAnswer = {next};
        click(d, "excel_browse_btn");
        rowColumns = items(d.row(0).seriesColumn);
        rowColumn = chosen(d.row(0).seriesColumn);
        rowValue = d.row(0).value->text();
        messages = m_alerts.texts();
        click(d, second.closeWith);
    };
    click(*m_controller->window(), "User_Profile_Button");

    EXPECT_EQ(rowColumns, second.columns);
    EXPECT_EQ(rowColumn, second.nameColumn);
    EXPECT_EQ(rowValue, second.nameShown);
    EXPECT_EQ(messages, second.messages);
    // The data-source tab of the text, still shown.
    EXPECT_EQ(items(columns), second.columns);
    EXPECT_EQ(chosen(columns), second.cityColumn);
    EXPECT_EQ(city->excel_col_indx, second.columns.indexOf(second.cityColumn));

    // The canvas, and the export's first record as the canvas showed it.
    const auto nameNow = frontObject(QStringLiteral("Fup_Name"));
    ASSERT_NE(nameNow, nullptr);
    EXPECT_EQ(plain(*nameNow), second.nameShown);
    EXPECT_EQ(plain(*city), second.cityShown);
    EXPECT_EQ(code->two_d_font_val, second.cityShown);
    EXPECT_EQ(code->excel_col_indx, second.columns.indexOf(second.cityColumn));
    QCoreApplication::processEvents();
    // The front as the canvas shows it, at the resolution chosen below.
    const QImage canvas = cardexport::rasterAt(
        SKTRenderingView::image_From_Card_Graphics(view(0).graphics(), false), 150);
    const QImage exported = exportFirstRecord();
    ASSERT_FALSE(exported.isNull());
    EXPECT_NEAR(exported.dotsPerMeterX() * 0.0254, 150, 0.5);
    EXPECT_LE(differingPixels(canvas, exported), 12);
}

INSTANTIATE_TEST_SUITE_P(SecondWorkbooks, NewWorkbookTest, ::testing::ValuesIn(kSecondWorkbooks),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
