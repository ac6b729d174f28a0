// The settings sheet through the real command and pages: the page order, what OK writes
// and in which order, what it changes in the running editor, Cancel, and the hot keys
// resting while the sheet is open.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "doc/DocumentDisplay.h"
#include "frame/AutoSave.h"
#include "frame/CMainFrame.h"
#include "frame/FrameCommands.h"
#include "frame/FrameHotKeys.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "frame/ToolBars.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/FontDialog.h"
#include "platform/HotKeyService.h"
#include "platform/MemoryStore.h"
#include "settings/CSettingsSheet.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

class SettingsSheetTest : public ::testing::Test {
protected:
  void TearDown() override {
    setSettingsSheetHook({});
    setFontDialogHook({});
  }
  CMainFrame& frame() { return *h_.app().mainFrame(); }
  // Runs the sheet, `drive` answering it; returns what was written meanwhile.
  QStringList runSheet(const std::function<bool(CSettingsSheet&)>& drive) {
    const qsizetype before = h_.store().writes().size();
    setSettingsSheetHook(drive);
    h_.app().router().dispatch(cmd::SettingsSheet);
    return h_.store().writes().mid(before);
  }
  static QStringList sections(const QStringList& writes) {
    QStringList order;
    for (const QString& write : writes) {
      const QString section = write.section(QLatin1Char('/'), 0, -2);
      if (order.isEmpty() || order.back() != section) order << section;
    }
    return order;
  }

  AppHarness h_;
};

TEST_F(SettingsSheetTest, ThePagesStandInOrderAndOkWritesThemPageByPage) {
  QStringList titles;
  const QStringList writes = runSheet([&](CSettingsSheet& sheet) {
    for (int i = 0; i < sheet.pages()->count(); ++i) titles << sheet.pages()->tabText(i);
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("詳細設定"));
    return true;
  });
  EXPECT_EQ(titles, (QStringList{"ファイル", "書式", "IMEの設定", "ツールバー", "ウィンドウ", "ホットキー", "メニュー", "ツール"}));
  // The toolbars were not changed: their lists are not written.
  EXPECT_EQ(sections(writes), (QStringList{"File", "Font\\Default", "Font\\Read only", "Font\\Line number", "IME",
                                           "Frame position", "Menu", "Hot key", "Key input", "Command"}));
}

TEST_F(SettingsSheetTest, CancelWritesNothingAndTheToolbarsComeBack) {
  const int buttons = frame().toolBars().buttonCount(Bar::File);
  const QStringList writes = runSheet([&](CSettingsSheet& sheet) {
    childNamed<QCheckBox>(sheet, "backUp")->click();
    frame().toolBars().appendToolButton(Bar::File, 1);  // as the toolbar page does live
    return false;
  });
  EXPECT_TRUE(writes.isEmpty()) << writes.join(QLatin1Char(' ')).toStdString();
  EXPECT_EQ(frame().toolBars().buttonCount(Bar::File), buttons);
}

TEST_F(SettingsSheetTest, OkTakesEffectInTheRunningEditor) {
  runSheet([&](CSettingsSheet& sheet) {
    childNamed<QCheckBox>(sheet, "autoSave")->click();
    childNamed<QSpinBox>(sheet, "autoSaveMinutes")->setValue(5);
    childNamed<QCheckBox>(sheet, "autoBrace")->click();
    childNamed<QSpinBox>(sheet, "lineLength")->setValue(12);
    setFontDialogHook([](FontDialog& dialog) {
      FontChoice choice = dialog.choice();
      choice.pointTenths = 200;
      dialog.setChoice(choice);
      return true;
    });
    childNamed<QPushButton>(sheet, "changeFont")->click();
    return true;
  });
  EXPECT_TRUE(frame().autoSave().running());
  EXPECT_EQ(frame().autoSave().intervalMs(), 300000);
  EXPECT_EQ(frame().autoBrace, 1);
  EXPECT_EQ(frame().lineLength, 12);
  EXPECT_EQ(readInt(h_.store(), settings::CommandLineLength), 12);
  // The open view shows the new standard font, and its text counts as unchanged.
  const EditControl& edit = h_.documents().front()->display()->edit();
  EXPECT_EQ(edit.textDocument()->defaultFont().pointSize(), 20);
  EXPECT_FALSE(h_.documents().front()->isModified());
}

TEST_F(SettingsSheetTest, HotKeysRestWhileTheSheetIsOpenAndComeBackAfter) {
  HotKeyService& keys = h_.app().hotKeyService();
  const auto registered = [&] { return keys.isRegistered(&frame().hotKeys(), 57600); };  // 新規作成, Ctrl+N
  ASSERT_TRUE(registered());
  bool whileOpen = true;
  runSheet([&](CSettingsSheet&) {
    whileOpen = registered();
    return false;
  });
  EXPECT_FALSE(whileOpen);
  EXPECT_TRUE(registered());
}

TEST_F(SettingsSheetTest, TheSheetOpensOnThePageLastUsed) {
  runSheet([](CSettingsSheet& sheet) {
    sheet.pages()->setCurrentIndex(4);
    return false;
  });
  int shown = -1;
  runSheet([&](CSettingsSheet& sheet) {
    shown = sheet.pages()->currentIndex();
    sheet.pages()->setCurrentIndex(0);
    return false;
  });
  EXPECT_EQ(shown, 4);
}

}  // namespace
}  // namespace wabunko
