#pragma once
// What a view's controls show from the settings: composition colours, the default font and
// text colour, the background, tab stops and indents, and the font of read-only text.

#include <array>

namespace wabunko {

class DocumentEditControl;
class EditControl;
class SettingsStore;

class DisplaySettings {
public:
  DisplaySettings(const SettingsStore& store, std::array<DocumentEditControl*, 2> controls)
      : store_(store), controls_(controls) {}

  void applyCompositionStyles() const;
  // The default font and text colour, background, tab stops and indents; `shown` holds the
  // text. Rich text read from a file keeps the indents of its own paragraphs.
  enum class Indents { Apply, KeepTheText };
  void apply(EditControl& shown, Indents indents = Indents::Apply) const;
  // The standard font and text colour of new and unformatted text.
  void applyDefaultFont(EditControl& shown) const;
  // Read-only text takes its own font and colour, all of it.
  void applyReadOnlyFont(EditControl& shown) const;
  void setBackgroundColor(int colorRef) const;

private:
  void applyParagraphSettings(EditControl& shown, Indents indents) const;

  const SettingsStore& store_;
  std::array<DocumentEditControl*, 2> controls_;
};

}  // namespace wabunko
