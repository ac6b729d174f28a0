#include "ViewPrinting.h"

#include "platform/EditControl.h"
#include "platform/VerticalTextPainter.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextFrame>
#include <memory>

namespace wabunko::ViewPrinting {

void print(const EditControl& edit, const QPaintDevice& screen, QPrinter& printer) {
  const double margin = kMarginTwips / 20.0;  // points
  printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Point);
  // Laid out on the printable part of the page, in the document's own units, so the page
  // keeps exactly the margins above (unpaginated, QTextDocument adds 2 cm of its own).
  const std::unique_ptr<QTextDocument> pages(edit.textDocument()->clone());
  QTextFrameFormat frame = pages->rootFrame()->frameFormat();
  frame.setMargin(0);
  pages->rootFrame()->setFrameFormat(frame);
  const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Inch);
  const QSizeF page(printable.width() * screen.logicalDpiX(), printable.height() * screen.logicalDpiY());
  if (edit.isVertical())
    return printVertical(printer, *pages, page,
                         {printer.logicalDpiX() / static_cast<qreal>(screen.logicalDpiX()),
                          printer.logicalDpiY() / static_cast<qreal>(screen.logicalDpiY())});
  pages->setPageSize(page);
  pages->print(&printer);
}

void printWithDialog(const EditControl& edit, QWidget& view) {
  QPrinter printer;
  QPrintDialog dialog(&printer, &view);
  dialog.setWindowTitle(QObject::tr("印刷"));
  if (dialog.exec() == QDialog::Accepted) print(edit, view, printer);
}

void printPreview(const EditControl& edit, const QPaintDevice& screen, QWidget* parent) {
  QPrinter printer;
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(QObject::tr("印刷プレビュー"));
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&edit, &screen](QPrinter* p) {
    print(edit, screen, *p);
  });
  preview.exec();
}

int lineLengthPixels(const EditControl& edit, const QPaintDevice& screen) {
  // The printer's page less the two margins, at the screen's resolution: its width for
  // rows, its height for columns.
  const QRectF page = QPrinter().pageLayout().fullRect(QPageLayout::Inch);
  const double margins = 2.0 * kMarginTwips / 1440.0;
  if (edit.isVertical()) return static_cast<int>((page.height() - margins) * screen.logicalDpiY());
  return static_cast<int>((page.width() - margins) * screen.logicalDpiX());
}

}  // namespace wabunko::ViewPrinting
