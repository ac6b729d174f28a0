#pragma once
// A link in the command route: view, document, child frame, main frame, application.

#include <QString>
#include <optional>

namespace wabunko {

// What an update handler may say about a command's menu item or toolbar button.
class CmdUI {
public:
  explicit CmdUI(int id) : id_(id) {}
  int id() const { return id_; }
  void enable(bool on = true) { enabled_ = on; }
  void setCheck(bool on = true) { checked_ = on; }
  void setText(const QString& text) { text_ = text; }
  bool enabled() const { return enabled_; }
  std::optional<bool> checked() const { return checked_; }
  const std::optional<QString>& text() const { return text_; }

private:
  int id_;
  bool enabled_ = true;
  std::optional<bool> checked_;
  std::optional<QString> text_;
};

class CommandTarget {
public:
  virtual ~CommandTarget() = default;
  // True when this target handled the command.
  virtual bool onCommand(int /*id*/) { return false; }
  // True when this target has an update handler for the command.
  virtual bool onUpdate(int /*id*/, CmdUI& /*ui*/) { return false; }
};

}  // namespace wabunko
