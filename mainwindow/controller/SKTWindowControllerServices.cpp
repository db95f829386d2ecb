// Small services other windows call on the main window controller: files,
// dates, the wait sheet, pictures and the card-size list table.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/FileFunctions.h"
#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/TimePatterns.h"
#include "dataseries/ExcelTempFolder.h"
#include "mainwindow/controller/ColListModel.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "ui_CardSettingPage.h"
#include "ui_WaitSheet.h"

#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLocale>
#include <QTableView>
#include <QUrl>
#include <QVersionNumber>
#include <exception>

#include "barcodes/IncreaseDpi.h"

int SKTWindowController::Get_OS_Version() {
    // The running framework's version number, as major * 100 + minor.
    const QVersionNumber running = QVersionNumber::fromString(QString::fromLatin1(qVersion()));
    return running.majorVersion() * 100 + running.minorVersion();
}

QStringList SKTWindowController::Get_Files_Array_At_Path(const QString& path) {
    QStringList names;
    const QFileInfo folder(path);
    if (path.isEmpty() || !folder.isDir()) {
        return names;
    }
    const QFileInfoList entries = QDir(path).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (!entry.isDir()) {
            // A name that is all extension (".hidden") stays as it is.
            const QString name = entry.completeBaseName();
            names.append(name.isEmpty() ? entry.fileName() : name);
        }
    }
    return names;
}

void SKTWindowController::Delete_Excel_File_Temp_Folder() {
    // The reader's own private folder; a link planted there is removed, never
    // followed.
    Remove_Excel_Temp_Folder();
}

QString SKTWindowController::Get_date_Value(const QString& pattern) {
    return QLocale::c().toString(QDate::currentDate(), pattern);
}

QString SKTWindowController::Get_time_Value(const QString& pattern) {
    return TimePatterns::timeText(QTime::currentTime(), pattern);
}

QString SKTWindowController::Convert_Path_From_URL(const QUrl& url) {
    return url.toLocalFile();
}

int SKTWindowController::Check_And_Validate_File_Path(const QString& path) const {
    const QString trimmed = Trim_Str(path);
    if (!trimmed.isEmpty() && QFileInfo::exists(trimmed)) {
        return 0;
    }
    Show_MessageBox(QStringLiteral("Please select valid file path."));
    return 1;
}

void SKTWindowController::Show_Create_Modeless() {
    try {
        if (!m_waitSheet) {
            return;
        }
        m_waitSheetUi->modeless_msg_lbl->setText(
            QStringLiteral("It may take a while, Please wait.."));
        m_waitSheet->open();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

void SKTWindowController::Hide_Destroy_Modeless() {
    try {
        if (m_waitSheet) {
            m_waitSheet->done(0);
            m_waitSheet->hide();
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

CardPicture SKTWindowController::Increase_DPI(const CardPicture& image, int dpi) const {
    return ::Increase_DPI(image, dpi);
}

void SKTWindowController::Create_List(const QString& text) {
    try {
        const QString trimmed = Trim_Str(text);
        if (!trimmed.isEmpty()) {
            m_colList->appendRow({{QStringLiteral("Extension"), trimmed}});
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
}

QString SKTWindowController::Get_Item_Text(int row) const {
    try {
        const QList<QVariantMap>& rows = m_colList->rows();
        if (row < 0 || row >= rows.size()) {
            return QString(); // no dictionary in that row
        }
        return rows[row].value(QStringLiteral("Extension")).toString();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return QString();
    }
}

void SKTWindowController::Mark_List_New_Selection(int row) {
    QTableView* table = ColList();
    if (!table || !table->selectionModel()) {
        return;
    }
    table->selectionModel()->clearSelection();
    if (row < 0 || row >= m_colList->rowCount()) {
        return;
    }
    table->selectionModel()->select(m_colList->index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
}

const QList<QVariantMap>& SKTWindowController::ListData() const {
    return m_colList->rows();
}

void SKTWindowController::setListData(const QList<QVariantMap>& rows) {
    m_colList->setRows(rows);
}

void SKTWindowController::Main_Thread_Messgae(const QString& text) {
    ::Main_Thread_Messgae(text);
}

int SKTWindowController::Main_Thread_Messgae_Yes_No(const QString& text) {
    return ::Main_Thread_Messgae_Yes_No(text);
}
