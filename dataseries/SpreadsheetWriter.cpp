#include "dataseries/SpreadsheetWriter.h"

#include "core/MessageFunctions.h"
#include "dataseries/ColumnNames.h"
#include "dataseries/ExcelTempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <pugixml.hpp>

#include "dataseries/XlsxText.h"

SpreadsheetWriter::SpreadsheetWriter() : _tmpDir(Excel_Temp_Folder_Path()) {
    if (resetTempFolder()) {
        Show_NSLog_Message(QStringLiteral("Temp. directory initialized:\n %1").arg(_tmpDir));
    }
}

SpreadsheetWriter& SpreadsheetWriter::shared() {
    if (!spreadsheet) {
        spreadsheet = std::make_unique<SpreadsheetWriter>();
    }
    return *spreadsheet;
}

bool SpreadsheetWriter::resetTempFolder() {
    if (_tmpDir.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("Error: no private temporary folder"));
        return false;
    }
    const QFileInfo info(_tmpDir);
    if (info.isSymLink() || (info.exists() && !info.isDir())) {
        QFile::remove(_tmpDir);
    } else if (info.exists() && !QDir(_tmpDir).removeRecursively()) {
        return false;
    }
    return QDir().mkpath(_tmpDir);
}

QString SpreadsheetWriter::ColumnIndexToName(int column) {
    return Column_Letters(column);
}

QString SpreadsheetWriter::worksheetPartPath(int number) const {
    return QDir(_tmpDir).filePath(QStringLiteral("xl/worksheets/sheet%1.xml").arg(number));
}

QString SpreadsheetWriter::sharedStringsPartPath() const {
    const QDir root(_tmpDir);
    const QString usual = root.filePath(QStringLiteral("xl/sharedStrings.xml"));
    if (QFileInfo::exists(usual)) {
        return usual;
    }
    // Otherwise the part the workbook's relationships name.
    pugi::xml_document rels;
    const QByteArray relsPath =
        QFile::encodeName(root.filePath(QStringLiteral("xl/_rels/workbook.xml.rels")));
    if (!rels.load_file(relsPath.constData())) {
        return usual;
    }
    for (pugi::xml_node rel = rels.document_element().first_child(); rel;
         rel = rel.next_sibling()) {
        if (!Xlsx_Is(rel, "Relationship")) {
            continue;
        }
        const QString type = QString::fromUtf8(rel.attribute("Type").value());
        const QString mode = QString::fromUtf8(rel.attribute("TargetMode").value());
        if (!type.endsWith(QLatin1String("/sharedStrings")) ||
            mode.compare(QLatin1String("External"), Qt::CaseInsensitive) == 0) {
            continue;
        }
        QString target = QString::fromUtf8(rel.attribute("Target").value());
        target =
            target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target;
        target = QDir::cleanPath(target);
        if (target.isEmpty() || target == QLatin1String("..") ||
            target.startsWith(QLatin1String("../")) || target.startsWith(QLatin1Char('/'))) {
            continue;
        }
        return root.filePath(target);
    }
    return usual;
}

QStringList SpreadsheetWriter::Worksheet_Names() {
    // Only names that the sheet number leads back to.
    static const QRegularExpression sheetName(QStringLiteral("^sheet([1-9][0-9]{0,8})\\.xml$"));
    const QDir folder(QDir(shared()._tmpDir).filePath(QStringLiteral("xl/worksheets")));
    QList<std::pair<int, QString>> found;
    for (const QString& entry : folder.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = sheetName.match(entry);
        if (match.hasMatch()) {
            found.append({match.captured(1).toInt(), entry.chopped(4)});
        }
    }
    std::sort(found.begin(), found.end());
    QStringList names;
    for (const auto& item : found) {
        names << item.second;
    }
    return names;
}
