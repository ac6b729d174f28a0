#include "TestFiles.h"

#include "platform/FontDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

void pressOk(FontDialog& dialog) {
  dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

// Picks the item of a list showing the text, as a click would.
bool pick(const FontDialog& dialog, const char* list, const QString& text) {
  const QList<QListWidgetItem*> found = childNamed<QListWidget>(dialog, list)->findItems(text, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  found.first()->listWidget()->setCurrentItem(found.first());
  return true;
}

QString firstFamily() { return childNamed<QListWidget>(FontDialog({}), "familyList")->item(0)->text(); }

TEST(FontDialog, ShowsAChoiceAndGivesItBackUnchanged) {
  const FontChoice choices[] = {
      {firstFamily(), 105, 400, false, true, true, QColor(0x12, 0x34, 0x56)},
      {QStringLiteral("ＭＳ ゴシック"), 120, 700, true, false, false, Qt::red},
  };
  for (const FontChoice& choice : choices) {
    FontDialog dialog(choice);
    EXPECT_EQ(dialog.choice(), choice) << choice.family.toStdString();
    FontDialog shown({});
    shown.setChoice(choice);
    EXPECT_EQ(shown.choice(), choice) << choice.family.toStdString();
  }
  // The face that is not installed offers the four styles any face has; a colour of its
  // own joins the combo.
  FontDialog substituted(choices[1]);
  EXPECT_EQ(childNamed<QListWidget>(substituted, "styleList")->count(), 4);
  EXPECT_EQ(childNamed<QListWidget>(substituted, "styleList")->currentItem()->text(), QStringLiteral("太字 斜体"));
  EXPECT_EQ(childNamed<QComboBox>(FontDialog(choices[0]), "colorCombo")->currentText(), QStringLiteral("#123456"));
}

TEST(FontDialog, TypingAFaceGoesToTheFirstThatBeginsWithItAndKeepsTheText) {
  const QString family = firstFamily();
  FontDialog dialog({});
  const QString typed = family.left(2).toLower();
  childNamed<QLineEdit>(dialog, "familyEdit")->setText(typed);
  EXPECT_EQ(childNamed<QListWidget>(dialog, "familyList")->currentItem()->text(), family);
  EXPECT_EQ(dialog.choice().family, typed);
}

// The first installed face that has a style of the weight, upright.
std::optional<std::pair<QString, QString>> faceWithStyleOfWeight(int weight) {
  for (const QString& family : QFontDatabase::families())
    for (const QString& style : QFontDatabase::styles(family))
      if (QFontDatabase::isScalable(family) && QFontDatabase::weight(family, style) == weight &&
          QFontDatabase::font(family, style, 12).style() == QFont::StyleNormal)
        return std::pair(family, style);
  return std::nullopt;
}

TEST(FontDialog, AStyleGivesItsOwnWeight) {
  struct Case {
    QString family;
    QString style;
    int weight;
    bool italic;
  };
  std::vector<Case> cases = {{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("太字"), 700, false},
                             {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("斜体"), 400, true}};
  if (const auto bold = faceWithStyleOfWeight(QFont::Bold); bold && bold->second == QLatin1String("Bold"))
    cases.push_back({bold->first, QStringLiteral("太字"), 700, false});
  const auto semiBold = faceWithStyleOfWeight(QFont::DemiBold);
  if (semiBold) cases.push_back({semiBold->first, semiBold->second, QFont::DemiBold, false});
  for (const Case& c : cases) {
    FontDialog dialog({c.family});
    ASSERT_TRUE(pick(dialog, "styleList", c.style)) << c.family.toStdString() << " " << c.style.toStdString();
    EXPECT_EQ(dialog.choice().weight, c.weight) << c.family.toStdString();
    EXPECT_EQ(dialog.choice().italic, c.italic) << c.family.toStdString();
  }
  if (!semiBold) GTEST_SKIP() << "no semi-bold face installed";
}

TEST(FontDialog, OkTakesOnlyASizeAndAFace) {
  const struct {
    const char* family;
    const char* size;
    int tenths;  // 0: OK keeps the dialog open
  } cases[] = {{"Serif", "10.5", 105}, {"Serif", "１０．５", 105}, {"Serif", " 8 ", 80},  {"Serif", "1638", 16380},
               {"Serif", "abc", 0},    {"Serif", "0.9", 0},        {"Serif", "1639", 0}, {"Serif", "10.55", 0},
               {"", "12", 0}};
  for (const auto& c : cases) {
    FontDialog dialog({QString::fromUtf8(c.family), 120});
    dialog.show();
    childNamed<QLineEdit>(dialog, "sizeEdit")->setText(QString::fromUtf8(c.size));
    pressOk(dialog);
    EXPECT_EQ(dialog.isVisible(), c.tenths == 0) << c.size;
    if (c.tenths) {
      EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.size;
      EXPECT_EQ(dialog.choice().pointTenths, c.tenths) << c.size;
    } else {
      EXPECT_EQ(dialog.focusWidget()->objectName(), *c.family ? QStringLiteral("sizeEdit") : QStringLiteral("familyEdit"))
          << c.size;
    }
  }
}

TEST(FontDialog, AColourComesFromTheComboOrTheColourDialog) {
  FontDialog dialog({});
  QComboBox* combo = childNamed<QComboBox>(dialog, "colorCombo");
  combo->setCurrentIndex(combo->findText(QStringLiteral("赤")));
  EXPECT_EQ(dialog.choice().color, QColor(Qt::red));

  // "その他..." asks the colour dialog; cancelled it leaves the colour, accepted it adds it.
  for (const QColor& answer : {QColor(), QColor(0x12, 0x34, 0x56)}) {
    QTimer::singleShot(0, [answer] {
      auto* colors = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(colors, nullptr);
      if (!answer.isValid()) return colors->reject();
      colors->setCurrentColor(answer);
      colors->accept();
    });
    combo->setCurrentIndex(combo->count() - 1);
    const QColor expected = answer.isValid() ? answer : QColor(Qt::red);
    EXPECT_EQ(dialog.choice().color, expected);
    EXPECT_EQ(combo->currentText(), answer.isValid() ? QStringLiteral("#123456") : QStringLiteral("赤"));
  }
}

TEST(FontDialog, RunAnsweredByAHook) {
  const FontChoice initial{QStringLiteral("ＭＳ 明朝"), 105};
  setFontDialogHook([](FontDialog& dialog) {
    QComboBox* combo = childNamed<QComboBox>(dialog, "colorCombo");
    combo->setCurrentIndex(combo->findText(QStringLiteral("赤")));
    pressOk(dialog);
    return dialog.result() == QDialog::Accepted;
  });
  FontChoice red = initial;
  red.color = Qt::red;
  EXPECT_EQ(runFontDialog(nullptr, initial), red);
  setFontDialogHook([](FontDialog&) { return false; });
  EXPECT_EQ(runFontDialog(nullptr, initial), std::nullopt);
  setFontDialogHook({});
}

TEST(FontDialog, EveryInputIsNamed) {
  FontDialog dialog({});
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("フォント"));
  const QWidgetList inputs = {childNamed<QLineEdit>(dialog, "familyEdit"), childNamed<QListWidget>(dialog, "styleList"),
                              childNamed<QLineEdit>(dialog, "sizeEdit"), childNamed<QComboBox>(dialog, "colorCombo")};
  const QStringList names = {QStringLiteral("フォント名"), QStringLiteral("スタイル"), QStringLiteral("サイズ"),
                             QStringLiteral("色")};
  for (int i = 0; i < inputs.size(); ++i) EXPECT_EQ(inputs[i]->accessibleName(), names[i]);
  for (const char* list : {"familyList", "sizeList"}) EXPECT_FALSE(childNamed<QListWidget>(dialog, list)->accessibleName().isEmpty());
}

}  // namespace
}  // namespace wabunko
