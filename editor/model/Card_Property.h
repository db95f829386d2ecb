#pragma once
// The page record of one card side: border, fill, gradient, hatch, opacity,
// side count and name, shape, design name, location and size, size preset
// and category, creation mode, background picture and its layout, and the
// default content colour and font. A plain data holder: accessors, copying
// and keyed coding.

#include "platform/CardPicture.h"
#include "platform/KeyedArchiver.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <memory>

class KeyedUnarchiver;

class Card_Property : public KeyedArchivable {
public:
    // `init`: every field at its default.
    Card_Property();
    Card_Property(const Card_Property&) = default;
    Card_Property& operator=(const Card_Property&) = default;
    ~Card_Property() override;

    // A new record carrying all 29 fields.
    std::shared_ptr<Card_Property> copy() const;

    // The font new content takes: "Times New Roman" at 14 points.
    static QFont defaultContentFont();
    // the card border is drawn
    bool Card_border_chk() const { return m_Card_border_chk; }
    void setCard_border_chk(bool value) { m_Card_border_chk = value; }
    // the card background is filled
    bool Card_fill_chk() const { return m_Card_fill_chk; }
    void setCard_fill_chk(bool value) { m_Card_fill_chk = value; }
    // border colour
    QColor Card_bordr_clr() const { return m_Card_bordr_clr; }
    void setCard_bordr_clr(const QColor& value) { m_Card_bordr_clr = value; }
    // solid fill colour
    QColor Card_fill_clr() const { return m_Card_fill_clr; }
    void setCard_fill_clr(const QColor& value) { m_Card_fill_clr = value; }
    // first gradient colour
    QColor Card_fill_Grd_1_clr() const { return m_Card_fill_Grd_1_clr; }
    void setCard_fill_Grd_1_clr(const QColor& value) { m_Card_fill_Grd_1_clr = value; }
    // second gradient colour
    QColor Card_fill_Grd_2_clr() const { return m_Card_fill_Grd_2_clr; }
    void setCard_fill_Grd_2_clr(const QColor& value) { m_Card_fill_Grd_2_clr = value; }
    // colour behind the hatch pattern
    QColor Card_hatch_bk_clr() const { return m_Card_hatch_bk_clr; }
    void setCard_hatch_bk_clr(const QColor& value) { m_Card_hatch_bk_clr = value; }
    // border width in points
    qint32 Card_bor_Stepper() const { return m_Card_bor_Stepper; }
    void setCard_bor_Stepper(qint32 value) { m_Card_bor_Stepper = value; }
    // gradient angle in degrees
    qint32 Card_grad_Stepper() const { return m_Card_grad_Stepper; }
    void setCard_grad_Stepper(qint32 value) { m_Card_grad_Stepper = value; }
    // index of the chosen card size in its list
    qint32 Card_Cat_index() const { return m_Card_Cat_index; }
    void setCard_Cat_index(qint32 value) { m_Card_Cat_index = value; }
    // fill opacity, 0.0 to 1.0
    float Card_alpha_Stepper() const { return m_Card_alpha_Stepper; }
    void setCard_alpha_Stepper(float value) { m_Card_alpha_Stepper = value; }
    // border style: S, DA, DO, DD, DDD
    QString Card_border_style() const { return m_Card_border_style; }
    void setCard_border_style(const QString& value) { m_Card_border_style = value; }
    // fill style: S solid, G gradient, H hatch, I picture
    QString Card_fill_style() const { return m_Card_fill_style; }
    void setCard_fill_style(const QString& value) { m_Card_fill_style = value; }
    // name of the hatch pattern picture
    QString Card_hatch_style() const { return m_Card_hatch_style; }
    void setCard_hatch_style(const QString& value) { m_Card_hatch_style = value; }
    // number of sides in use, "1" or "2"
    QString Card_Side() const { return m_Card_Side; }
    void setCard_Side(const QString& value) { m_Card_Side = value; }
    // side of this record, "F" or "B"
    QString Card_Side_Name() const { return m_Card_Side_Name; }
    void setCard_Side_Name(const QString& value) { m_Card_Side_Name = value; }
    // card outline: R, RR rounded, E ellipse
    QString Card_Shape() const { return m_Card_Shape; }
    void setCard_Shape(const QString& value) { m_Card_Shape = value; }
    // design name
    QString Card_Name() const { return m_Card_Name; }
    void setCard_Name(const QString& value) { m_Card_Name = value; }
    // chosen size preset (orientation)
    QString Card_Preset() const { return m_Card_Preset; }
    void setCard_Preset(const QString& value) { m_Card_Preset = value; }
    // card category
    QString Card_Category() const { return m_Card_Category; }
    void setCard_Category(const QString& value) { m_Card_Category = value; }
    // card size within the category
    QString Card_Sub_Category() const { return m_Card_Sub_Category; }
    void setCard_Sub_Category(const QString& value) { m_Card_Sub_Category = value; }
    // how the design was started: W, L or T
    QString Card_Create_Mode() const { return m_Card_Create_Mode; }
    void setCard_Create_Mode(const QString& value) { m_Card_Create_Mode = value; }
    // path of the background picture
    QString Card_BG_Image_Path() const { return m_Card_BG_Image_Path; }
    void setCard_BG_Image_Path(const QString& value) { m_Card_BG_Image_Path = value; }
    // "Tile" repeats the picture, anything else stretches it
    QString Card_BG_Image_Layout() const { return m_Card_BG_Image_Layout; }
    void setCard_BG_Image_Layout(const QString& value) { m_Card_BG_Image_Layout = value; }
    // background picture
    CardPicture Card_BG_Image() const { return m_Card_BG_Image; }
    void setCard_BG_Image(const CardPicture& value) { m_Card_BG_Image = value; }
    // origin of the side on its canvas, in points
    QPointF Card_Location() const { return m_Card_Location; }
    void setCard_Location(const QPointF& value) { m_Card_Location = value; }
    // size of the side, in points
    QSizeF Card_Size() const { return m_Card_Size; }
    void setCard_Size(const QSizeF& value) { m_Card_Size = value; }
    // default colour of new content
    QColor Card_Content_clr() const { return m_Card_Content_clr; }
    void setCard_Content_clr(const QColor& value) { m_Card_Content_clr = value; }
    // default font of new content
    QFont Card_Content_font() const { return m_Card_Content_font; }
    void setCard_Content_font(const QFont& value) { m_Card_Content_font = value; }

    QStringList archiveClassChain() const override;
    // The 29 fields under their own names, in the record's archive order.
    void encodeWithCoder(KeyedArchiver& coder) const override;
    // Reads the same keys over the `init` defaults: a key missing from the
    // archive, or holding a value of another kind, keeps its default.
    void initWithCoder(const KeyedUnarchiver& coder);

    QByteArray archivedData() const;
    // None (and a reason) when the data is not a page-record archive.
    static std::shared_ptr<Card_Property> fromArchivedData(const QByteArray& data,
                                                           QString* reason = nullptr);
    static void registerArchiveClass();

private:
    bool m_Card_border_chk;
    bool m_Card_fill_chk;
    QColor m_Card_bordr_clr;
    QColor m_Card_fill_clr;
    QColor m_Card_fill_Grd_1_clr;
    QColor m_Card_fill_Grd_2_clr;
    QColor m_Card_hatch_bk_clr;
    qint32 m_Card_bor_Stepper;
    qint32 m_Card_grad_Stepper;
    qint32 m_Card_Cat_index;
    float m_Card_alpha_Stepper;
    QString m_Card_border_style;
    QString m_Card_fill_style;
    QString m_Card_hatch_style;
    QString m_Card_Side;
    QString m_Card_Side_Name;
    QString m_Card_Shape;
    QString m_Card_Name;
    QString m_Card_Preset;
    QString m_Card_Category;
    QString m_Card_Sub_Category;
    QString m_Card_Create_Mode;
    QString m_Card_BG_Image_Path;
    QString m_Card_BG_Image_Layout;
    CardPicture m_Card_BG_Image;
    QPointF m_Card_Location;
    QSizeF m_Card_Size;
    QColor m_Card_Content_clr;
    QFont m_Card_Content_font;
};
