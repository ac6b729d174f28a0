#pragma once
// Insert and overwrite behave as one setting for all views: a view takes it on when it
// gets the focus, and the Insert key switches it for all of them.

namespace wabunko {

class EditControl;
class ViewHost;

class InsertMode {
public:
  explicit InsertMode(ViewHost& host) : host_(host) {}

  // The view got the focus: `edit` follows the shared setting.
  void follow(EditControl& edit);
  // The Insert key: switches `edit` and the shared setting.
  void toggle(EditControl& edit);
private:
  ViewHost& host_;
  int mode_ = 1;  // insert (1) or overwrite (0)
};

}  // namespace wabunko
