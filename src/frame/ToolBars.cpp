#include "frame/ToolBars.h"

#include "frame/CommandTable.h"
#include "frame/FontCombos.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/CommandRouter.h"
#include "platform/StandardCommands.h"
#include "view/ViewCommands.h"

#include <QAction>
#include <QMainWindow>
#include <QPointer>
#include <QToolBar>
#include <QWidgetAction>

#include <algorithm>

namespace wabunko {
namespace {

QString utf8(const char* s) { return QString::fromUtf8(s); }

QString imagePath(Bar which, int image) {
  return QStringLiteral(":/icons/toolbar/%1-%2.svg")
      .arg(which == Bar::File ? QStringLiteral("file") : QStringLiteral("format"))
      .arg(image, 2, 10, QLatin1Char('0'));
}

// The desktop theme's names for the pictures it has of our commands (freedesktop icon
// naming); the other commands have only our own.
struct ThemeIcon {
  int command;
  const char* name;
};
constexpr ThemeIcon kThemeIcons[] = {
    {cmd::FileNew, "document-new"},
    {cmd::FileOpen, "document-open"},
    {cmd::FileSave, "document-save"},
    {cmd::FilePrint, "document-print"},
    {cmd::FilePrintPreview, "document-print-preview"},
    {cmd::EditCut, "edit-cut"},
    {cmd::EditCopy, "edit-copy"},
    {cmd::EditPaste, "edit-paste"},
    {cmd::EditUndo, "edit-undo"},
    {cmd::HelpIndex, "help-contents"},
    {cmd::FindText, "edit-find"},
    {cmd::ReplaceText, "edit-find-replace"},
    {cmd::FileClose, "window-close"},
    {cmd::FileSaveAs, "document-save-as"},
    {cmd::EditClear, "edit-delete"},
    {cmd::EditSelectAll, "edit-select-all"},
    {cmd::FormatFont, "preferences-desktop-font"},
    {cmd::AlignLeft, "format-justify-left"},
    {cmd::AlignCentre, "format-justify-center"},
    {cmd::AlignRight, "format-justify-right"},
    {cmd::FormatBold, "format-text-bold"},
    {cmd::FormatItalic, "format-text-italic"},
    {cmd::FormatUnderline, "format-text-underline"},
};

// A position shows the state the update handlers give its command's shared action.
void mirror(const QAction& shared, QAction& position) {
  position.setEnabled(shared.isEnabled());
  position.setCheckable(shared.isCheckable());
  position.setChecked(shared.isChecked());
}

bool validButton(Bar which, int button) {
  return button >= 0 && button < static_cast<int>(buttonCatalogue(which).size());
}

}  // namespace

QIcon toolButtonIcon(Bar which, int button) {
  if (!validButton(which, button)) return {};
  const ToolButton& entry = buttonCatalogue(which)[static_cast<std::size_t>(button)];
  if (entry.command == 0) return QIcon(QStringLiteral(":/icons/toolbar/separator.svg"));
  const QIcon own(imagePath(which, entry.image));
  const auto* theme = std::ranges::find(kThemeIcons, entry.command, &ThemeIcon::command);
  return theme == std::end(kThemeIcons) ? own : QIcon::fromTheme(QLatin1String(theme->name), own);
}

ToolBars::ToolBars(QMainWindow* frame, CommandRouter& router, SettingsStore& store,
                   std::function<CWabunkoView*()> activeView)
    : QObject(frame), frame_(frame), router_(router), store_(store) {
  bars_[0] = createBar(tr("ツールバー"), QStringLiteral("ToolBar"));
  frame_->addToolBarBreak();
  bars_[1] = createBar(tr("書式バー"), QStringLiteral("TextStyleBar"));
  combos_ = new FontCombos(bars_[1], store_, std::move(activeView), this);
  for (Bar which : {Bar::File, Bar::TextStyle}) fillBar(which, WriteBack::DefaultCount);
}

ToolBars::~ToolBars() = default;

QToolBar* ToolBars::bar(Bar which) const { return bars_[static_cast<std::size_t>(which)]; }

QToolBar* ToolBars::createBar(const QString& title, const QString& objectName) {
  auto* toolBar = new QToolBar(title, frame_);
  toolBar->setObjectName(objectName);  // the saved bar layout finds the bar by this name
  toolBar->setAllowedAreas(Qt::AllToolBarAreas);
  toolBar->setFloatable(true);
  toolBar->setIconSize(QSize(16, 16));
  frame_->addToolBar(Qt::TopToolBarArea, toolBar);
  return toolBar;
}

void ToolBars::rebuildToolBars() {
  for (Bar which : {Bar::File, Bar::TextStyle}) {
    for (QAction* position : positions(which)) {
      bar(which)->removeAction(position);
      delete position;
    }
    fillBar(which, WriteBack::Nothing);
  }
}

void ToolBars::fillBar(Bar which, WriteBack writeBack) {
  const settings::Setting& count = which == Bar::File ? settings::ToolBarCount : settings::TextStyleBarCount;
  const settings::Setting& items = which == Bar::File ? settings::ToolBarItem : settings::TextStyleBarItem;
  const int stored = readInt(store_, count);
  std::vector<int> buttons;
  if (usesDefaultButtons(stored)) {
    const auto defaults = defaultButtons(which);
    buttons.assign(defaults.begin(), defaults.end());
    if (writeBack == WriteBack::DefaultCount) writeSetting(store_, count, -1);
  } else {
    buttons = parseButtonList(which, readString(store_, items).toStdString(), stored);
  }
  for (int button : buttons) addButton(which, button, nullptr);
}

QList<QAction*> ToolBars::positions(Bar which) const {
  QList<QAction*> actions = bar(which)->actions();
  actions.removeIf([](QAction* a) { return qobject_cast<QWidgetAction*>(a) != nullptr; });
  return actions;
}

void ToolBars::addButton(Bar which, int button, QAction* before) {
  QToolBar* toolBar = bar(which);
  const ToolButton& entry = buttonCatalogue(which)[static_cast<std::size_t>(button)];
  if (entry.command == 0) {
    toolBar->insertSeparator(before);
    return;
  }
  const QString name = utf8(entry.name);
  auto* position = new QAction(toolButtonIcon(which, button), name, toolBar);
  position->setToolTip(name);
  QAction* shared = router_.action(entry.command, name);
  const int command = entry.command;
  connect(shared, &QAction::changed, position, [shared, position] { mirror(*shared, *position); });
  connect(position, &QAction::triggered, this,
          [this, command, state = QPointer<QAction>(shared), guard = QPointer<QAction>(position)] {
            router_.dispatch(command);
            // Clicking a checkable button flipped it; the command's own state decides.
            if (guard && state) mirror(*state, *guard);
          });
  mirror(*shared, *position);
  toolBar->insertAction(before, position);
}

void ToolBars::appendToolButton(Bar which, int button) {
  if (validButton(which, button)) addButton(which, button, nullptr);
}

void ToolBars::insertToolButton(Bar which, int button, int position) {
  const QList<QAction*> current = positions(which);
  if (!validButton(which, button) || position < 0 || position > current.size()) return;
  addButton(which, button, position < current.size() ? current[position] : nullptr);
}

void ToolBars::deleteToolButton(Bar which, int position) {
  const QList<QAction*> current = positions(which);
  if (position < 0 || position >= current.size()) return;
  bar(which)->removeAction(current[position]);
  delete current[position];
}

int ToolBars::buttonCount(Bar which) const { return static_cast<int>(positions(which).size()); }

void ToolBars::checkFormatButton(Bar which, int command, bool checked) {
  if (which != Bar::TextStyle) return;
  QAction* shared = router_.action(command);
  shared->setCheckable(true);
  shared->setChecked(checked);
}

}  // namespace wabunko
