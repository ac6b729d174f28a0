#pragma once
// A view's character and paragraph formatting: the font dialog, bold, italic and
// underline, raising and lowering characters and putting them back, alignment and the
// indent dialog, the face and size the format bar's boxes choose; and the format bar kept
// showing the caret's format. Each command is one step to undo. The commands that give a
// document formats a plain text file cannot keep turn it into rich text.

#include "view/FormatArithmetic.h"

#include <QString>
#include <Qt>
#include <functional>
#include <utility>
#include <vector>

namespace wabunko {

class EditControl;
class SettingsStore;
class ViewHost;

class FormatCommands {
public:
  struct Hooks {
    std::function<EditControl&()> edit;  // the control shown
    std::function<void()> makeRichText;  // the document is saved as rich text from now on
  };
  FormatCommands(Hooks hooks, ViewHost& host, SettingsStore& store);

  // The commands by id, for the view's command map.
  std::vector<std::pair<int, std::function<void()>>> commands();

  void chooseFont();
  enum class Effect { Bold, Italic, Underline };
  // All of the selection gets the effect, or, where all of it has it, loses it.
  void toggle(Effect effect);
  void align(Qt::Alignment alignment);
  void raise();
  void lower();
  // Back to the size of new text, on the baseline.
  void resetSize();
  void chooseIndents();

  // The face and the size (twips) the format bar's boxes choose.
  void applyFace(const QString& face);
  void applyHeight(int heightTwips);

  // The format bar shows the caret's face, size, effects and alignment.
  void showCaretFormat();

private:
  EditControl& edit() const { return hooks_.edit(); }
  void moveOffBaseline(HeightAndOffset (*rule)(HeightAndOffset));

  Hooks hooks_;
  ViewHost& host_;
  SettingsStore& store_;
};

}  // namespace wabunko
