#pragma once
// The one main window controller of the run: made by the first card
// document, it loads the main window ("DrawWindow") with its three canvases
// and its inspector, switches between the front, back and temporary sides,
// places new objects, rebuilds the inspector for the current object and
// offers the small services other windows call through Main_App_wnd.

#include "core/globals.h"
#include "editor/canvas/SKTCanvasHost.h"
#include "editor/model/Card_Property.h"
#include "editor/model/SKTGraphic.h"
#include "editor/model/SKTWindowControllerInterface.h"
#include "mainwindow/controller/User_Profile_Class.h"
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
#include <QVariantMap>
#include <QWidget>
#include <array>
#include <memory>

class ColListModel;
class ImageBrowser;
class MainWindowFrame;

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
                            public MainWindowServices {
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
    int Check_And_Validate_File_Path(const QString& path) const;
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
    QVariantList data_table_content() const { return m_dataTableContent; }
    void setData_table_content(const QVariantList& content) { m_dataTableContent = content; }
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

    // ---- Tools and standard buttons (their commands come later) ----
    // The tool chosen (0 arrow ... 15 polygon); its button shows it.
    void setSelected_Control_Tool(int tool);
    void selectArrowTool() { setSelected_Control_Tool(0); }
    void Disable_Standard_Button_For_Card();
    void Enable_Standard_Button_For_Control();
    void Disable_Standard_Button_For_Lock();
    void Enable_Standard_Button_For_Unlock();
    // What the last of the four above left: "card", "control"; "lock",
    // "unlock".
    QString standardButtonState() const { return m_standardButtons; }
    QString lockButtonState() const { return m_lockButtons; }

    // ---- Start-up services of other subsystems (stand-ins until they land) ----
    void Get_Email_Details();
    void Open_Share_It_Dl();
    void Open_Share_It_And_Get_It_Free();
    int Open_User_Profile_Window(int mode, const QString& side);
    void Fill_User_profile_info_front_side();
    void Fill_User_profile_info_back_side();
    void Load_and_fill_backgrounds();
    void New_Project();
    void Open_Start_Window();

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
    QFont All_Text_font_COPY;
    QStringList paper_card_arry;
    QStringList pvc_card_arry;
    QString act_path_location;
    QImage banner_image;
    QImage promotion_pattern_image;
    QString App_Name;
    double _zoomFactor = 1.0;
    Send_Modeless* send_modls_wnd = nullptr;
    QList<MyImageObject> images;
    ImageBrowser* imageBrowser() const;

private:
    static bool Card_Front_Or_Back_is_back();
    void init();
    void awakeFromNib();
    void buildInspectorPages();
    void buildCanvases();
    void connectControls();
    void fillHatchStyles();
    void closeRequested();
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
    QVariantList m_dataTableContent;
    QString m_standardButtons;
    QString m_lockButtons;
    bool m_loaded = false;
    // The text colour the inspector shows last (read from any thread, so
    // kept here rather than read from the colour well).
    QColor m_textColor = Qt::black;
    CardPicture m_noImage;
    CardPicture m_signSample;
    CardPicture m_fingerprintSample;
    CardPicture m_barcodeSample;
};
