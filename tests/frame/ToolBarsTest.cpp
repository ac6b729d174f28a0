// The toolbars offscreen: built from the stored lists, edited live by position, built
// again from the store, their buttons issuing commands and showing their state; the font
// boxes of the real frame applying what is chosen to the active view's selection.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "frame/CMainFrame.h"
#include "frame/FontCombos.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "frame/ToolBars.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/MemoryStore.h"
#include "view/CWabunkoView.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QToolBar>
#include <QWidgetAction>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

constexpr int kNew = 57600;
constexpr int kBold = 32819;

struct NewCounter : CommandTarget {
  NewCounter() { onCommandId(kNew, [this] { ++news; }); }
  int news = 0;
};

// The bars on a frame of their own, over a store holding `settings`.
struct PlainFrame {
  explicit PlainFrame(const MemoryStore::Sections& settings = {}) {
    for (auto section = settings.begin(); section != settings.end(); ++section)
      for (auto value = section->begin(); value != section->end(); ++value)
        store.writeProfileString(section.key(), value.key(), value.value());
    router.setRoute([this] { return std::vector<CommandTarget*>{&target}; });
    bars = new ToolBars(&frame, router, store);
  }
  MemoryStore store{canonicalSectionName};
  CommandRouter router;
  NewCounter target;
  QMainWindow frame;
  ToolBars* bars;
};

// A bar as its texts: "-" for a separator, "[name]" for a font box.
QStringList texts(const QToolBar* bar) {
  QStringList out;
  for (QAction* a : bar->actions()) {
    if (qobject_cast<QWidgetAction*>(a))
      out << QLatin1Char('[') + bar->widgetForAction(a)->objectName() + QLatin1Char(']');
    else
      out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  }
  return out;
}

QStringList textsOf(ToolBars& bars, Bar which) { return texts(bars.bar(which)); }

QString repeated(const char* name, int times) { return QString::fromUtf8(name).repeated(times); }

MemoryStore::Sections lists(const QString& count, const QString& fileItems, const QString& styleItems) {
  const QString countKey = QStringLiteral("Count"), itemKey = QStringLiteral("Item");
  return {{QStringLiteral("ToolBar\\ToolBar Item"), {{countKey, count}, {itemKey, fileItems}}},
          {QStringLiteral("ToolBar\\TextStyleBar Item"), {{countKey, count}, {itemKey, styleItems}}}};
}

TEST(ToolBars, TheStoredCountDecidesBetweenTheListAndTheDefaults) {
  struct Case {
    const char* count;
    int buttons;
    int storedCount;
  };
  const Case cases[] = {{"-1", 13, -1}, {"0", 0, 0}, {"30", 30, 30}, {"31", 13, -1}, {"x", 13, -1}};
  for (const Case& c : cases) {
    PlainFrame f(lists(QString::fromLatin1(c.count), repeated("開く/", 30), repeated("下線/", 30)));
    for (Bar which : {Bar::File, Bar::TextStyle}) {
      EXPECT_EQ(f.bars->buttonCount(which), c.buttons) << c.count;
      EXPECT_EQ(readInt(f.store, which == Bar::File ? settings::ToolBarCount : settings::TextStyleBarCount),
                c.storedCount)
          << c.count;
    }
    // The format bar keeps its font boxes, first, whatever its buttons.
    const QStringList style = textsOf(*f.bars, Bar::TextStyle);
    EXPECT_EQ(style.mid(0, 2), (QStringList{"[fontNameCombo]", "[fontSizeCombo]"})) << c.count;
    EXPECT_EQ(style.size(), c.buttons + 2);
  }
  PlainFrame defaults;
  EXPECT_EQ(textsOf(*defaults.bars, Bar::File),
            (QStringList{"新規", "開く", "保存", "-", "印刷", "プレビュー", "-", "切り取り", "複写", "貼り付け",
                         "元に戻す", "-", "ヘルプ"}));
}

TEST(ToolBars, UnknownNamesBecomeSeparatorsAndAShortListEndsEarly) {
  PlainFrame f(lists(QStringLiteral("5"), QStringLiteral("新規/ｼﾝｷ/開く/保存"), QStringLiteral("ボールド/")));
  EXPECT_EQ(textsOf(*f.bars, Bar::File), (QStringList{"新規", "-", "開く"}));
  EXPECT_EQ(textsOf(*f.bars, Bar::TextStyle), (QStringList{"[fontNameCombo]", "[fontSizeCombo]", "ボールド"}));
}

TEST(ToolBars, LiveEditsWorkByPositionAndARebuildRestoresTheStore) {
  PlainFrame f(lists(QStringLiteral("3"), QStringLiteral("新規/開く/新規/"), QStringLiteral("")));
  ToolBars& bars = *f.bars;
  QAction* second = bars.bar(Bar::File)->actions().at(2);
  bars.deleteToolButton(Bar::File, 0);
  EXPECT_EQ(textsOf(bars, Bar::File), (QStringList{"開く", "新規"}));
  EXPECT_EQ(bars.bar(Bar::File)->actions().at(1), second);  // the other 新規 is untouched

  bars.insertToolButton(Bar::TextStyle, 8, 0);  // position 0 is the first after the boxes
  bars.insertToolButton(Bar::TextStyle, 0, 0);
  bars.appendToolButton(Bar::TextStyle, 10);
  bars.insertToolButton(Bar::TextStyle, 9, 3);  // the end
  EXPECT_EQ(textsOf(bars, Bar::TextStyle),
            (QStringList{"[fontNameCombo]", "[fontSizeCombo]", "-", "ボールド", "下線", "イタリック"}));
  // Positions and numbers that name nothing change nothing.
  for (int position : {-1, 5}) {
    bars.insertToolButton(Bar::TextStyle, 1, position);
    bars.deleteToolButton(Bar::TextStyle, position - 1);  // -2 and 4: past the ends
  }
  bars.appendToolButton(Bar::File, 31);
  bars.insertToolButton(Bar::File, -1, 0);
  EXPECT_EQ(bars.buttonCount(Bar::TextStyle), 4);
  EXPECT_EQ(bars.buttonCount(Bar::File), 2);

  bars.rebuildToolBars();
  EXPECT_EQ(textsOf(bars, Bar::File), (QStringList{"新規", "開く", "新規"}));
  EXPECT_EQ(textsOf(bars, Bar::TextStyle), (QStringList{"[fontNameCombo]", "[fontSizeCombo]"}));
}

TEST(ToolBars, AButtonIssuesItsCommandAndShowsItsState) {
  PlainFrame f(lists(QStringLiteral("2"), QStringLiteral("新規/新規/"), QStringLiteral("ボールド/ボールド/")));
  QToolBar* file = f.bars->bar(Bar::File);
  file->actions().at(1)->trigger();
  EXPECT_EQ(f.target.news, 1);

  f.router.updateAll();  // nobody handles bold
  QAction* bold = f.bars->bar(Bar::TextStyle)->actions().at(3);
  EXPECT_FALSE(bold->isEnabled());
  EXPECT_TRUE(file->actions().at(0)->isEnabled());

  f.bars->checkFormatButton(Bar::TextStyle, kBold, true);
  EXPECT_TRUE(bold->isChecked());
  EXPECT_TRUE(f.bars->bar(Bar::TextStyle)->actions().at(2)->isChecked());
  EXPECT_TRUE(f.router.action(kBold)->isChecked());  // a menu item of the command too
  f.bars->checkFormatButton(Bar::File, kNew, true);
  EXPECT_FALSE(file->actions().at(0)->isChecked());
}

TEST(ToolBars, EveryEntryHasAPicture) {
  for (Bar which : {Bar::File, Bar::TextStyle})
    for (int button = 0; button < static_cast<int>(buttonCatalogue(which).size()); ++button)
      EXPECT_FALSE(toolButtonIcon(which, button).pixmap(16, 16).isNull()) << button;
}

// The real frame with its first document's text selected.
struct FrameWithText {
  FrameWithText() {
    view = h.app().mainFrame()->activeView();
    if (!view) return;
    view->edit().replaceSel(QStringLiteral("abc"), false);
    view->edit().setSel(0, -1);
  }
  FontCombos& combos() { return h.app().mainFrame()->toolBars().combos(); }
  QTextCharFormat selection() const { return view->edit().selectionCharFormat(); }
  AppHarness h;
  CWabunkoView* view = nullptr;
};

void typeAndEnter(FontBox* box, const QString& text) {
  box->setEditText(text);
  QTest::keyClick(box, Qt::Key_Return);
}

TEST(FontCombos, TheChosenSizeIsTheOneShown) {
  FrameWithText f;
  ASSERT_NE(f.view, nullptr);
  CFontSizeCombo* sizes = f.combos().sizeCombo();
  EXPECT_EQ(items(sizes), (QStringList{"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28",
                                       "36", "48", "72"}));
  const int twelve = sizes->findText(QStringLiteral("12"));
  sizes->setCurrentIndex(twelve);
  Q_EMIT sizes->activated(twelve);
  EXPECT_EQ(f.selection().fontPointSize(), 12);

  typeAndEnter(sizes, QStringLiteral("10.5"));
  EXPECT_EQ(f.selection().fontPointSize(), 10.5);
  EXPECT_EQ(sizes->currentText(), QStringLiteral("10.5"));
  for (const char* refused : {"abc", "0", "2000"}) {
    typeAndEnter(sizes, QString::fromLatin1(refused));
    EXPECT_EQ(f.selection().fontPointSize(), 10.5) << refused;
    EXPECT_EQ(sizes->currentText(), QStringLiteral("10.5")) << refused;  // the caret's size again
  }
  // Esc abandons what was typed.
  sizes->setEditText(QStringLiteral("48"));
  QTest::keyClick(sizes, Qt::Key_Escape);
  EXPECT_EQ(sizes->currentText(), QStringLiteral("10.5"));
  EXPECT_EQ(f.selection().fontPointSize(), 10.5);
}

TEST(FontCombos, TheChosenFaceIsTheBareFace) {
  FrameWithText f;
  ASSERT_NE(f.view, nullptr);
  CFontNameCombo* names = f.combos().nameCombo();
  int suffixed = 0;
  while (suffixed < names->count() && names->itemText(suffixed) == names->itemData(suffixed).toString()) ++suffixed;
  if (suffixed == names->count()) GTEST_SKIP() << "no face offers several scripts here";
  const QString face = names->itemData(suffixed).toString();
  EXPECT_TRUE(names->itemText(suffixed).startsWith(face + QStringLiteral(" (")));
  Q_EMIT names->activated(suffixed);
  EXPECT_EQ(f.selection().fontFamilies().toStringList(), QStringList{face});

  // Typed, in any case, with or without the script.
  const QString other = names->itemData(0).toString();
  typeAndEnter(names, other.toUpper());
  EXPECT_EQ(f.selection().fontFamilies().toStringList(), QStringList{other});
  typeAndEnter(names, QStringLiteral("No Such Face"));
  EXPECT_EQ(f.selection().fontFamilies().toStringList(), QStringList{other});
  EXPECT_EQ(names->currentText(), names->itemText(0));
}

}  // namespace
}  // namespace wabunko
