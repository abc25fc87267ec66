// Renders the users guide from its Markdown source to the PDF that
// Help > Users Guide opens. Qt alone does the work, so the build needs nothing
// beyond what the program already links.
//
// Usage: render_guide <guide.md> <Lumivex.pdf>

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: render_guide <guide.md> <output.pdf>\n");
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "render_guide: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString markdown = QString::fromUtf8(source.readAll());

    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setTitle("Lumivex Users Guide");
    writer.setCreator("Lumivex");
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));

    QTextDocument document;
    QFont body("DejaVu Sans");
    body.setPointSizeF(10.5);
    document.setDefaultFont(body);
    document.setMarkdown(markdown);
    // An unpaginated document is laid out page by page by print(), which keeps
    // a 2 cm margin of its own (hence none on the page layout) and numbers the
    // pages at their foot.
    document.print(&writer);
    if (!QFile::exists(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "render_guide: nothing written to %s\n", argv[2]);
        return 1;
    }
    return 0;
}
