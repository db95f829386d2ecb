// The project life cycle: a new project, saving the design into a design
// file, opening one again, the File commands, and saving the design as a
// user template with its preview.

#include "mainwindow/controller/SKTWindowController.h"

#include "core/FileFunctions.h"
#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/globals.h"
#include "dataseries/ImportedTable.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/ContactFieldState.h"
#include "editor/model/SKTDocument.h"
#include "editor/render/CombinedCardImage.h"
#include "editor/render/SKTRenderingView.h"
#include "editor/view/SKTGrid.h"
#include "mainwindow/controller/BusyCursor.h"
#include "mainwindow/controller/DesignFile.h"
#include "mainwindow/controller/DesignOpenWait.h"
#include "mainwindow/controller/Export_Template.h"
#include "mainwindow/controller/MainWindowFrame.h"
#include "mainwindow/controller/PictureMessages.h"
#include "mainwindow/controller/TemplateFiles.h"
#include "output/core/CardExport.h"
#include "ui_CardBackgroundPage.h"
#include "ui_CardSettingPage.h"
#include "ui_DataSourcePage.h"
#include "widgets/ColorWell.h"
#include "widgets/DialogOwner.h"
#include "widgets/GuiHooks.h"
#include "widgets/RadioMatrix.h"

#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <exception>

using window_entries::SaveResult;

namespace {

const QString kCorrupt = QStringLiteral("File is corrupt and cannot be opened.");
const QString kSaved = QStringLiteral("Invitation Card Design Log has been saved successfully.");

// The failure message of a save, with the reason (the file and what the
// system said) below it.
QString saveFailedMessage(const QString& reason) {
    const QString fail = QStringLiteral("fail");
    return reason.isEmpty() ? fail : fail + QStringLiteral("\n") + reason;
}
const QString kOpenQuestion =
    QStringLiteral("Do you want to save changes before opening document?");

// Sets the flag for a scope and clears it on every way out.
class DrawOnlyGuard {
public:
    DrawOnlyGuard() { Not_Draw_Only_Prop_Change = 1; }
    ~DrawOnlyGuard() { Not_Draw_Only_Prop_Change = 0; }
    DrawOnlyGuard(const DrawOnlyGuard&) = delete;
    DrawOnlyGuard& operator=(const DrawOnlyGuard&) = delete;
};

// Switches undo registration off for a scope (one step of the counted
// switch) and back on on every way out.
class UndoPause {
public:
    explicit UndoPause(SKTDocument& document) : m_document(document) {
        m_document.Enable_Disable_Undo_Registraion(0);
    }
    ~UndoPause() { m_document.Enable_Disable_Undo_Registraion(1); }
    UndoPause(const UndoPause&) = delete;
    UndoPause& operator=(const UndoPause&) = delete;

private:
    SKTDocument& m_document;
};

// Puts the current side back on every way out.
class SideRestore {
public:
    SideRestore() : m_side(Card_Front_Or_Back.load()) {}
    ~SideRestore() { Card_Front_Or_Back = m_side; }
    SideRestore(const SideRestore&) = delete;
    SideRestore& operator=(const SideRestore&) = delete;

private:
    int m_side;
};

QString fontLabel(const QFont& font) {
    return QStringLiteral("%1 ( %2 )").arg(font.family()).arg(font.pointSizeF(), 0, 'f', 2);
}

Card_Property resetRecord(const QFont& contentFont) {
    Card_Property record;
    record.setCard_border_chk(true);
    record.setCard_bordr_clr(Qt::black);
    record.setCard_bor_Stepper(1);
    record.setCard_border_style(QStringLiteral("S"));
    record.setCard_fill_chk(false);
    record.setCard_fill_style(QStringLiteral("S"));
    record.setCard_fill_clr(Qt::white);
    record.setCard_fill_Grd_1_clr(Qt::white);
    record.setCard_fill_Grd_2_clr(Qt::white);
    record.setCard_grad_Stepper(0);
    record.setCard_hatch_style(QString());
    record.setCard_hatch_bk_clr(Qt::white);
    record.setCard_alpha_Stepper(1.0f);
    record.setCard_Side(QStringLiteral("2"));
    record.setCard_Side_Name(QStringLiteral("F"));
    record.setCard_Shape(QStringLiteral("R"));
    record.setCard_Name(QStringLiteral("Untitled"));
    record.setCard_Location(QPointF(0, 0));
    record.setCard_Size(QSizeF(0, 0));
    record.setCard_Preset(QStringLiteral("Horizontal"));
    record.setCard_Category(QStringLiteral("PVC Card"));
    record.setCard_Sub_Category(QStringLiteral("CR80-Credit Card Size"));
    record.setCard_Cat_index(0);
    record.setCard_Create_Mode(QStringLiteral("W"));
    record.setCard_Content_clr(Qt::black);
    record.setCard_Content_font(contentFont);
    record.setCard_BG_Image(CardPicture());
    record.setCard_BG_Image_Path(QString());
    record.setCard_BG_Image_Layout(QStringLiteral("Stretch"));
    return record;
}

QList<int> indexesUpTo(qsizetype count) {
    QList<int> indexes;
    indexes.reserve(count);
    for (int i = 0; i < count; ++i) {
        indexes.append(i);
    }
    return indexes;
}

} // namespace

// ---- New project ----

void SKTWindowController::New_Project_Setting_Reset() {
    DrawOnlyGuard guard;
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->clear();
    }
    Check_Path_And_Create_Files();
    if (SKTGrid* theGrid = grid()) {
        theGrid->setAlwaysShown(false);
    }
    m_document.Clear_All_Undo_Redo();
    last_ctrl_X = 10;
    last_ctrl_Y = 10;
    Fill_User_Profile = 0;
    Front_user_profile.Reset_All_Values();
    Back_user_profile.Reset_All_Values();
    Project_File_Name.clear();

    All_Text_font = QFont(Text_Ctrl_Font);
    All_Text_font.setPointSizeF(14);
    Ui::CardBackgroundPage& fill = *m_cardBackground;
    fill.All_Text_font_value->setText(fontLabel(All_Text_font));
    fill.All_Text_clr->setColor(Qt::black);
    fill.All_Text_font_value_COPY->setText(QString());
    All_Text_font_COPY.reset();
    fill.All_Text_clr_COPY->setColor(fill.All_Text_clr->color());

    Front_card_Prop = resetRecord(All_Text_font);
    Back_card_Prop = Front_card_Prop;
    Publish_Page_Records();

    Select_front_side();
    card_prop_set(QStringLiteral("S"));
    Set_Log_Name_In_Title();
    for (int side : {0, 1}) {
        if (auto* canvas = qobject_cast<SKTGraphicView*>(canvasOfSide(side))) {
            canvas->delete_all_control();
        }
    }
}

void SKTWindowController::New_Project() {
    try {
        New_Project_Setting_Reset();
        Show_RHS_Properties(nullptr);
        Refresh_Canvas();
        Open_Start_Window();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    Not_Draw_Only_Prop_Change = 0;
}

// ---- Writing ----

design_file::DesignContent SKTWindowController::Current_Design_Content() {
    Sync_Card_Size_Records();
    // A record without picture fill keeps no picture path: saving clears it.
    for (Card_Property* record : {&Front_card_Prop, &Back_card_Prop}) {
        if (record->Card_fill_style() != QLatin1String("I")) {
            record->setCard_BG_Image_Path(QString());
        }
    }
    Publish_Page_Records();
    design_file::DesignContent content;
    content.front = Front_card_Prop;
    content.back = Back_card_Prop;
    content.excelBindingUse = Excel_Binding_Use != 0;
    content.excelSourcePath = Excel_Source_Path;
    content.titles = Imported_Table().allColumnTitles();
    content.rows = Imported_Table().ListData();
    content.frontObjects = m_document.graphics();
    content.backObjects = m_document.graphics_back();
    return content;
}

SaveResult SKTWindowController::Save_project_file(bool saveAs, char show_msg) {
    const QString remembered = Project_File_Name;
    // Elements of the file collected when a failure stops the save.
    int collected = 0;
    try {
        if (saveAs) {
            Project_File_Name.clear();
        }
        Project_File_Name = Trim_Str(Project_File_Name);
        if (Project_File_Name.isEmpty()) {
            hooks::SavePanelRequest request;
            request.allowedTypes = {design_file_EXT};
            request.kind = hooks::FileKind::Design;
            request.parent = m_window.get();
            const QString chosen = hooks::runSavePanel(request);
            if (chosen.isEmpty()) {
                Project_File_Name = remembered;
                return SaveResult::Cancelled;
            }
            if (m_window) {
                m_window->raise();
                m_window->activateWindow();
            }
            Project_File_Name = chosen;
        }
        const Plist array = design_file::Design_Array(Current_Design_Content(), &collected);
        QString reason;
        const bool saved = design_file::Write_Design_Array(array, Project_File_Name, &reason);
        if (!saved) {
            Show_NSLog_Message(reason);
        }
        // A failure is told with its reason even without messages: the user
        // asked for this save (on the way out too) and it did not happen.
        if (show_msg || !saved) {
            Show_MessageBox(saved ? kSaved : saveFailedMessage(reason));
        }
        if (show_msg) {
            Set_Log_Name_In_Title();
        }
        return saved ? SaveResult::Saved : SaveResult::Failed;
    } catch (const std::exception& e) {
        const QString reason = QString::fromLocal8Bit(e.what());
        Show_NSLog_Message(reason);
        Show_MessageBox(QStringLiteral("%1 -- %2").arg(collected).arg(reason));
        return SaveResult::Failed;
    }
}

// ---- Reading ----

int SKTWindowController::Read_and_load_design_Log(const QString& path,
                                                  const QString& log_or_template) {
    QString reason;
    std::optional<design_file::DesignContent> content;
    try {
        // Reading the pictures of a large design takes a while: the windows
        // keep drawing meanwhile, and a long open shows its progress.
        BusyCursor busy;
        DesignOpenWait wait(dialogs::currentWindow());
        content = design_file::Read_Design_File(path, &reason, wait.function());
    } catch (const std::exception& e) {
        reason = QString::fromLocal8Bit(e.what());
    }
    if (!content) {
        // Nothing has been touched yet.
        Show_NSLog_Message(reason);
        Show_MessageBox(kCorrupt);
        return 0;
    }
    try {
        Apply_Design_Content(*content, path, log_or_template);
        return 1;
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return 0;
    }
}

void SKTWindowController::Apply_Design_Content(design_file::DesignContent& content,
                                               const QString& path, const QString& mode) {
    // The backgrounds' pictures are read here; released before the message.
    BusyCursor busy;
    New_Project_Setting_Reset();
    Remove_All_Tab_Items();
    const bool asLog = mode == QLatin1String("L");
    Project_File_Name = asLog ? path : QString();
    {
        DrawOnlyGuard guard;
        UndoPause undoOff(m_document);

        Front_card_Prop = content.front;
        const QSizeF size = Front_card_Prop.Card_Size();
        Set_Document_Size(size);
        SetDocumentCanvasSize(size);
        Set_Card_Size_In_Control(QSizeF(Points_to_MM_Convert(float(size.width())),
                                        Points_to_MM_Convert(float(size.height()))));
        Back_card_Prop = content.back;
        Publish_Page_Records();

        // The stored outline and number of sides become the design's own.
        const QString shape = Front_card_Prop.Card_Shape();
        Card_Shape = shape == QLatin1String("R") ? 0 : shape == QLatin1String("RR") ? 1 : 2;
        m_cardSetting->matrix_card_shape->selectCellAtRow(Card_Shape, 0);
        const bool twoSides = Front_card_Prop.Card_Side() == QLatin1String("2");
        CARD_SIDE_STR = twoSides ? QStringLiteral("2") : QStringLiteral("1");
        m_cardSetting->Sides_ComboBox->setCurrentIndex(twoSides ? 0 : 1);
        comboBoxSelectionDidChange(m_cardSetting->Sides_ComboBox);

        // The data-source choice offers "Excel" only while a spreadsheet is
        // bound.
        Excel_Binding_Use = content.excelBindingUse ? 1 : 0;
        if (content.excelBindingUse) {
            Add_Excel_Col_Name_In_Combo(*m_dataSource->Data_source_type);
        } else {
            Remove_Excel_Col_Name_In_Combo(*m_dataSource->Data_source_type);
        }
        Excel_Source_Path = content.excelSourcePath;
        ImportedTable& table = Imported_Table();
        if (!content.titles.isEmpty()) {
            table.Remove_Chosen_Columns();
            for (qsizetype i = 1; i < content.titles.size(); ++i) {
                table.Add_Column(content.titles.at(i));
            }
        }
        table.setListData(content.rows);

        if (!content.frontObjects.isEmpty()) {
            m_document.insertGraphicsInList(SKTDocumentGraphicsKey, content.frontObjects,
                                            indexesUpTo(content.frontObjects.size()));
        }
        if (!content.backObjects.isEmpty()) {
            m_document.insertGraphicsInList(SKTDocumentGraphicsKey_back, content.backObjects,
                                            indexesUpTo(content.backObjects.size()));
        }
        Redraw_Loaded_Barcodes(content.frontObjects);
        Redraw_Loaded_Barcodes(content.backObjects);
        if (asLog) {
            Set_Log_Name_In_Title();
        }
    }
    Show_RHS_Properties(nullptr);
    // Backgrounds that give no picture keep their paths; they are told with
    // the picture objects' files, once the design is shown.
    picture_messages::Unshown unshown = content.unshownPictures;
    for (int side : {1, 0}) {
        const Card_Property& page = side == 0 ? Front_card_Prop : Back_card_Prop;
        if (page.Card_fill_chk() && page.Card_fill_style() == QLatin1String("I")) {
            const QString picture = page.Card_BG_Image_Path();
            SKTPictureProblem problem = SKTPictureProblem::None;
            setBackgroundOfSide(side, picture, &problem);
            if (problem != SKTPictureProblem::None &&
                !unshown.contains(QPair<QString, SKTPictureProblem>(picture, problem))) {
                unshown.append({picture, problem});
            }
        }
    }
    selectArrowTool();
    Refresh_Canvas();
    busy.release();
    const QString untold = picture_messages::unshownPicturesText(unshown);
    if (!untold.isEmpty()) {
        Show_MessageBox(untold);
    }
}

int SKTWindowController::Open_Log_File() {
    try {
        hooks::OpenPanelRequest request;
        request.allowedTypes = {design_file_EXT};
        request.kind = hooks::FileKind::Design;
        // The main window, or the start window that asked.
        request.parent = dialogs::currentWindow();
        const QStringList chosen = hooks::runOpenPanel(request);
        if (chosen.isEmpty()) {
            return 0;
        }
        return Read_and_load_design_Log(chosen.first(), QStringLiteral("L"));
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
        return 0;
    }
}

void SKTWindowController::Set_Log_Name_In_Title() {
    if (!m_window) {
        return;
    }
    const QFileInfo file(Project_File_Name);
    if (!Project_File_Name.isEmpty() && file.exists()) {
        m_window->setWindowTitle(QStringLiteral("%1 ( %2 )").arg(App_Name, file.fileName()));
    } else {
        m_window->setWindowTitle(App_Name);
    }
}

// ---- Commands ----

// Asks whether to save first; false when the command stops there: the
// question was closed without an answer, or the user wanted a save that did
// not happen (cancelled or failed).
bool SKTWindowController::Save_Question_Answered(const QString& question) {
    switch (Ask_Yes_No(question)) {
    case QuestionAnswer::Yes:
        return Save_project_file(false, 1) == SaveResult::Saved;
    case QuestionAnswer::No:
        return true;
    case QuestionAnswer::Dismissed:
        break;
    }
    return false;
}

void SKTWindowController::New_Design_Command() {
    if (!Save_Question_Answered(
            QStringLiteral("Do you want to save changes before opening new document?"))) {
        return;
    }
    New_Project();
    Undo_Redo_Button_state();
}

void SKTWindowController::Open_Design_Command() {
    if (!Save_Question_Answered(kOpenQuestion)) {
        return;
    }
    // The current design is replaced only once the chosen file has been read
    // and accepted: a cancelled panel or a refused file leaves the design,
    // its file name and the window as they were.
    try {
        Open_Log_File();
        Undo_Redo_Button_state();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    Not_Draw_Only_Prop_Change = 0;
}

// ---- User templates ----

int SKTWindowController::Open_Template_Design(const QString& path) {
    if (!Save_Question_Answered(kOpenQuestion)) {
        return 0;
    }
    // As with Open, the design is replaced only once the template's file has
    // been read and accepted. The template becomes a new design without a
    // file of its own, so Save asks where and never writes over it.
    int opened = 0;
    try {
        opened = Read_and_load_design_Log(path, QStringLiteral("T"));
        if (opened == 1) {
            for (Card_Property* record : {&Front_card_Prop, &Back_card_Prop}) {
                record->setCard_Create_Mode(QStringLiteral("T"));
            }
            Publish_Page_Records();
        }
        Undo_Redo_Button_state();
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromLocal8Bit(e.what()));
    }
    Not_Draw_Only_Prop_Change = 0;
    return opened;
}

Export_Template* SKTWindowController::exportTemplateWindow() {
    if (!m_exportTemplate) {
        m_exportTemplate = new Export_Template(m_window.get());
    }
    return m_exportTemplate;
}

QImage SKTWindowController::Template_Preview() {
    SideRestore restore;
    Card_Front_Or_Back = 1;
    const CardPicture back =
        SKTRenderingView::image_From_Card_Graphics(m_document.graphics_back(), false);
    Card_Front_Or_Back = 0;
    const CardPicture front =
        SKTRenderingView::image_From_Card_Graphics(m_document.graphics(), false);
    return combinedFrontAboveBack(front, back, 72.0);
}

bool SKTWindowController::Write_Template_Files(const QString& name, QString* reason) {
    const QString folder = Export_Template::userTemplateFolder();
    QDir().mkpath(folder);
    QString why;
    const QString base = QDir(folder).filePath(name);
    const QString design = base + QStringLiteral(".") + design_file_EXT;
    const QString preview = base + QStringLiteral(".png");

    const QByteArray designBytes =
        design_file::Design_Bytes(design_file::Design_Array(Current_Design_Content()), &why);
    export_card_side = QStringLiteral("BOTH");
    QByteArray previewBytes;
    {
        const QImage image = Template_Preview();
        QBuffer buffer(&previewBytes);
        buffer.open(QIODevice::WriteOnly);
        if (image.isNull() || !image.save(&buffer, "PNG")) {
            if (reason) {
                *reason = QStringLiteral("the preview picture could not be made");
            }
            return false;
        }
    }
    if (designBytes.isEmpty()) {
        if (reason) {
            *reason = why;
        }
        return false;
    }
    if (!template_files::Write_Template_Pair({design, designBytes}, {preview, previewBytes},
                                             &why)) {
        Show_NSLog_Message(why);
        if (reason) {
            *reason = why;
        }
        return false;
    }
    return true;
}

void SKTWindowController::Save_As_Template_Command() {
    try {
        Export_Template* dialog = exportTemplateWindow();
        dialog->template_name()->clear();
        dialog->template_passed()->clear();
        dialogs::ownBy(*dialog, m_window.get());
        const int result = hooks::runModal(*dialog);
        dialog->hide();
        if (result != 1) {
            return;
        }
        QString reason;
        const bool written = Write_Template_Files(export_template_name, &reason);
        Set_Log_Name_In_Title();
        Show_MessageBox(written ? QStringLiteral("Template exported successfully.")
                                : saveFailedMessage(reason));
    } catch (const std::exception& e) {
        const QString reason = QString::fromLocal8Bit(e.what());
        Show_NSLog_Message(reason);
        Show_MessageBox(saveFailedMessage(reason));
    }
}

void SKTWindowController::Install_Design_File_Entries() {
    namespace we = window_entries;
    // Each call goes to the controller of the run, made after the entries.
    const auto controller = [] { return defaultInstance(); };
    we::newDesign.set([controller] { controller()->New_Design_Command(); });
    we::openDesign.set([controller] { controller()->Open_Design_Command(); });
    we::saveDesign.set([controller] { controller()->Save_project_file(false, 1); });
    we::saveDesignAs.set([controller] { controller()->Save_project_file(true, 1); });
    we::saveAsTemplate.set([controller] { controller()->Save_As_Template_Command(); });
    we::saveProjectFile.set([controller](bool showMessage) {
        return controller()->Save_project_file(false, showMessage ? 1 : 0);
    });
    we::openLogFile.set([controller] { return controller()->Open_Log_File(); });
    // Renaming a user template asks for the new name with the template's
    // current one passed, so keeping that name is no clash.
    we::templateName.set([controller](const QString& current, QString& chosen) {
        Export_Template* dialog = controller()->exportTemplateWindow();
        dialog->template_name()->setText(current);
        dialog->template_passed()->setText(current);
        // Asked from the templates window, in front of it.
        dialogs::ownBy(*dialog, nullptr);
        const int answer = hooks::runModal(*dialog);
        dialog->hide();
        if (answer == 1) {
            chosen = export_template_name;
        }
        return answer;
    });
    if (SKTWindowController* current = controller()) {
        current->Refresh_Entry_States();
    }
}
