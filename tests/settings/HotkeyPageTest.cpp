// The hot-key page through its real controls: what it lists, the keys pressed on its
// list, its buttons, and what it writes.
#include "settings/CHotkeySettingPropertyPage.h"

#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/Dialogs.h"
#include "platform/MemoryStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace wabunko {
namespace {

using enum HotkeyCategory;

QString hotKey(const char* name) { return QString::fromUtf8(name); }

class HotkeyPageTest : public testing::Test {
protected:
  HotkeyPageTest() {
    setMessageHook([this](const MessageRequest& request) {
      messages.push_back(request);
      return QMessageBox::Ok;
    });
  }
  ~HotkeyPageTest() override { setMessageHook({}); }

  void storeKey(const char* name, const char* text) {
    store.writeProfileString(QStringLiteral("Hot key"), hotKey(name), QString::fromUtf8(text));
  }

  // The page in a window of its own, shown, with the list holding the focus.
  CHotkeySettingPropertyPage& open() {
    page = std::make_unique<CHotkeySettingPropertyPage>(store);
    page->show();
    page->activateWindow();
    list()->setFocus();
    return *page;
  }

  QTreeWidget* list() const { return page->findChild<QTreeWidget*>(QStringLiteral("commandList")); }
  QComboBox* category() const { return page->findChild<QComboBox*>(QStringLiteral("category")); }
  QPushButton* button(const char* name) const {
    return page->findChild<QPushButton*>(QString::fromUtf8(name));
  }

  QStringList column(int c) const {
    QStringList texts;
    for (int row = 0; row < list()->topLevelItemCount(); ++row)
      texts << list()->topLevelItem(row)->text(c);
    return texts;
  }
  QStringList keys() const { return column(1); }

  void select(std::initializer_list<int> rows) {
    list()->clearSelection();
    for (int row : rows) list()->topLevelItem(row)->setSelected(true);
  }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(list(), key, modifiers);
  }

  MemoryStore store{canonicalSectionName};
  std::unique_ptr<CHotkeySettingPropertyPage> page;
  std::vector<MessageRequest> messages;
};

TEST_F(HotkeyPageTest, OpensOnTheFileCategoryWithTheStoredKeysAndWritesNothing) {
  storeKey("開く", "Alt +O");
  storeKey("すべて保存", "Ctrl+SS");  // edited by hand: shown as it stands
  store.writeProfileInt(QStringLiteral("Hot key"), QStringLiteral("System wide"), 1);
  const MemoryStore::Sections before = store.contents();
  open();
  EXPECT_EQ(store.contents(), before);

  QStringList categories;
  for (int i = 0; i < category()->count(); ++i) categories << category()->itemText(i);
  EXPECT_EQ(categories, (QStringList{"ファイル操作", "文書編集", "カーソル移動", "ウィンドウ"}));
  EXPECT_EQ(category()->currentText(), QStringLiteral("ファイル操作"));
  EXPECT_EQ(list()->headerItem()->text(0), QStringLiteral("動作"));
  EXPECT_EQ(list()->headerItem()->text(1), QStringLiteral("キー"));
  EXPECT_EQ(list()->columnWidth(0), 150);
  EXPECT_EQ(list()->columnWidth(1), 150);
  EXPECT_EQ(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(column(0), (QStringList{"新規作成", "開く", "上書き保存", "名前をつけて保存",
                                    "すべて保存", "印刷"}));
  EXPECT_EQ(keys(), (QStringList{"Ctrl+N", "Alt +O", "Ctrl+S", "", "Ctrl+SS", "Ctrl+P"}));

  EXPECT_EQ(button("clearButton")->text(), QStringLiteral("解除"));
  EXPECT_EQ(button("defaultsButton")->text(), QStringLiteral("ﾃﾞﾌｫﾙﾄ設定"));
  auto* systemWide = page->findChild<QCheckBox*>(QStringLiteral("systemWide"));
  ASSERT_NE(systemWide, nullptr);
  EXPECT_EQ(systemWide->text(), QStringLiteral("他のアプリケーションの使用中も有効にする"));
  EXPECT_TRUE(systemWide->isChecked());
  EXPECT_FALSE(systemWide->toolTip().isEmpty());
  EXPECT_TRUE(page->systemWide());

  QStringList labels;
  for (const QLabel* label : page->findChildren<QLabel*>()) {
    labels << label->text();
    EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
  }
  EXPECT_TRUE(labels.contains(QStringLiteral("分類 ： ")));
  EXPECT_TRUE(labels.contains(QStringLiteral("変更する項目を選択して割り当てるキーを押してください")));
  const auto* categoryLabel = page->findChildren<QLabel*>().at(labels.indexOf(QStringLiteral("分類 ： ")));
  EXPECT_EQ(categoryLabel->buddy(), category());
}

TEST_F(HotkeyPageTest, CtrlOrAltWithALetterGivesTheSelectedRowsTheKey) {
  struct Case {
    const char* what;
    std::initializer_list<int> rows;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QStringList keys;
  };
  const Case cases[] = {
      {"Control wins over Alt", {3}, Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier,
       {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+Q", "", "Ctrl+P"}},
      {"Alt+N is not Ctrl+N", {4}, Qt::Key_N, Qt::AltModifier,
       {"Ctrl+N", "Ctrl+O", "Ctrl+S", "", "Alt +N", "Ctrl+P"}},
      {"Shift changes nothing", {3}, Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier,
       {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+W", "", "Ctrl+P"}},
      {"every selected row", {3, 4, 5}, Qt::Key_J, Qt::AltModifier,
       {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Alt +J", "Alt +J", "Alt +J"}},
      {"a digit", {3}, Qt::Key_1, Qt::ControlModifier,
       {"Ctrl+N", "Ctrl+O", "Ctrl+S", "", "", "Ctrl+P"}},
      {"a function key", {3}, Qt::Key_F2, Qt::ControlModifier,
       {"Ctrl+N", "Ctrl+O", "Ctrl+S", "", "", "Ctrl+P"}},
      {"a letter alone", {3}, Qt::Key_Q, Qt::NoModifier,
       {"Ctrl+N", "Ctrl+O", "Ctrl+S", "", "", "Ctrl+P"}},
  };
  for (const Case& c : cases) {
    open();
    select(c.rows);
    press(c.key, c.modifiers);
    EXPECT_EQ(keys(), c.keys) << c.what;
    EXPECT_TRUE(messages.empty()) << c.what;
  }
}

TEST_F(HotkeyPageTest, ATakenKeyIsRefusedWithOneMessagePerHolderAndNothingChanges) {
  storeKey("すべて保存", "Alt +N");
  open();
  const auto texts = page->keyTexts();
  const QStringList shown = keys();

  select({0});
  press(Qt::Key_S, Qt::ControlModifier);  // 上書き保存's
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, QStringLiteral("このキーはすでに割り当てられています"));
  EXPECT_EQ(messages[0].caption, QStringLiteral("ホットキーの割り当て"));
  EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
  EXPECT_EQ(messages[0].buttons, QMessageBox::Ok);

  select({3});
  press(Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);  // 新規作成's and すべて保存's
  EXPECT_EQ(messages.size(), 3u);
  // Ctrl+A is 全て選択's, in another category; the list does not take it as select-all.
  press(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(messages.size(), 4u);
  EXPECT_EQ(list()->selectedItems(), QList<QTreeWidgetItem*>{list()->topLevelItem(3)});
  EXPECT_EQ(page->keyTexts(), texts);
  EXPECT_EQ(keys(), shown);
}

TEST_F(HotkeyPageTest, TheKeysPassNoShortcutOrMnemonicWhileTheListHasTheFocus) {
  QMainWindow window;
  auto* central = new QWidget(&window);
  auto* layout = new QVBoxLayout(central);
  page = std::make_unique<CHotkeySettingPropertyPage>(store);
  // The window deletes its children; the page must go first, however the test ends.
  struct Release {
    std::unique_ptr<CHotkeySettingPropertyPage>& page;
    ~Release() { page.reset(); }
  } release{page};
  layout->addWidget(page.get());
  auto* mnemonic = new QPushButton(QStringLiteral("ボタン(&K)"), central);
  layout->addWidget(mnemonic);
  window.setCentralWidget(central);
  QMenu* menu = window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
  QAction* quit = menu->addAction(QStringLiteral("終了"));
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  int fired = 0;
  QObject::connect(quit, &QAction::triggered, [&] { ++fired; });
  // A mnemonic presses its button at once and clicks it a moment later.
  QObject::connect(mnemonic, &QPushButton::pressed, [&] { ++fired; });
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  // Away from the list the keys reach the window's shortcuts...
  button("clearButton")->setFocus();
  QTest::keyClick(button("clearButton"), Qt::Key_K, Qt::AltModifier);
  QTest::keyClick(button("clearButton"), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(fired, 2);

  // ...on the list they are the page's.
  fired = 0;
  list()->setFocus();
  select({3});
  press(Qt::Key_K, Qt::AltModifier);
  EXPECT_EQ(keys().at(3), QStringLiteral("Alt +K"));
  select({4});
  press(Qt::Key_Q, Qt::ControlModifier);
  press(Qt::Key_F, Qt::AltModifier);
  EXPECT_EQ(keys().at(4), QStringLiteral("Alt +F"));
  EXPECT_EQ(fired, 0);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(page->keyTexts()[4], "Alt +F");
}

TEST_F(HotkeyPageTest, ClearEmptiesTheSelectedRowsAndDefaultsResetEveryCategory) {
  storeKey("引用記号", "Alt +I");
  storeKey("シグニチャ", "Ctrl+G");
  storeKey("行末へ移動", "Alt +E");
  open();
  select({0, 2});
  button("clearButton")->click();
  EXPECT_EQ(keys(), (QStringList{"", "Ctrl+O", "", "", "", "Ctrl+P"}));
  EXPECT_EQ(page->keyTexts()[0], "");
  EXPECT_EQ(page->keyTexts()[2], "");

  category()->setCurrentIndex(1);
  EXPECT_EQ(keys().mid(14), (QStringList{"Alt +I", "Ctrl+G"}));
  button("defaultsButton")->click();
  EXPECT_EQ(category()->currentText(), QStringLiteral("文書編集"));
  EXPECT_EQ(keys().mid(14), (QStringList{"", ""}));
  EXPECT_EQ(page->keyTexts(), HotkeyAssignments().keyTexts());
  category()->setCurrentIndex(0);
  EXPECT_EQ(keys(), (QStringList{"Ctrl+N", "Ctrl+O", "Ctrl+S", "", "", "Ctrl+P"}));
}

TEST_F(HotkeyPageTest, EachCategoryListsItsRowsAndActsOnTheirCommands) {
  open();
  const HotkeyCategory categories[] = {FileOperation, DocumentEditing, CursorMovement, Window};
  for (int i = 0; i < category()->count(); ++i) {
    category()->setCurrentIndex(i);
    const HotkeyCategory shown = categories[i];
    QStringList names;
    for (std::size_t row = 0; row < hotkeyRowCount(shown); ++row)
      names << QString::fromUtf8(hotkeyCommands()[hotkeyCommandOfRow(shown, row)].name);
    EXPECT_EQ(column(0), names) << i;
  }

  category()->setCurrentIndex(1);
  EXPECT_EQ(column(0).at(9), QStringLiteral("この行"));
  EXPECT_EQ(column(0).at(15), QStringLiteral("シグニチャ"));
  auto expected = page->keyTexts();
  select({9, 15});
  press(Qt::Key_L, Qt::AltModifier);
  expected[36] = expected[42] = "Alt +L";
  EXPECT_EQ(page->keyTexts(), expected);
  select({15});
  button("clearButton")->click();
  expected[42] = "";
  EXPECT_EQ(page->keyTexts(), expected);
  EXPECT_EQ(keys().at(9), QStringLiteral("Alt +L"));
  EXPECT_EQ(keys().at(15), QString());
}

TEST_F(HotkeyPageTest, WriteSettingsStoresEveryKeyUnderItsNameAndTheSystemWideFlag) {
  open();
  category()->setCurrentIndex(1);
  select({9});
  press(Qt::Key_T, Qt::ControlModifier);
  page->findChild<QCheckBox*>(QStringLiteral("systemWide"))->setChecked(true);
  EXPECT_TRUE(store.contents().isEmpty()) << "nothing before OK";
  page->writeSettings(store);

  EXPECT_EQ(store.getProfileString(QStringLiteral("Hot key"), QStringLiteral("この行")),
            QStringLiteral("Ctrl+T"));
  EXPECT_EQ(store.getProfileString(QStringLiteral("Hot key"), QStringLiteral("新規作成")),
            QStringLiteral("Ctrl+N"));
  EXPECT_EQ(store.getProfileString(QStringLiteral("Hot key"), QStringLiteral("シグニチャ"),
                                   QStringLiteral("absent")),
            QString());
  EXPECT_EQ(readInt(store, settings::HotKeySystemWide), 1);
  for (std::size_t i = 0; i < kHotkeyCommandCount; ++i)
    EXPECT_EQ(readString(store, settings::hotKeySetting(i)).toStdString(), page->keyTexts()[i]);
  EXPECT_EQ(store.contents().value(QStringLiteral("Hot key")).size(),
            static_cast<int>(kHotkeyCommandCount) + 1);
  // A page made from what was written shows it again.
  EXPECT_EQ(CHotkeySettingPropertyPage(store).keyTexts(), page->keyTexts());
}

// Runs `steps` inside the dialog about to be shown, each key going to whatever has the
// focus. A dialog the steps leave open is cancelled, so a failing test cannot hang.
class KeyboardOnly {
public:
  explicit KeyboardOnly(std::function<void()> steps) {
    QTimer::singleShot(0, [steps = std::move(steps)] {
      if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->activateWindow();
        if (QTest::qWaitForWindowActive(dialog)) steps();
      }
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        dialog->reject();
    });
  }
  static void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  static QString focusName() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
  }
};

TEST_F(HotkeyPageTest, TheKeyboardAloneAssignsClearsAndConfirms) {
  QStringList focusPath;
  KeyboardOnly run([&] {
    EXPECT_EQ(QApplication::activeModalWidget()->windowTitle(), QStringLiteral("ホットキー"));
    focusPath << KeyboardOnly::focusName();
    KeyboardOnly::key(Qt::Key_Tab);
    focusPath << KeyboardOnly::focusName();
    KeyboardOnly::key(Qt::Key_Down);  // the first row is current; this selects the second
    KeyboardOnly::key(Qt::Key_Down);
    KeyboardOnly::key(Qt::Key_Tab);
    focusPath << KeyboardOnly::focusName();
    KeyboardOnly::key(Qt::Key_Space);  // 解除: 上書き保存 loses Ctrl+S
    KeyboardOnly::key(Qt::Key_Tab, Qt::ShiftModifier);
    focusPath << KeyboardOnly::focusName();
    KeyboardOnly::key(Qt::Key_Up);
    KeyboardOnly::key(Qt::Key_Down, Qt::ShiftModifier);  // 開く and 上書き保存
    KeyboardOnly::key(Qt::Key_S, Qt::ControlModifier);
    KeyboardOnly::key(Qt::Key_Tab);
    KeyboardOnly::key(Qt::Key_Tab);
    KeyboardOnly::key(Qt::Key_Tab);
    focusPath << KeyboardOnly::focusName();
    KeyboardOnly::key(Qt::Key_Space);
    KeyboardOnly::key(Qt::Key_Return);  // OK
  });
  showHotkeyPage(nullptr, store);
  EXPECT_EQ(focusPath, (QStringList{"category", "commandList", "clearButton", "commandList",
                                    "systemWide"}));
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(store.getProfileString(QStringLiteral("Hot key"), QStringLiteral("開く")),
            QStringLiteral("Ctrl+S"));
  EXPECT_EQ(store.getProfileString(QStringLiteral("Hot key"), QStringLiteral("上書き保存")),
            QStringLiteral("Ctrl+S"));
  EXPECT_EQ(readInt(store, settings::HotKeySystemWide), 1);
}

TEST_F(HotkeyPageTest, EscapeLeavesTheStoreAsItWas) {
  storeKey("開く", "Alt +O");
  const MemoryStore::Sections before = store.contents();
  QString assigned;
  KeyboardOnly run([&] {
    KeyboardOnly::key(Qt::Key_Tab);
    KeyboardOnly::key(Qt::Key_Down);
    KeyboardOnly::key(Qt::Key_Q, Qt::ControlModifier);
    const auto* list = qobject_cast<QTreeWidget*>(QApplication::focusWidget());
    if (list) assigned = list->topLevelItem(1)->text(1);
    KeyboardOnly::key(Qt::Key_Escape);
  });
  showHotkeyPage(nullptr, store);
  EXPECT_EQ(assigned, QStringLiteral("Ctrl+Q"));
  EXPECT_EQ(store.contents(), before);
}

}  // namespace
}  // namespace wabunko
