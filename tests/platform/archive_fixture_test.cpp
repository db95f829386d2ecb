// Fixture archives in tests/data/archives: each NAME.bin is read and checked
// against NAME.json (see make_fixtures.py there for the sidecar's form), so a
// new fixture needs no new code.
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct FixtureRecord : KeyedArchivable {
    QStringList archiveClassChain() const override { return {QStringLiteral("FixtureRecord")}; }
    void encodeWithCoder(KeyedArchiver&) const override {}
};

QString fixtureDir() {
    return QStringLiteral(CARD_TEST_DATA_DIR "/archives");
}

std::vector<std::string> fixtureNames() {
    std::vector<std::string> names;
    const QStringList files = QDir(fixtureDir()).entryList({QStringLiteral("*.bin")}, QDir::Files);
    for (const QString& file : files) {
        names.push_back(QFileInfo(file).completeBaseName().toStdString());
    }
    return names;
}

void expectColor(const QColor& got, const QJsonArray& rgba, const QString& where) {
    ASSERT_EQ(rgba.size(), 4) << qPrintable(where);
    const float want[] = {float(rgba[0].toDouble()), float(rgba[1].toDouble()),
                          float(rgba[2].toDouble()), float(rgba[3].toDouble())};
    const float have[] = {got.redF(), got.greenF(), got.blueF(), got.alphaF()};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(have[i], want[i], 1e-4) << qPrintable(where) << " component " << i;
    }
}

void expectFont(const QFont& got, const QJsonObject& want, const QString& where) {
    EXPECT_EQ(got.family(), want.value("family").toString()) << qPrintable(where);
    EXPECT_EQ(got.pointSizeF(), want.value("size").toDouble()) << qPrintable(where);
    EXPECT_EQ(got.bold(), want.value("bold").toBool()) << qPrintable(where);
    EXPECT_EQ(got.italic(), want.value("italic").toBool()) << qPrintable(where);
}

std::vector<double> numbers(const QJsonValue& value) {
    std::vector<double> out;
    for (const QJsonValue& v : value.toArray()) {
        out.push_back(v.toDouble());
    }
    return out;
}

// Checks one sidecar entry against the coder positioned on the root object.
void checkValue(const KeyedUnarchiver& coder, const QString& name, const QJsonObject& expected) {
    const QString key = expected.value("key").toString(name);
    const QString kind = expected.value("kind").toString();
    const bool absent = expected.value("absent").toBool();
    const bool null = expected.value("null").toBool();
    const QString where = name + u' ' + kind;
    const QJsonValue value = expected.value("value");

    const auto presence = [&](bool present) {
        EXPECT_EQ(present, !absent) << qPrintable(where);
        return present && !absent;
    };
    if (kind == "bool") {
        const auto v = coder.decodeBool(key);
        if (presence(v.has_value())) {
            EXPECT_EQ(*v, value.toBool()) << qPrintable(where);
        }
    } else if (kind == "int32") {
        const auto v = coder.decodeInt32(key);
        if (presence(v.has_value())) {
            EXPECT_EQ(*v, value.toInteger()) << qPrintable(where);
        }
    } else if (kind == "int64") {
        const auto v = coder.decodeInt64(key);
        if (presence(v.has_value())) {
            EXPECT_EQ(*v, value.toInteger()) << qPrintable(where);
        }
    } else if (kind == "float") {
        const auto v = coder.decodeFloat(key);
        if (presence(v.has_value())) {
            EXPECT_EQ(*v, float(value.toDouble())) << qPrintable(where);
        }
    } else if (kind == "double") {
        const auto v = coder.decodeDouble(key);
        if (presence(v.has_value())) {
            EXPECT_EQ(*v, value.toDouble()) << qPrintable(where);
        }
    } else if (kind == "string") {
        const auto v = coder.decodeString(key);
        if (presence(v.has_value())) {
            EXPECT_EQ(v->isNull(), null) << qPrintable(where);
            if (!null) {
                EXPECT_EQ(*v, value.toString()) << qPrintable(where);
            }
        }
    } else if (kind == "data") {
        const auto v = coder.decodeData(key);
        if (presence(v.has_value())) {
            EXPECT_EQ(v->toHex(), expected.value("hex").toString().toLatin1()) << qPrintable(where);
        }
    } else if (kind == "rect") {
        const auto v = coder.decodeRect(key);
        const auto n = numbers(value);
        if (presence(v.has_value()) && n.size() == 4) {
            EXPECT_EQ(*v, QRectF(n[0], n[1], n[2], n[3])) << qPrintable(where);
        }
    } else if (kind == "point" || kind == "size") {
        const auto n = numbers(value);
        const auto v = kind == "point" ? coder.decodePoint(key) : std::optional<QPointF>();
        const auto s = kind == "size" ? coder.decodeSize(key) : std::optional<QSizeF>();
        if (presence(v.has_value() || s.has_value()) && n.size() == 2) {
            EXPECT_EQ(v ? QPointF(*v) : QPointF(s->width(), s->height()), QPointF(n[0], n[1]))
                << qPrintable(where);
        }
    } else if (kind == "color") {
        const auto v = coder.decodeColor(key);
        if (presence(v.has_value())) {
            EXPECT_EQ(!v->isValid(), null) << qPrintable(where);
            if (!null) {
                expectColor(*v, expected.value("rgba").toArray(), where);
            }
        }
    } else if (kind == "font") {
        const auto v = coder.decodeFont(key);
        if (presence(v.has_value())) {
            expectFont(*v, expected, where);
        }
    } else if (kind == "styledText") {
        const auto v = coder.decodeStyledText(key);
        if (presence(v.has_value())) {
            EXPECT_EQ(v->string(), expected.value("text").toString()) << qPrintable(where);
            const QJsonArray runs = expected.value("runs").toArray();
            ASSERT_EQ(v->runs().size(), size_t(runs.size())) << qPrintable(where);
            for (qsizetype i = 0; i < runs.size(); ++i) {
                const QJsonObject run = runs[i].toObject();
                const QString at = where + QStringLiteral(" run %1").arg(i);
                EXPECT_EQ(v->runs()[size_t(i)].length, run.value("length").toInt())
                    << qPrintable(at);
                expectFont(v->runs()[size_t(i)].font, run.value("font").toObject(), at);
                expectColor(v->runs()[size_t(i)].color, run.value("rgba").toArray(), at);
            }
        }
    } else if (kind == "picture") {
        const auto v = coder.decodePicture(key);
        if (presence(v.has_value())) {
            EXPECT_EQ(v->isNull(), null) << qPrintable(where);
            if (!null) {
                const auto points = numbers(expected.value("points"));
                const auto pixels = numbers(expected.value("pixels"));
                ASSERT_EQ(points.size(), 2u);
                ASSERT_EQ(pixels.size(), 2u);
                EXPECT_NEAR(v->size().width(), points[0], 1e-9) << qPrintable(where);
                EXPECT_NEAR(v->size().height(), points[1], 1e-9) << qPrintable(where);
                EXPECT_EQ(v->image().size(), QSize(int(pixels[0]), int(pixels[1])))
                    << qPrintable(where);
            }
        }
    } else {
        ADD_FAILURE() << "unknown kind in sidecar: " << qPrintable(where);
    }
}

class ArchiveFixture : public ::testing::TestWithParam<std::string> {};

TEST_P(ArchiveFixture, ReadsAsItsSidecarSays) {
    const QString base = fixtureDir() + u'/' + QString::fromStdString(GetParam());
    QFile bin(base + ".bin");
    QFile json(base + ".json");
    ASSERT_TRUE(bin.open(QIODevice::ReadOnly));
    ASSERT_TRUE(json.open(QIODevice::ReadOnly)) << "fixture without a sidecar";
    QJsonParseError error;
    const QJsonObject sidecar = QJsonDocument::fromJson(json.readAll(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << qPrintable(error.errorString());
    const QString className = sidecar.value("class").toString();
    const QJsonObject values = sidecar.value("values").toObject();

    int checked = 0;
    KeyedClassRegistry::registerClass(className, [&](const KeyedUnarchiver& coder) {
        for (auto it = values.begin(); it != values.end(); ++it) {
            checkValue(coder, it.key(), it.value().toObject());
            ++checked;
        }
        return std::make_shared<FixtureRecord>();
    });

    QString reason;
    std::shared_ptr<KeyedArchivable> root;
    const auto coder = KeyedUnarchiver::fromData(bin.readAll(), &reason);
    if (coder) {
        EXPECT_EQ(coder->rootClassName(), className);
        root = coder->decodeRootObject(&reason);
    }
    KeyedClassRegistry::registerClass(className, {});
    if (sidecar.value("refused").toBool()) {
        EXPECT_FALSE(root);
        EXPECT_FALSE(reason.isEmpty());
        return;
    }
    ASSERT_TRUE(root) << qPrintable(reason);
    EXPECT_EQ(checked, values.size());
}

INSTANTIATE_TEST_SUITE_P(Files, ArchiveFixture, ::testing::ValuesIn(fixtureNames()),
                         [](const auto& info) { return info.param; });

TEST(ArchiveFixtures, FolderHasFixtures) {
    EXPECT_GE(fixtureNames().size(), 5u);
}

} // namespace
