// The whole editor started over a settings file in which every setting it reads holds a
// value it cannot use as it stands: negative and extreme numbers, text where a number
// belongs, empty values, 1 MiB values, bytes that are not UTF-8, values in QSettings'
// own typed syntax, and lines that are no INI at all. The editor must start as it does
// over an empty file, using the defaults where a value is unusable, stay usable, and
// write and read back what it wrote.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabFileDlg.h"
#include "doc/CWabunkoDoc.h"
#include "doc/DocumentDisplay.h"
#include "frame/CMainFrame.h"
#include "frame/Favourites.h"
#include "frame/FrameCommands.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "frame/ToolBars.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/MemoryStore.h"
#include "platform/QSettingsStore.h"
#include "platform/RecentFileList.h"
#include "search/CFindInFilesDlg.h"
#include "search/SearchCommands.h"
#include "settings/CSettingsSheet.h"
#include "settings/HotKeyTable.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace wabunko {
namespace {

QString utf8(const char* s) { return QString::fromUtf8(s); }

// What a damaged or hand-edited file may hold after "key=" of an integer and of a string
// setting, as raw bytes; `forAlike` (when not empty) is what the later keys of a family of
// alike keys hold instead of `forString`.
struct Garbage {
  const char* name;
  QByteArray forInt;
  QByteArray forString;
  QByteArray forAlike = {};
};
void PrintTo(const Garbage& g, std::ostream* out) { *out << g.name; }

QByteArray repeated(const QByteArray& piece, qsizetype size) {
  QByteArray bytes;
  while (bytes.size() < size) bytes += piece;
  return bytes;
}

constexpr qsizetype kLong = 1 << 20;
constexpr qsizetype kShorterLong = 1 << 10;

// 1 MiB long strings make a file of 20 MiB, which the store writes whole for every value
// it writes. A family of keys read alike (the ten folders, the 43 hot keys) is tested by
// its first; an integer of a kilobyte of digits fails like one of a megabyte.
std::vector<Garbage> garbage() {
  // A QByteArray in QSettings' @Variant form whose length says 2^31-1 bytes follow.
  const QByteArray hugeByteArray = "@Variant(\\0\\0\\0\\f\\0\\x7f\\xff\\xff\\xff)";
  const QByteArray text = "\xe9\x95\xb7";  // 長
  return {
      {"Negative", "-100000", "-1"},
      {"Largest", "2147483647", "2147483647"},
      {"Smallest", "-2147483648", "-2147483648"},
      {"Overflowing", "99999999999999999999", "4294967296"},
      {"NotANumber", "twelve", "\\x1\\x2\\t\\x1b[31m"},
      {"Empty", "", ""},
      {"InvalidUtf8", "\xff\xfe\xc3\x28\xa0", "\xff\xfe\xc3\x28\xa0\xe3\x81"},
      {"NulInside", "1\\0 2", "a\\0b/c\\0d/"},
      // Text without a separator, and a list of a hundred thousand short items: "/" ends
      // the items of favourites, toolbar buttons and extensions.
      {"LongText", repeated("9", kShorterLong), repeated(text, kLong), repeated(text, kShorterLong)},
      {"LongList", repeated("7/", kShorterLong), repeated(text + '/', kLong), repeated(text + '/', kShorterLong)},
      {"TypedValue", "@Rect(0 0 -5 -5)", hugeByteArray},
      {"ValueList", "1, 2, 3", "a, b, c"},
  };
}

// All but the first key of each family of keys that are read alike.
bool laterOfAFamily(const settings::Setting& s) {
  const auto same = [&](const settings::Setting& t) {
    return std::string_view(s.section) == t.section && std::string_view(s.key) == t.key;
  };
  const std::pair<settings::Setting (*)(std::size_t), std::size_t> families[] = {
      {settings::fileDirHistory, settings::kDirHistoryCount}, {settings::recentFile, settings::kRecentFileCount},
      {settings::findItem, settings::kFindHistoryCount},      {settings::replaceItem, settings::kFindHistoryCount},
      {settings::hotKeySetting, kHotkeyCommandCount}};
  for (const auto& [member, count] : families)
    for (std::size_t i = 1; i < count; ++i)
      if (same(member(i))) return true;
  return false;
}

// Lines that are not INI, before the first section.
const QByteArray kBrokenLines = "\xef\xbb\xbfno equals sign\n[unterminated\n=no key\n\x01\x02\n;\n";

QByteArray placeholder(int n) { return "ZZ" + QByteArray::number(n) + "ZZ"; }

// Writes a settings file at `path` in which every setting of the layout, and the saved bar
// layout, holds `g`. The keys are written by the store itself, so that they are spelled as
// it reads them; then each value is replaced by the raw bytes.
void writeGarbage(const QString& path, const Garbage& g) {
  const QString draft = path + QStringLiteral(".draft");
  std::vector<QByteArray> values;
  {
    QSettingsStore store(draft, canonicalSectionName);
    const auto add = [&](const char* section, const char* key, const QByteArray& value) {
      const QString spot = QString::fromLatin1(placeholder(int(values.size())));
      ASSERT_TRUE(store.writeProfileString(utf8(section), utf8(key), spot));
      values.push_back(value);
    };
    for (const settings::Setting& s : settings::layout()) {
      if (s.type == settings::Type::Int) add(s.section, s.key, g.forInt);
      else add(s.section, s.key, laterOfAFamily(s) && !g.forAlike.isEmpty() ? g.forAlike : g.forString);
    }
    add(settings::kBarState, "Layout", g.forString);
  }
  QByteArray file = kBrokenLines;
  for (const QByteArray& line : readBytes(draft).split('\n')) {
    const qsizetype equals = line.indexOf("=ZZ");
    if (equals < 0) {
      file += line + '\n';
      continue;
    }
    const int n = line.mid(equals + 3, line.size() - equals - 5).toInt();
    file += line.left(equals + 1) + values.at(std::size_t(n)) + '\n';
  }
  writeBytes(path, file);
}

// Every value of the layout and the bar layout as the store over `file` reads it, in
// memory: a store that writes a whole file for each value costs seconds per value when
// the file holds megabytes.
MemoryStore::Sections readAll(const QString& file) {
  QSettingsStore store(file, canonicalSectionName);
  MemoryStore::Sections values;
  const auto take = [&](const QString& section, const QString& key) {
    values[canonicalSectionName(section)][key] = store.getProfileString(section, key);
  };
  for (const settings::Setting& s : settings::layout()) take(utf8(s.section), utf8(s.key));
  take(utf8(settings::kBarState), QStringLiteral("Layout"));
  return values;
}

std::unique_ptr<MemoryStore> memoryStore(const MemoryStore::Sections& values) {
  auto store = std::make_unique<MemoryStore>(canonicalSectionName);
  for (auto section = values.begin(); section != values.end(); ++section)
    for (auto value = section->begin(); value != section->end(); ++value)
      store->writeProfileString(section.key(), value.key(), value.value());
  return store;
}

// The real application object, as main() makes it, with message boxes recorded and
// answered "OK".
class Editor {
public:
  explicit Editor(const QString& settingsFile)
      : Editor(std::make_unique<QSettingsStore>(settingsFile, canonicalSectionName)) {}
  explicit Editor(std::unique_ptr<SettingsStore> store) {
    setMessageHook([this](const MessageRequest& request) {
      messages << request.text;
      return QMessageBox::Ok;
    });
    app_ = std::make_unique<CWabunkoApp>(std::move(store));
    start = app_->initInstance({});
  }
  ~Editor() {
    setMessageHook({});
    app_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  CWabunkoApp& app() { return *app_; }
  CMainFrame& frame() { return *app_->mainFrame(); }

  CWabunkoApp::Start start;
  QStringList messages;

private:
  std::unique_ptr<CWabunkoApp> app_;
};

// Opens and closes every menu of the menu bar, so that each fills in what it lists (recent
// files, favourites). No entry that a menu had before takes another place or text.
void openEveryMenu(CMainFrame& frame) {
  std::vector<std::tuple<QMenu*, QAction*, QString>> entries;
  std::vector<QMenu*> menus;
  for (QAction* item : frame.menuBar()->actions()) {
    if (!item->menu()) continue;
    menus.push_back(item->menu());
    for (QAction* entry : item->menu()->actions()) entries.emplace_back(item->menu(), entry, entry->text());
  }
  for (QMenu* menu : menus) {
    menu->popup(frame.mapToGlobal(QPoint(0, 0)));
    menu->hide();
  }
  for (const auto& [menu, entry, text] : entries) {
    EXPECT_TRUE(menu->actions().contains(entry)) << text.toStdString() << " left " << menu->title().toStdString();
    EXPECT_EQ(entry->text().toStdString(), text.toStdString());
  }
}

// A started editor that a user can work in: its window on the screen at a usable size,
// both bars with their buttons, the status bar, a document that takes typing in a
// legible font, menus that open.
void expectUsable(Editor& e) {
  ASSERT_EQ(e.start, CWabunkoApp::Start::Running);
  EXPECT_TRUE(e.messages.isEmpty()) << e.messages.join(u'\n').left(300).toStdString();
  CMainFrame& frame = e.frame();
  EXPECT_TRUE(frame.isVisible());
  const QRect screen = frame.screen()->availableGeometry();
  const QRect normal(frame.pos(), frame.normalGeometry().size());
  EXPECT_TRUE(screen.contains(normal)) << normal.x() << "," << normal.y() << " " << normal.width() << "x"
                                       << normal.height();
  EXPECT_GE(normal.width(), settings::kMinFrameSize);
  EXPECT_GE(normal.height(), settings::kMinFrameSize);
  for (const Bar bar : {Bar::File, Bar::TextStyle}) {
    EXPECT_TRUE(frame.toolBars().bar(bar)->isVisible());
    EXPECT_GT(frame.toolBars().buttonCount(bar), 0);
  }
  EXPECT_TRUE(frame.statusBar()->isVisible());
  const RecentFileList& recent = *e.app().recentFiles();
  EXPECT_LE(recent.files().size(), recent.size());

  ASSERT_EQ(e.app().documents().size(), 1u);
  EditControl& edit = e.app().documents().front()->display()->edit();
  const QTextCharFormat format = edit.defaultCharFormat();
  EXPECT_GE(format.fontPointSize(), 1);
  EXPECT_LE(format.fontPointSize(), settings::kMaxFontHeight);
  EXPECT_FALSE(format.fontFamilies().toStringList().value(0).isEmpty());
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  edit.widget()->setFocus();
  QTest::keyClicks(edit.widget(), QStringLiteral("abc"));
  EXPECT_TRUE(edit.textDocument()->toPlainText().startsWith(QLatin1String("abc")));
  edit.setModified(false);
  openEveryMenu(frame);
}

class HostileSettingsTest : public ::testing::TestWithParam<Garbage> {
protected:
  void SetUp() override { writeGarbage(file_, GetParam()); }
  void TearDown() override {
    setSettingsSheetHook({});
    setFindInFilesDialogHook({});
  }

  QTemporaryDir dir_;
  QString file_ = dir_.filePath(QStringLiteral("Wabunko.conf"));
};

TEST_P(HostileSettingsTest, TheEditorStartsUsableAndSoDoesTheNextStartAfterItWroteItsSettings) {
  {
    Editor e(file_);
    expectUsable(e);
    ASSERT_TRUE(e.frame().close());
  }
  Editor again(file_);
  expectUsable(again);
}

TEST_P(HostileSettingsTest, DialogsThatReadSettingsOpenAndTheSheetWritesUsableValues) {
  MemoryStore::Sections written;
  {
    Editor e(memoryStore(readAll(file_)));
    ASSERT_EQ(e.start, CWabunkoApp::Start::Running);
    SettingsStore& store = e.app().store();
    {
      const FileDialogStart start{true, readString(store, settings::FileOpenDir), {},
                                  readInt(store, settings::FileExtDefaultOpen)};
      CWabFileDlg open(store, start, &e.frame());
      open.show();
      EXPECT_TRUE(open.isVisible());
    }
    bool sawFindInFiles = false;
    setFindInFilesDialogHook([&](CFindInFilesDlg& dialog) {
      dialog.show();
      sawFindInFiles = dialog.isVisible();
      return false;
    });
    e.app().router().dispatch(cmd::FindInFiles);
    EXPECT_TRUE(sawFindInFiles);
    e.app().router().dispatch(cmd::FindText);

    // Every page shows what it read; OK writes what the pages hold.
    bool sawSheet = false;
    setSettingsSheetHook([&](CSettingsSheet& sheet) {
      sheet.show();
      sawSheet = sheet.isVisible();
      return true;
    });
    e.app().router().dispatch(cmd::SettingsSheet);
    EXPECT_TRUE(sawSheet);
    EXPECT_TRUE(e.messages.isEmpty()) << e.messages.join(u'\n').left(300).toStdString();
    ASSERT_TRUE(e.frame().close());
    written = static_cast<MemoryStore&>(e.app().store()).contents();
  }
  Editor again(memoryStore(written));
  expectUsable(again);
}

INSTANTIATE_TEST_SUITE_P(EverySetting, HostileSettingsTest, ::testing::ValuesIn(garbage()),
                         [](const ::testing::TestParamInfo<Garbage>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wabunko
