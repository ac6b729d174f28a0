#include "frame/CommandTable.h"

#include "app/AppCommands.h"
#include "frame/FrameCommands.h"
#include "platform/StandardCommands.h"
#include "view/ViewCommands.h"

#include <algorithm>
#include <vector>

namespace wabunko {
namespace {

constexpr bool kBuilt = true;
constexpr bool kNotBuilt = false;

constexpr Command kFixedRows[] = {
    {cmd::CountMatches, "", "", -1, kBuilt},
    {cmd::ReplaceAll, "", "", -1, kBuilt},
    {cmd::ReplaceNext, "", "", -1, kBuilt},
    {cmd::InputMethodToggle, "", "IME", 22, kBuilt},
    {cmd::ConvertUpper, "小文字→大文字", "", -1, kBuilt},
    {cmd::ConvertLower, "大文字→小文字", "", -1, kBuilt},
    {cmd::ConvertFullWidth, "半角→全角", "", -1, kBuilt},
    {cmd::ConvertHalfWidth, "全角→半角", "", -1, kBuilt},
    {cmd::JumpFirstLine, "先頭行(&T)", "", -1, kBuilt, "先頭へ移動", ""},
    {cmd::JumpLastLine, "最終行(&B)", "", -1, kBuilt, "最後に移動", ""},
    {cmd::VerticalWriting, "縦書き(&V)", "", -1, kBuilt},
    {cmd::WrapWindow, "ｳｨﾝﾄﾞｳの右端", "", -1, kBuilt},
    {cmd::WrapPrintWidth, "印刷幅", "", -1, kBuilt},
    {cmd::FormatSuperscript, "上付き(&U)", "上付き", 1, kBuilt},
    {cmd::FileSaveAll, "すべて保存(&M)", "全て保存", 10, kBuilt, "すべて保存", ""},
    {cmd::FormatSubscript, "下付き(&D)", "下付き", 2, kBuilt},
    {cmd::QuotationMarkButton, "", "引用記号", 28, kNotBuilt},
    {cmd::ToolClipboardPrefix, "縦方向", "", -1, kBuilt, "引用記号", ""},
    {cmd::WindowTopMost, "最前面", "", -1, kBuilt},
    {cmd::FormatFont, "ﾌｫﾝﾄ(&F)", "フォント", 0, kBuilt},
    {cmd::AlignLeft, "左寄せ(&L)", "左寄せ", 4, kBuilt},
    {cmd::AlignCentre, "中央寄せ(&C)", "中央寄せ", 5, kBuilt},
    {cmd::AlignRight, "右寄せ(&R)", "右寄せ", 6, kBuilt},
    {cmd::SelectToLineEnd, "行末まで", "行末まで", 27, kBuilt, "行末まで", ""},
    {cmd::FormatIndent, "ｲﾝﾃﾞﾝﾄ", "", -1, kBuilt},
    {cmd::SelectToEnd, "最後まで", "最後まで", 25, kBuilt, "最後まで", ""},
    {cmd::SelectFromTop, "先頭から", "先頭から", 24, kBuilt, "この行", ""},
    {cmd::ViewTextStyleBar, "書式設定(&F)", "", -1, kBuilt},
    {cmd::WrapNone, "なし", "", -1, kBuilt},
    {cmd::FileCloseAll, "すべて閉じる(&L)", "全て閉じる", 15, kBuilt},
    {cmd::JumpToLine, "指定行(&L)", "", -1, kBuilt},
    {cmd::ReadOnlyToggle, "編集禁止", "", -1, kBuilt},
    {cmd::SelectFromLineStart, "行頭から", "行頭から", 26, kBuilt, "行頭から", ""},
    {cmd::ToolSignature, "ｼｸﾞﾆﾁｬ", "シグニチャ", 29, kBuilt, "シグニチャ", ""},
    {cmd::EditSignature, "ｼｸﾞﾆﾁｬ", "", -1, kBuilt},
    {cmd::SelectLine, "この行", "この行", 23, kBuilt, "先頭から", ""},
    {cmd::FormatResize, "解除(&R)", "リサイズ", 3, kBuilt},
    {cmd::FindText, "検索(&F)...", "検索", 11, kBuilt, "検索", "Ctrl+F"},
    {cmd::FindNext, "次を検索(&I)", "次を検索", 12, kBuilt, "次を検索", ""},
    {cmd::ReplaceText, "置換(&E)", "置換", 13, kBuilt, "置換", "Ctrl+H"},
    {cmd::FindUpward, "上に検索", "", -1, kBuilt},
    {cmd::FindInFiles, "ﾌｧｲﾙから検索...", "", -1, kBuilt},
    {cmd::SettingsSheet, "詳細(&O)", "", -1, kBuilt},
    {cmd::FavouriteAdd, "追加", "", -1, kBuilt},
    {cmd::FavouriteOrganise, "整理", "", -1, kBuilt},
    {cmd::ScrollLink, "ｽｸﾛｰﾙの連動(&S)", "", -1, kBuilt},
    {cmd::ViewLineNumbers, "行番号(&L)", "", -1, kBuilt},
    {cmd::Reopen, "開き直し", "", -1, kBuilt},
    {cmd::ToolAppendCopy, "追加コピー", "", -1, kBuilt},
    {cmd::ToolAppendCut, "追加切り取り", "", -1, kBuilt},
    {cmd::ConvertPunctuation, "句読点", "", -1, kBuilt},
    {cmd::FormatBold, "ﾎﾞｰﾙﾄﾞ（&B）", "ボールド", 7, kBuilt},
    {cmd::FormatItalic, "ｲﾀﾘｯｸ（&I）", "イタリック", 8, kBuilt},
    {cmd::FormatUnderline, "下線(L)", "下線", 9, kBuilt},
    {cmd::ToolQuotationMark, "引用記号", "", -1, kBuilt},
    {cmd::ToolLineLength, "行長", "", -1, kBuilt},
    {cmd::ToolTrailingBlanks, "行末空白の削除", "", -1, kBuilt},
    {cmd::FileNew, "新規作成(&N)", "新規", 0, kBuilt, "新規作成", "Ctrl+N"},
    {cmd::FileOpen, "開く(&O)...", "開く", 1, kBuilt, "開く", "Ctrl+O"},
    {cmd::FileClose, "閉じる(&C)", "閉じる", 14, kBuilt},
    {cmd::FileSave, "上書き保存(&S)", "保存", 2, kBuilt, "上書き保存", "Ctrl+S"},
    {cmd::FileSaveAs, "名前を付けて保存(&A)...", "名前をつけて保存", 16, kBuilt, "名前をつけて保存", ""},
    {cmd::FilePrintSetup, "", "", -1, kNotBuilt},
    {cmd::FilePrint, "印刷(&P)...", "印刷", 3, kBuilt, "印刷", "Ctrl+P"},
    {cmd::FilePrintDirect, "", "", -1, kBuilt},
    {cmd::FilePrintPreview, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", "プレビュー", 4, kBuilt},
    {cmd::EditClear, "削除(&D)", "削除", 17, kBuilt, "削除", ""},
    {cmd::EditCopy, "ｺﾋﾟｰ(&C)", "複写", 6, kBuilt, "複写", "Ctrl+C"},
    {cmd::EditCut, "切り取り(&T)", "切り取り", 5, kBuilt, "切り取り", "Ctrl+X"},
    {cmd::EditFind, "", "", -1, kNotBuilt},
    {cmd::EditPaste, "貼り付け(&P)", "貼り付け", 7, kBuilt, "貼り付け", "Ctrl+V"},
    {cmd::EditReplace, "", "", -1, kNotBuilt},
    {cmd::EditSelectAll, "すべて選択(&L)", "全て選択", 18, kBuilt, "全て選択", "Ctrl+A"},
    {cmd::EditUndo, "元に戻す(&U)", "元に戻す", 8, kBuilt, "元に戻す", "Ctrl+Z"},
    {cmd::EditRedo, "", "", -1, kBuilt},
    {cmd::WindowCascade, "重ねて表示(&C)", "重ねて表示", 21, kBuilt},
    {cmd::WindowTileHorz, "上下に並べて表示(&H)", "上下に並べて表示", 19, kBuilt},
    {cmd::WindowTileVert, "左右に並べて表示(&T)", "左右に並べて表示", 20, kBuilt},
    {cmd::AppAbout, "ﾊﾞｰｼﾞｮﾝ情報(Wabunko)(&A)...", "", -1, kBuilt},
    {cmd::AppExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "", -1, kBuilt},
    {cmd::HelpIndex, "", "ヘルプ", 9, kNotBuilt},
    {cmd::InsertObject, "", "", -1, kNotBuilt},
    {cmd::ViewToolBar, "ﾌｧｲﾙ操作(&T)", "", -1, kBuilt},
    {cmd::ViewStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "", -1, kBuilt},
};

// The view's context menu names its items more briefly than the main menus.
struct PopupText {
  int id;
  const char* text;
};
constexpr PopupText kPopupTexts[] = {
    {cmd::EditUndo, "元に戻す"},
    {cmd::EditCut, "切り取り"},
    {cmd::EditCopy, "ｺﾋﾟｰ"},
    {cmd::EditPaste, "貼り付け"},
    {cmd::EditClear, "削除"},
    {cmd::InsertObject, "ｵﾌﾞｼﾞｪｸﾄの作成と貼り付け"},
    {cmd::FindText, "検索"},
    {cmd::FindNext, "次を検索"},
    {cmd::ReplaceText, "置換"},
    {cmd::FormatFont, "ﾌｫﾝﾄ"},
    {cmd::FormatSuperscript, "上付き"},
    {cmd::FormatSubscript, "下付き"},
    {cmd::FormatResize, "解除"},
    {cmd::AlignLeft, "左寄せ"},
    {cmd::AlignCentre, "中央寄せ"},
    {cmd::AlignRight, "右寄せ"},
    {cmd::FormatIndent, "ｲﾝﾃﾞﾝﾄ"},
    {cmd::JumpFirstLine, "先頭行"},
    {cmd::JumpLastLine, "最終行"},
    {cmd::JumpToLine, "指定行"},
    {cmd::EditSelectAll, "すべて"},
    {cmd::SelectLine, "この行"},
    {cmd::SelectFromTop, "先頭から"},
    {cmd::SelectToEnd, "最後まで"},
    {cmd::SelectFromLineStart, "行頭から"},
    {cmd::SelectToLineEnd, "行末まで"},
    // "引用記号" inserts the quotation mark, as the main menu's item of that name does.
    {cmd::ToolQuotationMark, "引用記号"},
    {cmd::ToolSignature, "シグニチャ"},
};

// The recent files' commands take their texts from the paths they open.
std::vector<Command> buildTable() {
  std::vector<Command> rows(std::begin(kFixedRows), std::end(kFixedRows));
  for (int id = cmd::FileMruFirst; id <= cmd::FileMruLast; ++id) rows.push_back({id, "", "", -1, kBuilt});
  for (const PopupText& popup : kPopupTexts)
    for (Command& row : rows)
      if (row.id == popup.id) row.popupText = popup.text;
  std::ranges::sort(rows, {}, &Command::id);
  return rows;
}

}  // namespace

std::span<const Command> commandTable() {
  static const std::vector<Command> table = buildTable();
  return table;
}

const Command* findCommand(int id) {
  const auto table = commandTable();
  const auto it = std::ranges::lower_bound(table, id, {}, &Command::id);
  return it != table.end() && it->id == id ? &*it : nullptr;
}

}  // namespace wabunko
