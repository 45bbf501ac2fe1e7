// Renders the user manual (Markdown) to a PDF file with Qt's own text document and
// PDF writer: helppdf <manual.md> <output.pdf>.

#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: helppdf <manual.md> <output.pdf>\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QFile in(QString::fromLocal8Bit(argv[1]));
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "helppdf: cannot read %s\n", argv[1]);
    return 1;
  }
  QTextDocument document;
  document.setMarkdown(QString::fromUtf8(in.readAll()));
  QFont font("DejaVu Sans");
  font.setPointSizeF(10.0);
  document.setDefaultFont(font);
  QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
  writer.setTitle("KelmVev2Er user manual");
  writer.setCreator("KelmVev2Er");
  document.print(&writer);
  return QFile::exists(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
