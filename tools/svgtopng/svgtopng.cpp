// svgtopng: renders the application's scalable icon into the fixed-size PNGs of the hicolor
// icon theme, so the installed icons always match the SVG they come from.
//
//   svgtopng IN.svg OUTDIR SIZE...
//
// writes OUTDIR/<SIZE>x<SIZE>/apps/<name of IN>.png for each SIZE. Exit status: 0 done,
// 1 the SVG could not be read or a PNG could not be written, 2 bad arguments.
//
// Painting an image needs neither a display nor an application object; an icon draws its
// letters as paths, so no font is looked up either.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

// The icon is drawn centred and keeps its proportions, so a non-square drawing is not stretched.
QRectF fittedRect(QSizeF drawing, int size) {
  QSizeF fitted = drawing.scaled(size, size, Qt::KeepAspectRatio);
  return {(size - fitted.width()) / 2, (size - fitted.height()) / 2, fitted.width(), fitted.height()};
}

bool writeIcon(QSvgRenderer& renderer, int size, const QString& path) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, fittedRect(renderer.viewBoxF().size(), size));
  painter.end();
  return QDir().mkpath(QFileInfo(path).path()) && image.save(path, "PNG");
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 4) {
    std::fputs("usage: svgtopng IN.svg OUTDIR SIZE...\n", stderr);
    return 2;
  }
  const QString in = QString::fromLocal8Bit(argv[1]);
  QSvgRenderer renderer(in);
  if (!renderer.isValid()) {
    std::fprintf(stderr, "svgtopng: %s: not a readable SVG\n", argv[1]);
    return 1;
  }
  const QString outDir = QString::fromLocal8Bit(argv[2]);
  const QString name = QFileInfo(in).completeBaseName() + QStringLiteral(".png");
  for (int i = 3; i < argc; ++i) {
    const QString text = QString::fromLocal8Bit(argv[i]);
    bool ok = false;
    const int size = text.toInt(&ok);
    if (!ok || size <= 0) {
      std::fprintf(stderr, "svgtopng: %s: not a size in pixels\n", qPrintable(text));
      return 2;
    }
    const QString path = QStringLiteral("%1/%2x%2/apps/%3").arg(outDir, QString::number(size), name);
    if (!writeIcon(renderer, size, path)) {
      std::fprintf(stderr, "svgtopng: %s: cannot write\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
