#pragma once
// The one main window controller of the run: made by the first card
// document, it loads the main window ("DrawWindow") with its three canvases
// and its inspector, switches between the front, back and temporary sides,
// places new objects, rebuilds the inspector for the current object and
// offers the small services other windows call through Main_App_wnd.

#include "core/globals.h"
#include "dataseries/SeriesBindingSource.h"
#include "editor/canvas/SKTCanvasHost.h"
#include "editor/model/Card_Property.h"
#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTPictureLoading.h"
#include "editor/model/SKTWindowControllerInterface.h"
#include "editor/model/User_Profile_Class.h"
#include "mainwindow/controller/WindowEntries.h"
#include "platform/CardPicture.h"
#include "widgets/MainWindowServices.h"
#include "widgets/MyImageObject.h"

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariantMap>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class ColListModel;
class SKTGraphicView;
class SKTGrid;
class ImageBrowser;
class Image_Library;
class QComboBox;
class QFontDialog;
class SKTGraphicView;
class MainWindowFrame;
class Export_Template;
namespace design_file {
struct DesignContent;
}

class QAction;
class QLabel;
class QStackedWidget;
class QTabWidget;
class QTableView;
class SKTDocument;
class SKTWindowController;
class SideCanvases;
class Send_Modeless;

namespace Ui {
class DrawWindow;
class WaitSheet;
class CardSettingPage;
class CardInfoPage;
class CardSizePage;
class CardBackgroundPage;
class CardBorderPage;
class LinePage;
class ShapePage;
class TextEditingPage;
class TextPropertiesPage;
class ImagePage;
class SignaturePage;
class DataSourcePage;
class AlignmentPage;
class BarcodePage;
class LockPage;
} // namespace Ui

// The main window controller, set in its init.
inline SKTWindowController* Main_App_wnd = nullptr;
// The instance defaultInstance answers.
inline SKTWindowController* app_DefaultInstance = nullptr;

class SKTWindowController : public QObject,
                            public SKTWindowControllerInterface,
                            public SKTCanvasHost,
                            public MainWindowServices,
                            public SeriesBindingSource {
    Q_OBJECT

public:
    // The inspector pages in the order of the interface file.
    enum TabIndex {
        CardSettingTab,
        CardInfoTab,
        CardSizeTab,
        CardBackgroundTab,
        CardBorderTab,
        LineTab,
        ShapeTab,
        TextEditingTab,
        TextPropertiesTab,
        ImageTab,
        SignatureTab,
        DataSourceTab,
        AlignmentTab,
        BarcodeTab,
        LockTab,
        TabCount
    };

    // init, then the window is loaded (awakeFromNib). When the resource
    // folder cannot be made the window stays unfinished and the process is
    // asked to end.
    explicit SKTWindowController(SKTDocument& document);
    ~SKTWindowController() override;
    SKTWindowController(const SKTWindowController&) = delete;
    SKTWindowController& operator=(const SKTWindowController&) = delete;

    static SKTWindowController* defaultInstance() { return app_DefaultInstance; }
    // Makes the card documents create this controller (for the first
    // document of the run only).
    static void installAsDocumentWindowController();

    SKTDocument& document() const { return m_document; }
    MainWindowFrame* window() const;
    // False when start-up stopped at the resource folder.
    bool isLoaded() const { return m_loaded; }

    // ---- SKTWindowControllerInterface ----
    QFont currentTextFont() const override { return Text_font; }
    QColor currentTextColor() const override { return m_textColor; }
    QRectF frontCanvasBounds() const override;
    QPointF Control_New_Point(const QString& side) override;
    QString applicationName() const override { return App_Name; }
    // Puts the picture inspector's adjustment controls back to neutral; from
    // another thread the call is queued to the window's thread.
    void Reset_Image_Editing_Controls() override;

    // ---- SKTCanvasHost ----
    int Selected_Control_Tool() const override { return m_selectedTool; }
    // The class the current tool draws; none for the arrow tool and unknown
    // numbers.
    QString currentGraphicClass() const override;
    // The card background of the current side: a thin wrapper over the
    // card drawing with this side's page record, shape and size.
    void Card_Base_Drawing(QPainter& painter, const QRectF& dirty) override;
    void Show_RHS_Properties(const std::shared_ptr<SKTGraphic>& graphic) override;
    // Marks the canvas of the current side for redrawing (not while a batch
    // fills the card).
    void Refresh_Canvas() override;
    void Open_Barcode_Window() override;
    void Undo_Redo_Button_state() override;
    void Set_Paste_Button_Status() override;
    void setSameSizeButtonsEnabled(bool enabled) override;
    CardPicture no_image() const override { return m_noImage; }
    CardPicture barcode_sample_img() const override { return m_barcodeSample; }
    CardPicture sign_sample_img() const override { return m_signSample; }
    CardPicture fp_sample_img() const override { return m_fingerprintSample; }

    // ---- MainWindowServices (Refresh_Canvas above serves both) ----
    void Fill_Data_Set_File_Name_In_Combo(QComboBox& combo) override;
    void Fill_Excel_Col_Name_In_Combo(QComboBox& combo) override;
    QString Get_First_Value_Of_Dataset(const QString& name) override;
    QString Get_First_Value_Of_Excel_Binding(int column) override;

    // ---- MainWindowServices: contact fields ----
    User_Profile_Class* userProfile(int side) override;
    SKTGraphicView* graphicViewOfSide(int side) const override;
    void Select_Drawing_Tool(int tool) override { setSelected_Control_Tool(tool); }
    QComboBox* dataSourceTypeCombo() const override;
    QSizeF frontCardSize() const override { return Front_card_Prop.Card_Size(); }
    // ---- Series windows ----
    // The card's objects as the series in-use test needs them.
    SeriesBindingSides Card_Series_Bindings() const override;
    // The open-the-exported-file prompt for Export_File_Path and
    // Export_File_Message (window_entries::exportFileBox).
    void Open_Export_File_Box();

    // ---- Barcode designer (MainWindowServices) ----
    // The canvas of the current side starts editing the object the designer
    // bound to a series or column.
    void startEditingGraphic(const std::shared_ptr<SKTGraphic>& graphic) override;

    // ---- Sides and canvases ----
    void Select_front_side();
    void Select_back_side();
    void Select_temp_design_side();
    void Front_Card_Btn_Clicked() { Select_front_side(); }
    void Back_Card_Btn_Clicked() { Select_back_side(); }
    void Temp_Card_Btn_Clicked();
    void Temp_Design_Control_Assign();
    void Show_Hide_Ruler_ChkBox();
    void User_Profile_Button_Clicked();
    void Share_It_Button_Clicked() { Open_Share_It_Dl(); }
    void Get_It_Free_Button_Clicked() { Open_Share_It_And_Get_It_Free(); }
    const SKTGraphicList& Get_Front_Controls_Array() const;
    const SKTGraphicList& Get_Back_Controls_Array() const;
    SKTGraphicList Get_Temp_Controls_Array() const;
    qint32 Get_Front_Control_Count() const;
    qint32 Get_Back_Control_Count() const;
    qint32 Get_Temp_Control_Count() const;
    // Shows the canvas of side 0 front, 1 back or 2 temporary.
    void changeViewController(int side);
    int shownSide() const { return m_shownSide; }
    // The canvas widget of a side (0, 1, 2).
    QWidget* canvasOfSide(int side) const;
    SideCanvases* canvases() const { return m_canvases.get(); }

    // ---- Card size ----
    static float Points_to_MM_Convert(float points);
    static float MM_to_Points_Convert(float millimetres);
    void Set_Card_Size_In_Control(const QSizeF& millimetres);
    void Set_Document_Size(const QSizeF& points);
    void SetDocumentCanvasSize(const QSizeF& points);
    QSizeF canvasSize() const { return m_canvasSize; }
    QSizeF Get_My_card_Size(const QString& category, const QString& preset, int list_index) const;

    // ---- Other services ----
    static int Get_OS_Version();
    static QStringList Get_Files_Array_At_Path(const QString& path);
    static void Delete_Excel_File_Temp_Folder();
    static QString Get_date_Value(const QString& pattern);
    static QString Get_time_Value(const QString& pattern);
    static QString Convert_Path_From_URL(const QUrl& url);
    int Check_And_Validate_File_Path(const QString& path) const override;
    void Show_Create_Modeless();
    void Hide_Destroy_Modeless();
    QDialog* plz_wait_Window() const { return m_waitSheet; }
    CardPicture Increase_DPI(const CardPicture& image, int dpi) const;
    void Create_List(const QString& text);
    QString Get_Item_Text(int row) const;
    void Mark_List_New_Selection(int row);
    const QList<QVariantMap>& ListData() const;
    void setListData(const QList<QVariantMap>& rows);
    ColListModel* ColListData() const { return m_colList; }
    QTableView* ColList() const;
    void Main_Thread_Messgae(const QString& text);
    int Main_Thread_Messgae_Yes_No(const QString& text);

    // ---- Inspector ----
    // The card fill-style options for "S", "G", "H" or "I".
    void card_prop_set(const QString& style);
    void Remove_All_Tab_Items();
    // The page of a tab (alive for the whole run, shown or not).
    QWidget* tabPage(TabIndex index) const { return m_tabs[static_cast<std::size_t>(index)]; }
    QTabWidget* sett_tab() const;
    std::shared_ptr<SKTGraphic> lastSelectedGraphic() const { return Last_Selected_Graphic.lock(); }

    // ---- Tools and standard buttons ----
    // The tool chosen (0 arrow ... 15 polygon); its button shows it. A plain
    // assignment: nothing is created.
    void setSelected_Control_Tool(int tool);
    // Tool 0 and the tool-change signal, nothing else.
    void selectArrowTool();
    void Disable_Standard_Button_For_Card();
    void Enable_Standard_Button_For_Control();
    void Disable_Standard_Button_For_Lock();
    void Enable_Standard_Button_For_Unlock();

    // ---- E-mail settings and the maker's links ----
    // Copies the e-mail settings file into the process-wide account strings.
    void Get_Email_Details();
    // Each opens one fixed address of the maker through hooks::openUrl: a
    // new mail, a web site or a social page. The help, share, review and
    // promotion windows reach them through LinkCommands.
    void Open_Support_Mail();
    void Open_Reseller_Mail();
    void Open_Website_1();
    void Open_Website_2();
    void Open_Website_3();
    void Open_Google_Plus();
    void Open_FaceBook();
    void Open_Twitter();
    void Open_FB_Like();
    void Open_Share_It_Dl();
    void Open_Share_It_And_Get_It_Free();

    // ---- Start-up services: contact fields, backgrounds, new project, start window ----
    int Open_User_Profile_Window(int mode, const QString& side);
    void Fill_User_profile_info_front_side();
    void Fill_User_profile_info_back_side();
    void Load_and_fill_backgrounds();
    void New_Project();
    void Open_Start_Window();

    // ==== Commands (tools, edit, arrange, lock, grid, card, series, output,
    // design files, exit) ====
signals:
    // Posted when a tool is chosen. Connected directly to
    // selectedToolDidChangeHandler, so the tool's object exists before the
    // sender goes on.
    void selectedToolDidChange();

public:
    // Posts selectedToolDidChange, then refreshes the canvas and shows the
    // inspector of the current canvas's object.
    void Select_tool_action();
    // Adds the tool's object to the current side (the two picture tools
    // after a picture was chosen).
    void selectedToolDidChangeHandler();
    // A tool button: sets the tool and runs Select_tool_action.
    void Tool_Button_Clicked(int tool);
    void Arrow_Tool_Clicked() { Tool_Button_Clicked(0); }
    void Line_Tool_Clicked() { Tool_Button_Clicked(1); }
    void Text_Tool_Clicked() { Tool_Button_Clicked(2); }
    void Rect_Tool_Clicked() { Tool_Button_Clicked(3); }
    void Circle_Tool_Clicked() { Tool_Button_Clicked(4); }
    void Round_Rect_Tool_Clicked() { Tool_Button_Clicked(5); }
    void Triangle_Tool_Clicked() { Tool_Button_Clicked(6); }
    void Diamond_Tool_Clicked() { Tool_Button_Clicked(7); }
    void Image_Tool_Clicked() { Tool_Button_Clicked(8); }
    void Image_Library_Tool_Clicked() { Tool_Button_Clicked(9); }
    void Barcode_Tool_Clicked() { Tool_Button_Clicked(10); }
    void Signature_Tool_Clicked() { Tool_Button_Clicked(11); }
    void Fingure_Print_Tool_Clicked() { Tool_Button_Clicked(12); }
    void Star_Tool_Clicked() { Tool_Button_Clicked(13); }
    void Double_Star_Tool_Clicked() { Tool_Button_Clicked(14); }
    void Polygon_Tool_Clicked() { Tool_Button_Clicked(15); }
    // The start window, callable but in no menu.
    void newDocumentWindow() { Open_Start_Window(); }

    // The canvas of the current side (back when Card_Front_Or_Back is 1).
    SKTGraphicView* currentCanvas() const;

    // Edit commands, forwarded to the current side's canvas.
    void Undo_Clicked();
    void Redo_Clicked();
    void Cut_Clicked();
    void Copy_Clicked();
    void Paste_Clicked();
    void Delete_Clicked();
    void Select_All_Clicked();
    void Begin_Front_Clicked();
    void Send_Back_Clicked();
    // Arrange commands, forwarded and followed by a refresh.
    void Align_Center_Clicked();
    void Align_Left_Clicked();
    void Align_Right_Clicked();
    void Align_Top_Clicked();
    void Align_Bottom_Clicked();
    void Align_Horz_Clicked();
    void Align_Vert_Clicked();
    void Make_Same_Width_Clicked();
    void Make_Same_Height_Clicked();
    void Make_Natural_Clicked();
    void Align_To_Grid_Clicked();
    void Print_object_chk_changed();
    void Lock_Clicked() { lockSelection(true); }
    void Unlock_Clicked() { lockSelection(false); }

    // Grid commands over the grid window's controls.
    SKTGrid* grid() const;
    void toggleGridConstraining();
    void toggleGridShowing();
    void Grid_Clr_Changed(const QColor& color);
    void Grid_Slider_Changed();
    void Grid_Show_Hide_Changed();

    // Card, series, output and design-file commands.
    void Card_Prop_Clicked();
    void Card_Bckgrnd_Clicked();
    void Batch_Series_Button() override;
    void Import_Wizard_Button();
    void Create_Series_Button();
    void Export_Button();
    void Mail_Button();
    void Print_Button();
    // "No printer found." without a printer, else the print window.
    void Print_method();
    void Help_Button();
    // The promotion window for software type "S", "R" or "B".
    void Promotion_Clicked(const QString& softwareType);
    void Export_As_Template_Clicked();
    void New_Btn_Clicked();
    void Open_Btn_Clicked();
    void Save_Btn_Clicked();
    void SaveAs_Btn_Clicked();
    void Exit_Btn_Clicked() { Exit_App(); }
    // Asks to save, then the review window and the end of the process.
    // Answers false when the window stays open (the question closed without
    // an answer, the save not done).
    bool Exit_App();
    // Recomputes the batch state (Use_Data_Sheet_Values,
    // Use_Excel_Binding_Values, Total_Batch_Excel_Card): see the record
    // binding block below.
    void Check_Series_Or_Excel_Use_or_not();

    // Enables the menu items and buttons of the filled window entries and
    // disables the others with the tip "Not available yet.". Also run when
    // a menu opens and when the window shows.
    void Refresh_Entry_States();

    // The picture file panel: on OK the path goes to Library_Selected_Image
    // and Manual_image_path (true), unless the file gives no picture: then
    // the user is told and nothing changes (false); on Cancel
    // Library_Selected_Image is emptied (false).
    bool Browse_User_Image_Manually();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectCommands();
    void connectEntryStates();
    void setStandardShortcuts();
    // The Arrange menu's Make Natural Size: enabled when a selected object
    // of the current side can take its natural size.
    void validateNaturalSizeItem();
    void connectGridWindow();
    void lockSelection(bool lock);
    void setStandardButtons(bool cutCopy, bool deleteFrontBack, bool lock, bool unlock);
    void arrange(void (SKTGraphicView::*command)());
    bool hasSameSizeSelection();

    struct EntryItems {
        std::function<bool()> filled;
        QList<QPointer<QObject>> items;
    };
    QList<EntryItems> m_entryItems;
    // The alignment tab's Natural Size button has an action of its own: it
    // needs two selected objects, the menu item does not.
    QAction* m_naturalSizeButtonAction = nullptr;
    QPointer<QWidget> m_gridWizard;
    bool m_loadingGridControls = false;

    // ==== Record binding and batch walk (SKTWindowControllerBatch*.cpp) ====
public:
    // Series in listing order; empty when the data folder is missing.
    QStringList Get_datasheet_File_Name_Array() const;
    // True when the series' file exists and an eligible object of the front
    // (or, with two sides, the back) is bound to it.
    bool Check_Batch_File_In_Use_Validation(const QString& name) const;

    // The binding state of a run, all on the GUI thread (a call from another
    // thread is made there, waiting). Errors of the checks are shown.
    void Check_Data_Sheet_Value_Use_or_Not();
    void Check_Excel_Binding_Value_Use_or_Not();
    bool Check_Front_Side_Dataset_Is_Used() const;
    bool Check_Back_Side_Dataset_Is_Used() const;
    bool Check_Front_Side_Excel_Binding_Is_Used() const;
    bool Check_Back_Side_Excel_Binding_Is_Used() const;
    // Lists every series unloaded, then loads the series bound on the
    // front (and on the back with two sides).
    void Create_Dataset_binding_table();
    // Loads a series into its slot: the slot is the series' position in
    // the listing, found by name; the stored index chooses nothing.
    void Add_dataset_col_in_binding_table(const QString& name, int dataset_index);
    void Calculate_data_table_rows();
    void Calculate_Excel_table_rows();
    void Get_total_Card_count();
    // Series value of a record in a slot, or "" (untrimmed).
    QString Get_sel_row_col_value_of_dataset(int row, int col) const;
    // Imported-table value of a record in a column, or "".
    QString Get_sel_row_col_value_of_Excel(int row, int col) const;
    // Writes a record's values into Graphics_array_Batch (GUI thread).
    void Assign_Batch_Values_To_Control(int record);
    // The trimmed value a bound object takes at a record; none when it is
    // not bound or its kind of binding is off.
    std::optional<QString> boundValue(const SKTGraphic& graphic, int record) const;
    // The barcode's picture rendered with its own settings from its own
    // value (its record 0 value when bound); a blank one-point picture when
    // the value gives no symbol. GUI thread.
    CardPicture ownBarcodePicture(const std::shared_ptr<SKTGraphic>& graphic);
    // A 2D barcode read from a file holds the raster its archive stores;
    // drawn again from its own settings it is a vector picture, sharp in
    // every PDF and print. One whose value gives no symbol keeps its picture.
    void Redraw_Loaded_Barcodes(const SKTGraphicList& graphics);
    // Fills one side ("F" front, anything else back) with a record and
    // answers it rendered; none on failure (logged). Sets
    // Card_Value_In_Process and Card_Front_Or_Back. GUI thread.
    CardPicture Set_data_table_value_to_card(int record, const QString& card_side, bool print_box);
    // Fills one side with a record without rendering it. GUI thread.
    void Fill_Batch_Side(int record, const QString& card_side);
    // Record 0 back into the design (the back too with two sides, then the
    // front), Card_Value_In_Process cleared, both canvases redrawn.
    void Select_first_row_value_for_design(bool print_box);
    const class BatchTable& batchTable() const { return *m_batchTable; }
    // The object list of the side being filled (the side's own objects).
    SKTGraphicList Graphics_array_Batch;

    // Runs `work` on the controller's thread: directly there, else through a
    // blocking queued call. Exceptions are logged and stay on that thread.
    void runOnGuiThread(const std::function<void()>& work);

private:
    bool sideUses(const SKTGraphicList& graphics, int dataSourceType) const;
    void showBatchError(const std::exception& e) const;
    std::shared_ptr<class BatchTable> m_batchTable;
    std::shared_ptr<class BarcodeDesigner> m_batchDesigner;
    // ==== end of record binding ====
public:
    // ==== end of the commands ====
    // ==== Design files and user templates ====
public:
    // Resets every design value: records, content font and colour, both
    // object lists, undo history, file name and title.
    void New_Project_Setting_Reset();
    // Writes the design file (a save panel when there is no file name or
    // `saveAs`); with `show_msg` the outcome is shown, without it only a
    // failure.
    window_entries::SaveResult Save_project_file(bool saveAs, char show_msg);
    // Reads a whole design file and, only when it is sound, replaces the
    // design with it. Mode "L" makes it the design's file. 1 when loaded.
    int Read_and_load_design_Log(const QString& path, const QString& log_or_template);
    // The open panel, then the reader in mode "L"; 1 when a design opened.
    int Open_Log_File();
    // "App ( file )" while the design's file exists, else the bare name.
    void Set_Log_Name_In_Title();
    // The values the writer stores for the current design.
    design_file::DesignContent Current_Design_Content();
    // The commands behind the File entries.
    void New_Design_Command();
    void Open_Design_Command();
    void Save_As_Template_Command();
    // After the save question, opens a template's design file as a new
    // design without a file name; a file that cannot be read changes
    // nothing. 1 when opened.
    int Open_Template_Design(const QString& path);
    // Writes name.dcard and name.png into the user template folder, each
    // replacing its old file in one atomic step. False on failure, with the
    // old design file kept and the reason in `reason`.
    bool Write_Template_Files(const QString& name, QString* reason = nullptr);
    // The front side above the back side, 72 dpi.
    QImage Template_Preview();
    // Fills the design-file entries of WindowEntries.h with the commands of
    // the run's controller (made before or after).
    static void Install_Design_File_Entries();
    Export_Template* exportTemplateWindow();

private:
    // Asks `question` (save first?); false when the question was closed
    // without an answer or the wanted save did not happen, which stops the
    // command.
    bool Save_Question_Answered(const QString& question);
    void Apply_Design_Content(design_file::DesignContent& content, const QString& path,
                              const QString& mode);
    QPointer<Export_Template> m_exportTemplate; // a child of the window
    // ==== end of design files ====

public:
    // ==== Start wizard, card-size and template windows, data source ====
    // Lays the wizard's texts out as text objects on the front side and sets
    // its picture as the front background.
    void Fill_Party_Invidation_Details();
    // Card > Card Size… and Card > Templates…: the windows' results. A
    // template confirmed in its window is then opened as a new design.
    int Card_Size_Clicked();
    int Templates_Clicked();
    // The dispatcher rows of the data-source, series, sides, preset and
    // category combo boxes; false for any other combo box.
    bool dataSourceComboBoxSelectionDidChange(QComboBox* combo);
    // The source chosen in Data_source_type: the controls it enables, the
    // series or column list, and (when `write`) the object's source and
    // messages. Loading an object shows its source with `write` false.
    void Data_Source_Type_Chosen(bool write);
    // The controls of the chosen source for `graphic` (none: no object);
    // answers the source code to store, or -1 when none is to be stored.
    // Writes nothing; shows its message only with `showMessages`.
    int showDataSource(const SKTGraphic* graphic, bool showMessages);
    // Binds the current object to the chosen series or column.
    void Batch_Series_Chosen();
    // The card's column bindings after a new import (MainWindowServices).
    void Follow_Imported_Columns(const ColumnFollowing& following,
                                 QList<LostColumnBinding>& lost) override;
    // Fills ListData with the sizes of the chosen category, row 0 selected.
    void Category_Chosen();
    void View_batch_Series_Button();
    void Data_Source_Help_Button();

private:
    void connectStartAndSourceControls();
    void connectWizardCommands();

public:
    // ==== end of the start wizard and data source ====

    // ---- Records ----
    Card_Property Front_card_Prop;
    Card_Property Back_card_Prop;
    User_Profile_Class Front_user_profile;
    User_Profile_Class Back_user_profile;
    User_Profile_Class TEMP_user_profile;
    Card_Property& currentCardProperty() {
        return Card_Front_Or_Back_is_back() ? Back_card_Prop : Front_card_Prop;
    }

    // ---- State set by init ----
    QFont Text_font;
    QFont All_Text_font;
    // The content font last loaded from a record; none until the card tabs
    // were loaded, so the first change is pushed whatever it is.
    std::optional<QFont> All_Text_font_COPY;
    QStringList paper_card_arry;
    QStringList pvc_card_arry;
    QString act_path_location;
    QImage banner_image;
    QImage promotion_pattern_image;
    QString App_Name;
    double _zoomFactor = 1.0;
    Send_Modeless* send_modls_wnd = nullptr;
    ImageBrowser* imageBrowser() const;
    // The background browser's items (its model is the list).
    const QList<MyImageObject>& images() const;

    // ---- Page records: the one publisher ----
    // Publishes both page records to the renderers (CardRenderInputs). Every
    // writer of Front_card_Prop or Back_card_Prop calls it afterwards.
    void Publish_Page_Records();

    // ---- Card inspector ----
    // Copies every card control into the current side's page record, then
    // redraws; nothing while the inspector is being loaded.
    void Update_Card_Graphics();
    // The card has one size whichever side is shown: both page records take
    // the size of the front canvas's bounds, and are published (also before
    // a save, so a resize made on the back side or by a wizard is what the
    // file keeps).
    void Sync_Card_Size_Records();
    void Set_Card_Clr() { Update_Card_Graphics(); }
    void Card_Border_ChkBox();
    void Card_Fill_Chk_Box();
    // The fill-style radios: 0 plain, 1 gradient, 2 hatch, 3 picture.
    void Card_Fill_RD_Sel(int style);
    void Card_Solid_RD_Sel() { Card_Fill_RD_Sel(0); }
    void Card_Gradient_RD_Sel() { Card_Fill_RD_Sel(1); }
    void Card_Hatch_RD_Sel() { Card_Fill_RD_Sel(2); }
    void Card_Image_RD_Sel() { Card_Fill_RD_Sel(3); }
    void Card_Image_Browse_Btn();
    void Card_Image_Library_Btn();
    // Background picture setters of the front and back records.
    void set_Front_BG_Image(const QString& path);
    void set_Back_BG_Image(const QString& path);
    void card_shape_CellClick();
    void Apply_Size_Clicked();
    void Contect_Color_Clicked() { Update_All_Card_Content(); }
    void Content_Font_Clicked();
    void changeAllTextFont(const QFont& font);
    // Pushes the content colour and font into the current side's texts.
    void Update_All_Card_Content();
    void Content_Font_Decrease_Clicked() {}
    void Contect_Font_Increase_Clicked() {}
    // Background browser items.
    void addImageWithPath(const QString& path, const QString& name, const QString& uid);
    void imageBrowserSelectionDidChange();
    // The picture last picked in the background browser.
    QString selected_image;

    // ---- Object inspectors ----
    // The canvas of the current side.
    SKTGraphicView* currentGraphicView() const;
    void Update_Shape_Graphics();
    void Update_Line_Graphics();
    void Update_Text_Graphics();
    void Update_Image_Graphics();
    void Update_Sign_Graphics();
    void Update_Barcode_Graphics(const std::shared_ptr<SKTGraphic>& source);
    // Fill radios of the shape tab (0 plain, 1 gradient, 2 hatch) and of the
    // text tab (0 plain, 1 gradient).
    void Shape_Fill_RD_Sel(int style);
    void Text_Fill_RD_Sel(int style);
    // The typed text: "Text here" removed, at most 250 characters.
    void textDidChange();
    void Text_Insert_Date();
    void Text_Insert_Time();
    void Text_Font_Changed();
    void changeTextFont(const QFont& font);
    // Asks first; on Yes the adjustments go back to neutral.
    void Image_reset_Button();
    void Manual_Image_Browse_Btn();
    void Manual_Library_Browse_Btn();
    void Sign_Browse_Btn();
    void View_barcode_prop_Button() { Open_Barcode_Window(); }
    // The shared handler of the inspector's combo boxes.
    void comboBoxSelectionDidChange(QComboBox* combo);
    // A hatch pattern chosen in one of the two hatch pop-ups reads; when it
    // does not, the user is told and the pop-up shows the card's or the
    // selected shape's pattern again.
    bool hatchChoiceReads(QComboBox* combo);
    // The font panel both font actions share (made on first use).
    QFontDialog* fontPanel();

private:
    void connectInspectorControls();
    void connectCardControls();
    void connectObjectControls();
    void setFontDescription(class QLabel* label, const QFont& font);
    // Makes the picture of a file the side's background. Without `problem`
    // the file is the user's choice: one that gives no picture is told and
    // nothing changes. With it (an opened design) the path is kept without a
    // picture and the reason is left there.
    void setBackgroundOfSide(int side, const QString& path, SKTPictureProblem* problem = nullptr);
    // The selected objects of the current side, for the update operations
    // (none while the inspector loads).
    SKTGraphicList graphicsToUpdate() const;
    void finishUpdate(const SKTGraphicList& graphics);
    QPointer<QFontDialog> m_fontPanel;
    // Which font the panel edits: the content font or the text font.
    bool m_fontPanelForContent = false;

public:
    // ---- Picture library ----
    // Runs the picture library modally: "Background Image Library" when
    // `background`, else "Image Library". On OK the chosen file becomes
    // lib_window_sel_file and then the current side's background picture
    // (background) or Library_Selected_Image (objects). 1 on OK, 0 on
    // Cancel or (objects) when the file gives no picture, which is told.
    int Open_Image_Library(bool background);
    // The library window of the run (made on first use).
    Image_Library* imageLibrary();

private:
    QPointer<Image_Library> m_imageLibrary; // a child of the window

private:
    static bool Card_Front_Or_Back_is_back();
    void init();
    void awakeFromNib();
    void buildInspectorPages();
    void buildCanvases();
    void connectControls();
    void fillHatchStyles();
    void connectToolButtons();

    // Inspector loading, one per kind.
    void loadCardProperties(Card_Property& page);
    void loadShape(const SKTGraphic& graphic);
    void loadLine(const SKTGraphic& graphic);
    void loadImage(const SKTGraphic& graphic);
    void loadSignature(const SKTGraphic& graphic);
    void loadText(const SKTGraphic& graphic);
    void insertTab(TabIndex index, int position, const QString& label = QString());
    void showRHSForCard();
    void showRHSForGraphic(const std::shared_ptr<SKTGraphic>& graphic);

    SKTDocument& m_document;
    std::unique_ptr<MainWindowFrame> m_window;
    std::unique_ptr<Ui::DrawWindow> m_ui;
    std::unique_ptr<Ui::CardSettingPage> m_cardSetting;
    std::unique_ptr<Ui::CardInfoPage> m_cardInfo;
    std::unique_ptr<Ui::CardSizePage> m_cardSize;
    std::unique_ptr<Ui::CardBackgroundPage> m_cardBackground;
    std::unique_ptr<Ui::CardBorderPage> m_cardBorder;
    std::unique_ptr<Ui::LinePage> m_line;
    std::unique_ptr<Ui::ShapePage> m_shape;
    std::unique_ptr<Ui::TextEditingPage> m_textEditing;
    std::unique_ptr<Ui::TextPropertiesPage> m_textProperties;
    std::unique_ptr<Ui::ImagePage> m_image;
    std::unique_ptr<Ui::SignaturePage> m_signature;
    std::unique_ptr<Ui::DataSourcePage> m_dataSource;
    std::unique_ptr<Ui::AlignmentPage> m_alignment;
    std::unique_ptr<Ui::BarcodePage> m_barcode;
    std::unique_ptr<Ui::LockPage> m_lock;
    QPointer<QDialog> m_waitSheet; // a child of the window
    std::unique_ptr<Ui::WaitSheet> m_waitSheetUi;
    std::array<QPointer<QWidget>, TabCount> m_tabs{};
    std::unique_ptr<SideCanvases> m_canvases;
    ColListModel* m_colList = nullptr;

    std::weak_ptr<SKTGraphic> Last_Selected_Graphic;
    int m_selectedTool = 0;
    int m_shownSide = 0;
    QSizeF m_canvasSize;
    bool m_loaded = false;
    // The text colour the inspector shows last (read from any thread, so
    // kept here rather than read from the colour well).
    QColor m_textColor = Qt::black;
    CardPicture m_noImage;
    CardPicture m_signSample;
    CardPicture m_fingerprintSample;
    CardPicture m_barcodeSample;
};
