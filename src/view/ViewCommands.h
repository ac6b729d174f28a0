#pragma once
// Command ids of the editing view: those it handles, and the format buttons whose pressed
// state it shows.

namespace wabunko::cmd {

inline constexpr int WrapNone = 32799;        // "なし"
inline constexpr int WrapPrintWidth = 32780;  // "印刷幅"
inline constexpr int WrapWindow = 32779;      // "ｳｨﾝﾄﾞｳの右端"
inline constexpr int VerticalWriting = 32778;
inline constexpr int ReadOnlyToggle = 32802;  // "編集禁止"
inline constexpr int ScrollLink = 32809;      // "ｽｸﾛｰﾙの連動(&S)"
inline constexpr int InputMethodToggle = 2501;
inline constexpr int FormatBold = 32819;
inline constexpr int FormatItalic = 32820;
inline constexpr int FormatUnderline = 32821;
inline constexpr int AlignLeft = 32790;
inline constexpr int AlignCentre = 32791;
inline constexpr int AlignRight = 32792;
inline constexpr int Reopen = 32814;  // "開き直し"
inline constexpr int ConvertUpper = 32771;
inline constexpr int ConvertLower = 32772;
inline constexpr int ConvertFullWidth = 32773;
inline constexpr int ConvertHalfWidth = 32774;
inline constexpr int ConvertPunctuation = 32818;
inline constexpr int ToolLineLength = 32828;
inline constexpr int ToolTrailingBlanks = 32829;
inline constexpr int ToolQuotationMark = 32822;
inline constexpr int ToolClipboardPrefix = 32786;
inline constexpr int ToolSignature = 32804;
inline constexpr int ToolAppendCopy = 32816;
inline constexpr int ToolAppendCut = 32817;

}  // namespace wabunko::cmd
