#include "editor/model/Card_Property.h"

#include "platform/KeyedUnarchiver.h"
#include "platform/SKTStyledText.h"

#include <mutex>

// Text_Ctrl_Font ("Times New Roman") at 14 points, as new text gets it.
QFont Card_Property::defaultContentFont() {
    return SKTStyledText::defaultFont();
}

Card_Property::Card_Property()
    : m_Card_border_chk(false), m_Card_fill_chk(false), m_Card_bordr_clr(QColor(Qt::black)),
      m_Card_fill_clr(QColor(Qt::white)), m_Card_fill_Grd_1_clr(QColor(Qt::white)),
      m_Card_fill_Grd_2_clr(QColor(Qt::white)), m_Card_hatch_bk_clr(QColor(Qt::white)),
      m_Card_bor_Stepper(1), m_Card_grad_Stepper(0), m_Card_Cat_index(0),
      m_Card_alpha_Stepper(1.0f), m_Card_border_style(QStringLiteral("S")),
      m_Card_fill_style(QStringLiteral("S")), m_Card_hatch_style(QString("")),
      m_Card_Side(QStringLiteral("2")), m_Card_Side_Name(QStringLiteral("F")),
      m_Card_Shape(QStringLiteral("R")), m_Card_Name(QStringLiteral("Untitled")),
      m_Card_Preset(QStringLiteral("Horizontal")), m_Card_Category(QStringLiteral("PVC Card")),
      m_Card_Sub_Category(QStringLiteral("CR80-Credit Card Size")),
      m_Card_Create_Mode(QStringLiteral("W")), m_Card_BG_Image_Path(QString("")),
      m_Card_BG_Image_Layout(QStringLiteral("Stretch")), m_Card_BG_Image(CardPicture()),
      m_Card_Location(QPointF(0.0, 0.0)), m_Card_Size(QSizeF(0.0, 0.0)),
      m_Card_Content_clr(QColor(Qt::black)), m_Card_Content_font(defaultContentFont()) {}

Card_Property::~Card_Property() = default;

std::shared_ptr<Card_Property> Card_Property::copy() const {
    // Colours, strings and fonts are values; the picture is immutable and
    // shared by its copies.
    return std::make_shared<Card_Property>(*this);
}

QStringList Card_Property::archiveClassChain() const {
    return {QStringLiteral("Card_Property")};
}

void Card_Property::encodeWithCoder(KeyedArchiver& coder) const {
    coder.encodeBool("Card_border_chk", m_Card_border_chk);
    coder.encodeBool("Card_fill_chk", m_Card_fill_chk);
    coder.encodeInt32("Card_bor_Stepper", m_Card_bor_Stepper);
    coder.encodeInt32("Card_grad_Stepper", m_Card_grad_Stepper);
    coder.encodeInt32("Card_Cat_index", m_Card_Cat_index);
    coder.encodeFloat("Card_alpha_Stepper", m_Card_alpha_Stepper);
    coder.encodeColor("Card_bordr_clr", m_Card_bordr_clr);
    coder.encodeColor("Card_fill_clr", m_Card_fill_clr);
    coder.encodeColor("Card_fill_Grd_1_clr", m_Card_fill_Grd_1_clr);
    coder.encodeColor("Card_fill_Grd_2_clr", m_Card_fill_Grd_2_clr);
    coder.encodeColor("Card_hatch_bk_clr", m_Card_hatch_bk_clr);
    coder.encodeString("Card_border_style", m_Card_border_style);
    coder.encodeString("Card_fill_style", m_Card_fill_style);
    coder.encodeString("Card_hatch_style", m_Card_hatch_style);
    coder.encodeString("Card_Side", m_Card_Side);
    coder.encodeString("Card_Side_Name", m_Card_Side_Name);
    coder.encodeString("Card_Shape", m_Card_Shape);
    coder.encodeString("Card_Name", m_Card_Name);
    coder.encodeString("Card_Preset", m_Card_Preset);
    coder.encodeString("Card_Category", m_Card_Category);
    coder.encodeString("Card_Sub_Category", m_Card_Sub_Category);
    coder.encodeString("Card_Create_Mode", m_Card_Create_Mode);
    coder.encodeString("Card_BG_Image_Path", m_Card_BG_Image_Path);
    coder.encodeString("Card_BG_Image_Layout", m_Card_BG_Image_Layout);
    coder.encodePicture("Card_BG_Image", m_Card_BG_Image);
    coder.encodePoint("Card_Location", m_Card_Location);
    coder.encodeSize("Card_Size", m_Card_Size);
    coder.encodeColor("Card_Content_clr", m_Card_Content_clr);
    coder.encodeFont("Card_Content_font", m_Card_Content_font);
}

void Card_Property::initWithCoder(const KeyedUnarchiver& coder) {
    if (auto value = coder.decodeBool("Card_border_chk")) {
        m_Card_border_chk = *value;
    }
    if (auto value = coder.decodeBool("Card_fill_chk")) {
        m_Card_fill_chk = *value;
    }
    if (auto value = coder.decodeInt32("Card_bor_Stepper")) {
        m_Card_bor_Stepper = *value;
    }
    if (auto value = coder.decodeInt32("Card_grad_Stepper")) {
        m_Card_grad_Stepper = *value;
    }
    if (auto value = coder.decodeInt32("Card_Cat_index")) {
        m_Card_Cat_index = *value;
    }
    if (auto value = coder.decodeFloat("Card_alpha_Stepper")) {
        m_Card_alpha_Stepper = *value;
    }
    if (auto value = coder.decodeColor("Card_bordr_clr")) {
        m_Card_bordr_clr = *value;
    }
    if (auto value = coder.decodeColor("Card_fill_clr")) {
        m_Card_fill_clr = *value;
    }
    if (auto value = coder.decodeColor("Card_fill_Grd_1_clr")) {
        m_Card_fill_Grd_1_clr = *value;
    }
    if (auto value = coder.decodeColor("Card_fill_Grd_2_clr")) {
        m_Card_fill_Grd_2_clr = *value;
    }
    if (auto value = coder.decodeColor("Card_hatch_bk_clr")) {
        m_Card_hatch_bk_clr = *value;
    }
    if (auto value = coder.decodeString("Card_border_style")) {
        m_Card_border_style = *value;
    }
    if (auto value = coder.decodeString("Card_fill_style")) {
        m_Card_fill_style = *value;
    }
    if (auto value = coder.decodeString("Card_hatch_style")) {
        m_Card_hatch_style = *value;
    }
    if (auto value = coder.decodeString("Card_Side")) {
        m_Card_Side = *value;
    }
    if (auto value = coder.decodeString("Card_Side_Name")) {
        m_Card_Side_Name = *value;
    }
    if (auto value = coder.decodeString("Card_Shape")) {
        m_Card_Shape = *value;
    }
    if (auto value = coder.decodeString("Card_Name")) {
        m_Card_Name = *value;
    }
    if (auto value = coder.decodeString("Card_Preset")) {
        m_Card_Preset = *value;
    }
    if (auto value = coder.decodeString("Card_Category")) {
        m_Card_Category = *value;
    }
    if (auto value = coder.decodeString("Card_Sub_Category")) {
        m_Card_Sub_Category = *value;
    }
    if (auto value = coder.decodeString("Card_Create_Mode")) {
        m_Card_Create_Mode = *value;
    }
    if (auto value = coder.decodeString("Card_BG_Image_Path")) {
        m_Card_BG_Image_Path = *value;
    }
    if (auto value = coder.decodeString("Card_BG_Image_Layout")) {
        m_Card_BG_Image_Layout = *value;
    }
    if (auto value = coder.decodePicture("Card_BG_Image")) {
        m_Card_BG_Image = *value;
    }
    if (auto value = coder.decodePoint("Card_Location")) {
        m_Card_Location = *value;
    }
    if (auto value = coder.decodeSize("Card_Size")) {
        m_Card_Size = *value;
    }
    if (auto value = coder.decodeColor("Card_Content_clr")) {
        m_Card_Content_clr = *value;
    }
    if (auto value = coder.decodeFont("Card_Content_font")) {
        m_Card_Content_font = *value;
    }
}

QByteArray Card_Property::archivedData() const {
    return KeyedArchiver::archivedData(*this);
}

void Card_Property::registerArchiveClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        KeyedClassRegistry::registerClass(
            QStringLiteral("Card_Property"),
            [](const KeyedUnarchiver& coder) -> std::shared_ptr<KeyedArchivable> {
                auto record = std::make_shared<Card_Property>();
                record->initWithCoder(coder);
                return record;
            });
    });
}

std::shared_ptr<Card_Property> Card_Property::fromArchivedData(const QByteArray& data,
                                                               QString* reason) {
    registerArchiveClass();
    auto coder = KeyedUnarchiver::fromData(data, reason);
    if (!coder) {
        return nullptr;
    }
    auto record = std::dynamic_pointer_cast<Card_Property>(coder->decodeRootObject(reason));
    if (!record && reason && reason->isEmpty()) {
        *reason = QStringLiteral("the archive's root is not a card page record");
    }
    return record;
}
