// The toolbar page through its real controls, over the real toolbars of a window: what it
// lists, how its edits reach the live bars, what OK writes and what Cancel restores.
#include "settings/CToolbarSettingPropertyPage.h"

#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "frame/ToolBars.h"
#include "platform/CommandRouter.h"
#include "platform/MemoryStore.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWidgetAction>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>

namespace wabunko {
namespace {

QStringList names(std::initializer_list<const char*> texts) {
  QStringList out;
  for (const char* text : texts) out << QString::fromUtf8(text);
  return out;
}

const QStringList kFileDefaults = names({"新規", "開く", "保存", "区切り", "印刷", "プレビュー", "区切り", "切り取り",
                                         "複写", "貼り付け", "元に戻す", "区切り", "ヘルプ"});
const QStringList kTextStyleDefaults = names({"フォント", "区切り", "上付き", "下付き", "リサイズ", "区切り", "左寄せ",
                                              "中央寄せ", "右寄せ", "区切り", "ボールド", "イタリック", "下線"});

QStringList rowTexts(const QListWidget* list) {
  QStringList texts;
  for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
  return texts;
}

QList<int> selectedRows(const QListWidget* list) {
  QList<int> rows;
  for (int row = 0; row < list->count(); ++row)
    if (list->item(row)->isSelected()) rows << row;
  return rows;
}

void select(QListWidget* list, std::initializer_list<int> rows) {
  list->clearSelection();
  for (int row : rows) list->item(row)->setSelected(true);
}

class ToolbarPageTest : public testing::Test {
protected:
  void storeLayout(const settings::Setting& count, int value, const settings::Setting& items, const char* text) {
    writeSetting(store, count, value);
    writeSetting(store, items, QString::fromUtf8(text));
  }

  // The bars on the window, built from what the store holds now.
  ToolBars& makeBars() {
    bars = new ToolBars(&window, router, store);
    return *bars;
  }
  CToolbarSettingPropertyPage& open() {
    if (!bars) makeBars();
    page = std::make_unique<CToolbarSettingPropertyPage>(store, *bars);
    page->show();
    return *page;
  }

  // What the live bar shows, the font boxes left out, each separator as the page names it.
  QStringList shown(Bar which) const {
    QStringList texts;
    for (const QAction* action : bars->bar(which)->actions()) {
      if (qobject_cast<const QWidgetAction*>(action)) continue;
      texts << (action->isSeparator() ? QStringLiteral("区切り") : action->text());
    }
    return texts;
  }

  template <typename T>
  static T* child(const QWidget* parent, const char* name) {
    return parent->findChild<T*>(QString::fromUtf8(name));
  }
  QListWidget* list(const char* name) const { return child<QListWidget>(page.get(), name); }
  QPushButton* button(const char* name) const { return child<QPushButton>(page.get(), name); }
  QComboBox* barKind() const { return child<QComboBox>(page.get(), "barKind"); }

  MemoryStore store{canonicalSectionName};
  CommandRouter router;
  QMainWindow window;
  ToolBars* bars = nullptr;  // the window's
  std::unique_ptr<CToolbarSettingPropertyPage> page;
};

TEST_F(ToolbarPageTest, OpensOnTheToolBarWithEveryEntryAndTheStoredLayout) {
  storeLayout(settings::TextStyleBarCount, 3, settings::TextStyleBarItem, "下線/ｲﾀﾘｯｸ/フォント/");
  makeBars();
  const MemoryStore::Sections before = store.contents();
  open();
  EXPECT_EQ(store.contents(), before);
  EXPECT_FALSE(page->changed());

  EXPECT_EQ(barKind()->count(), 2);
  EXPECT_EQ(barKind()->itemText(0), QStringLiteral("ツールバー"));
  EXPECT_EQ(barKind()->itemText(1), QStringLiteral("書式バー"));
  EXPECT_EQ(barKind()->currentIndex(), 0);
  QStringList labels;
  for (const QLabel* label : page->findChildren<QLabel*>()) {
    labels << label->text();
    EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
  }
  EXPECT_EQ(labels, names({"ツールバーの種類 ： ", "利用できるボタン ：", "使われているボタン ："}));
  EXPECT_EQ(page->findChildren<QLabel*>().at(1)->buddy(), list("availableList"));
  EXPECT_EQ(page->findChildren<QLabel*>().at(2)->buddy(), list("usedList"));
  EXPECT_EQ(button("addButton")->text(), QStringLiteral("追加 ->"));
  EXPECT_EQ(button("removeButton")->text(), QStringLiteral("削除"));
  EXPECT_EQ(button("frontButton")->text(), QStringLiteral("前へ"));
  EXPECT_EQ(button("backButton")->text(), QStringLiteral("後へ"));

  struct Case {
    Bar bar;
    QStringList used;
  };
  const Case cases[] = {{Bar::File, kFileDefaults}, {Bar::TextStyle, names({"下線", "区切り", "フォント"})}};
  for (const Case& c : cases) {
    barKind()->setCurrentIndex(static_cast<int>(c.bar));
    QStringList catalogue;
    for (const ToolButton& entry : buttonCatalogue(c.bar)) catalogue << QString::fromUtf8(entry.name);
    for (QListWidget* shownList : {list("availableList"), list("usedList")}) {
      EXPECT_EQ(shownList->selectionMode(), QAbstractItemView::ExtendedSelection);
      for (int row = 0; row < shownList->count(); ++row)
        EXPECT_FALSE(shownList->item(row)->icon().isNull()) << row;
    }
    EXPECT_EQ(rowTexts(list("availableList")), catalogue);
    EXPECT_EQ(rowTexts(list("usedList")), c.used);
    EXPECT_EQ(shown(c.bar), c.used);
  }
}

TEST_F(ToolbarPageTest, EveryEditReachesTheLiveBarAtOnce) {
  storeLayout(settings::ToolBarCount, 3, settings::ToolBarItem, "新規/開く/保存/");
  open();
  QListWidget* available = list("availableList");
  QListWidget* used = list("usedList");
  struct Step {
    const char* what;
    QListWidget* from;
    std::initializer_list<int> rows;
    const char* button;
    QStringList used;
    QList<int> selected;
  };
  const Step steps[] = {
      {"the lower row first", available, {0, 4}, "addButton", names({"新規", "開く", "保存", "印刷", "区切り"}), {3, 4}},
      {"a second separator", available, {0}, "addButton", names({"新規", "開く", "保存", "印刷", "区切り", "区切り"}),
       {5}},
      {"the first stays first", used, {0}, "frontButton", names({"新規", "開く", "保存", "印刷", "区切り", "区切り"}),
       {0}},
      {"the last stays last", used, {5}, "backButton", names({"新規", "開く", "保存", "印刷", "区切り", "区切り"}), {5}},
      {"forward", used, {1, 3}, "frontButton", names({"開く", "新規", "印刷", "保存", "区切り", "区切り"}), {0, 2}},
      {"back", used, {0}, "backButton", names({"新規", "開く", "印刷", "保存", "区切り", "区切り"}), {1}},
      {"remove", used, {0, 4}, "removeButton", names({"開く", "印刷", "保存", "区切り"}), {}},
      {"nothing chosen", used, {}, "removeButton", names({"開く", "印刷", "保存", "区切り"}), {}},
  };
  for (const Step& step : steps) {
    select(step.from, step.rows);
    button(step.button)->click();
    EXPECT_EQ(rowTexts(used), step.used) << step.what;
    EXPECT_EQ(shown(Bar::File), step.used) << step.what;
    EXPECT_EQ(selectedRows(used), step.selected) << step.what;
  }
  EXPECT_TRUE(page->changed());

  // The format bar's positions count after its font boxes.
  barKind()->setCurrentIndex(1);
  select(used, {0, 12});
  button("removeButton")->click();
  select(available, {10});
  button("addButton")->click();
  select(used, {11});
  button("frontButton")->click();
  const QStringList styled = kTextStyleDefaults.mid(1, 10) + names({"下線", "イタリック"});
  EXPECT_EQ(rowTexts(used), styled);
  EXPECT_EQ(shown(Bar::TextStyle), styled);
  EXPECT_EQ(shown(Bar::File), names({"開く", "印刷", "保存", "区切り"}));
  barKind()->setCurrentIndex(0);
  EXPECT_EQ(rowTexts(used), names({"開く", "印刷", "保存", "区切り"}));
}

// Runs `steps` on the page of the dialog about to be shown, then presses `finish` (a
// button of the dialog by its text). A dialog left open is cancelled, so a test cannot hang.
class InDialog {
public:
  InDialog(std::function<void(QWidget& page)> steps, const char* finish) {
    QTimer::singleShot(0, [steps = std::move(steps), finish] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        steps(*dialog->findChild<CToolbarSettingPropertyPage*>());
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
          if (button->text() == QString::fromUtf8(finish)) button->click();
      }
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
    });
  }
};

void rearrange(QWidget& page) {
  page.findChild<QListWidget*>(QStringLiteral("usedList"))->item(0)->setSelected(true);
  page.findChild<QPushButton*>(QStringLiteral("backButton"))->click();
  page.findChild<QListWidget*>(QStringLiteral("availableList"))->item(0)->setSelected(true);
  page.findChild<QPushButton*>(QStringLiteral("addButton"))->click();
}

TEST_F(ToolbarPageTest, OkWritesCountAndItemOfBothBars) {
  storeLayout(settings::ToolBarCount, 2, settings::ToolBarItem, "新規/保存/");
  makeBars();
  InDialog run(rearrange, "OK");
  showToolbarPage(&window, store, *bars);
  EXPECT_EQ(readInt(store, settings::ToolBarCount), 3);
  EXPECT_EQ(readString(store, settings::ToolBarItem), QStringLiteral("保存/新規/区切り/"));
  EXPECT_EQ(readInt(store, settings::TextStyleBarCount), -1);
  EXPECT_EQ(readString(store, settings::TextStyleBarItem), QString());
  EXPECT_EQ(shown(Bar::File), names({"保存", "新規", "区切り"}));
}

TEST_F(ToolbarPageTest, OkWithoutAnEditWritesNothing) {
  makeBars();
  const MemoryStore::Sections before = store.contents();
  InDialog run([](QWidget& page) { page.findChild<QPushButton*>(QStringLiteral("frontButton"))->click(); }, "OK");
  showToolbarPage(&window, store, *bars);
  EXPECT_EQ(store.contents(), before);
}

TEST_F(ToolbarPageTest, CancelRestoresTheStoredLayoutOfBothBars) {
  storeLayout(settings::ToolBarCount, 2, settings::ToolBarItem, "新規/保存/");
  makeBars();
  const MemoryStore::Sections before = store.contents();
  QStringList edited;
  InDialog run(
      [&](QWidget& page) {
        rearrange(page);
        page.findChild<QComboBox*>(QStringLiteral("barKind"))->setCurrentIndex(1);
        rearrange(page);
        edited = shown(Bar::File) + shown(Bar::TextStyle);
      },
      "ｷｬﾝｾﾙ");
  showToolbarPage(&window, store, *bars);
  EXPECT_EQ(edited, names({"保存", "新規", "区切り"}) + kTextStyleDefaults.mid(1, 1) + kTextStyleDefaults.mid(0, 1) +
                        kTextStyleDefaults.mid(2) + names({"区切り"}));
  EXPECT_EQ(shown(Bar::File), names({"新規", "保存"}));
  EXPECT_EQ(shown(Bar::TextStyle), kTextStyleDefaults);
  EXPECT_EQ(store.contents(), before);
}

TEST_F(ToolbarPageTest, TheKeyboardReachesEveryControlAndAddsAButton) {
  storeLayout(settings::ToolBarCount, 1, settings::ToolBarItem, "新規/");
  makeBars();
  QStringList focusPath;
  InDialog run(
      [&](QWidget& page) {
        page.window()->activateWindow();
        if (!QTest::qWaitForWindowActive(page.window())) return;
        const auto key = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
        focusPath << QApplication::focusWidget()->objectName();
        for (int i = 0; i < 7; ++i) {
          key(Qt::Key_Tab);
          focusPath << QApplication::focusWidget()->objectName();
          if (i == 0) key(Qt::Key_End);  // the available list: シグニチャ
          if (i == 1) key(Qt::Key_Space);  // 追加 ->
        }
        key(Qt::Key_Return);  // OK
      },
      "");
  showToolbarPage(&window, store, *bars);
  EXPECT_EQ(focusPath, names({"barKind", "availableList", "addButton", "usedList", "removeButton", "frontButton",
                              "backButton", ""}));
  EXPECT_EQ(shown(Bar::File), names({"新規", "シグニチャ"}));
  EXPECT_EQ(readString(store, settings::ToolBarItem), QStringLiteral("新規/シグニチャ/"));
}

}  // namespace
}  // namespace wabunko
