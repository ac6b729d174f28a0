// The "ファイル", "メニュー", "ツール" and "ウィンドウ" pages through their real controls: what
// they show from the store, what their edits write and when.
#include "TestFiles.h"

#include "settings/CFileSettingPropertyPage.h"
#include "settings/CMenuSettingPropertyPage.h"
#include "settings/CToolSettingPropertyPage.h"
#include "settings/CWindowSettingPropertyPage.h"

#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/MemoryStore.h"
#include "search/CFolderSelectDlg.h"
#include "platform/ColorDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace wabunko {
namespace {

QCheckBox* box(const QWidget& page, const char* name) { return childNamed<QCheckBox>(page, name); }
QSpinBox* spin(const QWidget& page, const char* name) { return childNamed<QSpinBox>(page, name); }
QLineEdit* edit(const QWidget& page, const char* name) { return childNamed<QLineEdit>(page, name); }

// Replaces the field's text by keys, as a user types it.
void type(QSpinBox* field, const char* text) {
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, QString::fromUtf8(text));
}

QStringList writesOf(std::initializer_list<const settings::Setting*> settings) {
  QStringList out;
  for (const settings::Setting* s : settings)
    out << QString::fromUtf8(s->section) + QLatin1Char('/') + QString::fromUtf8(s->key);
  return out;
}

class SettingsPagesTest : public testing::Test {
protected:
  ~SettingsPagesTest() override {
    setFolderDialogHook({});
    setColorChoiceHook({});
  }

  std::unique_ptr<CWindowSettingPropertyPage> windowPage() {
    return std::make_unique<CWindowSettingPropertyPage>(
        store, [this] { repainted.push_back({"parent", readInt(store, settings::ColorBackGroundParent)}); },
        [this] { repainted.push_back({"child", readInt(store, settings::ColorBackGroundChild)}); });
  }

  struct Repaint {
    std::string which;
    int storedColor;
    bool operator==(const Repaint&) const = default;
  };

  MemoryStore store{canonicalSectionName};
  std::vector<Repaint> repainted;
};

TEST_F(SettingsPagesTest, PagesReadWithoutWritingAndLabelEveryControl) {
  std::vector<std::unique_ptr<QWidget>> pages;
  pages.push_back(std::make_unique<CFileSettingPropertyPage>(store));
  pages.push_back(std::make_unique<CMenuSettingPropertyPage>(store));
  pages.push_back(std::make_unique<CToolSettingPropertyPage>(store, CToolSettingPropertyPage::FrameValues{}));
  pages.push_back(windowPage());
  for (const auto& page : pages) {
    for (const QLabel* label : page->findChildren<QLabel*>())
      EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
  }
  EXPECT_TRUE(store.writes().isEmpty());
  EXPECT_TRUE(repainted.empty());
}

TEST_F(SettingsPagesTest, FilePageShowsTheDefaultsAndWritesItsEditsInOrderOnlyWhenAsked) {
  CFileSettingPropertyPage page(store);
  EXPECT_FALSE(box(page, "backUp")->isChecked());
  EXPECT_EQ(edit(page, "backUpDirectory")->text(), QString());
  EXPECT_FALSE(box(page, "autoSave")->isChecked());
  EXPECT_EQ(spin(page, "autoSaveMinutes")->value(), 30);
  EXPECT_TRUE(box(page, "readOnly")->isChecked());
  EXPECT_FALSE(page.autoSave());

  box(page, "backUp")->click();
  QTest::keyClicks(edit(page, "backUpDirectory"), QStringLiteral("/home/u/bak"));
  box(page, "autoSave")->click();
  // Typed minutes count as much as the arrows' (the field used to ignore them).
  type(spin(page, "autoSaveMinutes"), "5");
  box(page, "readOnly")->click();
  EXPECT_TRUE(page.autoSave());
  EXPECT_TRUE(store.writes().isEmpty());

  page.writeSettings(store);
  using namespace settings;
  EXPECT_EQ(store.writes(), writesOf({&FileDoBackUp, &FileBackUpDirectory, &FileDoAutoSave,
                                      &FileTimeSpanForAutoSave, &FileReadOnly}));
  EXPECT_EQ(readInt(store, FileDoBackUp), 1);
  EXPECT_EQ(readString(store, FileBackUpDirectory), QStringLiteral("/home/u/bak/"));
  EXPECT_EQ(readInt(store, FileDoAutoSave), 1);
  EXPECT_EQ(readInt(store, FileTimeSpanForAutoSave), 5);
  EXPECT_EQ(readInt(store, FileReadOnly), 0);
}

TEST_F(SettingsPagesTest, BackUpFolderIsStoredWithOneFinalSlashAndEmptyStaysEmpty) {
  const struct {
    const char* shown;
    const char* stored;
  } cases[] = {{"/home/u/bak", "/home/u/bak/"}, {"/home/u/bak/", "/home/u/bak/"}, {"", ""}};
  for (const auto& c : cases) {
    writeSetting(store, settings::FileBackUpDirectory, QString::fromUtf8(c.shown));
    CFileSettingPropertyPage page(store);
    EXPECT_EQ(edit(page, "backUpDirectory")->text(), QString::fromUtf8(c.shown));
    page.writeSettings(store);
    EXPECT_EQ(readString(store, settings::FileBackUpDirectory), QString::fromUtf8(c.stored)) << c.shown;
  }
}

TEST_F(SettingsPagesTest, ChangeChoosesTheBackUpFolderStartingAtTheCurrentOneOrHome) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString chosen = QDir::cleanPath(dir.path());
  CFileSettingPropertyPage page(store);
  QString start;
  bool accept = true;
  setFolderDialogHook([&](CFolderSelectDlg& chooser) {
    start = chooser.folder();
    return accept && chooser.selectFolder(chosen);
  });
  childNamed<QPushButton>(page, "changeDirectory")->click();
  EXPECT_EQ(start, QDir::cleanPath(QDir::homePath()));
  EXPECT_EQ(edit(page, "backUpDirectory")->text(), chosen);

  accept = false;
  childNamed<QPushButton>(page, "changeDirectory")->click();
  EXPECT_EQ(start, chosen);
  EXPECT_EQ(edit(page, "backUpDirectory")->text(), chosen) << "cancelled";
  EXPECT_TRUE(store.writes().isEmpty());
}

TEST_F(SettingsPagesTest, NumberFieldsKeepToTheirLimitsByArrowsAndTyping) {
  CFileSettingPropertyPage file(store);
  CMenuSettingPropertyPage menu(store);
  CToolSettingPropertyPage tool(store, {});
  const struct {
    QSpinBox* field;
    int min;
    int max;
  } cases[] = {{spin(file, "autoSaveMinutes"), 1, settings::kMaxAutoSaveMinutes},
               {spin(menu, "mruCount"), 0, 16},
               {spin(tool, "lineLength"), 1, settings::kMaxLineLength}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field->objectName().toStdString());
    EXPECT_EQ(c.field->minimum(), c.min);
    EXPECT_EQ(c.field->maximum(), c.max);
    c.field->setValue(c.min);
    QTest::keyClick(c.field, Qt::Key_Down);
    EXPECT_EQ(c.field->value(), c.min);
    QTest::keyClick(c.field, Qt::Key_Up);
    EXPECT_EQ(c.field->value(), c.min + 1);
    type(c.field, QByteArray::number(c.max + 1).constData());
    EXPECT_LE(c.field->value(), c.max);
  }
}

TEST_F(SettingsPagesTest, MenuPageShowsFourAndWritesTheTypedCount) {
  CMenuSettingPropertyPage page(store);
  EXPECT_EQ(spin(page, "mruCount")->value(), 4);
  type(spin(page, "mruCount"), "12");
  EXPECT_TRUE(store.writes().isEmpty());
  page.writeSettings(store);
  EXPECT_EQ(store.writes(), writesOf({&settings::MenuNumberOfMruList}));
  EXPECT_EQ(readInt(store, settings::MenuNumberOfMruList), 12);
}

TEST_F(SettingsPagesTest, ToolPageShowsTheFramesValuesAndTheStoresAndWritesAllFiveInOrder) {
  {
    CToolSettingPropertyPage page(store, {});
    EXPECT_FALSE(box(page, "autoBrace")->isChecked());
    EXPECT_FALSE(box(page, "autoIndent")->isChecked());
    EXPECT_EQ(spin(page, "lineLength")->value(), 80);
    EXPECT_FALSE(box(page, "convertOnlySelected")->isChecked());
    EXPECT_EQ(edit(page, "quotationMark")->text(), QStringLiteral(">"));
  }
  // The frame's values win over what the store holds for them.
  writeSetting(store, settings::CommandLineLength, 40);
  CToolSettingPropertyPage page(store, {.autoBrace = 1, .autoIndent = 0, .lineLength = 72});
  EXPECT_TRUE(box(page, "autoBrace")->isChecked());
  EXPECT_EQ(spin(page, "lineLength")->value(), 72);

  const qsizetype before = store.writes().size();
  box(page, "autoBrace")->click();
  box(page, "autoIndent")->click();
  type(spin(page, "lineLength"), "12");
  box(page, "convertOnlySelected")->click();
  edit(page, "quotationMark")->selectAll();
  QTest::keyClicks(edit(page, "quotationMark"), QStringLiteral("| "));
  const CToolSettingPropertyPage::FrameValues frame = page.frameValues();
  EXPECT_EQ(frame.autoBrace, 0);
  EXPECT_EQ(frame.autoIndent, 1);
  EXPECT_EQ(frame.lineLength, 12);
  EXPECT_EQ(store.writes().size(), before);

  page.writeSettings(store);
  using namespace settings;
  EXPECT_EQ(store.writes().mid(before), writesOf({&KeyInputAutoBrace, &KeyInputAutoIndent, &CommandLineLength,
                                                  &CommandConvertOnlySelected, &CommandQuotationMark}));
  EXPECT_EQ(readInt(store, KeyInputAutoBrace), 0);
  EXPECT_EQ(readInt(store, KeyInputAutoIndent), 1);
  EXPECT_EQ(readInt(store, CommandLineLength), 12);
  EXPECT_EQ(readInt(store, CommandConvertOnlySelected), 1);
  EXPECT_EQ(readString(store, CommandQuotationMark), QStringLiteral("| "));
}

TEST_F(SettingsPagesTest, WindowPageShowsTheDefaultsAndWritesItsFlagsInOrderOnlyWhenAsked) {
  auto page = windowPage();
  EXPECT_TRUE(box(*page, "parentSingle")->isChecked());
  EXPECT_TRUE(box(*page, "autoArrange")->isChecked());
  EXPECT_TRUE(box(*page, "noIntersection")->isChecked());
  EXPECT_EQ(childNamed<QFrame>(*page, "parentColour")->accessibleName(), QStringLiteral("背景色 #808080"));
  EXPECT_EQ(childNamed<QFrame>(*page, "childColour")->accessibleName(), QStringLiteral("背景色 #FFFFFF"));
  EXPECT_EQ(childNamed<QFrame>(*page, "parentColour")->palette().color(QPalette::Window), QColor(0x80, 0x80, 0x80));

  box(*page, "parentSingle")->click();
  box(*page, "autoArrange")->click();
  EXPECT_FALSE(page->autoArrangeChild());
  EXPECT_TRUE(store.writes().isEmpty());
  page->writeSettings(store);
  using namespace settings;
  EXPECT_EQ(store.writes(), writesOf({&FrameParentSingle, &FrameAutoArrangeChild, &FrameNoIntersectionChild}));
  EXPECT_EQ(readInt(store, FrameParentSingle), 0);
  EXPECT_EQ(readInt(store, FrameAutoArrangeChild), 0);
  EXPECT_EQ(readInt(store, FrameNoIntersectionChild), 1);
}

TEST_F(SettingsPagesTest, ColourIsWrittenAsBgrAndRepaintedAtOnceWhetherPickedOrKept) {
  auto page = windowPage();
  QColor preselected;
  bool accept = true;
  setColorChoiceHook([&](QColorDialog& dialog) {
    preselected = dialog.currentColor();
    dialog.setCurrentColor(QColor(255, 0, 0));
    return accept;
  });
  childNamed<QPushButton>(*page, "changeParentColour")->click();
  EXPECT_EQ(preselected, QColor(0x80, 0x80, 0x80));
  EXPECT_EQ(store.writes(), writesOf({&settings::ColorBackGroundParent}));
  EXPECT_EQ(readInt(store, settings::ColorBackGroundParent), 0x0000FF);
  EXPECT_EQ(childNamed<QFrame>(*page, "parentColour")->accessibleName(), QStringLiteral("背景色 #FF0000"));

  accept = false;
  childNamed<QPushButton>(*page, "changeChildColour")->click();
  EXPECT_EQ(preselected, QColor(Qt::white));
  EXPECT_EQ(readInt(store, settings::ColorBackGroundChild), 0xFFFFFF) << "cancelled: kept, written all the same";
  EXPECT_EQ(childNamed<QFrame>(*page, "childColour")->accessibleName(), QStringLiteral("背景色 #FFFFFF"));

  EXPECT_EQ(repainted, (std::vector<Repaint>{{"parent", 0x0000FF}, {"child", 0xFFFFFF}}));
}

}  // namespace
}  // namespace wabunko
