#pragma once
// The editing view of a document: its edit control, and the stream hook through which
// the document's load and save pass the file's bytes in and out of the control.

#include "doc/CharCodes.h"
#include "platform/EditControl.h"
#include "platform/View.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace wabunko {

class CWabunkoDoc;
class RichTextEdit;

class CWabunkoView : public View {
  Q_OBJECT
public:
  explicit CWabunkoView(Document* document);

  CWabunkoDoc* document() const;
  EditControl& edit() const;

  // Load: puts the file's bytes into the control, decoding `code`, and decides on the
  // read-only display.
  void streamIn(std::string_view bytes, bool richText, CharCode code, bool fileIsReadOnly);
  // Save: the control's content as the file's bytes in `code`; *lost counts the
  // characters the bytes cannot hold.
  std::string streamOut(bool richText, CharCode code, std::size_t* lost) const;

  void setBackgroundColor(int colorRef);

  // The rich text just loaded broke the format's rules; what could be read is shown.
  bool damagedOnLoad() const { return damagedOnLoad_; }


private:
  void applyDisplaySettings();
  void applyReadOnlyFont();
  void mapCommands();

  RichTextEdit* edit_;
  bool damagedOnLoad_ = false;
};

}  // namespace wabunko
