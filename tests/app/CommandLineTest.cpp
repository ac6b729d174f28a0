// The command line: what each one asks for, what it prints and with which exit code, in
// both languages; and what the program says about itself in --version and the About box.
#include "app/CAboutDlg.h"
#include "app/CommandLine.h"
#include "app/ProgramInfo.h"

#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

using Action = CommandLine::Action;

QString absolute(const QString& name) { return QDir::current().absoluteFilePath(name); }

TEST(CommandLine, EachCommandLineAsksForWhatItSays) {
  const QString in = CommandLine::standardInput();
  struct Case {
    QStringList arguments;
    Action action;
    CharCode code;
    QStringList files;  // relative to the working folder, or "-"
  };
  const Case cases[] = {
      {{}, Action::Open, CharCode::ShiftJis, {}},
      {{QStringLiteral("a.txt"), QStringLiteral("sub/b.txt"), QStringLiteral("/tmp/c.txt")}, Action::Open,
       CharCode::ShiftJis, {QStringLiteral("a.txt"), QStringLiteral("sub/b.txt"), QStringLiteral("/tmp/c.txt")}},
      // Options after the files, in every spelling; "-" once however often it is given.
      {{QStringLiteral("a.txt"), QStringLiteral("-"), QStringLiteral("--code"), QStringLiteral("euc"),
        QStringLiteral("b.txt"), QStringLiteral("-")},
       Action::Open, CharCode::Euc, {QStringLiteral("a.txt"), in, QStringLiteral("b.txt")}},
      {{QStringLiteral("--code=jis"), QStringLiteral("-")}, Action::Open, CharCode::Jis, {in}},
      {{QStringLiteral("-c"), QStringLiteral("FORM"), QStringLiteral("x")}, Action::Open, CharCode::InternetForm,
       {QStringLiteral("x")}},
      {{QStringLiteral("--code"), QStringLiteral("sjis")}, Action::Open, CharCode::ShiftJis, {}},
      // After "--" a name that looks like an option is a file; Qt's options are Qt's.
      {{QStringLiteral("--"), QStringLiteral("--help")}, Action::Open, CharCode::ShiftJis, {QStringLiteral("--help")}},
      {{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--style=fusion"),
        QStringLiteral("-reverse"), QStringLiteral("a.txt"), QString()},
       Action::Open, CharCode::ShiftJis, {QStringLiteral("a.txt")}},
      {{QStringLiteral("a.txt"), QStringLiteral("--help")}, Action::ShowHelp, CharCode::ShiftJis, {}},
      {{QStringLiteral("-h")}, Action::ShowHelp, CharCode::ShiftJis, {}},
      {{QStringLiteral("--version"), QStringLiteral("--code"), QStringLiteral("bad")}, Action::ShowVersion,
       CharCode::ShiftJis, {}},
      {{QStringLiteral("-v")}, Action::ShowVersion, CharCode::ShiftJis, {}},
      {{QStringLiteral("--bogus"), QStringLiteral("a.txt")}, Action::Refuse, CharCode::ShiftJis, {}},
      {{QStringLiteral("--code"), QStringLiteral("utf8")}, Action::Refuse, CharCode::ShiftJis, {}},
      {{QStringLiteral("a.txt"), QStringLiteral("--code")}, Action::Refuse, CharCode::ShiftJis, {}},
      {{QStringLiteral("--help=yes")}, Action::Refuse, CharCode::ShiftJis, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(u' ').toStdString());
    const CommandLine line = parseCommandLine(c.arguments, Language::English);
    EXPECT_EQ(line.action, c.action) << line.text.toStdString();
    EXPECT_EQ(line.exitCode(), c.action == Action::Refuse ? 2 : 0);
    EXPECT_EQ(line.code, c.code);
    QStringList expected;
    for (const QString& f : c.files) expected << (f == in ? in : absolute(f));
    EXPECT_EQ(line.files, expected);
    EXPECT_EQ(line.text.isEmpty(), c.action == Action::Open);
  }
}

TEST(CommandLine, MistakesAreNamedInTheUsersLanguageAndPointAtTheHelp) {
  struct Case {
    QStringList arguments;
    const char* english;
    const char* japanese;
  };
  const Case cases[] = {
      {{QStringLiteral("a.txt"), QStringLiteral("--bogus")}, "unknown option '--bogus'", "「--bogus」は不明なオプションです。"},
      {{QStringLiteral("-x")}, "unknown option '-x'", "「-x」は不明なオプションです。"},
      {{QStringLiteral("--code"), QStringLiteral("utf8")}, "unknown code 'utf8': use sjis, jis, euc or form",
       "「utf8」は不明な文字コードです。"},
      {{QStringLiteral("--code")}, "option '--code' needs a value", "「--code」の後に値がありません。"},
      {{QStringLiteral("--code=euc"), QStringLiteral("--version=2")}, "option '--version' takes no value",
       "「--version」には値を付けられません。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(u' ').toStdString());
    const QString english = parseCommandLine(c.arguments, Language::English).text;
    EXPECT_TRUE(english.startsWith(QStringLiteral("wabunko: ") + QString::fromUtf8(c.english)))
        << english.toStdString();
    EXPECT_TRUE(english.endsWith(QStringLiteral("Try 'wabunko --help' for the options.\n"))) << english.toStdString();
    const QString japanese = parseCommandLine(c.arguments, Language::Japanese).text;
    EXPECT_TRUE(japanese.startsWith(QStringLiteral("wabunko: ") + QString::fromUtf8(c.japanese)))
        << japanese.toStdString();
    EXPECT_TRUE(japanese.endsWith(QStringLiteral("使えるオプションは「wabunko --help」で表示できます。\n")))
        << japanese.toStdString();
  }
}

TEST(CommandLine, HelpAndVersionSpeakTheUsersLanguage) {
  const QString english = parseCommandLine({QStringLiteral("--help")}, Language::English).text;
  const QString japanese = parseCommandLine({QStringLiteral("--help")}, Language::Japanese).text;
  for (const char* option : {"--code", "--help", "--version", "sjis", "jis", "euc", "form"}) {
    EXPECT_TRUE(english.contains(QLatin1String(option))) << option;
    EXPECT_TRUE(japanese.contains(QLatin1String(option))) << option;
  }
  EXPECT_TRUE(english.startsWith(QStringLiteral("Usage: wabunko [options] [file...]\n")));
  EXPECT_TRUE(japanese.startsWith(QStringLiteral("使い方: wabunko [オプション] [ファイル...]\n")));

  const QString version = parseCommandLine({QStringLiteral("--version")}, Language::English).text;
  EXPECT_TRUE(version.startsWith(QStringLiteral("Wabunko " WABUNKO_VERSION "\nQt ") + QString::fromLatin1(qVersion())))
      << version.toStdString();
  EXPECT_TRUE(version.contains(QStringLiteral("GNU General Public License version 3 or later")));
  EXPECT_TRUE(parseCommandLine({QStringLiteral("-v")}, Language::Japanese).text.contains(QStringLiteral("保証")));
}

TEST(ProgramInfo, BothQtVersionsAreNamedWhenTheyDiffer) {
  EXPECT_EQ(qtVersionText(Language::English, QStringLiteral("6.4.2"), QStringLiteral("6.4.2")),
            QStringLiteral("Qt 6.4.2"));
  EXPECT_EQ(qtVersionText(Language::English, QStringLiteral("6.4.2"), QStringLiteral("6.5.0")),
            QStringLiteral("Qt 6.5.0 (built with Qt 6.4.2)"));
  EXPECT_EQ(qtVersionText(Language::Japanese, QStringLiteral("6.4.2"), QStringLiteral("6.5.0")),
            QStringLiteral("Qt 6.5.0 で動作 (ビルドは Qt 6.4.2)"));
}

TEST(ProgramInfo, TheAboutBoxNamesVersionQtAndLicence) {
  CAboutDlg about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("Wabunko のﾊﾞｰｼﾞｮﾝ情報"));
  const QLabel* text = about.findChild<QLabel*>(QStringLiteral("aboutText"));
  ASSERT_NE(text, nullptr);
  for (const QString& part : {QStringLiteral("Wabunko Version " WABUNKO_VERSION "\nCopyright (C) WabSoft\n"),
                              qtVersionText(Language::Japanese),
                              QStringLiteral("GNU General Public License version 3 or later"),
                              QStringLiteral("保証がありません")})
    EXPECT_TRUE(text->text().contains(part)) << part.toStdString();
  for (const char* label : {"aboutIcon", "aboutText"}) {
    QAccessibleInterface* accessible =
        QAccessible::queryAccessibleInterface(about.findChild<QLabel*>(QLatin1String(label)));
    ASSERT_NE(accessible, nullptr) << label;
    EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty()) << label;
  }
}

}  // namespace
}  // namespace wabunko
