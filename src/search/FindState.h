#pragma once
// The strings the find commands use, kept between dialogs for the life of the main
// window: the find dialog's last strings and its match-case box, copied in by each find
// command (find in files sets them too, so find next then looks for its string).

#include <QString>

namespace wabunko {

struct FindState {
  QString findText;
  QString replaceText;
  int findFlags = 0;  // 1: letter case must match
};

}  // namespace wabunko
