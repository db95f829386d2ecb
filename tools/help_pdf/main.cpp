// help_pdf TEXT OUTPUT
// Typesets the help text into a PDF. In the text a line "# Title" starts a
// heading; other lines run together into paragraphs, which blank lines end;
// a line starting with "- " is an item of a list.
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <cstdio>

namespace {

QString htmlOf(const QString& text) {
    QString html = QStringLiteral("<html><body>");
    QString paragraph;
    bool inList = false;
    auto endParagraph = [&] {
        if (!paragraph.isEmpty()) {
            html += QStringLiteral("<p>") + paragraph.toHtmlEscaped() + QStringLiteral("</p>");
            paragraph.clear();
        }
    };
    auto endList = [&] {
        if (inList) {
            html += QStringLiteral("</ul>");
            inList = false;
        }
    };
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1String("# "))) {
            endParagraph();
            endList();
            html += QStringLiteral("<h2>") + line.mid(2).toHtmlEscaped() + QStringLiteral("</h2>");
        } else if (line.startsWith(QLatin1String("- "))) {
            endParagraph();
            if (!inList) {
                html += QStringLiteral("<ul>");
                inList = true;
            }
            html += QStringLiteral("<li>") + line.mid(2).toHtmlEscaped() + QStringLiteral("</li>");
        } else if (line.isEmpty()) {
            endParagraph();
            endList();
        } else {
            paragraph += (paragraph.isEmpty() ? QString() : QStringLiteral(" ")) + line;
        }
    }
    endParagraph();
    endList();
    return html + QStringLiteral("</body></html>");
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: help_pdf TEXT OUTPUT\n");
        return 2;
    }
    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "help_pdf: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString text = QString::fromUtf8(input.readAll());

    QSaveFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "help_pdf: cannot write %s\n", argv[2]);
        return 1;
    }
    {
        QPdfWriter writer(&output);
        writer.setTitle(QStringLiteral("Card Editor Help"));
        writer.setCreator(QStringLiteral("help_pdf"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
        QTextDocument document;
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPointSize(11);
        document.setDefaultFont(font);
        document.setHtml(htmlOf(text));
        document.print(&writer);
    }
    if (!output.commit()) {
        std::fprintf(stderr, "help_pdf: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
