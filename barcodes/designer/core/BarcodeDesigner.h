#pragma once
// The widget-free half of the barcode designer: the settings record, the
// symbology dispatch, the sizing of linear and 2D pictures and the batch
// entry. It reads the record and the process-wide barcode values only, never
// a widget, so the batch fill may call it from any thread (one thread at a
// time: the process-wide values are shared). The designer window derives
// from it and edits the record.

#include "barcodes/BarcodeFrame.h"
#include "barcodes/NKDBarcode.h"
#include "barcodes/designer/core/BarcodeSettings.h"
#include "platform/CardPicture.h"

#include <QString>
#include <memory>

class SKTGraphic;

// What one build of a symbol gives.
struct BarcodeBuild {
    std::shared_ptr<NKDBarcode> linear; // linear symbologies only
    CardPicture image2D;                // the bare 2D symbol (2D only)
    CardPicture picture;                // the finished picture; none when the value failed
};

class BarcodeDesigner {
public:
    BarcodeDesigner() = default;
    virtual ~BarcodeDesigner() = default;
    BarcodeDesigner(const BarcodeDesigner&) = delete;
    BarcodeDesigner& operator=(const BarcodeDesigner&) = delete;

    // Loads the object's settings into the record and sets the process-wide
    // values its pictures depend on (QR version and level, resolution, unit),
    // so the next rendering uses them. Makes no picture.
    void Set_Barcode_Prop_To_Control(const std::shared_ptr<SKTGraphic>& graphic);

    // The batch entry: the picture of the value in the loaded settings with
    // that header and footer; none for an empty value, one outside ASCII or
    // one the symbology rejects. Never the picture of an earlier value.
    CardPicture Get_Image_From_Val(const QString& value, const QString& header,
                                   const QString& footer);

    // Builds the symbol of the value with these settings (pure: reads the
    // settings and the process-wide resolution values).
    static BarcodeBuild Generate_Barcode_Variable(const BarcodeSettings& settings,
                                                  const QString& value, const QString& header,
                                                  const QString& footer);

    // ---- Sizing (points) ----
    // Height of a linear model: bars, then each printed text band with its
    // margin, then twice the top-and-bottom margin; written with setHeight.
    static void Set_Barcode_Height(const BarcodeSettings& settings, NKDBarcode& model);
    // Width of a linear model: the widest of header, footer and bars, plus
    // twice the left-and-right margin, plus 15 when that margin is positive.
    static float Set_Linear_Barcode_Width(const BarcodeSettings& settings, const NKDBarcode& model);
    // The frame of a 2D picture: its size grown by the printed header and
    // footer bands and the margins, with those texts.
    static BarcodeFrame frameFor2D(const BarcodeSettings& settings, const CardPicture& picture,
                                   const QString& header, const QString& footer);

    // The bare 2D symbol of the value by the settings' title; none when the
    // encoder refuses the value.
    static CardPicture draw2D(const BarcodeSettings& settings, const QString& value);

    // True for a value that is not empty and holds ASCII only.
    static bool isValidValue(const QString& value);

    // Sets QR_Version_Val, QR_EC_Level_Val, USED_DPI_VALUE and
    // Measument_Unit_Is from the record.
    void applyProcessValues() const;

    BarcodeSettings settings;
    // The object whose settings were last loaded.
    std::shared_ptr<SKTGraphic> pass_barcode_control;
    // The linear symbol of the last batch picture.
    std::shared_ptr<NKDBarcode> testBarcode_EXP;
};
