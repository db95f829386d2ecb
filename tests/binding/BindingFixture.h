#pragma once
// A real main window controller with its own data folder, an emptied
// imported table, and helpers to place bound objects on either side.

#include "../mainwindow/mainwindow_controller_fixture.h"
#include "core/BatchState.h"
#include "dataseries/BatchTable.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/SeriesFiles.h"
#include "editor/model/SKTBarcode.h"
#include "editor/model/SKTImage.h"
#include "editor/model/SKTText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <mutex>

// Collects what goes to the log while it lives.
class LogLines {
public:
    LogLines() { m_previous = qInstallMessageHandler(&LogLines::handler); }
    ~LogLines() {
        qInstallMessageHandler(m_previous);
        const std::lock_guard lock(mutex());
        lines().clear();
    }
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;

    QStringList all() const {
        const std::lock_guard lock(mutex());
        return lines();
    }

private:
    static void handler(QtMsgType, const QMessageLogContext&, const QString& text) {
        const std::lock_guard lock(mutex());
        lines().append(text);
    }
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static QStringList& lines() {
        static QStringList l;
        return l;
    }
    QtMessageHandler m_previous = nullptr;
};

class BindingFixture : public ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        ASSERT_TRUE(m_data.isValid());
        start();
        m_previousData = Data_Folder_Path;
        Data_Folder_Path = m_data.path();
        CARD_SIDE_STR = QStringLiteral("2");
        Imported_Table() = ImportedTable();
        Use_Data_Sheet_Values = false;
        Use_Excel_Binding_Values = false;
        Total_Batch_Excel_Card = 0;
    }
    void TearDown() override {
        Imported_Table() = ImportedTable();
        Data_Folder_Path = m_previousData;
        CARD_SIDE_STR = QStringLiteral("2");
        Card_Value_In_Process = 0;
        ControllerFixture::TearDown();
    }

    void series(const QString& name, const QStringList& values) {
        ASSERT_TRUE(Write_Series_File(name, values));
    }
    // An imported table of one chosen column with these values.
    void table(const QStringList& values) {
        Imported_Table() = ImportedTable();
        Imported_Table().Add_Column(QStringLiteral("Name"));
        for (const QString& value : values) {
            Imported_Table().Create_List_By_Array({value}, 1);
        }
    }

    // Adds an object to the front (side 0) or the back (1) list.
    template <typename T> std::shared_ptr<T> place(int side, const QRectF& bounds) {
        auto graphic = std::make_shared<T>();
        graphic->_bounds = bounds;
        const SKTGraphicList& list = side == 0 ? m_controller->Get_Front_Controls_Array()
                                               : m_controller->Get_Back_Controls_Array();
        const int index = int(list.size());
        if (side == 0) {
            m_document->insertGraphic(graphic, index);
        } else {
            m_document->insertGraphicsInList(SKTDocumentGraphicsKey_back, {graphic}, {index});
        }
        return graphic;
    }
    // A text bound to a series (type 1) or a column (type 2).
    std::shared_ptr<SKTText> boundText(int side, int type, const QString& seriesName,
                                       int column = 0) {
        auto text = place<SKTText>(side, QRectF(10, 10 + 30 * textCount++, 120, 24));
        bind(*text, type, seriesName, column);
        return text;
    }
    static void bind(SKTGraphic& graphic, int type, const QString& seriesName, int column = 0) {
        graphic.data_source_type = type;
        graphic.batch_list_name = seriesName;
        graphic.excel_col_indx = column;
    }
    static QString textOf(const std::shared_ptr<SKTText>& text) {
        return text->Text_contents().string();
    }

    // Processes events until `done` or about 30 s.
    template <typename Done> static bool waitFor(Done done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 30000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return done();
    }

    QTemporaryDir m_data;
    QString m_previousData;
    int textCount = 0;
};
