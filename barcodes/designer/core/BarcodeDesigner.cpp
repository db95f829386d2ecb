#include "barcodes/designer/core/BarcodeDesigner.h"

#include "barcodes/BarcodeGlobals.h"
#include "barcodes/BarcodeRenderer.h"
#include "barcodes/DataMatrixBarcode.h"
#include "barcodes/LinearSymbologies.h"
#include "barcodes/QREncoder.h"
#include "barcodes/designer/core/DesignerLists.h"
#include "barcodes/pdf417View.h"
#include "editor/model/SKTGraphic.h"

#include <QtDebug>
#include <algorithm>
#include <exception>

namespace {

// The texts of a 2D picture measured as a linear model would measure them.
struct TextBands {
    float headerHeight = 0.0f; // inches
    float footerHeight = 0.0f;
    float headerWidth = 0.0f; // points
    float footerWidth = 0.0f;
};

TextBands measureBands(const BarcodeSettings& settings, const QString& header,
                       const QString& footer) {
    NKDBarcode texts;
    texts.setStyle(settings.style());
    texts.setHeader(header);
    texts.setFooter(footer);
    texts.setHeaderFontSize(static_cast<float>(settings.header_font_val.pointSizeF()));
    texts.setFooterFontSize(static_cast<float>(settings.footer_font_val.pointSizeF()));
    return {texts.headerHeight(), texts.footerHeight(), texts.headerWidth(), texts.footerWidth()};
}

float widthWithMargins(const BarcodeSettings& settings, float widest) {
    const float margin = centimetresToPoints(settings.LR_margin_val);
    float width = widest + 2.0f * margin;
    if (margin > 0.0f) {
        width += 15.0f;
    }
    return width;
}

} // namespace

bool BarcodeDesigner::isValidValue(const QString& value) {
    if (value.isEmpty()) {
        return false;
    }
    return std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() < 128; });
}

void BarcodeDesigner::applyProcessValues() const {
    QR_Version_Val = settings.qr_version_index;
    QR_EC_Level_Val = settings.qr_ec_index;
    USED_DPI_VALUE = settings.resolution();
    Measument_Unit_Is = 1;
}

void BarcodeDesigner::Set_Barcode_Prop_To_Control(const std::shared_ptr<SKTGraphic>& graphic) {
    if (!graphic) {
        return;
    }
    pass_barcode_control = graphic;
    settings = BarcodeSettings::fromGraphic(*graphic, settings);
    applyProcessValues();
}

CardPicture BarcodeDesigner::Get_Image_From_Val(const QString& value, const QString& header,
                                                const QString& footer) {
    testBarcode_EXP.reset();
    if (!isValidValue(value)) {
        return {};
    }
    try {
        // The resolution of this object, whatever a preview set last.
        applyProcessValues();
        BarcodeBuild build = Generate_Barcode_Variable(settings, value, header, footer);
        testBarcode_EXP = build.linear;
        return build.picture;
    } catch (const std::exception&) {
        return {};
    }
}

void BarcodeDesigner::Set_Barcode_Height(const BarcodeSettings& s, NKDBarcode& model) {
    const BarcodeStyle style = s.style();
    float height = centimetresToPoints(s.linear_height_val);
    model.setHeight(height);
    if (model.printsCaption()) {
        height += model.captionHeight() * 72.0f + style.value_margin;
        model.setHeight(height);
    }
    if (model.printsHeader()) {
        height += model.headerHeight() * 72.0f + style.header_margin;
        model.setHeight(height);
    }
    if (model.printsFooter()) {
        height += model.footerHeight() * 72.0f + style.footer_margin;
        model.setHeight(height);
    }
    height += 2.0f * style.TB_margin;
    model.setHeight(height);
}

float BarcodeDesigner::Set_Linear_Barcode_Width(const BarcodeSettings& s, const NKDBarcode& model) {
    const float header = s.show_hide_hdr == 1 ? 0.0f : model.headerWidth();
    const float footer = s.show_hide_ftr == 1 ? 0.0f : model.footerWidth();
    return widthWithMargins(s, std::max({header, footer, model.width()}));
}

BarcodeFrame BarcodeDesigner::frameFor2D(const BarcodeSettings& s, const CardPicture& picture,
                                         const QString& header, const QString& footer) {
    const BarcodeStyle style = s.style();
    const TextBands bands = measureBands(s, header, footer);
    BarcodeFrame frame;
    frame.header = header;
    frame.footer = footer;
    frame.printsHeader = s.show_hide_hdr != 1;
    frame.printsFooter = s.show_hide_ftr != 1;
    frame.headerHeight = frame.printsHeader ? bands.headerHeight : 0.0f;
    const float headerBand =
        frame.printsHeader ? bands.headerHeight * 72.0f + style.header_margin : 0.0f;
    const float footerBand =
        frame.printsFooter ? bands.footerHeight * 72.0f + style.footer_margin : 0.0f;
    const QSizeF size = picture.size();
    frame.height =
        static_cast<float>(size.height()) + headerBand + footerBand + 2.0f * style.TB_margin;
    const float headerWidth = frame.printsHeader ? bands.headerWidth : 0.0f;
    const float footerWidth = frame.printsFooter ? bands.footerWidth : 0.0f;
    frame.width =
        widthWithMargins(s, std::max({headerWidth, footerWidth, static_cast<float>(size.width())}));
    return frame;
}

CardPicture BarcodeDesigner::draw2D(const BarcodeSettings& s, const QString& value) {
    const QString title = s.symbologyTitle();
    if (title == QLatin1String("QR Code")) {
        Barcode_module_size = 1;
        const auto grid = QREncoder::encodeWithECLevel(s.qr_ec_index, s.qr_version_index, value);
        return grid ? QREncoder::renderDataMatrix(grid.get(), s.qr_size_val) : CardPicture();
    }
    if (title == QLatin1String("PDF417")) {
        Barcode_module_size = s.pdf_hgt_val;
        pdf417View view(QSizeF(s.pdf_wdt_val, s.pdf_hgt_val));
        view.setErrorLevel(s.pdf_ec_val);
        view.drawWithText(value);
        return view.getImage();
    }
    if (title == QLatin1String("DataMatrix")) {
        Barcode_module_size = s.dm_module_val;
        return Draw_DataMatrix_Barcode(value, s.dataMatrixFormatTitle(),
                                       s.dataMatrixEncodingTitle(), s.dm_module_val,
                                       USED_DPI_VALUE.load())
            .picture;
    }
    return {};
}

BarcodeBuild BarcodeDesigner::Generate_Barcode_Variable(const BarcodeSettings& s,
                                                        const QString& value, const QString& header,
                                                        const QString& footer) {
    BarcodeBuild build;
    if (value.isEmpty()) {
        return build;
    }
    try {
        const QString title = s.symbologyTitle();
        const bool printsCaption = s.show_hide_val != 1;
        const BarcodeStyle style = s.style();
        if (s.isTwoDimensional()) {
            if (!DesignerLists::isTwoDimensional(title)) {
                return build;
            }
            build.image2D = draw2D(s, value);
            if (!build.image2D.isNull()) {
                build.picture = imageFromBarcodeImage(
                    build.image2D, frameFor2D(s, build.image2D, header, footer), style);
            }
            return build;
        }
        if (DesignerLists::isTwoDimensional(title)) {
            return build; // a 2D title with a linear kind matches no row
        }
        std::shared_ptr<NKDBarcode> model = LinearSymbologies::create(title, value, printsCaption);
        if (!model || !model->isContentValid()) {
            return build;
        }
        model->setStyle(style);
        model->setHeader(header);
        model->setFooter(footer);
        model->setPrintsCaption(printsCaption);
        model->setPrintsHeader(s.show_hide_hdr != 1);
        model->setPrintsFooter(s.show_hide_ftr != 1);
        // Mils to points per module: the division in single precision, the
        // product in double.
        const float inches = s.linear_width_val / 1000.0f;
        model->setBarWidth(static_cast<float>(static_cast<double>(inches) * 72.0));
        model->setCaptionFontSize(static_cast<float>(s.value_font_val.pointSizeF()));
        model->setHeaderFontSize(static_cast<float>(s.header_font_val.pointSizeF()));
        model->setFooterFontSize(static_cast<float>(s.footer_font_val.pointSizeF()));
        Set_Barcode_Height(s, *model);
        model->calculateWidth();
        model->setWidth(Set_Linear_Barcode_Width(s, *model));
        build.picture = imageFromBarcode(*model);
        build.linear = std::move(model);
    } catch (const std::exception& error) {
        qWarning("%s", error.what());
        return {};
    }
    return build;
}
