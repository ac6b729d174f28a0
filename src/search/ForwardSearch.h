#pragma once
// The forward find of a document, in search passes. A pass begins where the first find
// after a new start begins, runs from there to the end of the text and then from the top
// up to where it began, and ends when a find fails (or is ended): the next find starts a
// new one. An occurrence found after the turn to the top never overlaps the first one the
// pass found below its start, so a pass meets each occurrence once.

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QTextDocument;

namespace wabunko {

class ForwardSearch {
public:
  // The start of the next occurrence of `what` at or after `from` within the pass (one
  // begins at `from` if none is running); nothing when the pass has none left.
  std::optional<int> find(const QTextDocument& document, int from, const QString& what, bool matchCase);

  // Every occurrence the pass has left from `from` on, in the order it meets them.
  std::vector<int> findAll(const QTextDocument& document, int from, const QString& what, bool matchCase);

  // Begins a pass at `start` now; `firstMatch`, when given, is an occurrence there that
  // counts as met already.
  void begin(int start, int firstMatch = -1);
  // Ends the pass: the next find begins a new one.
  void end() { running_ = false; }
  bool running() const { return running_; }
  // `delta` characters were inserted (or, negative, removed) at `at`: the pass's marks
  // behind that place move with the text.
  void shift(int at, int delta);

private:
  void scan(const QTextDocument& document, int from, const QString& what, bool matchCase,
            const std::function<bool(int)>& found);

  bool running_ = false;
  bool wrapped_ = false;
  int start_ = 0;
  int firstMatch_ = -1;  // the first occurrence at or after start_, once found
};

}  // namespace wabunko
