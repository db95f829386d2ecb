#include "mainwindow/controller/DesignFile.h"

#include "platform/PendingFile.h"

#include "editor/model/SKTImage.h"
#include "editor/model/SKTPictureLoading.h"
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"
#include "platform/RectStrings.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QHash>
#include <QSet>
#include <QVariant>
#include <cmath>
#include <filesystem>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <vector>

namespace design_file {

namespace {

// ---- Writing ----

Plist text(const QString& value) {
    return Plist::string(xmlSafe(value));
}

Plist flag(bool value) {
    return Plist::string(value ? QStringLiteral("Y") : QStringLiteral("N"));
}

Plist colour(const QColor& value) {
    return Plist::data(
        KeyedArchiver::archivedRootValue(value.isValid() ? QVariant(value) : QVariant()));
}

// `add` appends one element to the root array.
template <typename Add> void appendRecord(const Add& add, const Card_Property& record) {
    add(flag(record.Card_border_chk()));
    add(colour(record.Card_bordr_clr()));
    add(Plist::string(QString::number(record.Card_bor_Stepper())));
    add(text(record.Card_border_style()));
    add(flag(record.Card_fill_chk()));
    add(text(record.Card_fill_style()));
    add(colour(record.Card_fill_clr()));
    add(colour(record.Card_fill_Grd_1_clr()));
    add(colour(record.Card_fill_Grd_2_clr()));
    add(Plist::string(QString::number(record.Card_grad_Stepper())));
    add(text(record.Card_hatch_style()));
    add(colour(record.Card_hatch_bk_clr()));
    // Two decimals, '.' whatever the locale (asprintf ignores the locale).
    add(Plist::string(
        QString::asprintf("%0.2f", static_cast<double>(record.Card_alpha_Stepper()))));
    add(text(record.Card_Side()));
    add(text(record.Card_Side_Name()));
    add(text(record.Card_Shape()));
    add(text(record.Card_Name()));
    add(Plist::string(RectStrings::fromPoint(record.Card_Location())));
    add(Plist::string(RectStrings::fromSize(record.Card_Size())));
    add(text(record.Card_Preset()));
    add(text(record.Card_Category()));
    add(text(record.Card_Sub_Category()));
    add(Plist::string(QString::number(record.Card_Cat_index())));
    add(text(record.Card_Create_Mode()));
    add(text(record.Card_fill_style() == QLatin1String("I") ? record.Card_BG_Image_Path()
                                                            : QString()));
    add(text(record.Card_BG_Image_Layout()));
    add(colour(record.Card_Content_clr()));
    add(Plist::data(KeyedArchiver::archivedRootValue(record.Card_Content_font())));
}

template <typename Add> void appendObjects(const Add& add, const SKTGraphicList& objects) {
    add(Plist::string(QString::number(static_cast<qulonglong>(objects.size()))));
    for (const auto& object : objects) {
        add(Plist::data(object ? object->archivedData() : QByteArray()));
    }
}

// ---- Reading: every element checked, a defect throws ----

struct Defect : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void defect(int index, const char* what) {
    throw Defect(
        QStringLiteral("element %1: %2").arg(index).arg(QLatin1String(what)).toStdString());
}

class Walker {
public:
    explicit Walker(std::vector<PlistView> items) : m_items(std::move(items)) {}

    int index() const { return m_index; }
    int length() const { return int(m_items.size()); }

    PlistView next() {
        if (m_index >= length()) {
            defect(m_index, "missing");
        }
        return m_items[std::size_t(m_index++)];
    }

    QString string() {
        const int at = m_index;
        const auto value = next().toString();
        if (!value) {
            defect(at, "not a string");
        }
        return *value;
    }

    bool flag() { return string() == QLatin1String("Y"); }

    qint32 integer() {
        const int at = m_index;
        const QString value = string();
        bool ok = false;
        const qlonglong number = plainDecimal(value, true) ? value.toLongLong(&ok) : 0;
        if (!ok || number < std::numeric_limits<qint32>::min() ||
            number > std::numeric_limits<qint32>::max()) {
            defect(at, "not an integer");
        }
        return qint32(number);
    }

    float real() {
        const int at = m_index;
        const auto number = RectStrings::parseNumber(QStringView(string()));
        if (!number || std::fabs(*number) > std::numeric_limits<float>::max()) {
            defect(at, "not a number");
        }
        return float(*number);
    }

    QPointF point() {
        const int at = m_index;
        const auto value = RectStrings::toPoint(string());
        if (!value || !std::isfinite(value->x()) || !std::isfinite(value->y())) {
            defect(at, "not a point");
        }
        return *value;
    }

    QSizeF size() {
        const int at = m_index;
        const auto value = RectStrings::toSize(string());
        const auto inRange = [](double v) {
            return std::isfinite(v) && v >= 0 && v <= maxSidePoints;
        };
        if (!value || !inRange(value->width()) || !inRange(value->height())) {
            defect(at, "not a card size");
        }
        return *value;
    }

    // A colour archive; a root of none is no colour.
    QColor colour() {
        const int at = m_index;
        const auto value = rootValue(at);
        if (!value.isValid()) {
            return QColor();
        }
        if (value.typeId() != QMetaType::QColor) {
            defect(at, "not a colour");
        }
        return value.value<QColor>();
    }

    QFont font() {
        const int at = m_index;
        const auto value = rootValue(at);
        if (value.typeId() != QMetaType::QFont) {
            defect(at, "not a font");
        }
        return value.value<QFont>();
    }

    // An unsigned decimal count whose items lie inside the array.
    int count(int itemsAfter) {
        const int at = m_index;
        const QString value = string();
        bool ok = false;
        const qulonglong number = plainDecimal(value, false) ? value.toULongLong(&ok) : 0;
        if (!ok || number > qulonglong(std::numeric_limits<int>::max()) ||
            qlonglong(number) > qlonglong(length()) - m_index - itemsAfter) {
            defect(at, "not a count of the elements that follow");
        }
        return int(number);
    }

    static bool plainDecimal(const QString& value, bool sign) {
        if (value.isEmpty() || value.size() > 20) {
            return false;
        }
        for (qsizetype i = 0; i < value.size(); ++i) {
            const QChar c = value.at(i);
            if (i == 0 && sign && c == QLatin1Char('-') && value.size() > 1) {
                continue;
            }
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                return false;
            }
        }
        return true;
    }

private:
    QVariant rootValue(int at) {
        const auto data = next().toData();
        if (!data) {
            defect(at, "not data");
        }
        auto coder = KeyedUnarchiver::fromData(*data);
        if (!coder) {
            defect(at, "not a keyed archive");
        }
        const auto value = coder->decodeRootValue();
        if (!value) {
            defect(at, "no value");
        }
        return *value;
    }

    std::vector<PlistView> m_items;
    int m_index = 0;
};

Card_Property readRecord(Walker& walker) {
    Card_Property record;
    record.setCard_border_chk(walker.flag());
    record.setCard_bordr_clr(walker.colour());
    record.setCard_bor_Stepper(walker.integer());
    record.setCard_border_style(walker.string());
    record.setCard_fill_chk(walker.flag());
    record.setCard_fill_style(walker.string());
    record.setCard_fill_clr(walker.colour());
    record.setCard_fill_Grd_1_clr(walker.colour());
    record.setCard_fill_Grd_2_clr(walker.colour());
    record.setCard_grad_Stepper(walker.integer());
    record.setCard_hatch_style(walker.string());
    record.setCard_hatch_bk_clr(walker.colour());
    record.setCard_alpha_Stepper(walker.real());
    record.setCard_Side(walker.string());
    record.setCard_Side_Name(walker.string());
    record.setCard_Shape(walker.string());
    record.setCard_Name(walker.string());
    record.setCard_Location(walker.point());
    record.setCard_Size(walker.size());
    record.setCard_Preset(walker.string());
    record.setCard_Category(walker.string());
    record.setCard_Sub_Category(walker.string());
    record.setCard_Cat_index(walker.integer());
    record.setCard_Create_Mode(walker.string());
    record.setCard_BG_Image_Path(walker.string());
    record.setCard_BG_Image_Layout(walker.string());
    record.setCard_Content_clr(walker.colour());
    record.setCard_Content_font(walker.font());
    return record;
}

// The objects of one side, unarchived (their pictures are read afterwards).
SKTGraphicList readObjects(Walker& walker, int itemsAfter) {
    const int count = walker.count(itemsAfter);
    SKTGraphicList objects;
    objects.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int at = walker.index();
        const auto data = walker.next().toData();
        if (!data) {
            defect(at, "object is not data");
        }
        QString reason;
        auto object = SKTGraphic::graphicWithArchivedData(*data, &reason);
        if (!object) {
            throw Defect(QStringLiteral("element %1: %2").arg(at).arg(reason).toStdString());
        }
        objects.append(std::move(object));
    }
    return objects;
}

// Every picture object is read again from its own file, as when it was
// placed (regular files only), at the pixels the part of its frame on the
// design's card shows: 600 dpi while the design's pictures together fit
// their budget, else 72 dpi (outputs then read what they need from the
// files). Each file is decoded once, for its largest need, several files at
// a time; the objects then take their pictures from that reading, largest
// first, sharing it or scaling a copy down from it. A file that gives no
// picture is told once and not tried again. `wait`, when given, is called
// while the files are read and between the objects taking their pictures.
void readPictureFiles(DesignContent& content, const SKTPictureReadWait& wait) {
    const QRectF card(QPointF(0, 0), content.front.Card_Size());
    std::vector<SKTImage*> images;
    for (const SKTGraphicList* side : {&content.frontObjects, &content.backObjects}) {
        for (const auto& object : *side) {
            if (object->className() == QLatin1String("SKTImage")) {
                images.push_back(&static_cast<SKTImage&>(*object));
            }
        }
    }
    const auto requestsAt = [&] {
        std::vector<SKTPictureRequest> requests;
        for (SKTImage* image : images) {
            requests.push_back({image->FilePath(), image->wantedPixelsOnCard(card), {}, {}});
        }
        return requests;
    };
    std::vector<SKTPictureRequest> requests = requestsAt();
    if (SKTKeptBytesOfRequests(requests) > SKTPictureBudgetBytes()) {
        for (SKTImage* image : images) {
            image->setKeptPixelsPerPoint(SKTScreenPixelsPerPoint);
        }
        requests = requestsAt();
    }
    // The sheet goes on showing the files read, however many objects
    // share them.
    const int files = SKTReadPictureFiles(requests, wait);
    std::vector<size_t> order(images.size());
    std::iota(order.begin(), order.end(), size_t(0));
    const auto area = [](const QSize& want) {
        return want.isValid() ? qint64(want.width()) * want.height()
                              : std::numeric_limits<qint64>::max();
    };
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return area(requests[a].want) > area(requests[b].want);
    });
    std::vector<SKTPictureProblem> problems(images.size(), SKTPictureProblem::None);
    QSet<QString> failed;
    for (const size_t i : order) {
        const QString& path = requests[i].path;
        if (failed.contains(path)) {
            continue;
        }
        if (wait) {
            wait(files, files);
        }
        problems[i] = requests[i].problem != SKTPictureProblem::None
                          ? requests[i].problem
                          : images[i]->setFilePathOnCard(path, card);
        if (problems[i] != SKTPictureProblem::None) {
            failed.insert(path);
        }
    }
    // Told in the order of the design.
    for (size_t i = 0; i < images.size(); ++i) {
        if (problems[i] != SKTPictureProblem::None) {
            content.unshownPictures.append({requests[i].path, problems[i]});
        }
    }
}

DesignContent decode(const Plist& root, bool readPictures, const SKTPictureReadWait& wait) {
    if (root.type() != PlistType::Array) {
        throw Defect("the root is not an array");
    }
    Walker walker(root.view().items());
    if (walker.length() == 0 || walker.string() != fileIdentifier) {
        throw Defect("no design file identifier");
    }
    DesignContent content;
    content.front = readRecord(walker);
    content.back = readRecord(walker);
    content.excelBindingUse = walker.flag();
    content.excelSourcePath = walker.string();

    const int titlesAt = walker.index();
    const PlistView titles = walker.next();
    if (titles.type() != PlistType::Array || titles.count() > maxTitleCount) {
        defect(titlesAt, "not a list of titles");
    }
    for (const PlistView& title : titles.items()) {
        const auto value = title.toString();
        if (!value) {
            defect(titlesAt, "a title is not a string");
        }
        content.titles << *value;
    }

    const int rowsAt = walker.index();
    const PlistView rows = walker.next();
    if (rows.type() != PlistType::Array) {
        defect(rowsAt, "not a list of rows");
    }
    for (const PlistView& row : rows.items()) {
        if (row.type() != PlistType::Dictionary) {
            defect(rowsAt, "a row is not a dictionary");
        }
        TableRow values;
        for (const auto& [key, cell] : row.entries()) {
            const auto value = cell.toString();
            if (!value) {
                defect(rowsAt, "a cell is not a string");
            }
            values.insert(key, *value);
        }
        content.rows.append(values);
    }

    // The front list is followed at least by the back count.
    content.frontObjects = readObjects(walker, 1);
    content.backObjects = readObjects(walker, 0);
    if (readPictures) {
        readPictureFiles(content, wait);
    }
    // Trailing elements are ignored.
    return content;
}

} // namespace

QString xmlSafe(const QString& text) {
    const auto allowed = [](char16_t c) {
        if (c < 0x20) {
            return c == 0x09 || c == 0x0A || c == 0x0D;
        }
        return c != 0xFFFE && c != 0xFFFF;
    };
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (allowed(c.unicode())) {
            result.append(c);
        }
    }
    return result;
}

Plist Design_Array(const DesignContent& content, int* collected) {
    int counted = 0;
    Plist array = Plist::array();
    // Every element goes through here, so the count is right at any throw.
    const auto add = [&](Plist element) {
        array.append(std::move(element));
        if (collected) {
            *collected = ++counted;
        }
    };
    if (collected) {
        *collected = 0;
    }
    add(Plist::string(fileIdentifier));
    appendRecord(add, content.front);
    appendRecord(add, content.back);
    add(flag(content.excelBindingUse));
    add(text(content.excelSourcePath));
    Plist titles = Plist::array();
    for (const QString& title : content.titles) {
        titles.append(text(title));
    }
    add(std::move(titles));
    Plist rows = Plist::array();
    for (const TableRow& row : content.rows) {
        Plist cells = Plist::dictionary();
        for (auto it = row.cbegin(); it != row.cend(); ++it) {
            cells.insert(xmlSafe(it.key()), text(it.value()));
        }
        rows.append(std::move(cells));
    }
    add(std::move(rows));
    appendObjects(add, content.frontObjects);
    appendObjects(add, content.backObjects);
    return array;
}

namespace {

std::optional<DesignContent> decodeBytes(const QByteArray& bytes, bool readPictures,
                                         QString* reason, const SKTPictureReadWait& wait = {}) {
    QString why;
    const Plist root = Plist::fromBytes(bytes, &why);
    if (root.isNull()) {
        if (reason) {
            *reason = why;
        }
        return std::nullopt;
    }
    try {
        return decode(root, readPictures, wait);
    } catch (const std::exception& e) {
        if (reason) {
            *reason = QString::fromStdString(e.what());
        }
        return std::nullopt;
    }
}

} // namespace

QByteArray Design_Bytes(const Plist& array, QString* reason) {
    const QByteArray bytes = array.isNull() ? QByteArray() : array.toBytes(PlistFormat::Xml);
    QString why;
    if (bytes.isEmpty()) {
        why = QStringLiteral("the design could not be serialised");
    } else if (bytes.size() > maxFileBytes) {
        why = QStringLiteral("the design is larger than 64 MiB");
    } else if (!decodeBytes(bytes, false, &why)) {
        why = QStringLiteral("the design would not open again: %1").arg(why);
    } else {
        return bytes;
    }
    if (reason) {
        *reason = why;
    }
    return {};
}

bool Write_Design_Array(const Plist& array, const QString& path, QString* reason) {
    const QByteArray bytes = Design_Bytes(array, reason);
    if (bytes.isEmpty()) {
        return false;
    }
    return Write_File_Whole(path, bytes, reason);
}

std::optional<DesignContent> Read_Design_Bytes(const QByteArray& bytes, QString* reason,
                                               const SKTPictureReadWait& wait) {
    return decodeBytes(bytes, true, reason, wait);
}

std::optional<DesignContent> Read_Design_File(const QString& path, QString* reason,
                                              const SKTPictureReadWait& wait) {
    // Only a regular file is read: a FIFO or device must not hang the open.
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::path(path.toStdString()), error)) {
        if (reason) {
            *reason = QStringLiteral("not a regular file");
        }
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason) {
            *reason = file.errorString();
        }
        return std::nullopt;
    }
    // Larger files are refused unread; reading at most one byte more than
    // the file's size (not a whole 64 MiB buffer) still sees a file that grew.
    const qint64 size = file.size();
    if (size > maxFileBytes) {
        if (reason) {
            *reason = QStringLiteral("the file is larger than 64 MiB");
        }
        return std::nullopt;
    }
    const QByteArray bytes = file.read(size + 1);
    return Read_Design_Bytes(bytes, reason, wait);
}

} // namespace design_file
