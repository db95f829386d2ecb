#pragma once
// Helpers shared by the design-file tests: file bytes, the alert texts shown
// and the stored fields of page records and objects, as comparable values.

#include "../common/TestSupport.h"
#include "editor/model/Card_Property.h"
#include "editor/model/SKTGraphic.h"

#include <QByteArray>
#include <QColor>
#include <QCryptographicHash>
#include <QFile>
#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

namespace designtest {

// The alert texts without the line break message boxes put first.
inline QStringList shown(const testsupport::ScriptedAlerts& alerts) {
    QStringList texts;
    for (const QString& text : alerts.texts()) {
        texts << text.trimmed();
    }
    return texts;
}

// The first line of each alert text: a failed save's "fail" without the
// reason below it.
inline QStringList firstLines(const testsupport::ScriptedAlerts& alerts) {
    QStringList lines;
    for (const QString& text : shown(alerts)) {
        lines << text.section(QLatin1Char('\n'), 0, 0);
    }
    return lines;
}

inline QByteArray fileHash(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The 28 stored fields of a page record, as text, for comparisons.
inline QStringList recordFields(const Card_Property& r) {
    auto colour = [](const QColor& c) { return c.isValid() ? c.name(QColor::HexArgb) : "none"; };
    return {QString::number(r.Card_border_chk()),
            colour(r.Card_bordr_clr()),
            QString::number(r.Card_bor_Stepper()),
            r.Card_border_style(),
            QString::number(r.Card_fill_chk()),
            r.Card_fill_style(),
            colour(r.Card_fill_clr()),
            colour(r.Card_fill_Grd_1_clr()),
            colour(r.Card_fill_Grd_2_clr()),
            QString::number(r.Card_grad_Stepper()),
            r.Card_hatch_style(),
            colour(r.Card_hatch_bk_clr()),
            QString::number(double(r.Card_alpha_Stepper())),
            r.Card_Side(),
            r.Card_Side_Name(),
            r.Card_Shape(),
            r.Card_Name(),
            QStringLiteral("%1,%2").arg(r.Card_Location().x()).arg(r.Card_Location().y()),
            QStringLiteral("%1,%2").arg(r.Card_Size().width()).arg(r.Card_Size().height()),
            r.Card_Preset(),
            r.Card_Category(),
            r.Card_Sub_Category(),
            QString::number(r.Card_Cat_index()),
            r.Card_Create_Mode(),
            r.Card_BG_Image_Path(),
            r.Card_BG_Image_Layout(),
            colour(r.Card_Content_clr()),
            r.Card_Content_font().family() + QString::number(r.Card_Content_font().pointSizeF())};
}

inline QList<QByteArray> archives(const SKTGraphicList& graphics) {
    QList<QByteArray> result;
    for (const auto& g : graphics) {
        result << g->archivedData();
    }
    return result;
}

} // namespace designtest
