#include "output/Print_Wnd.h"

#include "core/MessageFunctions.h"
#include "core/globals.h"
#include "output/PrintPreviewWindow.h"
#include "output/PrinterList.h"
#include "output/core/PrintJobName.h"
#include "output/core/SheetDrawing.h"
#include "platform/Hooks.h"
#include "ui_Print_Wnd.h"
#include "widgets/GuiHooks.h"

#include <QCoreApplication>
#include <QDir>
#include <QDoubleValidator>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <exception>

QPointer<Print_Wnd> Print_Wnd::Print_DefaultInstance;

namespace {

const QString kPrintFailedMessage =
    QStringLiteral("The cards could not be printed. Please check the printer and try again.");

// The alignment pictures of the resource folder, alignment 1 to 9.
constexpr std::array<const char*, 9> kNormalPictures = {
    "top_left",     "top_center",  "top_right",     "middle_left",  "middle_center",
    "middle_right", "bootom_left", "bootom_center", "boottom_right"};
constexpr std::array<const char*, 9> kSelectedPictures = {
    "top_left - sel",    "top_center - sel",    "top_right - sel",
    "middle_left - sel", "middle_center_sel",   "middle_right - sel",
    "bootom_left - sel", "bootom_center - sel", "boottom_right - sel"};

QIcon loadPicture(const char* name) {
    const QString path =
        QDir(hooks::resourceFolder()).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    const QImage image(path);
    if (image.isNull()) {
        return {};
    }
    return QIcon(QPixmap::fromImage(image));
}

// The total's maximum when no batch is printed.
constexpr int kMaxTotal = 999999;

QString mm(float points) {
    return QString::asprintf("%0.2f", static_cast<double>(sheet::Points_to_MM_Convert(points)));
}

} // namespace

Print_Wnd* Print_Wnd::defaultInstance() {
    if (!Print_DefaultInstance) {
        auto* dialog = new Print_Wnd();
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, dialog,
                         &QObject::deleteLater);
    }
    return Print_DefaultInstance;
}

Print_Wnd::Print_Wnd(QWidget* parent)
    : QDialog(parent), m_ui(new Ui::Print_Wnd),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    m_ui->setupUi(this);
    for (std::size_t i = 0; i < 9; ++i) {
        m_normalIcons[i] = loadPicture(kNormalPictures[i]);
        m_selectedIcons[i] = loadPicture(kSelectedPictures[i]);
    }
    m_alignButtons = {m_ui->top_left_btn, m_ui->top_center_btn, m_ui->top_rite_btn,
                      m_ui->mid_left_btn, m_ui->mid_center_btn, m_ui->mid_rite_btn,
                      m_ui->bot_left_btn, m_ui->bot_center_btn, m_ui->bot_rite_btn};
    // Sheets are laid out on the whole paper; the layout keeps clear of the
    // printer's margins itself.
    m_printer->setFullPage(true);
    if (!Print_DefaultInstance) {
        Print_DefaultInstance = this;
    }
    awakeFromNib();
    connectControls();
}

Print_Wnd::~Print_Wnd() = default;

void Print_Wnd::awakeFromNib() {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(palette);
    setAutoFillBackground(true);
    m_ui->PrintView->setContent(&m_layout, nullptr);
    // Return confirms a typed number; it must not press a button as well.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    // Ranges keep impossible values out: at least one row and column, no
    // negative gaps, sizes or totals.
    const auto range = [](CardStepper* stepper, QLineEdit* field, double low, double high,
                          double step, bool whole) {
        stepper->setMinimum(low);
        stepper->setMaximum(high);
        stepper->setIncrement(step);
        stepper->setPairedField(field);
        if (whole) {
            // Counts take any digits: one out of range is confirmed like any
            // other and ends at the stepper's limit, so the field always
            // shows the count in use (a range validator would leave a typed
            // "0" standing while the old count stays in use).
            field->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]{0,7}")), field));
        } else {
            auto* validator = new QDoubleValidator(low, high, 2, field);
            validator->setNotation(QDoubleValidator::StandardNotation);
            validator->setLocale(QLocale::c());
            field->setValidator(validator);
        }
    };
    range(m_ui->width_Stepper, m_ui->width_Text, 1, 2000, 1, false);
    range(m_ui->height_Stepper, m_ui->height_Text, 1, 2000, 1, false);
    range(m_ui->horz_mar_Stepper, m_ui->horz_mar_Text, 0, 1000, 1, false);
    range(m_ui->vert_mar_Stepper, m_ui->vert_mar_Text, 0, 1000, 1, false);
    range(m_ui->Row_Stepper, m_ui->Row_Text, 1, 999, 1, true);
    range(m_ui->Col_Stepper, m_ui->Col_Text, 1, 999, 1, true);
    range(m_ui->Total_Stepper, m_ui->Total_Text, 0, kMaxTotal, 1, true);
    range(m_ui->Copies_Stepper, m_ui->Copies_Text, 1, 999, 1, true);
    showValue(m_ui->Copies_Stepper, 1);
}

void Print_Wnd::connectControls() {
    connect(m_ui->Printer_ComboBox, &QComboBox::activated, this,
            [this] { comboBoxSelectionDidChange(m_ui->Printer_ComboBox); });
    connect(m_ui->Orient_ComboBox, &QComboBox::activated, this,
            [this] { comboBoxSelectionDidChange(m_ui->Orient_ComboBox); });
    connect(m_ui->print_alignment, &QComboBox::activated, this,
            [this] { comboBoxSelectionDidChange(m_ui->print_alignment); });
    connect(m_ui->matrix_card_side, &RadioMatrix::rowChosen, this, &Print_Wnd::card_side_CellClick);
    for (CardStepper* stepper :
         {m_ui->horz_mar_Stepper, m_ui->vert_mar_Stepper, m_ui->width_Stepper, m_ui->height_Stepper,
          m_ui->Row_Stepper, m_ui->Col_Stepper}) {
        connect(stepper, &CardStepper::stepped, this, [this] { Check_Max_Cell_Value(); });
    }
    connect(m_ui->Show_Margins, &QCheckBox::clicked, this, &Print_Wnd::Show_Margin_Checked);
    connect(m_ui->Auto_Center_chk_bx, &QCheckBox::clicked, this, &Print_Wnd::Auto_Center_Checked);
    for (std::size_t i = 0; i < m_alignButtons.size(); ++i) {
        connect(m_alignButtons[i], &QToolButton::clicked, this,
                [this, i] { alignmentClicked(static_cast<int>(i) + 1); });
    }
    connect(m_ui->print_with_batch_chk, &QCheckBox::clicked, this,
            [this] { Print_With_Batch_Changed(true); });
    connect(m_ui->print_with_excel_chk, &QCheckBox::clicked, this,
            [this] { Print_With_Batch_Changed(false); });
    connect(m_ui->pageSetupButton, &QPushButton::clicked, this, &Print_Wnd::pagesetup);
    connect(m_ui->previewButton, &QPushButton::clicked, this, [this] { Execute_Printing(true); });
    connect(m_ui->printButton, &QPushButton::clicked, this, [this] { Execute_Printing(false); });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, [this] { reject(); });
}

void Print_Wnd::showValue(CardStepper* stepper, double value) {
    stepper->setDoubleValue(value);
    if (QLineEdit* field = stepper->pairedField()) {
        field->setText(QString::number(stepper->doubleValue()));
    }
}

CardPicture Print_Wnd::front_image() const {
    return m_design ? m_design->designFront() : CardPicture();
}

CardPicture Print_Wnd::back_image() const {
    return m_design ? m_design->designBack() : CardPicture();
}

QIcon Print_Wnd::alignmentIcon(int alignment, bool selected) const {
    if (alignment < 1 || alignment > 9) {
        return {};
    }
    const auto i = static_cast<std::size_t>(alignment - 1);
    return selected ? m_selectedIcons[i] : m_normalIcons[i];
}

bool Print_Wnd::Open_Print_Wnd() {
    int code = -1;
    try {
        loading = true;
        m_ui->matrix_card_side->selectCellAtRow(1);
        card_side_str = QStringLiteral("F");
        m_layout.Print_Card_Side = card_side_str;
        m_layout.Print_Card_Algn = QStringLiteral("U");
        m_ui->print_alignment->setCurrentIndex(0);
        m_ui->print_alignment->setEnabled(false);

        m_layout.auto_center_flag = false;
        m_ui->Auto_Center_chk_bx->setChecked(false);
        m_layout.Show_margin_rect = true;
        m_ui->Show_Margins->setChecked(true);

        m_layout.Print_Row = 1;
        m_layout.Print_Col = 1;
        m_layout.Total_Label = 1;

        OutputHost* host = OutputHost::current();
        m_design = host ? output::renderDesign(*host)
                        : std::make_unique<DesignCardSource>(CardPicture(), CardPicture());
        m_batchSource.reset();
        m_ui->PrintView->setContent(&m_layout, m_design.get());

        m_batch = host ? host->Check_Series_Or_Excel_Use_or_not() : BatchState();
        m_ui->print_with_batch_chk->setEnabled(m_batch.Use_Data_Sheet_Values);
        m_ui->print_with_batch_chk->setChecked(m_batch.Use_Data_Sheet_Values);
        m_ui->print_with_excel_chk->setEnabled(m_batch.Use_Excel_Binding_Values);
        m_ui->print_with_excel_chk->setChecked(m_batch.Use_Excel_Binding_Values);
        if (m_batch.any()) {
            m_layout.Total_Label = m_batch.Total_Batch_Excel_Card;
        }
        setTotalMaximum();
        showValue(m_ui->Total_Stepper, m_layout.Total_Label);

        const QSizeF card = front_image().size();
        m_layout.label_width = static_cast<float>(card.width());
        m_layout.label_hight = static_cast<float>(card.height());
        showValue(m_ui->width_Stepper, sheet::Points_to_MM_Convert(m_layout.label_width));
        showValue(m_ui->height_Stepper, sheet::Points_to_MM_Convert(m_layout.label_hight));

        showValue(m_ui->Row_Stepper, 1);
        showValue(m_ui->Col_Stepper, 1);
        showValue(m_ui->horz_mar_Stepper, 0);
        showValue(m_ui->vert_mar_Stepper, 0);
        m_layout.horz_mar = 0;
        m_layout.vert_mar = 0;
        for (QLabel* label : {m_ui->l_mar_id, m_ui->r_mar_id, m_ui->t_mar_id, m_ui->b_mar_id}) {
            label->setText(QStringLiteral("0.00"));
        }
        m_ui->horz_mar_Stepper->setEnabled(true);
        m_ui->vert_mar_Stepper->setEnabled(true);
        m_ui->align_Gp_Bx->setEnabled(true);
        m_layout.label_align_val = 1;
        Set_Reset_Alignemnt_Image();

        // The printer in use stays chosen; the first printer otherwise.
        const QStringList printers = output::printerNames();
        m_ui->Printer_ComboBox->clear();
        m_ui->Printer_ComboBox->addItems(printers);
        int index = printers.indexOf(m_printer->printerName());
        if (index < 0 && !printers.isEmpty()) {
            index = 0;
            m_printer->setPrinterName(printers.first());
        }
        m_ui->Printer_ComboBox->setCurrentIndex(index);

        Set_values_From_Printer();
        loading = false;
        Refresh_Preview();

        code = hooks::runModal(*this);
        hide();
    } catch (const std::exception& e) {
        loading = false;
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        Show_MessageBox(QString::fromUtf8(e.what()));
        return false;
    }
    return code == 0 || code == 1;
}

void Print_Wnd::Set_values_From_Printer() {
    QPageLayout page = m_printer->pageLayout();
    m_ui->Paper_id->setText(page.pageSize().name());
    const QRectF paper = page.fullRect(QPageLayout::Point);
    m_layout.paperWidth = static_cast<float>(paper.width());
    m_layout.paperHeight = static_cast<float>(paper.height());
    m_ui->PrintView->setFixedSize(static_cast<int>(std::ceil(paper.width())),
                                  static_cast<int>(std::ceil(paper.height())));
    m_ui->Size_id->setText(QString::asprintf(
        "%.2f x %.2f", static_cast<double>(sheet::Points_to_MM_Convert(m_layout.paperWidth)),
        static_cast<double>(sheet::Points_to_MM_Convert(m_layout.paperHeight))));
    m_ui->Orient_ComboBox->setCurrentIndex(page.orientation() == QPageLayout::Portrait ? 0 : 1);
    page.setUnits(QPageLayout::Point);
    const QMarginsF margins = page.minimumMargins();
    m_layout.Left_Mar = static_cast<float>(margins.left());
    m_layout.Rite_Mar = static_cast<float>(margins.right());
    m_layout.Top_Mar = static_cast<float>(margins.top());
    m_layout.Bot_Mar = static_cast<float>(margins.bottom());
    m_ui->l_mar_id->setText(mm(m_layout.Left_Mar));
    m_ui->r_mar_id->setText(mm(m_layout.Rite_Mar));
    m_ui->t_mar_id->setText(mm(m_layout.Top_Mar));
    m_ui->b_mar_id->setText(mm(m_layout.Bot_Mar));
    Refresh_Preview();
}

void Print_Wnd::Refresh_Preview() {
    if (!m_printer || loading) {
        return;
    }
    if (QScrollBar* bar = m_ui->Print_sclview->verticalScrollBar()) {
        bar->setValue(0);
    }
    m_ui->PrintView->update();
    m_snapshot = m_ui->PrintView->imageRepresentation();
    if (m_snapshot.isNull()) {
        m_ui->test_image_view->clear();
        return;
    }
    const QSize room = m_ui->test_image_view->size().boundedTo(QSize(120, 160));
    m_ui->test_image_view->setPixmap(
        QPixmap::fromImage(m_snapshot.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void Print_Wnd::Check_Max_Cell_Value() {
    if (!m_printer) {
        return;
    }
    LayoutRequest request;
    request.cardWidthMm = m_ui->width_Stepper->floatValue();
    request.cardHeightMm = m_ui->height_Stepper->floatValue();
    request.horzGapMm = m_ui->horz_mar_Stepper->floatValue();
    request.vertGapMm = m_ui->vert_mar_Stepper->floatValue();
    request.columns = m_ui->Col_Stepper->intValue();
    request.rows = m_ui->Row_Stepper->intValue();
    request.batch = m_batch.any();
    const LayoutOutcome outcome = sheet::Check_Max_Cell_Value(m_layout, request);
    if (outcome.columnsRewritten) {
        showValue(m_ui->Col_Stepper, m_layout.Print_Col);
    }
    if (outcome.rowsRewritten) {
        showValue(m_ui->Row_Stepper, m_layout.Print_Row);
    }
    if (outcome.totalRewritten) {
        showValue(m_ui->Total_Stepper, m_layout.Total_Label);
    }
    Refresh_Preview();
}

void Print_Wnd::Set_Reset_Alignemnt_Image() {
    const int selected = m_layout.label_align_val;
    if (selected < 1 || selected > 9) {
        return;
    }
    for (std::size_t i = 0; i < m_alignButtons.size(); ++i) {
        const bool on = static_cast<int>(i) + 1 == selected;
        m_alignButtons[i]->setIcon(on ? m_selectedIcons[i] : m_normalIcons[i]);
    }
}

void Print_Wnd::comboBoxSelectionDidChange(QObject* sender) {
    try {
        if (sender == m_ui->Printer_ComboBox) {
            m_printer->setPrinterName(m_ui->Printer_ComboBox->currentText());
            Set_values_From_Printer();
        } else if (sender == m_ui->Orient_ComboBox) {
            const bool portrait = m_ui->Orient_ComboBox->currentText() == QLatin1String("Portrait");
            const bool isPortrait = m_printer->pageLayout().orientation() == QPageLayout::Portrait;
            if (portrait && !isPortrait) {
                m_printer->setPageOrientation(QPageLayout::Portrait);
            } else if (!portrait && isPortrait) {
                m_printer->setPageOrientation(QPageLayout::Landscape);
            }
            Set_values_From_Printer();
            Check_Max_Cell_Value();
        } else if (sender == m_ui->print_alignment) {
            m_layout.Print_Card_Algn = m_ui->print_alignment->currentIndex() == 0
                                           ? QStringLiteral("U")
                                           : QStringLiteral("L");
            Check_Max_Cell_Value();
        }
    } catch (const std::exception& e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Print_Wnd::card_side_CellClick(int row) {
    card_side_str = row == 0   ? QStringLiteral("BOTH")
                    : row == 1 ? QStringLiteral("F")
                               : QStringLiteral("B");
    m_layout.Print_Card_Side = card_side_str;
    m_ui->print_alignment->setEnabled(card_side_str == QLatin1String("BOTH"));
    Check_Max_Cell_Value();
}

void Print_Wnd::Show_Margin_Checked() {
    m_layout.Show_margin_rect = m_ui->Show_Margins->isChecked();
    Refresh_Preview();
}

void Print_Wnd::Auto_Center_Checked() {
    const bool on = m_ui->Auto_Center_chk_bx->isChecked();
    m_layout.auto_center_flag = on;
    m_ui->horz_mar_Stepper->setEnabled(!on);
    m_ui->vert_mar_Stepper->setEnabled(!on);
    m_ui->align_Gp_Bx->setEnabled(!on);
    Check_Max_Cell_Value();
}

void Print_Wnd::alignmentClicked(int alignment) {
    m_layout.label_align_val = alignment;
    Set_Reset_Alignemnt_Image();
    Refresh_Preview();
}

void Print_Wnd::Verify_Card_Count() {
    OutputHost* host = OutputHost::current();
    m_batch = host ? host->Check_Series_Or_Excel_Use_or_not() : BatchState();
    if (!m_ui->print_with_batch_chk->isChecked()) {
        m_batch.Use_Data_Sheet_Values = false;
    }
    if (!m_ui->print_with_excel_chk->isChecked()) {
        m_batch.Use_Excel_Binding_Values = false;
    }
    m_batch.Total_Batch_Excel_Card = host ? host->Get_total_Card_count(m_batch) : 0;
}

void Print_Wnd::Print_With_Batch_Changed(bool seriesBox) {
    Verify_Card_Count();
    QCheckBox* changed = seriesBox ? m_ui->print_with_batch_chk : m_ui->print_with_excel_chk;
    QCheckBox* other = seriesBox ? m_ui->print_with_excel_chk : m_ui->print_with_batch_chk;
    m_layout.Total_Label =
        changed->isChecked() || other->isChecked() ? m_batch.Total_Batch_Excel_Card : 1;
    setTotalMaximum();
    showValue(m_ui->Total_Stepper, m_layout.Total_Label);
}

void Print_Wnd::setTotalMaximum() {
    // The records when a batch is printed, else as many cards as wanted.
    m_ui->Total_Stepper->setMaximum(m_batch.any() ? std::max(0, m_batch.Total_Batch_Excel_Card)
                                                  : kMaxTotal);
}

void Print_Wnd::pagesetup() {
    QPageSetupDialog dialog(m_printer.get(), this);
    if (hooks::runModal(dialog) == 1) {
        Set_values_From_Printer();
        Check_Max_Cell_Value();
    }
}

CardSource& Print_Wnd::printSource() {
    m_batchSource.reset();
    if (m_batch.any()) {
        if (OutputHost* host = OutputHost::current()) {
            m_batchSource = host->batchSource(m_batch, true);
        }
    }
    if (m_batchSource) {
        return *m_batchSource;
    }
    return *m_design;
}

void Print_Wnd::Execute_Printing(bool preview) {
    if (!m_design) {
        return;
    }
    const SheetLayout& l = m_layout;
    if (l.label_width + l.Left_Mar + l.Rite_Mar + l.horz_mar > l.paperWidth ||
        l.label_hight + l.Top_Mar + l.Bot_Mar + l.vert_mar > l.paperHeight) {
        if (Show_YES_NO_MessageBox(
                QStringLiteral("'Card Size' is bigger than selected 'Paper Size' or drawn label "
                               "may be out of margin area.\n\nDo you want to continue?")) == 0) {
            return;
        }
    }
    m_layout.Total_Label = m_ui->Total_Stepper->intValue();
    if (m_layout.Total_Label <= 0) {
        Show_MessageBox(QStringLiteral("There is no barcode to print."));
        return;
    }
    CardSource& source = printSource();
    m_printer->setDocName(sheet::printJobName(Project_File_Name));
    if (preview) {
        if (sheet::pagesToDraw(m_layout, true).capped) {
            Show_MessageBox(sheet::kPreviewLimitMessage);
        }
        PrintPreviewWindow window(*m_printer, m_layout, source, this);
        m_previewWindow = &window;
        hooks::runModal(window);
        m_previewWindow = nullptr;
    } else {
        m_printer->setCopyCount(std::max(1, m_ui->Copies_Stepper->intValue()));
        // A printer that cannot be opened (or a page that cannot be added)
        // is said, never passed over as a finished print.
        const std::int64_t pages = sheet::pagesToDraw(m_layout, false).pages;
        QList<std::int32_t> notDrawn;
        if (sheet::printSheets(*m_printer, m_layout, source, pages, &notDrawn) < pages) {
            Show_MessageBox(kPrintFailedMessage);
        } else if (!notDrawn.isEmpty()) {
            Show_MessageBox(sheet::notPrintedMessage(notDrawn));
        }
    }
    m_batchSource.reset();
}

void Print_Wnd::reject() {
    // Closing the window (its close control, Esc or Cancel) ends the run
    // with 0, every time.
    hide();
    done(0);
}
