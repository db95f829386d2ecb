// The designer's help buttons: each shows its title and text in the shared
// long-message dialog.

#include "barcodes/designer/Barcode_Gen.h"
#include "core/SharedGlobals.h"
#include "widgets/Long_SMS_Dlg.h"

void Barcode_Gen::openHelp(const QString& title, const QString& text) {
    Cutom_Msg_Title = title;
    Cutom_Msg_Val = text;
    if (Long_SMS_Dlg* dialog = Long_SMS_Dlg::defaultInstance()) {
        dialog->Open_Long_sms_Dialog();
    }
}

void Barcode_Gen::QR_Version_Help_Btn() {
    openHelp(QStringLiteral("Version :"),
             QStringLiteral("Version is configuration or number of modules (combination of black "
                            "and white dots)."));
}

void Barcode_Gen::QR_EC_Lvl_Help_Btn() {
    openHelp(QStringLiteral("Error correction (EC) level :"),
             QStringLiteral("An error-correction mechanism is built in each symbol so that the "
                            "symbol can still be decoded even if it is damaged."));
}

void Barcode_Gen::PDF_row_Help_btn() {
    openHelp(QStringLiteral("PDF Rows :"), QStringLiteral("Number of rows in the PDF barcode."));
}

void Barcode_Gen::PDF_col_Help_btn() {
    openHelp(QStringLiteral("PDF Columns :"),
             QStringLiteral("Number of columns in the PDF barcode."));
}

void Barcode_Gen::PDF_ec_lvl_Help_btn() {
    openHelp(QStringLiteral("PDF EC Level :"),
             QStringLiteral("An error-correction mechanism is built in each symbol so that the "
                            "symbol can still be decoded even if it is damaged in PDF barcode."));
}

void Barcode_Gen::DM_format_Help_btn() {
    openHelp(QStringLiteral("Preferred Format :"),
             QStringLiteral("Preferred Mode determines the smallest size of the symbol."));
}

void Barcode_Gen::DM_Encoding_Help_btn() {
    openHelp(QStringLiteral("Encoding Mode :"),
             QStringLiteral("Encoding Mode is mode of compaction to encode data in the symbol."));
}

void Barcode_Gen::DPI_Help_Label() {
    openHelp(QStringLiteral("DPI (Dots Per Inch) :"),
             QStringLiteral("Dots per inch is a measure of the resolution of printers in terms of "
                            "Print Quality.\n\nBigger the DPI, Better the Print Quality. But File "
                            "size of image also increases, as you choose bigger DPI."));
}
