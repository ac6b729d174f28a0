#pragma once
// The layout of the settings store: every section and key the editor reads or writes,
// with its type and default. Readers and writers name a setting by its entry here.
// Texts are UTF-8.
//
// Where two readers of one setting use different defaults, the entry holds the first and
// its comment names the other; that reader passes its own default.

#include <array>
#include <cstddef>
#include <limits>
#include <span>
#include <string>
#include <string_view>

namespace wabunko::settings {

enum class Type { Int, String };

// An integer that sizes something, times something or counts something has bounds: a
// stored number outside them reads as the nearest bound, so that a hand-edited or damaged
// store cannot make a window vanish, a timer spin or a list run past its end. The bounds
// of every other integer are those of int itself.
//
// A string's bounds are on its length in bytes of UTF-8. A stored string outside them
// cannot be what the setting names (no face is called "" or a megabyte long) and reads as
// the default; a string cut to length would name something else still. Most strings may
// be of any length.
struct Setting {
  const char* section;
  const char* key;
  Type type;
  int intDefault;
  const char* stringDefault;
  int intMin;
  int intMax;
};

constexpr Setting boundedIntSetting(const char* section, const char* key, int def, int min,
                                    int max) {
  return {section, key, Type::Int, def, "", min, max};
}
constexpr Setting intSetting(const char* section, const char* key, int def) {
  return boundedIntSetting(section, key, def, std::numeric_limits<int>::min(),
                           std::numeric_limits<int>::max());
}
constexpr Setting boundedStringSetting(const char* section, const char* key, const char* def,
                                       int minBytes, int maxBytes) {
  return {section, key, Type::String, 0, def, minBytes, maxBytes};
}
constexpr Setting stringSetting(const char* section, const char* key, const char* def) {
  return boundedStringSetting(section, key, def, 0, std::numeric_limits<int>::max());
}

// Window coordinates and sizes are 16-bit quantities to the window system.
inline constexpr int kMinWindowCoordinate = -32768;
inline constexpr int kMaxWindowCoordinate = 32767;
inline constexpr int kMinFrameSize = 100;
// Points; the line-number gutter is four times as wide in pixels.
inline constexpr int kMaxFontHeight = 500;
// Minutes; the largest period whose milliseconds fit a 32-bit timer.
inline constexpr int kMaxAutoSaveMinutes = 35791;
// Columns of the line-length command; far beyond any line meant to be read.
inline constexpr int kMaxLineLength = 10000;
// Millimetres of tab stops and indents: more than twice the width of an A4 page.
inline constexpr int kMaxParagraphMillimetres = 500;
// Bytes of a face name; installed faces have far shorter names. Looking up a face that is
// not installed takes the font matcher a time that grows with the square of the name's
// length: seconds at every use of a name a megabyte long.
inline constexpr int kMaxFaceNameBytes = 255;

// Section names as the editor spells them.
inline constexpr const char* kFramePosition = "Frame position";  // also written "Frame Position"
inline constexpr const char* kFile = "File";
inline constexpr const char* kToolBarItem = "ToolBar\\ToolBar Item";
inline constexpr const char* kTextStyleBarItem = "ToolBar\\TextStyleBar Item";
// Docking and visibility of the bars; its keys are the bar-state persistence's own.
inline constexpr const char* kBarState = "ToolBar\\Bar State";
inline constexpr const char* kFontDefault = "Font\\Default";
inline constexpr const char* kFontReadOnly = "Font\\Read only";
inline constexpr const char* kFontLineNumber = "Font\\Line number";
inline constexpr const char* kIme = "IME";
// One string per command of the hot-key command table, keyed by the command's name.
inline constexpr const char* kHotKey = "Hot key";
inline constexpr const char* kKeyInput = "Key input";
inline constexpr const char* kCommand = "Command";
inline constexpr const char* kMenu = "Menu";
inline constexpr const char* kRecentFileList = "Recent File List";
inline constexpr const char* kColor = "Color";
inline constexpr const char* kStyle = "Style";
inline constexpr const char* kFindReplaceList = "Find Replace List";
inline constexpr const char* kConfig = "Config";

// "Frame position"
// The normal rectangle of the main window: left and top of its frame, size of its inside.
inline constexpr Setting FrameLeft = boundedIntSetting(
    kFramePosition, "Left  ", 0, kMinWindowCoordinate, kMaxWindowCoordinate);
inline constexpr Setting FrameTop = boundedIntSetting(
    kFramePosition, "Top   ", 0, kMinWindowCoordinate, kMaxWindowCoordinate);
inline constexpr Setting FrameWidth =
    boundedIntSetting(kFramePosition, "Width ", 400, kMinFrameSize, kMaxWindowCoordinate);
inline constexpr Setting FrameHeight =
    boundedIntSetting(kFramePosition, "Height", 400, kMinFrameSize, kMaxWindowCoordinate);
inline constexpr Setting FrameMaximized = intSetting(kFramePosition, "Maximized", 0);
inline constexpr Setting FrameMaximizedChild = intSetting(kFramePosition, "Maximized Child", 0);
inline constexpr Setting FrameViewToolBar = intSetting(kFramePosition, "View Tool Bar", 1);
inline constexpr Setting FrameViewStatusBar = intSetting(kFramePosition, "View Status Bar", 1);
inline constexpr Setting FrameViewTextStyleBar =
    intSetting(kFramePosition, "View Text Style Bar", 1);
inline constexpr Setting FrameDrawLineNumber = intSetting(kFramePosition, "Draw line number", 0);
// The arrangement method: "重ねて", "上下に" or "左右に".
inline constexpr Setting FrameChildWindow = stringSetting(kFramePosition, "子ｳｨﾝﾄﾞｳ", "上下に");
inline constexpr Setting FrameAutoArrangeChild =
    intSetting(kFramePosition, "Auto arrange child", 1);
inline constexpr Setting FrameNoIntersectionChild =
    intSetting(kFramePosition, "No intersection child", 1);
inline constexpr Setting FrameParentSingle = intSetting(kFramePosition, "Parent single", 1);
inline constexpr Setting FrameWordWrap = intSetting(kFramePosition, "Word wrap", 2);
inline constexpr Setting FrameVertical = intSetting(kFramePosition, "縦書き", 0);

// "File"
inline constexpr Setting FileDoBackUp = intSetting(kFile, "Do back up", 0);
// Ends in a backslash when not empty. The document's backup uses the opened file's own
// folder as its default.
inline constexpr Setting FileBackUpDirectory = stringSetting(kFile, "Back up directory", "");
inline constexpr Setting FileDoAutoSave = intSetting(kFile, "Do auto save", 0);
// Minutes; a period of 0 or less would save on every turn of the event loop.
inline constexpr Setting FileTimeSpanForAutoSave =
    boundedIntSetting(kFile, "Time span for auto save", 30, 1, kMaxAutoSaveMinutes);
inline constexpr Setting FileReadOnly = intSetting(kFile, "File read only", 1);
// Favourites, each path followed by a slash.
inline constexpr Setting FileFavorite = stringSetting(kFile, "File favorite", "");
// The file a second instance hands over.
inline constexpr Setting FileLoad = stringSetting(kFile, "Load", "Untitled.txt");
inline constexpr Setting FileOpenDir = stringSetting(kFile, "Open Dir", "");
inline constexpr Setting FileSaveDir = stringSetting(kFile, "Save Dir", "");
inline constexpr Setting FileExtDefaultOpen = intSetting(kFile, "Ext default open", 1);

inline constexpr std::size_t kDirHistoryCount = 10;
// "Dir History 0" .. "Dir History 9"; entry 0 is the most recent. Needs i < 10.
constexpr Setting fileDirHistory(std::size_t i) {
  constexpr std::array<const char*, kDirHistoryCount> keys = {
      "Dir History 0", "Dir History 1", "Dir History 2", "Dir History 3", "Dir History 4",
      "Dir History 5", "Dir History 6", "Dir History 7", "Dir History 8", "Dir History 9"};
  return stringSetting(kFile, keys.at(i), "");
}

// "ToolBar\ToolBar Item" and "ToolBar\TextStyleBar Item": -1 (or any count outside 0-30)
// selects the default button set; the names are each followed by a slash. The counts are
// read as stored, since a count out of range has that meaning of its own.
inline constexpr Setting ToolBarCount = intSetting(kToolBarItem, "Count", -1);
inline constexpr Setting ToolBarItem = stringSetting(kToolBarItem, "Item", "");
inline constexpr Setting TextStyleBarCount = intSetting(kTextStyleBarItem, "Count", -1);
inline constexpr Setting TextStyleBarItem = stringSetting(kTextStyleBarItem, "Item", "");

// The font record: sections "Font\Default", "Font\Read only" and "Font\Line number" each
// hold these 15 keys, read and written in this order.
enum class FontField {
  Height,
  Width,
  Escapement,
  Orientation,
  Weight,
  Italic,
  Underline,
  StrikeOut,
  CharSet,
  OutPrecision,
  ClipPrecision,
  Quality,
  PitchAndFamily,
  FaceName,
  Color,
};
inline constexpr std::size_t kFontFieldCount = 15;
inline constexpr std::array<const char*, 3> kFontSections = {kFontDefault, kFontReadOnly,
                                                             kFontLineNumber};

// The key of `field` in the font record stored in `section`.
constexpr Setting fontSetting(const char* section, FontField field) {
  constexpr std::array<Setting, kFontFieldCount> keys = {{
      boundedIntSetting("", "Height", 12, 1, kMaxFontHeight),  // points
      intSetting("", "Width ", 0),
      intSetting("", "Escapement", 0),
      intSetting("", "Orientation", 0),
      intSetting("", "Weight", 400),  // 400 normal, 700 bold
      intSetting("", "Italic", 0),
      intSetting("", "Underline", 0),
      intSetting("", "StrikeOut", 0),
      intSetting("", "CharSet", 1),
      intSetting("", "OutPrecision", 5),
      intSetting("", "ClipPrecision", 0),
      intSetting("", "Quality", 0),
      intSetting("", "PitchAndFamily", 0),
      boundedStringSetting("", "FaceName", "ＭＳ ゴシック", 1, kMaxFaceNameBytes),
      intSetting("", "Color", 0),  // 0x00BBGGRR
  }};
  Setting s = keys.at(static_cast<std::size_t>(field));
  s.section = section;
  return s;
}

// "IME": four colour sets for the composition string, in the order of the edit control's
// composition colour array. Each needs i < 4.
inline constexpr std::size_t kImeColorSetCount = 4;
constexpr Setting imeText(std::size_t i) {
  constexpr std::array<const char*, kImeColorSetCount> keys = {"TextIME[0]", "TextIME[1]",
                                                               "TextIME[2]", "TextIME[3]"};
  constexpr std::array<int, kImeColorSetCount> defaults = {0xFF0000, 0xFFFFFF, 0x008000,
                                                           0x00FFFF};
  return intSetting(kIme, keys.at(i), defaults.at(i));
}
constexpr Setting imeBackground(std::size_t i) {
  constexpr std::array<const char*, kImeColorSetCount> keys = {
      "BackgroundIME[0]", "BackgroundIME[1]", "BackgroundIME[2]", "BackgroundIME[3]"};
  constexpr std::array<int, kImeColorSetCount> defaults = {0xFFFFFF, 0xA00000, 0xFFFFFF, 0};
  return intSetting(kIme, keys.at(i), defaults.at(i));
}
constexpr Setting imeEffects(std::size_t i) {
  constexpr std::array<const char*, kImeColorSetCount> keys = {
      "EffectsIME[0]", "EffectsIME[1]", "EffectsIME[2]", "EffectsIME[3]"};
  return intSetting(kIme, keys.at(i), 0);
}
inline constexpr Setting ImeAuto = intSetting(kIme, "Auto", 0);

// "Key input"
inline constexpr Setting KeyInputAutoBrace = intSetting(kKeyInput, "Auto brace", 0);
inline constexpr Setting KeyInputAutoIndent = intSetting(kKeyInput, "Auto indent", 0);

// "Command"
inline constexpr Setting CommandLineLength =
    boundedIntSetting(kCommand, "Line length", 80, 1, kMaxLineLength);
inline constexpr Setting CommandConvertOnlySelected =
    intSetting(kCommand, "Convert Only Selected", 0);
inline constexpr Setting CommandQuotationMark = stringSetting(kCommand, "Quotation mark", ">");

// "Menu": length of the recent-file list, taking effect at the next start; 0 shows none,
// and the list keeps no more than its sixteen keys.
inline constexpr std::size_t kRecentFileCount = 16;
inline constexpr Setting MenuNumberOfMruList =
    boundedIntSetting(kMenu, "Number of MRU List", 4, 0, static_cast<int>(kRecentFileCount));

// "Recent File List": "File1" .. "File16", the most recent first. Needs i < 16.
constexpr Setting recentFile(std::size_t i) {
  constexpr std::array<const char*, kRecentFileCount> keys = {
      "File1", "File2",  "File3",  "File4",  "File5",  "File6",  "File7",  "File8",
      "File9", "File10", "File11", "File12", "File13", "File14", "File15", "File16"};
  return stringSetting(kRecentFileList, keys.at(i), "");
}

// "Color"
inline constexpr Setting ColorBackGroundParent = intSetting(kColor, "BackGround Parent", 0x808080);
// The application's refresh of every view's background defaults to 0 instead; it runs only
// after the Window page has written the value.
inline constexpr Setting ColorBackGroundChild = intSetting(kColor, "BackGround Child", 0xFFFFFF);

// "Style", in millimetres. The indent dialog takes signed numbers: a negative first line
// hangs, and negative side indents reach into the margins.
inline constexpr Setting StyleTabSpace =
    boundedIntSetting(kStyle, "Tab Space", 0, 0, kMaxParagraphMillimetres);
inline constexpr Setting StyleIndentStart = boundedIntSetting(
    kStyle, "Indent Start", 0, -kMaxParagraphMillimetres, kMaxParagraphMillimetres);
inline constexpr Setting StyleIndentLeft = boundedIntSetting(
    kStyle, "Indent Left", 0, -kMaxParagraphMillimetres, kMaxParagraphMillimetres);
inline constexpr Setting StyleIndentRight = boundedIntSetting(
    kStyle, "Indent Right", 0, -kMaxParagraphMillimetres, kMaxParagraphMillimetres);

// "Find Replace List": the find and replace histories, entry 0 the most recent (each
// needs i < 10), and the find-in-files folder and extension list.
inline constexpr std::size_t kFindHistoryCount = 10;
constexpr Setting findItem(std::size_t i) {
  constexpr std::array<const char*, kFindHistoryCount> keys = {
      "Find Item 0", "Find Item 1", "Find Item 2", "Find Item 3", "Find Item 4",
      "Find Item 5", "Find Item 6", "Find Item 7", "Find Item 8", "Find Item 9"};
  return stringSetting(kFindReplaceList, keys.at(i), "");
}
constexpr Setting replaceItem(std::size_t i) {
  constexpr std::array<const char*, kFindHistoryCount> keys = {
      "Replace Item 0", "Replace Item 1", "Replace Item 2", "Replace Item 3",
      "Replace Item 4", "Replace Item 5", "Replace Item 6", "Replace Item 7",
      "Replace Item 8", "Replace Item 9"};
  return stringSetting(kFindReplaceList, keys.at(i), "");
}
inline constexpr Setting FindReplacePathName = stringSetting(kFindReplaceList, "Path Name", "");
// Each extension followed by "/".
inline constexpr Setting FindReplaceExt = stringSetting(kFindReplaceList, "Ext", "txt/rtf/");

// "Config": the face whose sizes the format bar's size list shows. Nothing writes it.
inline constexpr Setting ConfigFontName =
    boundedStringSetting(kConfig, "FontName", "ＭＳ 明朝", 1, kMaxFaceNameBytes);

// "Hot key": the key text of the hot-key command table's command `index` (< 43), keyed
// by the command's name, its default the command's default key.
Setting hotKeySetting(std::size_t index);
// 1: the keys are grabbed for the whole desktop, taking them from every other program;
// 0: they work only while one of the editor's windows has the keyboard.
inline constexpr Setting HotKeySystemWide = intSetting(kHotKey, "System wide", 0);

// Every setting of the layout with a fixed key, numbered families and the hot keys spelled
// out. The bar state's keys are its persistence's own.
std::span<const Setting> layout();

// The entry for section/key (section compared without case), or nullptr.
const Setting* findSetting(std::string_view section, std::string_view key);

// The one spelling under which a section is stored: the layout's spelling of a known
// section, otherwise the name with its ASCII letters in lower case.
std::string canonicalSection(std::string_view section);

}  // namespace wabunko::settings
