#pragma once
// The layout of the edit controls' documents: paragraphs one under another, each laid out
// only when something asks about it (painting, hit testing, its rectangle), so opening,
// typing and scrolling cost what the paragraphs in question cost, not what the document
// costs. A paragraph not laid out yet stands at an estimated height; the heights sit in
// running sums, so the top of any paragraph and the paragraph at any height take O(log n),
// and a paragraph that changes moves all those below it in O(log n).
//
// Paragraphs are placed as Qt's own document layout places them in a document without
// frames, tables or lists: the document margin around the text, the paragraph's margins,
// indent and first-line indent, its alignment and line height, with the same line width,
// so lines break at the same places.

#include "doc/RunningSums.h"

#include <QAbstractTextDocumentLayout>
#include <QBasicTimer>
#include <QFont>
#include <QList>
#include <QTextOption>
#include <vector>

class QTextDocument;

namespace wabunko {

class OnDemandDocumentLayout : public QAbstractTextDocumentLayout {
  Q_OBJECT
  // Read by Qt's text control for the caret.
  Q_PROPERTY(int cursorWidth READ cursorWidth WRITE setCursorWidth)
public:
  explicit OnDemandDocumentLayout(QTextDocument* document);
  ~OnDemandDocumentLayout() override;
  // Gives `document` this layout unless it has it already.
  static void install(QTextDocument& document);

  void draw(QPainter* painter, const PaintContext& context) override;
  int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
  int pageCount() const override;
  QSizeF documentSize() const override;
  QRectF frameBoundingRect(QTextFrame* frame) const override;
  QRectF blockBoundingRect(const QTextBlock& block) const override;

  int cursorWidth() const { return cursorWidth_; }
  void setCursorWidth(int width) { cursorWidth_ = width; }
  // Counts the times every paragraph's lines were forgotten at once (a new page width,
  // font or text option, or a change too large to follow paragraph by paragraph).
  int generation() const { return generation_; }
  // How many paragraphs are laid out now.
  int laidOutCount() const;

protected:
  void documentChanged(int from, int charsRemoved, int charsAdded) override;
  void timerEvent(QTimerEvent* event) override;

private:
  // What the lines of every paragraph depend on besides its own text and formats.
  struct PageKey {
    QSizeF page;
    QFont font;
    QTextOption::WrapMode wrapMode = QTextOption::NoWrap;
    QTextOption::Flags flags;
    Qt::Alignment alignment;
    qreal tabStop = 0;
    QList<QTextOption::Tab> tabs;
    qreal margin = 0;
    qreal indentWidth = 0;
    bool designMetrics = false;
    bool operator==(const PageKey&) const = default;
  };
  PageKey pageKey() const;
  // Whether the paragraphs kept here are the document's. They are not between a change
  // and the document's report of it, when someone asks from a handler of the document's
  // own change signal: the answers are then those from before the change, as in Qt's
  // layout, with paragraph numbers past the last known standing at the last.
  bool inStep() const;
  int known(int number) const;
  // Forgets every paragraph's lines: all stand at their estimated heights.
  void reset() const;
  // Lays `block` out if it is not; its height may change, and everything below it moves.
  void ensureLaidOut(const QTextBlock& block, int number) const;
  void layOut(const QTextBlock& block, int number) const;
  // Records the height of paragraph `number`: `lines` for its lines, plus its space above.
  void setHeight(const QTextBlock& block, int number, qreal lines) const;
  // Space kept above a paragraph: the larger of its top margin and the bottom margin of
  // the paragraph before it.
  qreal spaceAbove(const QTextBlock& block) const;
  qreal estimatedLinesHeight(const QTextBlock& block) const;
  // The width lines may take in the page, and where they start, with no paragraph margins.
  qreal pageLineWidth() const;
  qreal margin() const;
  // Top of the space a paragraph takes (above its top margin), in document coordinates.
  qreal slotTop(int number) const;
  QPointF origin(int number) const;
  // The paragraph taking up height `y`, laid out (the last one below the text).
  QTextBlock blockAt(qreal y) const;
  void heightsChanged() const;

  // Per paragraph: the height it takes (space above and lines), the space above alone,
  // and whether its lines are laid out.
  mutable RunningSums<qreal> heights_;
  mutable std::vector<qreal> spaces_;
  mutable std::vector<char> laidOut_;
  mutable PageKey key_;
  mutable int generation_ = 0;
  mutable qreal widest_ = 0;
  mutable qreal lineEstimate_ = 0;
  mutable qreal charEstimate_ = 0;
  mutable QSizeF reportedSize_;
  mutable QBasicTimer sizeTimer_;
  int cursorWidth_ = 1;
};

}  // namespace wabunko
