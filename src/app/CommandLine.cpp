#include "CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>
#include <iterator>

namespace wabunko {
namespace {

struct NamedCode {
  const char* name;
  CharCode code;
};
constexpr NamedCode kCodes[] = {
    {"sjis", CharCode::ShiftJis}, {"jis", CharCode::Jis}, {"euc", CharCode::Euc}, {"form", CharCode::InternetForm}};

// Options QApplication takes from the same command line; they name no file.
const char* const kQtOptionsWithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                           "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                                           "display", "geometry", "style", "stylesheet"};
const char* const kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb"};

bool takesValue(const QString& option) {
  return option == QStringLiteral("c") || option == QStringLiteral("code") ||
         std::any_of(std::begin(kQtOptionsWithValue), std::end(kQtOptionsWithValue),
                     [&](const char* name) { return option == QLatin1String(name); });
}

QString helpText(Language language) {
  // The option column is aligned for a terminal, where a kana is two columns wide.
  if (language == Language::Japanese)
    return QStringLiteral(
        "使い方: wabunko [オプション] [ファイル...]\n"
        "日本語テキスト エディタ Wabunko でファイルを開きます。ファイル名の代わりに - と書くと、\n"
        "標準入力を名前のない新しい文書として読み込みます。ファイルを指定しないと新しい文書を\n"
        "開きます。Wabunko が起動中なら、ファイルはそのウィンドウで開きます。\n"
        "\n"
        "オプション:\n"
        "  -c, --code <コード>  ファイルと標準入力を読む文字コード:\n"
        "                       sjis (Shift-JIS、既定)、jis (JIS)、euc (EUC)、\n"
        "                       form (Internet Form)\n"
        "  -h, --help           この説明を表示して終了します\n"
        "  -v, --version        バージョンを表示して終了します\n"
        "\n"
        "Qt の標準オプション (-platform、-style など) も使えます。\n");
  return QStringLiteral(
      "Usage: wabunko [options] [file...]\n"
      "Opens the files in Wabunko, the editor for Japanese text. A - in place of a file name\n"
      "reads standard input as a new, untitled document. Without files, a new document opens.\n"
      "When Wabunko is already running, the files open in its window.\n"
      "\n"
      "Options:\n"
      "  -c, --code <code>  the character code of the files and of standard input:\n"
      "                     sjis (Shift-JIS, the default), jis (JIS), euc (EUC),\n"
      "                     form (Internet Form)\n"
      "  -h, --help         show this help and exit\n"
      "  -v, --version      show the version and exit\n"
      "\n"
      "Qt's own options (-platform, -style and others) are understood as well.\n");
}

CommandLine refused(Language language, const QString& japanese, const QString& english) {
  const bool ja = language == Language::Japanese;
  CommandLine line;
  line.action = CommandLine::Action::Refuse;
  line.text = QStringLiteral("wabunko: %1\n%2\n")
                  .arg(ja ? japanese : english,
                       ja ? QStringLiteral("使えるオプションは「wabunko --help」で表示できます。")
                          : QStringLiteral("Try 'wabunko --help' for the options."));
  return line;
}

// The option an argument names: "--code=euc" and "-code" name "code".
QString optionName(const QString& argument) {
  qsizetype dashes = 0;
  while (dashes < argument.size() && dashes < 2 && argument[dashes] == u'-') ++dashes;
  return argument.mid(dashes).section(u'=', 0, 0);
}

// The option `name` as the user wrote it, for a message.
QString spelled(const QStringList& arguments, const QString& name) {
  for (const QString& a : arguments) {
    if (a == QStringLiteral("--")) break;
    if (a.startsWith(u'-') && optionName(a) == name) return a.section(u'=', 0, 0);
  }
  return QStringLiteral("--") + name;
}

// QCommandLineParser's own messages are English: the three mistakes it knows are told here
// in the user's language.
CommandLine parseError(const QCommandLineParser& parser, const QStringList& arguments, Language language) {
  if (!parser.unknownOptionNames().isEmpty()) {
    const QString option = spelled(arguments, parser.unknownOptionNames().constFirst());
    return refused(language, QStringLiteral("「%1」は不明なオプションです。").arg(option),
                   QStringLiteral("unknown option '%1'").arg(option));
  }
  // A value is missing only after the last argument; otherwise a switch was given one.
  const QString last = arguments.constLast();
  if (last.startsWith(u'-') && !last.contains(u'=') && takesValue(optionName(last))) {
    const QString option = spelled(arguments, optionName(last));
    return refused(language, QStringLiteral("「%1」の後に値がありません。").arg(option),
                   QStringLiteral("option '%1' needs a value").arg(option));
  }
  for (const QString& a : arguments) {
    if (a == QStringLiteral("--")) break;
    if (a.startsWith(u'-') && a.contains(u'=') && !takesValue(optionName(a))) {
      const QString option = a.section(u'=', 0, 0);
      return refused(language, QStringLiteral("「%1」には値を付けられません。").arg(option),
                     QStringLiteral("option '%1' takes no value").arg(option));
    }
  }
  return refused(language, parser.errorText(), parser.errorText());
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments, Language language) {
  QCommandLineParser parser;
  // Qt's own options are words after one dash ("-platform xcb"); ours are read either way.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption code({QStringLiteral("c"), QStringLiteral("code")}, {}, QStringLiteral("code"));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, {});
  parser.addOptions({code, help, version});
  for (const char* name : kQtOptionsWithValue)
    parser.addOption(QCommandLineOption(QString::fromLatin1(name), {}, QStringLiteral("value")));
  for (const char* name : kQtFlags) parser.addOption(QCommandLineOption(QString::fromLatin1(name), {}));

  // The parser takes the first argument for the program's name.
  if (!parser.parse(QStringList{QStringLiteral("wabunko")} + arguments))
    return parseError(parser, arguments, language);

  CommandLine line;
  if (parser.isSet(help) || parser.isSet(version)) {
    line.action = parser.isSet(help) ? CommandLine::Action::ShowHelp : CommandLine::Action::ShowVersion;
    line.text = parser.isSet(help) ? helpText(language) : versionText(language);
    return line;
  }
  if (parser.isSet(code)) {
    const QString name = parser.value(code);
    const auto named = std::find_if(std::begin(kCodes), std::end(kCodes), [&](const NamedCode& c) {
      return name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0;
    });
    if (named == std::end(kCodes))
      return refused(language,
                     QStringLiteral("「%1」は不明な文字コードです。sjis、jis、euc、form のどれかを指定してください。")
                         .arg(name),
                     QStringLiteral("unknown code '%1': use sjis, jis, euc or form").arg(name));
    line.code = named->code;
  }
  for (const QString& a : parser.positionalArguments()) {
    if (a.isEmpty()) continue;
    if (a != CommandLine::standardInput()) line.files << QFileInfo(a).absoluteFilePath();
    else if (!line.files.contains(a)) line.files << a;
  }
  return line;
}

}  // namespace wabunko
