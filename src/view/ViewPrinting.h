#pragma once
// Printing a view's text as it is shown: in rows, or in columns in vertical writing, laid
// out at the screen's resolution and scaled to the printer's.

class QPaintDevice;
class QPrinter;
class QWidget;

namespace wabunko {

class EditControl;

namespace ViewPrinting {

// Page margins, twips.
inline constexpr int kMarginTwips = 720;

void print(const EditControl& edit, const QPaintDevice& screen, QPrinter& printer);
// Print (57607): on the printer the user chooses.
void printWithDialog(const EditControl& edit, QWidget& view);
// Print Preview (57609), standing over `parent`.
void printPreview(const EditControl& edit, const QPaintDevice& screen, QWidget* parent);
// The length of a printed line (of a column in vertical writing) at the screen's resolution.
int lineLengthPixels(const EditControl& edit, const QPaintDevice& screen);

}  // namespace ViewPrinting

}  // namespace wabunko
