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
