// Turns a manual written in HTML into a PDF document: paginated on A4 with a
// page number at the foot of each page. Run by the build:
//   tovira_make_manual <manual.html> <manual.pdf> [title]

#include "platform/Files.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv)
{
    // No display is needed to lay out text.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <manual.html> <manual.pdf> [title]\n", argv[0]);
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s: %s\n", argv[1], qPrintable(source.errorString()));
        return 1;
    }
    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(11);
    document.setDefaultFont(font);
    document.setHtml(QString::fromUtf8(source.readAll()));

    // Written aside and moved into place whole, so a failed run leaves no half PDF.
    const auto print = [&](QIODevice& target) {
        QPdfWriter writer(&target);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setCreator(QStringLiteral("Tovira"));
        writer.setTitle(argc > 3 ? QString::fromUtf8(argv[3]) : document.metaInformation(QTextDocument::DocumentTitle));
        document.print(&writer);
        return true; // a write that failed fails the commit
    };
    QString error;
    switch (WriteFileWhole(QString::fromLocal8Bit(argv[2]), print, &error)) {
    case FileWrite::Written:
        return 0;
    case FileWrite::NotARegularFile:
        std::fprintf(stderr, "cannot write %s: not a regular file\n", argv[2]);
        return 1;
    case FileWrite::Failed:
        std::fprintf(stderr, "cannot write %s: %s\n", argv[2], qPrintable(error));
        return 1;
    }
    return 1;
}
