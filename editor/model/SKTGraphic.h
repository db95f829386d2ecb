#pragma once
// The one record type of every object on a card side. A flat class: its
// fields hold the settings of every object kind and the subclasses add only
// drawing, hit testing and a few private fields. Inspectors, record filling
// and the design file write the fields directly (no notification); the
// observed setters below report to the owning document, which records undo
// and tells the canvases what to repaint.

#include "platform/CardPicture.h"
#include "platform/KeyedArchiver.h"
#include "platform/SKTStyledText.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <memory>
#include <optional>

class KeyedUnarchiver;
class QCursor;
class QPainter;
class SKTDocument;
class SKTGraphic;
struct SKTError;
struct SKTGraphicChange;

using SKTGraphicList = QList<std::shared_ptr<SKTGraphic>>;

inline constexpr double SKTGraphicHandleWidth = 6.0;
inline constexpr double SKTGraphicHandleHalfWidth = 3.0;

// Keys used for change reports, undo and scripting.
inline const QString SKTGraphicBoundsKey = QStringLiteral("bounds");
inline const QString SKTGraphicDrawingFillKey = QStringLiteral("drawingFill");
inline const QString SKTGraphicFillColorKey = QStringLiteral("fillColor");
inline const QString SKTGraphicDrawingStrokeKey = QStringLiteral("drawingStroke");
inline const QString SKTGraphicStrokeColorKey = QStringLiteral("strokeColor");
inline const QString SKTGraphicStrokeWidthKey = QStringLiteral("strokeWidth");
inline const QString SKTGraphicXPositionKey = QStringLiteral("xPosition");
inline const QString SKTGraphicYPositionKey = QStringLiteral("yPosition");
inline const QString SKTGraphicWidthKey = QStringLiteral("width");
inline const QString SKTGraphicHeightKey = QStringLiteral("height");
inline const QString SKTGraphicDrawingBoundsKey = QStringLiteral("drawingBounds");
inline const QString SKTGraphicDrawingContentsKey = QStringLiteral("drawingContents");
inline const QString SKTGraphicKeysForValuesToObserveForUndoKey =
    QStringLiteral("keysForValuesToObserveForUndo");

// A refusal reported to the script command that asked for a change.
struct SKTScriptError {
    int number = 0;
    QString text;
};

class SKTGraphic : public KeyedArchivable, public std::enable_shared_from_this<SKTGraphic> {
public:
    // `init`: every field at its default. Text font and colour come from the
    // main window, the picture path from the resource folder.
    SKTGraphic();
    ~SKTGraphic() override;
    SKTGraphic& operator=(const SKTGraphic&) = delete;

    // The class's archive name ("SKTGraphic", "SKTText", ...).
    virtual QString className() const { return QStringLiteral("SKTGraphic"); }
    // A new object of the same class at its defaults.
    virtual std::shared_ptr<SKTGraphic> newOfSameClass() const;
    // The copy: a new object of the same class whose bounds, drawing flags,
    // fill and stroke colours, stroke width and style, fill type, gradient and
    // hatch settings are this object's; every other field keeps its default.
    virtual std::shared_ptr<SKTGraphic> clone() const;
    // A copy of the whole object for a picture drawn later, possibly on
    // another thread: every field, the pictures shared (they are immutable)
    // and any picture already derived from them (adjusted, loaded) kept. The
    // copy belongs to no document and no scripting container. A class
    // without a copy of its own answers a plain SKTGraphic.
    std::shared_ptr<SKTGraphic> snapshot() const;

    // ---- Plain accessors (one field each, nothing else) ----
    QRectF bounds() const { return _bounds; }
    virtual bool isDrawingFill() const { return _isDrawingFill; }
    virtual bool isDrawingStroke() const { return _isDrawingStroke; }
    double strokeWidth() const { return _strokeWidth; }
    QString strokeBorderType() const { return _stroke_border_type; }
    QString fill_type() const { return _fill_type; }
    QString fill_hatch_type() const { return _fill_hatch_type; }
    double fill_grad_angle() const { return _fill_grad_angle; }
    virtual void setFlippedHorizontally(bool flag) { _isFlippedHorizontally = flag; }
    virtual void setFlippedVertically(bool flag) { _isFlippedVertically = flag; }
    void Set_Ctrl_Is_Visible(bool flag) { ctrl_is_visible = flag; }
    bool Is_Control_Locked() const { return ctrl_is_locked; }
    void Set_Barcode_image(const CardPicture& picture) { _barcode_image = picture; }
    QString Get_shape_type() const { return _shape_type; }
    void Set_Shape_Type(const QString& type) { _shape_type = type; }
    QFont Text_Font_value() const { return text_ctrl_font; }
    QColor Text_Color_Value() const { return txt_clr; }
    int Get_Line_Ori() const { return _line_ori; }
    int Get_Line_Cap_Style() const { return _line_cap_style; }
    void Set_Batch_List_Name(const QString& name) { batch_list_name = name; }
    QString batch_list_name_val() const { return batch_list_name; }
    void Set_Batch_List_Index(int index) { batch_list_index = index; }
    int batch_list_index_val() const { return batch_list_index; }
    void Set_Data_source_type(int type) { data_source_type = type; }
    int data_source_type_val() const { return data_source_type; }
    void Set_Excel_binding(bool flag) { excel_binding = flag; }
    void Set_Excel_binding_Index(int index) { excel_col_indx = index; }
    void Set_Sign_Or_FP(const QString& kind) { sign_or_fingureprint = kind; }
    QString Sign_Or_FP_Val() const { return sign_or_fingureprint; }
    void Set_Control_File_path(const QString& path) { _file_path = path; }
    QString FilePath() const { return _file_path; }
    double Get_Image_Trnsp_val() const { return img_trnsp_val; }
    double Get_Hue_val() const { return hue_val; }
    void setScriptingContainer(SKTDocument* container) { _scriptingContainer = container; }
    SKTDocument* scriptingContainer() const { return _scriptingContainer; }

    // ---- Observed setters: reported to the owning document ----
    virtual void setBounds(const QRectF& bounds);
    void setDrawingFill(bool flag);
    void setFillColor(const QColor& color);
    void setDrawingStroke(bool flag);
    void setStrokeColor(const QColor& color);
    void setStrokeWidth(double width);

    // Colours with their opacity: the colour with its alpha replaced by the
    // opacity (limited to 0..1, NaN as 0), stored back into the field. An
    // invalid colour (none) stays none.
    QColor fillColor();
    QColor strokeColor();
    QColor fill_hatch_bk_clr();
    QColor fill_Grad_clr1();
    QColor fill_Grad_clr2();

    // The styled text, made on first use from Text_Value in black "Times New
    // Roman" 14.
    SKTStyledText& Text_contents();

    // ---- Geometry ----
    double xPosition() const { return _bounds.x(); }
    double yPosition() const { return _bounds.y(); }
    double width() const { return _bounds.width(); }
    double height() const { return _bounds.height(); }
    void setXPosition(double x);
    void setYPosition(double y);
    void setWidth(double width);
    void setHeight(double height);
    // The bounds grown by the larger of the handle half width and half the
    // stroke width (when stroked), then 1 more in width and height.
    virtual QRectF drawingBounds() const;

    static QRectF boundsOfGraphics(const SKTGraphicList& graphics);
    // The front canvas's bounds for an empty list.
    static QRectF drawingBoundsOfGraphics(const SKTGraphicList& graphics);
    // Moves every unlocked object.
    static void translateGraphics(const SKTGraphicList& graphics, double x, double y);
    // Places pasted objects: the first at (x, y), each further one at the
    // main window's next position for the side; locked objects keep their
    // bounds but still use up a position.
    static void Paste_Location_Of_Graphics(const SKTGraphicList& graphics, double x, double y,
                                           const QString& card_side);
    // A whole-number offset below the width and height from the origin.
    static QPointF randomPoint(const QRectF& rect);
    // The cross of the resource "Cross.png" with its hot spot at the
    // picture's centre (the picture is read once); the platform's cross
    // cursor when the resource does not read. GUI thread only.
    static QCursor creationCursor();

    // ---- Handles: 1..8 from top left to bottom right, 0 none ----
    static QPointF handlePoint(const QRectF& bounds, int handle);
    virtual void drawHandlesInView(QPainter& painter, bool lock_hai) const;
    void drawHandleInView(QPainter& painter, const QPointF& point, bool lock_hai) const;
    bool isHandleAtPoint(const QPointF& handlePoint, const QPointF& point) const;
    virtual int handleUnderPoint(const QPointF& point) const;
    virtual int creationSizingHandle() const { return 8; }
    virtual bool isContentsUnderPoint(const QPointF& point) const;
    // Drags a handle to a point; answers the handle being dragged afterwards
    // (it changes when the object turns over).
    virtual int resizeByMovingHandle(int handle, const QPointF& point);
    virtual void flipHorizontally() {}
    virtual void flipVertically() {}

    // ---- Natural size ----
    virtual bool canMakeNaturalSize() const;
    virtual void makeNaturalSize();

    // ---- Drawing contract ----
    virtual void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited);
    // A class without a path of its own logs it and answers an empty path.
    virtual QPainterPath bezierPathForDrawing() const;
    virtual bool canSetDrawingFill() const { return true; }
    virtual bool canSetDrawingStroke() const { return true; }
    // A colour chosen for the object: fill turned on and set when allowed.
    virtual void setColor(const QColor& color);

    // ---- Undo keys and key-value access ----
    virtual QStringList keysForValuesToObserveForUndo() const;
    virtual QString presentablePropertyNameForKey(const QString& key) const;
    // The observed keys plus xPosition, yPosition, width, height,
    // drawingBounds; an invalid QVariant for other keys.
    virtual QVariant valueForKey(const QString& key);
    // Sets through the observed setters; false for an unknown key or a value
    // of the wrong kind.
    virtual bool setValueForKey(const QString& key, const QVariant& value);

    // ---- Property dictionary ----
    virtual QVariantMap properties();
    // On an object fresh from `init`: takes each known key present with the
    // right kind of value.
    virtual void initWithProperties(const QVariantMap& properties);
    QString description();

    // ---- Scripting ----
    // The object's index in its container's front list; none (logged) when
    // it has no container or is not in the list.
    std::optional<int> objectSpecifier() const;
    QColor scriptingFillColor();   // invalid when not filling
    QColor scriptingStrokeColor(); // invalid when not stroking
    std::optional<double> scriptingStrokeWidth() const;
    // An invalid colour / no width means "remove". False and an error -10000
    // when the object cannot take the change.
    bool setScriptingFillColor(const QColor& color, SKTScriptError* error = nullptr);
    bool setScriptingStrokeColor(const QColor& color, SKTScriptError* error = nullptr);
    bool setScriptingStrokeWidth(std::optional<double> width, SKTScriptError* error = nullptr);

    // ---- Keyed archive ----
    QStringList archiveClassChain() const override;
    void encodeWithCoder(KeyedArchiver& coder) const override;
    // Reads the archive's keys over the `init` defaults: a missing key or a
    // value of the wrong kind leaves the default.
    virtual void initWithCoder(const KeyedUnarchiver& coder);
    // The archive of one object (binary property list).
    QByteArray archivedData() const;
    // One object from its archive, of the class the archive records; none
    // (and a reason) when it does not read.
    static std::shared_ptr<SKTGraphic> graphicWithArchivedData(const QByteArray& data,
                                                               QString* reason = nullptr);
    // Makes the seven object classes known to the keyed unarchiver (done
    // once; the archive readers call it themselves).
    static void registerArchiveClasses();

    // ---- Pasteboard data ----
    // A binary property list whose root array holds each object's archive.
    static QByteArray pasteboardDataWithGraphics(const SKTGraphicList& graphics);
    static QList<QByteArray> propertiesWithGraphics(const SKTGraphicList& graphics);
    // None and error 2 when the data is not a property list with an array
    // root.
    static std::optional<SKTGraphicList> graphicsWithPasteboardData(const QByteArray& data,
                                                                    SKTError* error);
    // Skips (and logs) elements that do not read; pictures of picture objects
    // are reloaded from their files when these exist.
    static SKTGraphicList graphicsWithProperties(const QList<QByteArray>& archives);

    // ---- The owning document (set by the document's lists) ----
    SKTDocument* owningDocument() const { return m_link.owner; }
    void setOwningDocument(SKTDocument* document) { m_link.owner = document; }

    // ---- Fields (each also its archive key) ----
    QRectF _bounds;
    bool _isDrawingFill = true;
    QColor _fillColor;
    bool _isDrawingStroke = true;
    QColor _strokeColor;
    double _strokeWidth = 1.0;
    QString _stroke_border_type;
    QString _fill_type;
    QColor _fill_Grad_clr1;
    QColor _fill_Grad_clr2;
    double _fill_grad_angle = 0.0;
    QColor _fill_htch_clr;
    QString _fill_hatch_type;
    bool _isFlippedHorizontally = false;
    bool _isFlippedVertically = false;
    bool invert_clr = false;
    bool gray_Scale = false;
    bool Sepia = false;
    float img_trnsp_val = 100.0f;
    float hue_val = 0.0f;
    float sat_val = 1.0f;
    float brt_val = 0.0f;
    float con_val = 1.0f;
    float srp_val = 0.0f;
    float ev_val = 0.0f;
    float blr_val = 0.0f;
    qint32 data_source_type = 0;
    float rotate_image = 0.0f;
    QString _file_path;
    SKTDocument* _scriptingContainer = nullptr; // not owned, not archived
    QString sign_or_fingureprint;
    QString batch_list_name;
    qint32 batch_list_index = 0;
    qint32 _line_ori = 0;
    qint32 _line_cap_style = 0;
    float cor_rad_val_val = 10.0f;
    float alpha_val = 1.0f;
    float alpha_val_stroke = 1.0f;
    QFont text_ctrl_font;
    QColor txt_clr;
    std::optional<SKTStyledText> _Text_contents;
    QString _shape_type;
    CardPicture _barcode_image;
    qint32 linear_or_2d = 0;
    qint32 barcode_font_index = 0;
    QString linear_font_val;
    QString two_d_font_val;
    QString header_val;
    QString footer_val;
    qint32 show_hide_hdr = 0;
    qint32 show_hide_ftr = 0;
    qint32 show_hide_val = 0;
    qint32 show_val_on_top = 0;
    qint32 align_hdr_index = 1;
    qint32 align_ftr_index = 1;
    float linear_height_val = 0.6f;
    float linear_width_val = 20.0f;
    qint32 qr_size_val = 60;
    qint32 qr_version_index = 0;
    qint32 qr_ec_index = 0;
    qint32 pdf_hgt_val = 20;
    qint32 pdf_wdt_val = 100;
    qint32 pdf_ec_val = 2;
    qint32 dm_module_val = 2;
    qint32 dm_format_index = 0;
    qint32 dm_encoding_index = 0;
    float hdr_margin_val = 0.1f;
    float ftr_margin_val = 0.1f;
    float val_margin_val = 0.1f;
    float TB_marging_val = 0.1f;
    float LR_margin_val = 0.1f;
    QFont value_font_val;
    QFont header_font_val;
    QFont footer_font_val;
    QColor barcode_hdr_clr_val;
    QColor barcode_ftr_clr_val;
    QColor barcode_val_clr_val;
    QColor barcode_back_clr_val;
    QColor barcode_clr_val;
    qint32 dpi_val_index = 0;
    QString dpi_custom_val;
    qint32 barcode_unit_val = 1;
    bool ctrl_is_locked = false;
    qint32 text_alignmnet = 0;
    qint32 text_transfrom_case = 0;
    float text_kerning = 0.0f;
    qint32 print_object = 0;
    QString control_ID;
    bool excel_binding = false;
    qint32 excel_col_indx = 0;
    QString Text_Value;
    bool ctrl_is_visible = true;
    qint32 double_star_type = 1;
    qint32 polygon_type = 1;

protected:
    // Copies every field; the copy belongs to no document (see snapshot).
    SKTGraphic(const SKTGraphic& other) = default;
    // The copy of snapshot, of the object's own class.
    virtual std::shared_ptr<SKTGraphic> copyOfObject() const;

    // Brackets a change of observed values: the outermost scope tells the
    // owning document before and after, so it can compare the observed keys
    // and repaint the old and new drawing bounds. Nested scopes (a setter
    // that calls another) report once.
    class ChangeScope {
    public:
        explicit ChangeScope(SKTGraphic& graphic);
        ~ChangeScope();
        ChangeScope(const ChangeScope&) = delete;
        ChangeScope& operator=(const ChangeScope&) = delete;

    private:
        SKTGraphic& m_graphic;
        SKTDocument* m_document = nullptr;
        std::unique_ptr<SKTGraphicChange> m_change;
    };

    // Copies the fields that `clone` carries into a fresh object.
    void copyCloneFieldsTo(SKTGraphic& copy) const;
    // Applies an opacity to a stored colour (see fillColor).
    static QColor applyOpacity(QColor& stored, float opacity);

private:
    // The link to the owning document, which a copy does not take over.
    struct DocumentLink {
        SKTDocument* owner = nullptr;
        int changeDepth = 0;
        DocumentLink() = default;
        DocumentLink(const DocumentLink&) {}
        DocumentLink& operator=(const DocumentLink&) = delete;
    };
    DocumentLink m_link;
};
