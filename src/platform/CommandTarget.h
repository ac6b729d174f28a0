#pragma once
// A link in the command route: view, document, child frame, main frame, application.
// A target lists the commands it handles (and their update handlers) in its command map,
// so the route knows which commands anybody handles: a command nobody handles shows
// disabled, as in a message-map framework.

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
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
  virtual bool onCommand(int id) {
    const auto it = commands_.constFind(id);
    if (it == commands_.constEnd()) return false;
    (*it)();
    return true;
  }
  // True when this target has an update handler for the command.
  virtual bool onUpdate(int id, CmdUI& ui) {
    const auto it = updates_.constFind(id);
    if (it == updates_.constEnd()) return false;
    (*it)(ui);
    return true;
  }
  virtual bool handlesCommand(int id) const { return commands_.contains(id); }

  // The ids whose command or update handler was registered again, replacing the first,
  // in the order it happened. A debug build stops at the first one.
  const QList<int>& duplicateRegistrations() const { return duplicates_; }

protected:
  void onCommandId(int id, std::function<void()> handler) {
    noteRegistration(commands_.contains(id), id);
    commands_.insert(id, std::move(handler));
  }
  void onUpdateId(int id, std::function<void(CmdUI&)> handler) {
    noteRegistration(updates_.contains(id), id);
    updates_.insert(id, std::move(handler));
  }

private:
  // A second handler silently replaces the first, so a map that lists an id twice has
  // one handler that never runs.
  void noteRegistration(bool alreadyThere, int id) {
    if (!alreadyThere) return;
    duplicates_.append(id);
    Q_ASSERT_X(false, "CommandTarget", qPrintable(QStringLiteral("command %1 registered twice").arg(id)));
  }

  QHash<int, std::function<void()>> commands_;
  QHash<int, std::function<void(CmdUI&)>> updates_;
  QList<int> duplicates_;
};

}  // namespace wabunko
