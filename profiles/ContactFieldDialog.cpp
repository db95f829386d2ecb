#include "profiles/ContactFieldDialog.h"

#include "core/MessageFunctions.h"
#include "core/StringFunctions.h"
#include "core/globals.h"
#include "dataseries/ColumnFollowing.h"
#include "dataseries/ExcelTempFolder.h"
#include "dataseries/ImportedTable.h"
#include "dataseries/windows/Data_From_Excel.h"
#include "dataseries/windows/Import_Excel.h"
#include "dataseries/windows/View_Data_Series.h"
#include "editor/canvas/SKTGraphicView.h"
#include "editor/model/ContactFieldState.h"
#include "editor/model/SKTError.h"
#include "editor/model/User_Profile_Class.h"
#include "editor/render/SKTRenderingView.h"
#include "profiles/ContactFieldPlacement.h"
#include "profiles/ContactFieldRows.h"
#include "widgets/ControlFunctions.h"
#include "widgets/DialogOwner.h"
#include "widgets/GuiHooks.h"
#include "widgets/MainWindowServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <exception>

namespace {

// The registered main window, or plain behaviour without one.
class PlainServices : public MainWindowServices {
public:
    void Fill_Data_Set_File_Name_In_Combo(QComboBox& combo) override { combo.clear(); }
    void Fill_Excel_Col_Name_In_Combo(QComboBox& combo) override { combo.clear(); }
    QString Get_First_Value_Of_Dataset(const QString&) override { return {}; }
    QString Get_First_Value_Of_Excel_Binding(int column) override {
        return ::Get_First_Value_Of_Excel_Binding(column);
    }
    void Refresh_Canvas() override {}
};

MainWindowServices& services() {
    static PlainServices plain;
    MainWindowServices* current = MainWindowServices::current();
    return current ? *current : plain;
}

template <typename T> T* child(QObject& parent, const QString& name) {
    return parent.findChild<T*>(name);
}

SKTGraphicList sideList(int side) {
    if (SKTGraphicView* view = services().graphicViewOfSide(side)) {
        return view->graphics();
    }
    return {};
}

bool importedRowsExist() {
    return Imported_Table().rowCount() > 0;
}

} // namespace

ContactFieldDialog::ContactFieldDialog(QWidget* parent) : QDialog(parent) {}

void ContactFieldDialog::bindControls() {
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(background);

    m_excelPath = child<QLineEdit>(*this, QStringLiteral("excel_path_field"));
    m_photoWell = child<QLabel>(*this, QStringLiteral("user_picture"));
    m_preview = child<QLabel>(*this, QStringLiteral("Preivew_picture"));
    m_browsePicture = child<QPushButton>(*this, QStringLiteral("browse_pic_btn"));
    m_clearPicture = child<QPushButton>(*this, QStringLiteral("clear_pic_btn"));

    for (int i = 0; i < kContactFieldRowCount; ++i) {
        const QString prefix =
            QString::fromLatin1(contactFieldRows()[static_cast<std::size_t>(i)].prefix);
        Row& r = m_rows[static_cast<std::size_t>(i)];
        if (i == kContactFieldPhotoRow) {
            r.value = child<QLineEdit>(*this, QStringLiteral("image_path_val"));
        } else {
            r.label = child<QLineEdit>(*this, prefix + QStringLiteral("_label"));
            r.value = child<QLineEdit>(*this, prefix + QStringLiteral("_value"));
            r.labelChk = child<QCheckBox>(*this, prefix + QStringLiteral("_label_chk"));
            r.valueChk = child<QCheckBox>(*this, prefix + QStringLiteral("_value_chk"));
        }
        r.source = child<QComboBox>(*this, prefix + QStringLiteral("_ds_combo"));
        r.seriesColumn = child<QComboBox>(*this, prefix + QStringLiteral("_ser_col_cb"));
        r.view = child<QPushButton>(*this, prefix + QStringLiteral("_view_btn"));
        r.side = child<QComboBox>(*this, prefix + QStringLiteral("_side_combo"));

        connect(r.source, &QComboBox::activated, this, [this, i] { sourceSelectionChanged(i); });
        connect(r.seriesColumn, &QComboBox::activated, this,
                [this, i] { seriesSelectionChanged(i); });
        connect(r.view, &QPushButton::clicked, this,
                [this, i] { View_Data_Series_By_Name(*row(i).seriesColumn); });
        if (r.labelChk) {
            connect(r.labelChk, &QCheckBox::clicked, this,
                    [label = r.label](bool on) { label->setReadOnly(!on); });
            connect(r.label, &QLineEdit::textEdited, r.labelChk,
                    [box = r.labelChk] { box->setChecked(true); });
        }
        if (r.valueChk) {
            connect(r.valueChk, &QCheckBox::clicked, this,
                    [value = r.value](bool on) { value->setReadOnly(!on); });
            connect(r.value, &QLineEdit::textEdited, r.valueChk,
                    [box = r.valueChk] { box->setChecked(true); });
        }
    }

    auto button = [this](const char* name, void (ContactFieldDialog::*slot)()) {
        if (auto* b = child<QPushButton>(*this, QString::fromLatin1(name))) {
            connect(b, &QPushButton::clicked, this, slot);
        }
    };
    button("ok_btn", &ContactFieldDialog::OK_Btn_Clicked);
    button("cancel_btn", &ContactFieldDialog::Cancel_Btn_Clicked);
    button("reset_btn", &ContactFieldDialog::Reset_Btn_Clicked);
    button("help_btn", &ContactFieldDialog::Help_Btn_Clicked);
    button("preview_btn", &ContactFieldDialog::Preview_Btn_Clicked);
    button("excel_browse_btn", &ContactFieldDialog::Browse_excel_Btn_Clicked);
    button("view_excel_btn", &ContactFieldDialog::View_Excel_Btn_Clicked);
    button("batch_series_btn", &ContactFieldDialog::Batch_Series_Btn_Clicked);
    button("browse_pic_btn", &ContactFieldDialog::Browse_image_Btn_Clicked);
    button("clear_pic_btn", &ContactFieldDialog::Clear_image_Btn_Clicked);
}

int ContactFieldDialog::Open_Wnd(bool load) {
    prepareOpening(load);
    if (m_rows[0].value) {
        m_rows[0].value->setFocus();
    }
    setResult(0);
    const int code = hooks::runModal(*this);
    hide();
    return code;
}

void ContactFieldDialog::takeCurrentSide() {
    const bool back = Current_Card_Side_Is_Back();
    setWindowTitle(back ? QStringLiteral("Back Side User Profile Information")
                        : QStringLiteral("Front Side User Profile Information"));
    Graphics_array = sideList(back ? 1 : 0);
    Create_and_Set_template_picture();
}

void ContactFieldDialog::loadSideObjects(bool tickValueBoxes) {
    // The "Excel" items follow the imported rows first, so a column binding
    // finds its source item.
    if (importedRowsExist()) {
        Add_Excel_in_Data_Source_Combo();
    } else {
        Remove_Excel_in_Data_Source_Combo();
    }
    const QStringList ids = User_Profile_Class::valueIdentifiers();
    for (const auto& graphic : Graphics_array) {
        if (!graphic) {
            continue;
        }
        const QString cls = graphic->className();
        if ((cls != QLatin1String("SKTText") && cls != QLatin1String("SKTImage")) ||
            Trim_Str(graphic->control_ID).isEmpty() || !graphic->ctrl_is_visible) {
            continue;
        }
        const int i = int(ids.indexOf(graphic->control_ID));
        if (i < 0) {
            continue;
        }
        Row& r = m_rows[static_cast<std::size_t>(i)];
        // A picture object's value is its file: its text field holds only
        // the default text of new objects.
        const QString value =
            cls == QLatin1String("SKTImage") ? graphic->FilePath() : graphic->Text_Value;
        r.value->setText(value);
        if (tickValueBoxes && r.valueChk) {
            r.valueChk->setChecked(true);
        }
        const int type = graphic->data_source_type_val();
        // An unknown source shows the manual entry.
        r.source->setCurrentIndex(type >= 0 && type < r.source->count() ? type : 0);
        sourceSelectionChanged(i);
        if (type != 0 && r.source->currentIndex() != 0) {
            const int index = type == 1   ? graphic->batch_list_index_val()
                              : type == 2 ? graphic->excel_col_indx
                                          : 0;
            // An index the list lacks leaves no choice; validation asks.
            r.seriesColumn->setCurrentIndex(index >= 0 && index < r.seriesColumn->count() ? index
                                                                                          : -1);
            seriesSelectionChanged(i);
        }
    }
}

void ContactFieldDialog::Reset_all_Ctrl() {
    if (m_preview) {
        m_preview->clear();
    }
    Set_User_Image(QString());
    for (int i = 0; i < kContactFieldRowCount; ++i) {
        Row& r = m_rows[static_cast<std::size_t>(i)];
        if (r.labelChk) {
            r.labelChk->setChecked(false);
        }
        if (r.valueChk) {
            r.valueChk->setChecked(false);
        }
        if (i != kContactFieldPhotoRow) {
            r.value->clear();
        }
        r.source->setCurrentIndex(0);
        sourceSelectionChanged(i);
        r.seriesColumn->setCurrentIndex(-1);
    }
}

void ContactFieldDialog::sourceSelectionChanged(int index) {
    try {
        Row& r = m_rows[static_cast<std::size_t>(index)];
        const int source = r.source->currentIndex();
        const bool manual = source == 0;
        if (index == kContactFieldPhotoRow) {
            m_browsePicture->setEnabled(manual);
            m_clearPicture->setEnabled(manual);
        } else {
            r.value->setReadOnly(!manual);
        }
        r.seriesColumn->setEnabled(!manual);
        r.view->setEnabled(source == 1);
        if (manual) {
            r.seriesColumn->clear();
        } else if (source == 1) {
            services().Fill_Data_Set_File_Name_In_Combo(*r.seriesColumn);
        } else {
            services().Fill_Excel_Col_Name_In_Combo(*r.seriesColumn);
        }
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
    }
}

void ContactFieldDialog::seriesSelectionChanged(int index) {
    try {
        Row& r = m_rows[static_cast<std::size_t>(index)];
        const QString chosen = r.seriesColumn->currentText();
        if (chosen.isEmpty() || r.seriesColumn->currentIndex() < 0) {
            return;
        }
        QString value;
        switch (r.source->currentIndex()) {
        case 1:
            value = services().Get_First_Value_Of_Dataset(chosen);
            break;
        case 2:
            value = services().Get_First_Value_Of_Excel_Binding(r.seriesColumn->currentIndex());
            break;
        default:
            return;
        }
        if (index == kContactFieldPhotoRow) {
            Set_User_Image(value);
        } else {
            r.value->setText(value);
        }
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
    }
}

bool ContactFieldDialog::Check_Validation() {
    checked_field_name.clear();
    for (int i = 0; i < kContactFieldRowCount; ++i) {
        const Row& r = m_rows[static_cast<std::size_t>(i)];
        const int source = r.source->currentIndex();
        if ((source == 1 || source == 2) && r.seriesColumn->currentIndex() < 0) {
            checked_field_name = *contactFieldRows()[static_cast<std::size_t>(i)].caption;
            return false;
        }
    }
    return true;
}

bool ContactFieldDialog::commit(User_Profile_Class* record, bool frontOrBack) {
    if (!Check_Validation()) {
        QString caption = Trim_Str(checked_field_name);
        if (!caption.isEmpty()) {
            caption.remove(QStringLiteral(" :"));
            caption = QStringLiteral(" for '%1'").arg(caption);
        }
        checked_field_name = caption;
        Show_MessageBox(QStringLiteral("Please select the source") + caption);
        return false;
    }
    if (!record) {
        return false;
    }
    if (frontOrBack) {
        record->enabled = true;
        if (importedRowsExist()) {
            record->excelBinding = true;
            Excel_Source_Path = m_excelPath->text();
            Excel_Binding_Use = 1;
        } else {
            Excel_Binding_Use = 0;
            record->excelBinding = false;
        }
    }
    for (int i = 0; i < kContactFieldRowCount; ++i) {
        const Row& r = m_rows[static_cast<std::size_t>(i)];
        User_Profile_Class::Field& field = record->fields[static_cast<std::size_t>(i)];
        field.value = r.value->text();
        switch (r.source->currentIndex()) {
        case 0:
            field.seriesBound = false;
            field.seriesName.clear();
            field.seriesIndex = 0;
            field.columnBound = false;
            field.columnIndex = 0;
            break;
        case 1:
            field.seriesBound = true;
            field.seriesName = r.seriesColumn->currentText();
            field.seriesIndex = r.seriesColumn->currentIndex();
            field.columnBound = false;
            field.columnIndex = 0;
            break;
        case 2:
            field.seriesBound = false;
            field.seriesName.clear();
            field.seriesIndex = 0;
            field.columnBound = true;
            field.columnIndex = r.seriesColumn->currentIndex();
            break;
        default:
            // No source chosen: the record keeps its binding.
            break;
        }
    }
    return true;
}

bool ContactFieldDialog::Fill_Front_User_profile_value_in_Variable() {
    return commit(services().userProfile(0), true);
}

bool ContactFieldDialog::Fill_Back_User_profile_value_in_Variable() {
    return commit(services().userProfile(1), true);
}

bool ContactFieldDialog::Fill_TEMP_User_profile_value_in_Variable() {
    return commit(services().userProfile(2), false);
}

void ContactFieldDialog::OK_Btn_Clicked() {
    const QString side = load_side;
    bool committed = false;
    if (side == QLatin1String("B")) {
        committed = Fill_Back_User_profile_value_in_Variable();
    } else if (side.isEmpty()) {
        committed = Fill_Front_User_profile_value_in_Variable() &&
                    Fill_Back_User_profile_value_in_Variable();
    } else {
        committed = Fill_Front_User_profile_value_in_Variable();
    }
    if (committed) {
        done(1);
    }
}

void ContactFieldDialog::Cancel_Btn_Clicked() {
    if (importedRowsExist()) {
        Excel_Source_Path = m_excelPath->text();
    }
    done(0);
}

void ContactFieldDialog::Help_Btn_Clicked() {
    Open_Help_File();
}

void ContactFieldDialog::Browse_excel_Btn_Clicked() {
    Remove_Excel_Temp_Folder();
    hooks::OpenPanelRequest request;
    request.allowedTypes = {QStringLiteral("xlsx"), QStringLiteral("XLSX")};
    request.kind = hooks::FileKind::Workbook;
    request.parent = this;
    const QStringList chosen = hooks::runOpenPanel(request);
    if (chosen.isEmpty()) {
        return;
    }
    const QString path = chosen.first();
    const QString previous = m_excelPath->text();
    m_excelPath->setText(path);
    if (services().Check_And_Validate_File_Path(path) != 0) {
        return;
    }
    // The titles the bindings were made with, for them to follow.
    const QStringList before = Excel_Col_Names();
    Import_Excel* import = Import_Excel::defaultInstance();
    dialogs::ownBy(*import, this);
    import->open_mode = QStringLiteral("E");
    const int imported = import->Open_excel_Wnd(path);
    if (import->Workbook_Refused()) {
        // Nothing was imported: the path of the workbook bound before stays,
        // so a refused file is neither committed nor saved with the design.
        m_excelPath->setText(previous);
        return;
    }
    if (importedRowsExist()) {
        Add_Excel_in_Data_Source_Combo();
    } else {
        Remove_Excel_in_Data_Source_Combo();
    }
    if (imported == 1) {
        followImportedColumns(ColumnFollowing(before, Excel_Col_Names()));
    }
}

void ContactFieldDialog::followImportedColumns(const ColumnFollowing& following) {
    // The rows and the card name the same field alike, so one that is both
    // is told once.
    const bool back = !load_side.isEmpty() && Current_Card_Side_Is_Back();
    QStringList lines;
    const auto tell = [&lines](const QString& field, const QString& title, int index) {
        const QString line =
            QStringLiteral("%1: column %2").arg(field, Lost_Column_Name(title, index));
        if (!lines.contains(line)) {
            lines << line;
        }
    };
    for (int i = 0; i < kContactFieldRowCount; ++i) {
        Row& r = m_rows[static_cast<std::size_t>(i)];
        if (r.source->currentIndex() != 2) {
            continue;
        }
        const int before = r.seriesColumn->currentIndex();
        const int after = following.newIndex(before);
        services().Fill_Excel_Col_Name_In_Combo(*r.seriesColumn);
        r.seriesColumn->setCurrentIndex(after);
        if (after >= 0) {
            seriesSelectionChanged(i);
            continue;
        }
        // Left for the user to choose: the row shows no column and no value
        // (validation asks for a column), never another column's.
        if (i == kContactFieldPhotoRow) {
            Set_User_Image(QString());
        } else {
            r.value->clear();
        }
        if (before >= 0) {
            tell(fieldName(i, back), following.title(before), before);
        }
    }
    QList<LostColumnBinding> lost;
    services().Follow_Imported_Columns(following, lost);
    const QStringList ids = User_Profile_Class::valueIdentifiers();
    for (const LostColumnBinding& binding : lost) {
        const int field = int(ids.indexOf(binding.controlID));
        tell(field >= 0 ? fieldName(field, binding.side == 1)
                        : lostObjectName(binding.className, binding.shown, binding.side),
             binding.column, binding.columnIndex);
    }
    // The side picture shows the objects as they are now.
    if (!Graphics_array.isEmpty()) {
        Create_and_Set_template_picture();
    }
    if (!lines.isEmpty()) {
        Show_MessageBox(QStringLiteral("The new workbook has no column for these fields; choose "
                                       "their columns again:\n") +
                        lines.join(QLatin1Char('\n')));
    }
}

QString ContactFieldDialog::fieldName(int row, bool back) {
    QString caption = *contactFieldRows()[static_cast<std::size_t>(row)].caption;
    caption.remove(QStringLiteral(" :"));
    return back ? caption + QStringLiteral(" (back)") : caption;
}

QString ContactFieldDialog::lostObjectName(const QString& className, const QString& shown,
                                           int side) {
    const QString kind = className == QLatin1String("SKTImage")     ? QStringLiteral("Picture")
                         : className == QLatin1String("SKTBarcode") ? QStringLiteral("Barcode")
                                                                    : QStringLiteral("Text");
    // What it showed, short enough for one line.
    QString what = shown.simplified();
    if (className == QLatin1String("SKTImage")) {
        what = QFileInfo(what).fileName();
    }
    if (what.size() > 30) {
        what = what.left(29) + QChar(0x2026);
    }
    const QString where = side == 1 ? QStringLiteral("back") : QStringLiteral("front");
    return what.isEmpty() ? QStringLiteral("%1 on the %2").arg(kind, where)
                          : QStringLiteral("%1 \"%2\" on the %3").arg(kind, what, where);
}

void ContactFieldDialog::View_Excel_Btn_Clicked() {
    try {
        Data_From_Excel* viewer = Data_From_Excel::defaultInstance();
        dialogs::ownBy(*viewer, this);
        viewer->Open_Wnd();
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromLocal8Bit(error.what()));
    }
}

void ContactFieldDialog::Batch_Series_Btn_Clicked() {
    services().Batch_Series_Button();
}

void ContactFieldDialog::Add_Excel_in_Data_Source_Combo() {
    for (Row& r : m_rows) {
        services().Add_Excel_Col_Name_In_Combo(*r.source);
    }
}

void ContactFieldDialog::Remove_Excel_in_Data_Source_Combo() {
    for (Row& r : m_rows) {
        services().Remove_Excel_Col_Name_In_Combo(*r.source);
    }
}

void ContactFieldDialog::View_Data_Series_By_Name(QComboBox& combo) {
    const QString name = Trim_Str(combo.currentIndex() >= 0 ? combo.currentText() : QString());
    if (name.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select the series."));
        return;
    }
    View_Data_Series* viewer = View_Data_Series::defaultInstance();
    dialogs::ownBy(*viewer, this);
    viewer->file_name = name;
    viewer->Open_Wnd();
}

void ContactFieldDialog::Browse_image_Btn_Clicked() {
    hooks::OpenPanelRequest request;
    request.allowedTypes = {QStringLiteral("jpg"),  QStringLiteral("jpeg"), QStringLiteral("jpe"),
                            QStringLiteral("jfif"), QStringLiteral("gif"),  QStringLiteral("bmp"),
                            QStringLiteral("png"),  QStringLiteral("tif"),  QStringLiteral("tiff")};
    request.kind = hooks::FileKind::Picture;
    request.parent = this;
    const QStringList chosen = hooks::runOpenPanel(request);
    if (chosen.isEmpty()) {
        Library_Selected_Image.clear();
        return;
    }
    Set_User_Image(chosen.first());
}

void ContactFieldDialog::Set_User_Image(const QString& path) {
    const QString trimmed = Trim_Str(path);
    m_rows[kContactFieldPhotoRow].value->setText(trimmed);
    if (!m_photoWell) {
        return;
    }
    if (trimmed.isEmpty()) {
        m_photoWell->clear();
        return;
    }
    const QImage image(trimmed);
    if (image.isNull()) {
        return; // the well keeps its picture; the path stays
    }
    m_photoWell->setPixmap(
        QPixmap::fromImage(image).scaled(m_photoWell->minimumSize().expandedTo(QSize(48, 48)),
                                         Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void ContactFieldDialog::showPicture(QLabel* label, const SKTGraphicList& graphics) {
    if (!label) {
        return;
    }
    const CardPicture picture = SKTRenderingView::image_From_Card_Graphics(graphics, false);
    const QImage image = picture.toImage(2.0);
    if (image.isNull()) {
        label->clear();
        return;
    }
    label->setPixmap(QPixmap::fromImage(image).scaled(label->minimumSize(), Qt::KeepAspectRatio,
                                                      Qt::SmoothTransformation));
}

void ContactFieldDialog::Create_and_Set_template_picture() {
    showPicture(m_preview, Graphics_array);
}

void ContactFieldDialog::Create_and_Set_Preview_picture() {
    showPicture(m_preview, Graphics_array);
}

void ContactFieldDialog::placePreviewCopies() {
    SKTGraphicView* temp = services().graphicViewOfSide(2);
    if (!temp || !temp->document()) {
        return;
    }
    SKTDocument& document = *temp->document();
    QList<int> old;
    for (int i = 0; i < document.graphics_temp().size(); ++i) {
        old.append(i);
    }
    if (!old.isEmpty()) {
        document.removeGraphicsInList(SKTDocumentGraphicsKey_temp, old);
    }
    // Full copies through the object archive, so the preview never changes
    // the side's own objects.
    const SKTGraphicList source = sideList(Current_Card_Side_Is_Back() ? 1 : 0);
    SKTError error;
    const auto copies = SKTGraphic::graphicsWithPasteboardData(
        SKTGraphic::pasteboardDataWithGraphics(source), &error);
    if (!copies || copies->isEmpty()) {
        return;
    }
    QList<int> indexes;
    for (int i = 0; i < copies->size(); ++i) {
        indexes.append(i);
    }
    document.insertGraphicsInList(SKTDocumentGraphicsKey_temp, *copies, indexes);
}

void ContactFieldDialog::Preview_Btn_Clicked() {
    if (!Fill_TEMP_User_profile_value_in_Variable()) {
        return;
    }
    placePreviewCopies();
    const float savedX = last_ctrl_X;
    const float savedY = last_ctrl_Y;
    contact_fields::Fill_User_profile_info(2);
    Graphics_array = sideList(2);
    Create_and_Set_Preview_picture();
    last_ctrl_X = savedX;
    last_ctrl_Y = savedY;
}
