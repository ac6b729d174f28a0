#pragma once
// The text tools and conversions of a view: each takes text from the view's control,
// rewrites its Shift-JIS bytes and puts the result back; also the signature, the clipboard
// appends, Cut's record and reading the file again in another code.

#include <QString>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace wabunko {

class CWabunkoView;

class TextToolCommands {
 public:
  explicit TextToolCommands(CWabunkoView& view) : view_(view) {}

  // Line Length: breaks the lines of the whole text after `length` columns.
  void breakLines(int length);
  void removeTrailingBlanks();
  void prefixSelectedLines(const QString& prefix);
  void insertSignature();
  void appendToClipboard(bool cut);
  void cutWithClipRecord();
  // The conversions work on the selection, or on the whole text unless "Convert Only
  // Selected" is set.
  void convertSelection(std::string (*convert)(std::string_view));
  void convertPunctuation();
  void reopen();

 private:
  // Whole lines of the text being rewritten, as Shift-JIS bytes with their own side table.
  struct ByteRun {
    std::string_view bytes;
    std::string_view shared;  // rewrite's `shared`, in the run's bytes
    std::size_t offset;       // where `bytes` start among the bytes of all runs
    std::size_t total;        // the bytes of all runs
    bool first() const { return offset == 0; }
    bool last() const { return offset + bytes.size() == total; }
  };
  // Replaces [start, end) by what `convert` makes of its Shift-JIS bytes (nothing: leave
  // it), without undo; characters outside code page 932 survive through a side table. Text
  // with more of them than one side table holds goes through `convert` in runs of whole
  // lines, so `convert` must treat each line alike whatever comes before it. When a single
  // line (with `shared`) has too many, the user is told and nothing changes.
  using ByteConversion = std::function<std::optional<std::string>(const ByteRun&)>;
  void rewrite(int start, int end, const ByteConversion& convert, const QString& shared = {});
  void convertSelectionBytes(const ByteConversion& convert);

  CWabunkoView& view_;
};

}  // namespace wabunko
