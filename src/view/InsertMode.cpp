#include "InsertMode.h"

#include "platform/EditControl.h"
#include "view/ViewHost.h"

namespace wabunko {

void InsertMode::follow(EditControl& edit) {
  const std::optional<int> shared = host_.insertMode();
  if (!shared || *shared == mode_) return;
  mode_ = *shared;
  edit.setOverwriteMode(mode_ == 0);
}

void InsertMode::toggle(EditControl& edit) {
  mode_ = !mode_;
  edit.setOverwriteMode(mode_ == 0);
  host_.setInsertMode(mode_);
}

}  // namespace wabunko
