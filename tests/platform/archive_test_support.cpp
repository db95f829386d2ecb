#include "archive_test_support.h"

void TestRecord::encodeWithCoder(KeyedArchiver& coder) const {
    if (flag) {
        coder.encodeBool(QStringLiteral("flag"), *flag);
    }
    if (int32) {
        coder.encodeInt32(QStringLiteral("int32"), *int32);
    }
    if (int64) {
        coder.encodeInt64(QStringLiteral("int64"), *int64);
    }
    if (single) {
        coder.encodeFloat(QStringLiteral("single"), *single);
    }
    if (real) {
        coder.encodeDouble(QStringLiteral("real"), *real);
    }
    if (rect) {
        coder.encodeRect(QStringLiteral("rect"), *rect);
    }
    if (point) {
        coder.encodePoint(QStringLiteral("point"), *point);
    }
    if (size) {
        coder.encodeSize(QStringLiteral("size"), *size);
    }
    if (text) {
        coder.encodeString(QStringLiteral("text"), *text);
    }
    if (bytes) {
        coder.encodeData(QStringLiteral("bytes"), *bytes);
    }
    if (color) {
        coder.encodeColor(QStringLiteral("color"), *color);
    }
    if (font) {
        coder.encodeFont(QStringLiteral("font"), *font);
    }
    if (styled) {
        coder.encodeStyledText(QStringLiteral("styled"), *styled);
    }
    if (picture) {
        coder.encodePicture(QStringLiteral("picture"), *picture);
    }
    if (value) {
        coder.encodeValue(QStringLiteral("value"), *value);
    }
    if (child) {
        coder.encodeObject(QStringLiteral("child"), child.get());
    }
    if (sibling) {
        coder.encodeObject(QStringLiteral("sibling"), sibling.get());
    }
}

std::shared_ptr<KeyedArchivable> TestRecord::decode(const KeyedUnarchiver& coder) {
    auto record = std::make_shared<TestRecord>();
    record->flag = coder.decodeBool(QStringLiteral("flag"));
    record->int32 = coder.decodeInt32(QStringLiteral("int32"));
    record->int64 = coder.decodeInt64(QStringLiteral("int64"));
    record->single = coder.decodeFloat(QStringLiteral("single"));
    record->real = coder.decodeDouble(QStringLiteral("real"));
    record->rect = coder.decodeRect(QStringLiteral("rect"));
    record->point = coder.decodePoint(QStringLiteral("point"));
    record->size = coder.decodeSize(QStringLiteral("size"));
    record->text = coder.decodeString(QStringLiteral("text"));
    record->bytes = coder.decodeData(QStringLiteral("bytes"));
    record->color = coder.decodeColor(QStringLiteral("color"));
    record->font = coder.decodeFont(QStringLiteral("font"));
    record->styled = coder.decodeStyledText(QStringLiteral("styled"));
    record->picture = coder.decodePicture(QStringLiteral("picture"));
    record->value = coder.decodeValue(QStringLiteral("value"));
    record->child =
        std::dynamic_pointer_cast<TestRecord>(coder.decodeObject(QStringLiteral("child")));
    record->sibling =
        std::dynamic_pointer_cast<TestRecord>(coder.decodeObject(QStringLiteral("sibling")));
    return record;
}

void TestRecord::registerClass() {
    KeyedClassRegistry::registerClass(QStringLiteral("TestRecord"), &TestRecord::decode);
}

std::shared_ptr<TestRecord> roundTrip(const TestRecord& record, PlistFormat format,
                                      QString* reason) {
    TestRecord::registerClass();
    const QByteArray bytes = KeyedArchiver::archivedData(record, format);
    auto coder = KeyedUnarchiver::fromData(bytes, reason);
    if (!coder) {
        return nullptr;
    }
    return std::dynamic_pointer_cast<TestRecord>(coder->decodeRootObject(reason));
}

ArchiveBuilder::ArchiveBuilder() {
    m_objects.push_back(Plist::string(QStringLiteral("$null")));
}

quint64 ArchiveBuilder::add(Plist&& item) {
    m_objects.push_back(std::move(item));
    return m_objects.size() - 1;
}

quint64 ArchiveBuilder::addClass(const QStringList& chain) {
    const auto found = m_classes.constFind(chain.first());
    if (found != m_classes.constEnd()) {
        return *found;
    }
    Plist names = Plist::array();
    for (const QString& name : chain + QStringList{QStringLiteral("NSObject")}) {
        names.append(Plist::string(name));
    }
    Plist entry = Plist::dictionary();
    entry.insert(QStringLiteral("$classes"), std::move(names));
    entry.insert(QStringLiteral("$classname"), Plist::string(chain.first()));
    const quint64 uid = add(std::move(entry));
    m_classes.insert(chain.first(), uid);
    return uid;
}

quint64 ArchiveBuilder::addObject(const QString& className) {
    Plist object = Plist::dictionary();
    object.insert(QStringLiteral("$class"), Plist::uid(addClass({className})));
    return add(std::move(object));
}

void ArchiveBuilder::set(quint64 object, const QString& key, Plist&& value) {
    m_objects[object].insert(key, std::move(value));
}

void ArchiveBuilder::setUid(quint64 object, const QString& key, quint64 uid) {
    set(object, key, Plist::uid(uid));
}

Plist ArchiveBuilder::build(quint64 root) const {
    Plist objects = Plist::array();
    for (const Plist& item : m_objects) {
        objects.append(item.view().clone());
    }
    Plist top = Plist::dictionary();
    top.insert(QStringLiteral("root"), Plist::uid(root));
    Plist archive = Plist::dictionary();
    archive.insert(QStringLiteral("$version"), Plist::integer(100000));
    archive.insert(QStringLiteral("$archiver"), Plist::string(QStringLiteral("NSKeyedArchiver")));
    archive.insert(QStringLiteral("$top"), std::move(top));
    archive.insert(QStringLiteral("$objects"), std::move(objects));
    return archive;
}

QByteArray ArchiveBuilder::bytes(quint64 root, PlistFormat format) const {
    return build(root).toBytes(format);
}

std::shared_ptr<TestRecord> decodeRecord(const QByteArray& bytes, QString* reason) {
    TestRecord::registerClass();
    auto coder = KeyedUnarchiver::fromData(bytes, reason);
    if (!coder) {
        return nullptr;
    }
    return std::dynamic_pointer_cast<TestRecord>(coder->decodeRootObject(reason));
}
