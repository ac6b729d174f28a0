#include "doc/rtf/RtfReader.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "doc/rtf/CodePages.h"
#include "doc/rtf/RtfWords.h"

namespace wabunko::rtf {
namespace {

constexpr std::size_t kMaxTabStops = 32;  // the edit control's limit
constexpr int kTwipsPerHalfPoint = 10;
constexpr int kMaxHalfPoints = 32767;  // RTF's own limit for sizes and offsets
constexpr int kDefaultFontSize = 24;   // \fs without a number
constexpr int kDefaultOffset = 6;      // \up and \dn without a number
constexpr std::int64_t kMaxNumber = INT32_MAX;

enum class Destination : std::uint8_t { Body, Skip, FontTable, ColourTable, Picture };

constexpr bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
constexpr int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
// Bytes that end a stretch of plain text; control characters (line ends included) are
// not text in RTF.
constexpr bool endsText(char c) {
  return c == '{' || c == '}' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
}

int clampInt(std::int64_t value, std::int64_t low, std::int64_t high) {
  return static_cast<int>(std::clamp(value, low, high));
}

struct Param {
  bool given = false;
  int value = 0;
  int valueOr(int fallback) const { return given ? value : fallback; }
  bool on() const { return !given || value != 0; }  // \b on, \b0 off
};

// Twips from half-points, within RTF's range.
int halfPointTwips(int halfPoints, int low) {
  return clampInt(halfPoints, low, kMaxHalfPoints) * kTwipsPerHalfPoint;
}

struct CharState {
  int font = 0;
  int heightTwips = kDefaultHeightTwips;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  int colour = -1;  // none before \cf: the automatic colour
  VerticalPosition position = VerticalPosition::Normal;
  int offsetTwips = 0;
  bool operator==(const CharState&) const = default;
};

// Tab stops live in one list of links shared by all groups, so that a group's state is a
// few numbers whatever its tab stops: each '{' copies it, and a file may nest as deep as it
// has braces.
constexpr std::size_t kNoTab = SIZE_MAX;
struct TabLink {
  int stopTwips = 0;
  std::size_t previous = kNoTab;  // the stop before, in the same paragraph format
};

struct ParagraphState {
  Alignment alignment = Alignment::Left;
  int leftIndentTwips = 0;
  int rightIndentTwips = 0;
  int firstLineIndentTwips = 0;
  std::size_t lastTab = kNoTab;
  std::size_t tabCount = 0;
};

struct GroupState {
  CharState chars;
  ParagraphState paragraph;
  Destination destination = Destination::Body;
  int unicodeSkip = 1;  // \uc
};

// Text that arrives as code-page bytes and as UTF-16 units, in order. Bytes wait until
// something else comes, so a double-byte character split over two \'hh decodes whole.
struct PendingText {
  std::string bytes;
  std::u16string text;

  void settle(int codePage) {
    if (bytes.empty()) return;
    appendDecoded(text, codePage, bytes);
    bytes.clear();
  }
  void addUnit(char16_t unit, int codePage) {
    settle(codePage);
    text += unit;
  }
};

struct FontEntry {
  std::optional<int> charset;  // \fcharset
  std::string face;
};

struct FontDraft {
  int number = 0;
  std::optional<int> charset;
  PendingText name;
};

struct PictureDraft {
  std::optional<ImageKind> kind;  // none: a kind the model does not keep
  std::string data;
  int pendingNibble = -1;
  int goalWidth = 0;
  int goalHeight = 0;
  int scaleX = 100;
  int scaleY = 100;
};

class Reader {
public:
  explicit Reader(std::string_view in) : in_(in) {}

  RtfReadResult read() {
    damaged_ = !in_.starts_with("{\\rtf");
    while (pos_ < in_.size() && !finished_) {
      const char c = in_[pos_++];
      if (c == '{') {
        openGroup();
      } else if (c == '}') {
        closeGroup();
      } else if (c == '\\') {
        readControl();
      } else if (static_cast<unsigned char>(c) >= 0x20) {
        --pos_;
        readText();
      }
    }
    if (finished_) {
      checkTrailer();
    } else if (!stack_.empty()) {
      damaged_ = true;
      finishDocument(state().paragraph);
    }
    return {std::move(document_), damaged_};
  }

private:
  GroupState& state() { return stack_.back(); }
  Destination destination() { return state().destination; }

  // True while nothing read counts: outside the document's group or in a skipped destination.
  bool skipping() { return stack_.empty() || destination() == Destination::Skip; }

  // The fallback characters after \uN are skipped one token at a time; true when this
  // token was one of them.
  bool consumedByFallback() {
    if (fallbackLeft_ == 0) return false;
    --fallbackLeft_;
    return true;
  }

  // --- tokens ---

  void openGroup() {
    fallbackLeft_ = 0;
    ignorable_ = false;
    stack_.push_back(stack_.empty() ? GroupState{} : stack_.back());
  }

  void closeGroup() {
    fallbackLeft_ = 0;
    ignorable_ = false;
    if (stack_.empty()) {  // a '}' before the document's group opened
      damaged_ = true;
      return;
    }
    if (stack_.size() == 1) {
      finishDocument(state().paragraph);
      stack_.pop_back();
      finished_ = true;
      return;
    }
    const Destination closed = destination();
    stack_.pop_back();
    if (closed == Destination::FontTable && destination() != Destination::FontTable) {
      commitFont();
    }
    if (closed == Destination::Picture && destination() == Destination::Body) addPicture();
  }

  void readText() {
    const std::size_t start = pos_;
    while (pos_ < in_.size() && !endsText(in_[pos_])) ++pos_;
    std::string_view text = in_.substr(start, pos_ - start);
    ignorable_ = false;
    const std::size_t fallback = std::min<std::size_t>(fallbackLeft_, text.size());
    fallbackLeft_ -= static_cast<int>(fallback);
    text.remove_prefix(fallback);
    if (text.empty() || skipping()) return;
    switch (destination()) {
      case Destination::Body: addBodyBytes(text); break;
      case Destination::FontTable: addFontNameText(text); break;
      case Destination::ColourTable:
        for (auto n = std::count(text.begin(), text.end(), ';'); n > 0; --n) commitColour();
        break;
      case Destination::Picture: addHex(text); break;
      case Destination::Skip: break;
    }
  }

  // After a backslash.
  void readControl() {
    if (pos_ == in_.size()) {
      damaged_ = true;
      return;
    }
    const char c = in_[pos_];
    if (isLetter(c)) {
      readControlWord();
      return;
    }
    ++pos_;
    ignorable_ = c == '*';
    if (c == '\'') readHexByte();
    if (c == '\'' || c == '*') return;
    if (consumedByFallback() || skipping()) return;
    switch (c) {
      case '\\': case '{': case '}': addEscapedByte(c); break;
      case '~': addUnit(u'\u00A0'); break;
      case '-': addUnit(u'\u00AD'); break;
      case '_': addUnit(u'\u2011'); break;
      case '\r': case '\n': paragraphBreak(); break;
      default: break;
    }
  }

  void readControlWord() {
    const std::size_t start = pos_;
    while (pos_ < in_.size() && isLetter(in_[pos_])) ++pos_;
    const std::string_view name = in_.substr(start, pos_ - start);
    const Param param = readParam();
    if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
    const bool ignorable = std::exchange(ignorable_, false);
    if (name == "bin") {
      readBinary(param);
      return;
    }
    if (consumedByFallback() || skipping()) return;
    const auto found = wordTable().find(name);
    if (found != wordTable().end()) {
      onWord(found->second, param, ignorable);
    } else if (ignorable) {
      state().destination = Destination::Skip;
    }
  }

  Param readParam() {
    Param param;
    const bool negative = pos_ + 1 < in_.size() && in_[pos_] == '-' && isDigit(in_[pos_ + 1]);
    if (negative) ++pos_;
    std::int64_t value = 0;
    while (pos_ < in_.size() && isDigit(in_[pos_])) {
      param.given = true;
      if (value <= kMaxNumber) value = value * 10 + (in_[pos_] - '0');
      ++pos_;
    }
    if (value > kMaxNumber) {
      damaged_ = true;
      value = kMaxNumber;
    }
    param.value = static_cast<int>(negative ? -value : value);
    return param;
  }

  // After "\'": a broken escape takes the hex digits it has.
  void readHexByte() {
    const int high = readHexDigit();
    const int low = high < 0 ? -1 : readHexDigit();
    if (low < 0) {
      damaged_ = true;
      return;
    }
    if (consumedByFallback() || skipping()) return;
    addEscapedByte(static_cast<char>(high << 4 | low));
  }

  int readHexDigit() {
    const int value = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
    if (value >= 0) ++pos_;
    return value;
  }

  void readBinary(const Param& param) {
    const std::size_t left = in_.size() - pos_;
    if (param.value < 0 || static_cast<std::size_t>(param.value) > left) damaged_ = true;
    const std::size_t length = std::min<std::size_t>(std::max(param.value, 0), left);
    const std::string_view data = in_.substr(pos_, length);
    pos_ += length;
    if (consumedByFallback() || skipping()) return;
    if (destination() == Destination::Picture) picture_.data += data;
  }

  void checkTrailer() {
    const bool blank = std::all_of(in_.begin() + static_cast<std::ptrdiff_t>(pos_), in_.end(),
                                   [](char c) { return c == '\0' || c == ' ' || c == '\t' ||
                                                       c == '\r' || c == '\n'; });
    if (!blank) damaged_ = true;
  }

  // --- control words ---

  void onWord(const WordInfo& info, const Param& param, bool ignorable) {
    switch (info.word) {
      case Word::FontTable:
        state().destination = Destination::FontTable;
        return;
      case Word::ColourTable:
        state().destination = Destination::ColourTable;
        colours_.clear();
        colourDraft_.reset();
        return;
      case Word::Picture:
        state().destination = Destination::Picture;
        picture_ = {};
        return;
      case Word::SkippedDestination:
        state().destination = Destination::Skip;
        return;
      case Word::TransparentDestination:
        return;
      default:
        break;
    }
    if (ignorable) {  // \* before a word that is no destination we know
      state().destination = Destination::Skip;
      return;
    }
    for (const auto handler : {&Reader::onDocumentWord, &Reader::onTableWord, &Reader::onPictureWord,
                               &Reader::onCharWord, &Reader::onParagraphWord, &Reader::onTextWord}) {
      if ((this->*handler)(info, param)) return;
    }
  }

  bool onDocumentWord(const WordInfo& info, const Param& param) {
    switch (info.word) {
      case Word::Ansi: ansiCodePage_ = 1252; return true;
      case Word::Mac: ansiCodePage_ = 10000; return true;
      case Word::Pc: ansiCodePage_ = 437; return true;
      case Word::Pca: ansiCodePage_ = 850; return true;
      case Word::AnsiCodePage: ansiCodePage_ = param.value; return true;
      case Word::DefaultFont:
        defaultFont_ = param.value;
        state().chars.font = defaultFont_;
        return true;
      default: return false;
    }
  }

  bool onTableWord(const WordInfo& info, const Param& param) {
    const auto colourPart = [&] { return static_cast<std::uint8_t>(clampInt(param.value, 0, 255)); };
    switch (info.word) {
      case Word::Font:
        if (destination() == Destination::FontTable) {
          commitFont();
          fontDraft_.emplace().number = param.value;
        } else {
          state().chars.font = param.value;
        }
        return true;
      case Word::Charset:
        if (fontDraft_) fontDraft_->charset = param.value;
        return true;
      case Word::Red: colourDraft().red = colourPart(); return true;
      case Word::Green: colourDraft().green = colourPart(); return true;
      case Word::Blue: colourDraft().blue = colourPart(); return true;
      default: return false;
    }
  }

  bool onPictureWord(const WordInfo& info, const Param& param) {
    switch (info.word) {
      case Word::Png: picture_.kind = ImageKind::Png; return true;
      case Word::Jpeg: picture_.kind = ImageKind::Jpeg; return true;
      case Word::OtherPicture: picture_.kind.reset(); return true;
      case Word::GoalWidth: picture_.goalWidth = std::max(param.value, 0); return true;
      case Word::GoalHeight: picture_.goalHeight = std::max(param.value, 0); return true;
      case Word::ScaleX: picture_.scaleX = std::max(param.value, 0); return true;
      case Word::ScaleY: picture_.scaleY = std::max(param.value, 0); return true;
      default: return false;
    }
  }

  bool onCharWord(const WordInfo& info, const Param& param) {
    CharState& chars = state().chars;
    switch (info.word) {
      case Word::Plain: chars = CharState{.font = defaultFont_}; return true;
      case Word::Bold: chars.bold = param.on(); return true;
      case Word::Italic: chars.italic = param.on(); return true;
      case Word::Underline: chars.underline = param.on(); return true;
      case Word::UnderlineNone: chars.underline = false; return true;
      case Word::Strike: chars.strikeOut = param.on(); return true;
      case Word::FontSize:
        chars.heightTwips = halfPointTwips(param.valueOr(kDefaultFontSize), 1);
        return true;
      case Word::Colour: chars.colour = param.value; return true;
      case Word::Superscript: chars.position = VerticalPosition::Superscript; return true;
      case Word::Subscript: chars.position = VerticalPosition::Subscript; return true;
      case Word::NoSuperSub: chars.position = VerticalPosition::Normal; return true;
      case Word::Up:
        chars.offsetTwips = halfPointTwips(param.valueOr(kDefaultOffset), -kMaxHalfPoints);
        return true;
      case Word::Down:
        chars.offsetTwips = -halfPointTwips(param.valueOr(kDefaultOffset), -kMaxHalfPoints);
        return true;
      case Word::ExactHeight:
        if (param.given) {
          chars.heightTwips = clampInt(param.value, 1, kMaxHalfPoints * kTwipsPerHalfPoint);
        }
        return true;
      case Word::ExactOffset:
        chars.offsetTwips = clampInt(param.value, -kMaxHalfPoints * kTwipsPerHalfPoint,
                                     kMaxHalfPoints * kTwipsPerHalfPoint);
        return true;
      default: return false;
    }
  }

  bool onParagraphWord(const WordInfo& info, const Param& param) {
    ParagraphState& paragraph = state().paragraph;
    switch (info.word) {
      case Word::Pard: paragraph = {}; return true;
      case Word::AlignLeft: paragraph.alignment = Alignment::Left; return true;
      case Word::AlignCentre: paragraph.alignment = Alignment::Centre; return true;
      case Word::AlignRight: paragraph.alignment = Alignment::Right; return true;
      case Word::Justify: paragraph.alignment = Alignment::Justified; return true;
      case Word::LeftIndent: paragraph.leftIndentTwips = param.value; return true;
      case Word::RightIndent: paragraph.rightIndentTwips = param.value; return true;
      case Word::FirstIndent: paragraph.firstLineIndentTwips = param.value; return true;
      case Word::TabStop:
        if (paragraph.tabCount < kMaxTabStops) {
          tabLinks_.push_back({param.value, paragraph.lastTab});
          paragraph.lastTab = tabLinks_.size() - 1;
          ++paragraph.tabCount;
        }
        return true;
      default: return false;
    }
  }

  bool onTextWord(const WordInfo& info, const Param& param) {
    switch (info.word) {
      case Word::ParagraphBreak: paragraphBreak(); return true;
      case Word::Character: addUnit(info.character); return true;
      case Word::Unicode: {
        const int code = param.value < 0 ? param.value + 0x10000 : param.value;
        addUnit(code >= 0 && code <= 0xFFFF ? static_cast<char16_t>(code) : u'\uFFFD');
        fallbackLeft_ = state().unicodeSkip;
        return true;
      }
      case Word::UnicodeSkip: state().unicodeSkip = std::max(param.value, 0); return true;
      default: return false;
    }
  }

  // --- what the tokens build ---

  int codePageOf(std::optional<int> charset) const {
    return codePageOfCharset(charset, ansiCodePage_);
  }

  int codePageOfFont(int font) const {
    const auto found = fonts_.find(font);
    return codePageOf(found == fonts_.end() ? std::nullopt : found->second.charset);
  }

  void commitFont() {
    if (!fontDraft_) return;
    fontDraft_->name.settle(codePageOf(fontDraft_->charset));
    std::u16string_view name = fontDraft_->name.text;
    const auto first = name.find_first_not_of(u' ');
    name = first == name.npos ? std::u16string_view{} : name.substr(first);
    name = name.substr(0, name.find_last_not_of(u' ') + 1);
    fonts_.insert_or_assign(fontDraft_->number, FontEntry{fontDraft_->charset, toUtf8(name)});
    fontDraft_.reset();
  }

  // Text of the font table: names, each ended by ';'.
  void addFontNameText(std::string_view text) {
    while (!text.empty()) {
      const auto end = text.find(';');
      if (fontDraft_) fontDraft_->name.bytes += text.substr(0, end);
      if (end == text.npos) return;
      commitFont();
      text.remove_prefix(end + 1);
    }
  }

  Rgb& colourDraft() {
    if (!colourDraft_) colourDraft_.emplace();
    return *colourDraft_;
  }

  // A colour table entry without any of \red, \green, \blue is the automatic colour.
  void commitColour() {
    colours_.push_back(colourDraft_);
    colourDraft_.reset();
  }

  void addHex(std::string_view text) {
    for (const char c : text) {
      const int nibble = hexValue(c);
      if (nibble < 0) continue;
      if (picture_.pendingNibble < 0) {
        picture_.pendingNibble = nibble;
      } else {
        picture_.data += static_cast<char>(picture_.pendingNibble << 4 | nibble);
        picture_.pendingNibble = -1;
      }
    }
  }

  CharFormat formatOf(const CharState& chars) const {
    CharFormat format;
    if (const auto font = fonts_.find(chars.font); font != fonts_.end()) {
      format.face = font->second.face;
    }
    format.heightTwips = chars.heightTwips;
    format.bold = chars.bold;
    format.italic = chars.italic;
    format.underline = chars.underline;
    format.strikeOut = chars.strikeOut;
    if (chars.colour >= 0 && static_cast<std::size_t>(chars.colour) < colours_.size()) {
      format.colour = colours_[static_cast<std::size_t>(chars.colour)];
    }
    format.position = chars.position;
    format.offsetTwips = chars.offsetTwips;
    return format;
  }

  ParagraphFormat formatOf(const ParagraphState& paragraph) const {
    ParagraphFormat format{paragraph.alignment, paragraph.leftIndentTwips,
                           paragraph.rightIndentTwips, paragraph.firstLineIndentTwips, {}};
    for (std::size_t link = paragraph.lastTab; link != kNoTab; link = tabLinks_[link].previous) {
      format.tabStopsTwips.push_back(tabLinks_[link].stopTwips);
    }
    std::reverse(format.tabStopsTwips.begin(), format.tabStopsTwips.end());
    return format;
  }

  // Starts a new run when the character format changed since the current one began.
  void syncRun() {
    if (runOpen_ && state().chars == runChars_) return;
    flushRun();
    runChars_ = state().chars;
    runCodePage_ = codePageOfFont(runChars_.font);
    runOpen_ = true;
  }

  void flushRun() {
    if (!runOpen_) return;
    runOpen_ = false;
    runText_.settle(runCodePage_);
    if (runText_.text.empty()) return;
    addRun(Run{formatOf(runChars_), std::move(runText_.text), std::nullopt});
    runText_.text.clear();
  }

  void addRun(Run&& run) {
    if (!run.image && !runs_.empty() && !runs_.back().image && runs_.back().format == run.format) {
      runs_.back().text += run.text;
    } else {
      runs_.push_back(std::move(run));
    }
  }

  void addBodyBytes(std::string_view bytes) {
    syncRun();
    runText_.bytes += bytes;
  }

  // A byte from \'hh or an escaped symbol: text, never a delimiter.
  void addEscapedByte(char byte) {
    if (destination() == Destination::Body) {
      addBodyBytes(std::string_view(&byte, 1));
    } else if (destination() == Destination::FontTable && fontDraft_) {
      fontDraft_->name.bytes += byte;
    }
  }

  void addUnit(char16_t unit) {
    if (destination() == Destination::Body) {
      syncRun();
      runText_.addUnit(unit, runCodePage_);
    } else if (destination() == Destination::FontTable && fontDraft_) {
      fontDraft_->name.addUnit(unit, codePageOf(fontDraft_->charset));
    }
  }

  void addPicture() {
    if (!picture_.kind || picture_.data.empty()) return;
    flushRun();
    const auto scaled = [](int goal, int scale) {
      return clampInt(std::int64_t{goal} * scale / 100, 0, kMaxNumber);
    };
    Image image{*picture_.kind, std::move(picture_.data), scaled(picture_.goalWidth, picture_.scaleX),
                scaled(picture_.goalHeight, picture_.scaleY)};
    addRun(Run{formatOf(state().chars), u"", std::move(image)});
    picture_ = {};
  }

  void endParagraph(const ParagraphState& paragraph) {
    flushRun();
    document_.paragraphs.push_back(Paragraph{formatOf(paragraph), std::move(runs_)});
    runs_.clear();
  }

  void paragraphBreak() {
    if (destination() == Destination::Body) endParagraph(state().paragraph);
  }

  // The last paragraph needs no \par; an empty one after the last \par is no paragraph.
  void finishDocument(const ParagraphState& paragraph) {
    flushRun();
    if (!runs_.empty()) endParagraph(paragraph);
  }

  std::string_view in_;
  std::size_t pos_ = 0;
  bool damaged_ = false;
  bool finished_ = false;      // the document's group has closed
  bool ignorable_ = false;     // the last token was \*
  int fallbackLeft_ = 0;       // characters still to skip after \uN
  std::vector<GroupState> stack_;  // one per open group
  std::vector<TabLink> tabLinks_;

  int ansiCodePage_ = 1252;
  int defaultFont_ = 0;
  std::unordered_map<int, FontEntry> fonts_;
  std::optional<FontDraft> fontDraft_;
  std::vector<std::optional<Rgb>> colours_;
  std::optional<Rgb> colourDraft_;
  PictureDraft picture_;

  bool runOpen_ = false;
  CharState runChars_;
  int runCodePage_ = 0;
  PendingText runText_;
  std::vector<Run> runs_;
  RtfDocument document_;
};

}  // namespace

RtfReadResult readRtf(std::string_view bytes) { return Reader(bytes).read(); }

}  // namespace wabunko::rtf
