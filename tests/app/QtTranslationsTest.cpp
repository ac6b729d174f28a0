// Qt's own texts follow the locale when Qt's translations are installed.
#include "app/QtTranslations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

namespace wabunko {
namespace {

QString cancelText() { return QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(); }

TEST(QtTranslations, QtsButtonsSpeakJapaneseForAJapaneseLocale) {
  const QString english = cancelText();
  EXPECT_EQ(installQtTranslations(*qApp, QLocale(QLocale::Zulu)), nullptr);
  const std::unique_ptr<QTranslator> japanese(installQtTranslations(*qApp, QLocale(QLocale::Japanese, QLocale::Japan)));
  if (!japanese) GTEST_SKIP() << "Qt's Japanese translation is not installed (qt6-translations-l10n)";
  EXPECT_EQ(cancelText(), QStringLiteral("キャンセル"));
  EXPECT_NE(cancelText(), english);
}

}  // namespace
}  // namespace wabunko
