// The edit controls' document layout offscreen: its lines and places against Qt's own
// layout of the same text and page, in rows and in columns and in every wrap mode, and
// what it lays out (what is shown or asked about, not the whole text).
#include "platform/OnDemandDocumentLayout.h"
#include "platform/RichTextEdit.h"
#include "platform/VerticalTextEdit.h"
#include "ReferenceLayout.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

namespace wabunko {
namespace {

// Japanese and Latin text, long paragraphs that wrap, an empty one, forced line breaks,
// and paragraphs with margins, a first-line indent, an indent level, alignment, a larger
// font and space above and below.
void fill(QTextDocument& document) {
  QFont font(QStringLiteral("Noto Sans CJK JP"));
  font.setPixelSize(16);
  document.setDefaultFont(font);
  QTextCursor c(&document);
  const QString paragraph = QStringLiteral("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
                                           "Latin words that wrap at spaces 2026、「括弧」も入る。");
  const auto add = [&](const QString& text, const QTextBlockFormat& format = {}, const QTextCharFormat& chars = {}) {
    if (!document.isEmpty()) c.insertBlock();
    c.setBlockFormat(format);
    c.insertText(text, chars);
  };
  add(QStringLiteral("短い行"));
  add(paragraph + paragraph);
  add(QString());
  add(QStringLiteral("forced\u2028break and\u2028"));
  QTextBlockFormat margins;
  margins.setLeftMargin(30);
  margins.setRightMargin(12);
  margins.setTextIndent(24);
  margins.setTopMargin(6);
  margins.setBottomMargin(9);
  add(paragraph, margins);
  QTextBlockFormat indented;
  indented.setIndent(2);
  indented.setAlignment(Qt::AlignRight);
  add(paragraph, indented);
  QTextCharFormat large;
  large.setFontPointSize(22);
  add(paragraph, QTextBlockFormat(), large);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  add(paragraph + QStringLiteral("最後"), centred);
}

struct Case {
  bool columns;
  EditControl::Wrap wrap;
};

class LaidOutLikeQt : public testing::TestWithParam<Case> {
protected:
  LaidOutLikeQt() {
    fill(text);
    if (GetParam().columns) control = std::make_unique<VerticalTextEdit>();
    else control = std::make_unique<RichTextEdit>();
    control->setDocument(&text);
    control->widget()->resize(320, 260);
    control->setWrap(GetParam().wrap, 230);
    control->widget()->show();
    QApplication::processEvents();
  }
  QTextDocument text;
  std::unique_ptr<DocumentEditControl> control;
};

TEST_P(LaidOutLikeQt, LinesBreakWhereQtsLayoutBreaksThem) {
  const std::vector<int> starts = referenceLineStarts(text);
  if (GetParam().wrap != EditControl::Wrap::None) ASSERT_GT(starts.size(), 20u) << "paragraphs wrap";
  ASSERT_EQ(control->lineCount(), static_cast<int>(starts.size()));
  for (std::size_t line = 0; line < starts.size(); ++line) {
    const int lineNumber = static_cast<int>(line);
    ASSERT_EQ(control->lineIndex(lineNumber), starts[line]) << line;
    ASSERT_EQ(control->lineFromChar(starts[line]), lineNumber) << line;
  }
}

TEST_P(LaidOutLikeQt, ParagraphsAndHitsStandWhereQtsLayoutPutsThem) {
  const std::unique_ptr<QTextDocument> reference(text.clone());
  QAbstractTextDocumentLayout* qt = reference->documentLayout();
  QAbstractTextDocumentLayout* ours = text.documentLayout();
  ASSERT_TRUE(qobject_cast<OnDemandDocumentLayout*>(ours));
  for (QTextBlock block = text.begin(), other = reference->begin(); block.isValid(); block = block.next(), other = other.next()) {
    SCOPED_TRACE(block.blockNumber());
    const QRectF expected = qt->blockBoundingRect(other);
    const QRectF actual = ours->blockBoundingRect(block);
    EXPECT_NEAR(actual.top(), expected.top(), 0.5);
    EXPECT_NEAR(actual.left(), expected.left(), 0.5);
    EXPECT_NEAR(actual.height(), expected.height(), 0.5);
    // The middle of every line hits the same character in both.
    const QTextLayout* lines = block.layout();
    for (int i = 0; i < lines->lineCount(); ++i) {
      const QPointF middle = actual.topLeft() + lines->lineAt(i).naturalTextRect().center();
      EXPECT_EQ(ours->hitTest(middle, Qt::FuzzyHit), qt->hitTest(middle, Qt::FuzzyHit)) << "line " << i;
    }
  }
  EXPECT_NEAR(ours->documentSize().height(), qt->documentSize().height(), 0.5);
  EXPECT_EQ(ours->hitTest(QPointF(-50, -50), Qt::ExactHit), -1);
}

std::string caseName(const testing::TestParamInfo<Case>& info) {
  static const char* const kWraps[] = {"NoWrap", "WindowEdge", "PrintWidth"};
  return std::string(info.param.columns ? "Columns" : "Rows") + kWraps[static_cast<int>(info.param.wrap)];
}

INSTANTIATE_TEST_SUITE_P(BothDirectionsEveryWrap, LaidOutLikeQt,
                         testing::Values(Case{false, EditControl::Wrap::None}, Case{false, EditControl::Wrap::WindowEdge},
                                         Case{false, EditControl::Wrap::PrintWidth}, Case{true, EditControl::Wrap::None},
                                         Case{true, EditControl::Wrap::WindowEdge},
                                         Case{true, EditControl::Wrap::PrintWidth}),
                         caseName);

const OnDemandDocumentLayout& layoutOf(const QTextDocument& document) {
  return *qobject_cast<const OnDemandDocumentLayout*>(document.documentLayout());
}

TEST(OnDemandDocumentLayout, LaysOutWhatIsShownOrAskedAboutAndTheEditedParagraph) {
  QString many;
  for (int i = 0; i < 5000; ++i) many += QStringLiteral("第%1段、折り返すほど長くはない行。\n").arg(i);
  RichTextEdit edit;
  edit.resize(300, 200);
  edit.setWrap(EditControl::Wrap::PrintWidth, 250);
  edit.show();
  edit.streamIn([&many](QTextDocument& document) { QTextCursor(&document).insertText(many); });
  QApplication::processEvents();
  const OnDemandDocumentLayout& layout = layoutOf(*edit.document());
  const int shown = layout.laidOutCount();
  EXPECT_GT(shown, 0);
  EXPECT_LT(shown, 40) << "the window shows a few paragraphs";

  // To the middle and typing there: the paragraphs shown there and the edited one.
  edit.setSel(many.size() / 2, many.size() / 2);
  edit.ensureCursorVisible();
  QApplication::processEvents();
  const int afterJump = layout.laidOutCount();
  EXPECT_LT(afterJump, 2 * shown + 4);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("あ"));
  QApplication::sendEvent(&edit, &key);
  QApplication::processEvents();
  EXPECT_LE(layout.laidOutCount(), afterJump + 1);
  // What is laid out stands without gaps or overlaps: each paragraph right under the last.
  const QTextBlock caret = edit.textCursor().block();
  const QAbstractTextDocumentLayout* places = edit.document()->documentLayout();
  EXPECT_DOUBLE_EQ(places->blockBoundingRect(caret.next()).top(), places->blockBoundingRect(caret).bottom());
  EXPECT_DOUBLE_EQ(places->blockBoundingRect(caret).top(), places->blockBoundingRect(caret.previous()).bottom());
  // The caret shows where it is, in the window.
  EXPECT_TRUE(edit.viewport()->rect().contains(edit.cursorRect().center()));
  EXPECT_EQ(places->hitTest(places->blockBoundingRect(caret).center(), Qt::FuzzyHit) >= caret.position(), true);
}

// The sample text shown by a control of each kind, wrapped at the print width.
template <class Edit>
struct Shown {
  Shown() {
    fill(text);
    edit.setDocument(&text);
    edit.resize(320, 260);
    edit.setWrap(EditControl::Wrap::PrintWidth, 230);
    edit.show();
    QApplication::processEvents();
  }
  QTextDocument text;
  Edit edit;
};

TEST(OnDemandDocumentLayout, APictureTakesTheSizeItsFormatGivesOrItsOwn) {
  Shown<RichTextEdit> shown;
  QTextDocument& text = shown.text;
  text.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("picture")), QImage(20, 10, QImage::Format_RGB32));
  const auto widthOf = [&](const QTextImageFormat& format) {
    QTextCursor c(&text);
    c.movePosition(QTextCursor::End);
    c.insertBlock();
    c.insertImage(format);
    const QTextBlock block = text.lastBlock();
    text.documentLayout()->blockBoundingRect(block);
    return std::pair{block.layout()->lineAt(0).naturalTextWidth(), block.layout()->lineAt(0).height()};
  };
  QTextImageFormat own;
  own.setName(QStringLiteral("picture"));
  const auto [ownWidth, ownHeight] = widthOf(own);
  EXPECT_DOUBLE_EQ(ownWidth, 20);
  EXPECT_GE(ownHeight, 10);
  QTextImageFormat wider = own;
  wider.setWidth(40);  // the height follows
  const auto [width, height] = widthOf(wider);
  EXPECT_DOUBLE_EQ(width, 40);
  EXPECT_GE(height, 20);
}

TEST(OnDemandDocumentLayout, AQuestionAskedWhileTheDocumentReportsAChangeForgetsNothing) {
  Shown<VerticalTextEdit> shown;
  QTextDocument& text = shown.text;
  VerticalTextEdit& edit = shown.edit;
  const int lines = edit.lineCount();
  const OnDemandDocumentLayout& layout = layoutOf(text);
  const int generation = layout.generation();
  // Asked before the layout hears of the change (a new paragraph): the answer is the one
  // from before it.
  QRectF asked;
  QObject::connect(&text, &QTextDocument::contentsChange, &edit,
                   [&] { asked = text.documentLayout()->blockBoundingRect(text.lastBlock()); });
  const QRectF last = text.documentLayout()->blockBoundingRect(text.lastBlock());
  edit.setSel(3, 3);
  edit.replaceSel(QStringLiteral("\n"), true);
  EXPECT_EQ(asked.top(), last.top());
  EXPECT_EQ(layout.generation(), generation);
  EXPECT_EQ(edit.lineCount(), lines + 1);
  EXPECT_EQ(edit.lineCount(), static_cast<int>(referenceLineStarts(text).size()));
}

TEST(OnDemandDocumentLayout, APageSetAgainKeepsTheLinesAndANewWidthForgetsThem) {
  Shown<RichTextEdit> shown;
  QTextDocument& text = shown.text;
  RichTextEdit& edit = shown.edit;
  const OnDemandDocumentLayout& layout = layoutOf(text);
  const int generation = layout.generation();
  text.setPageSize(text.pageSize());
  EXPECT_EQ(layout.generation(), generation);
  EXPECT_EQ(edit.lineCount(), static_cast<int>(referenceLineStarts(text).size()));
  edit.setWrap(EditControl::Wrap::PrintWidth, 150);
  EXPECT_GT(layout.generation(), generation);
  EXPECT_EQ(edit.lineCount(), static_cast<int>(referenceLineStarts(text).size()));
}

}  // namespace
}  // namespace wabunko
