#include "frame/FrameHotKeys.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/CMainFrame.h"
#include "frame/ProfileSettings.h"
#include "platform/HotKeyService.h"
#include "platform/MemoryStore.h"
#include "settings/HotKeyTable.h"
#include "view/CWabunkoView.h"

#include "TestFiles.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace wabunko {
namespace {

using Modifier = HotKeyService::Modifier;

void setKey(SettingsStore& store, const char* commandName, const QString& keyText) {
  store.writeProfileString(QStringLiteral("Hot key"), QString::fromUtf8(commandName), keyText);
}

// Lets posted commands and deferred deletes run.
void settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The frame's keys over a service of their own, with every action recorded.
class FrameKeysFixture : public testing::Test {
protected:
  FrameKeysFixture() {
    target.show();
    target.activateWindow();
    const auto record = [this](std::string what) {
      return [this, what] { calls.push_back(what); };
    };
    keys = std::make_unique<FrameHotKeys>(
        service, store,
        FrameHotKeys::Actions{
            [this](int id) { calls.push_back("post " + std::to_string(id)); },
            record("cascade"), record("tile horizontal"), record("tile vertical"),
            record("previous window"), record("next window"), record("maximize"),
            record("minimize"), record("restore"), record("close"),
            record("unregister view keys")});
  }

  void press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(&target, key, modifiers);
  }

  MemoryStore store{canonicalSectionName};
  HotKeyService service;
  QWidget target;
  std::unique_ptr<FrameHotKeys> keys;
  std::vector<std::string> calls;
};

struct FrameKeyCase {
  std::size_t index;
  Qt::Key key;
  std::string action;
};

TEST_F(FrameKeysFixture, EachOfTheFifteenKeysDoesWhatItsCommandSays) {
  const FrameKeyCase cases[] = {
      {0, Qt::Key_A, "post 57600"},      {1, Qt::Key_B, "post 57601"},
      {2, Qt::Key_C, "post 57603"},      {3, Qt::Key_D, "post 57604"},
      {4, Qt::Key_E, "post 32782"},      {5, Qt::Key_F, "post 57607"},
      {23, Qt::Key_G, "cascade"},        {24, Qt::Key_H, "tile horizontal"},
      {25, Qt::Key_I, "tile vertical"},  {26, Qt::Key_J, "previous window"},
      {27, Qt::Key_K, "next window"},    {28, Qt::Key_L, "maximize"},
      {29, Qt::Key_M, "minimize"},       {30, Qt::Key_N, "restore"},
      {31, Qt::Key_O, "close"},
  };
  for (const FrameKeyCase& c : cases)
    setKey(store, hotkeyCommands()[c.index].name,
           QString::fromStdString(makeKeyText({KeyModifier::Alt, c.key})));
  keys->registerKeys();
  for (const FrameKeyCase& c : cases) {
    calls.clear();
    press(c.key, Qt::AltModifier);
    EXPECT_EQ(calls, std::vector<std::string>{c.action}) << hotkeyCommands()[c.index].name;
  }
}

TEST_F(FrameKeysFixture, OnlyAKeyTextOfSixCharactersRegisters) {
  const std::pair<const char*, bool> cases[] = {
      {"Ctrl+N", true}, {"Alt +Q", true}, {"Ctrl+", false}, {"", false},
      {"Ctrl+NN", false}, {"Ctrl+Ｎ", false},
  };
  for (const auto& [text, registers] : cases) {
    setKey(store, "新規作成", QString::fromUtf8(text));
    keys->registerKeys();
    EXPECT_EQ(service.isRegistered(keys.get(), 57600), registers) << text;
  }
}

TEST_F(FrameKeysFixture, DefaultsGiveTheFileKeysTheirLettersAndTheRestNothing) {
  keys->registerKeys();
  for (const std::size_t index : frameHotkeyIndices()) {
    const HotkeyCommand& c = hotkeyCommands()[index];
    EXPECT_EQ(service.isRegistered(keys.get(), c.id), index <= 2 || index == 5) << c.name;
  }
  press(Qt::Key_P, Qt::ControlModifier);
  press(Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);  // not the registered key
  press(Qt::Key_P, Qt::AltModifier);
  EXPECT_EQ(calls, std::vector<std::string>{"post 57607"});
}

TEST_F(FrameKeysFixture, RegisteringAgainMovesAKeyAndUnregisteringRemovesAllThenTheViews) {
  setKey(store, "重ねて表示", QStringLiteral("Alt +Q"));
  keys->registerKeys();
  setKey(store, "重ねて表示", QStringLiteral("Alt +W"));
  keys->registerKeys();
  press(Qt::Key_Q, Qt::AltModifier);
  press(Qt::Key_W, Qt::AltModifier);
  EXPECT_EQ(calls, std::vector<std::string>{"cascade"});

  calls.clear();
  keys->unregisterKeys();
  for (const std::size_t index : frameHotkeyIndices())
    EXPECT_FALSE(service.isRegistered(keys.get(), hotkeyCommands()[index].id));
  EXPECT_EQ(calls, std::vector<std::string>{"unregister view keys"});
  press(Qt::Key_W, Qt::AltModifier);
  press(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(calls.size(), 1u);
}

TEST_F(FrameKeysFixture, AKeyAnotherOwnerHoldsLeavesItsCommandWithout) {
  QObject other;
  ASSERT_TRUE(service.registerHotKey(&other, 1, Modifier::Control, 'S'));
  keys->registerKeys();
  EXPECT_FALSE(service.isRegistered(keys.get(), 57603));
  EXPECT_TRUE(service.isRegistered(keys.get(), 57600));
}

TEST(HotKeyService, IdsBelongToTheirOwnerAndGoWithIt) {
  HotKeyService service;
  QWidget target;
  target.show();
  std::vector<std::pair<const QObject*, int>> pressed;
  QObject::connect(&service, &HotKeyService::hotKeyPressed,
                   [&](const QObject* owner, int id) { pressed.emplace_back(owner, id); });
  QObject frame;
  auto view = std::make_unique<QObject>();
  // The same id for two owners, as the parent's and the child's window keys have.
  ASSERT_TRUE(service.registerHotKey(&frame, 61488, Modifier::Alt, 'X'));
  ASSERT_TRUE(service.registerHotKey(view.get(), 61488, Modifier::Alt, 'Y'));
  EXPECT_FALSE(service.registerHotKey(&frame, 7, Modifier::Alt, 'Y'));  // combination taken
  EXPECT_FALSE(service.isRegistered(&frame, 7));
  EXPECT_FALSE(service.registerHotKey(&frame, 8, Modifier::Control, 0x10));  // Shift: no key

  QTest::keyClick(&target, Qt::Key_Y, Qt::AltModifier);
  QTest::keyClick(&target, Qt::Key_X, Qt::AltModifier);
  const std::vector<std::pair<const QObject*, int>> expected = {{view.get(), 61488},
                                                                {&frame, 61488}};
  EXPECT_EQ(pressed, expected);

  view.reset();  // a destroyed owner's keys are free again
  EXPECT_TRUE(service.registerHotKey(&frame, 7, Modifier::Alt, 'Y'));
}

TEST(HotKeyService, FunctionAndKeypadKeysAreTheirOwn) {
  HotKeyService service;
  QWidget target;
  target.show();
  QObject owner;
  std::vector<int> pressed;
  QObject::connect(&service, &HotKeyService::hotKeyPressed,
                   [&](const QObject*, int id) { pressed.push_back(id); });
  ASSERT_TRUE(service.registerHotKey(&owner, 1, Modifier::Control, 0x71));  // F2, "Ctrl+q"
  ASSERT_TRUE(service.registerHotKey(&owner, 2, Modifier::Control, 0x61));  // keypad 1, "Ctrl+a"
  QTest::keyClick(&target, Qt::Key_Q, Qt::ControlModifier);
  QTest::keyClick(&target, Qt::Key_F2, Qt::ControlModifier);
  QTest::keyClick(&target, Qt::Key_1, Qt::ControlModifier);
  QTest::keyClick(&target, Qt::Key_1, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(pressed, (std::vector<int>{1, 2}));
}

// The real frame of a running application.
TEST(FrameHotKeys, TheFramesKeysIssueTheirCommands) {
  AppHarness h;
  CMainFrame* frame = h.app().mainFrame();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
  setKey(h.store(), "すべて保存", QStringLiteral("Alt +Q"));
  frame->hotKeys().registerKeys();

  writeBytes(h.path(QStringLiteral("a.txt")), "a");
  CWabunkoDoc* doc = h.open(h.path(QStringLiteral("a.txt")));
  doc->display()->edit().setSel(0, 0);
  doc->display()->edit().replaceSel(QStringLiteral("b"), true);
  QWidget* focus = doc->display()->edit().widget();
  QTest::keyClick(focus, Qt::Key_Q, Qt::AltModifier);  // no menu has this key
  settle();
  EXPECT_EQ(readBytes(h.path(QStringLiteral("a.txt"))), QByteArray("ba"));
  const std::size_t before = h.documents().size();
  QTest::keyClick(focus, Qt::Key_N, Qt::ControlModifier);
  settle();
  EXPECT_EQ(h.documents().size(), before + 1);

  frame->hotKeys().unregisterKeys();
  writeBytes(h.path(QStringLiteral("a.txt")), "a");
  doc->display()->edit().replaceSel(QStringLiteral("c"), true);
  QTest::keyClick(focus, Qt::Key_Q, Qt::AltModifier);
  settle();
  EXPECT_EQ(readBytes(h.path(QStringLiteral("a.txt"))), QByteArray("a"));
  EXPECT_FALSE(h.app().hotKeyService().isRegistered(&frame->hotKeys(), 57600));
}

}  // namespace
}  // namespace wabunko
