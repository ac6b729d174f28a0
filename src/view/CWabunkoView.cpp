#include "CWabunkoView.h"

#include "doc/CWabunkoDoc.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/RichTextEdit.h"
#include "platform/VerticalTextEdit.h"
#include "platform/StandardCommands.h"
#include "platform/CommandRouter.h"
#include "platform/InputMethod.h"
#include "view/ViewCommands.h"
#include "view/DisplaySettings.h"
#include "view/LineNumberGutter.h"
#include "view/ScrollLink.h"
#include "view/ViewHost.h"
#include "view/ViewHotKeys.h"
#include "platform/ChildFrame.h"
#include "settings/WindowCommands.h"
#include "view/ViewPrinting.h"
#include "doc/TextConversions.h"
#include "frame/CommandTable.h"
#include "frame/FrameCommands.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPrinter>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTimer>
#include <QTextCursor>
#include <vector>
#include <QTextDocument>
#include <QStackedLayout>

namespace wabunko {

CWabunkoView::CWabunkoView(Document* document, ViewHost& host, SettingsStore& store)
    : View(document),
      host_(host),
      store_(store),
      horizontal_(new RichTextEdit(this)),
      vertical_(new VerticalTextEdit(this)),
      edit_(horizontal_),
      display_(store, {horizontal_, vertical_}),
      insertMode_(host),
      textTools_(*this),
      navigation_([this]() -> EditControl& { return *edit_; }, [this] { gutter_->paint(); }, this),
      format_({[this]() -> EditControl& { return *edit_; },
               [this] {
                 if (CWabunkoDoc* doc = this->document()) doc->m_bRTF = true;
               }},
              host, store),
      keyboardAids_({[this]() -> EditControl& { return *edit_; }, [this] { return host_.autoIndent(); },
                     [this] { return host_.autoBrace(); }, [this] { gutter_->paint(); },
                     [this](QObject* control, QKeyEvent* key) {
                       // In columns the arrows follow the columns; everything else is the control's.
                       if (!navigation_.handleVerticalArrow(*key)) control->event(key);
                     }}) {
  // Hot keys run after the key that brought them has been handled.
  const auto post = [this](int id) { QTimer::singleShot(0, this, [this, id] { host_.router().dispatch(id); }); };
  hotKeys_ = new ViewHotKeys(host.hotKeyService(), store,
                             {post, [this](int id) { moveCaretByHotKey(id); },
                              [this](int id) { QTimer::singleShot(0, this, [this, id] { childWindowCommand(id); }); }},
                             this);
  // The text belongs to the view and is shown by one control at a time.
  horizontal_->setDocument(new QTextDocument(this));
  auto* layout = new QStackedLayout(this);
  layout->setStackingMode(QStackedLayout::StackAll);
  for (QAbstractScrollArea* control : std::initializer_list<QAbstractScrollArea*>{horizontal_, vertical_}) {
    layout->addWidget(control);
    control->setAccessibleName(tr("本文"));
    control->installEventFilter(this);
    control->viewport()->installEventFilter(this);
  }
  vertical_->hide();
  setFocusProxy(horizontal_);

  // Creation, in order: composition colours, the read-only choice, the default font,
  // wrap mode, tab stops and indents, writing direction, background.
  display_.applyCompositionStyles();
  if (readInt(store, settings::ImeAuto) != 0)
    InputMethod().openWhenReady(horizontal_, [this](InputMethod::State) { host_.showImeStatus(); });
  if (CWabunkoDoc* doc = this->document()) {
    connect(edit_->textDocument(), &QTextDocument::modificationChanged, doc, &Document::modifiedChanged);
    // Undoing back to the saved text takes the mark away again.
    connect(edit_->textDocument(), &QTextDocument::modificationChanged, this, [this](bool modified) {
      if (!modified) host_.setModifiedMark(childFrame(), false);
    });
  }
  display_.apply(*edit_);
  gutter_ = new LineNumberGutter(*edit_, [this] { return host_.drawsLineNumbers(); }, store, this);
  scrollLink_ = new ScrollLink({[this] { return edit_->lineScrollBar(); }, [this] { return scrollLinked != 0; },
                                [this] {
                                  std::vector<ScrollLink*> links;
                                  for (const CWabunkoView* view : host_.firstViews()) links.push_back(view->scrollLink_);
                                  return links;
                                }},
                               this);
  // The controls also scroll on their own: wheel, scroll bar, page keys, following the caret,
  // the scrolling of a linked view.
  for (const DocumentEditControl* control : controls()) {
    connect(control->lineScrollBar(), &QScrollBar::valueChanged, gutter_, &LineNumberGutter::paint);
    scrollLink_->watch(control->lineScrollBar());
  }
  setWordWrap(readInt(store, settings::FrameWordWrap));
  verticalWriting = readInt(store, settings::FrameVertical);
  if (verticalWriting != 0) setVerticalWriting(true);

  connect(edit_->textDocument(), &QTextDocument::contentsChanged, this, &CWabunkoView::onContentsChanged);
  // The status bar and the format bar follow the caret.
  const auto caretMoved = [this] {
    reportCaret(0);
    format_.showCaretFormat();
  };
  connect(horizontal_, &QTextEdit::cursorPositionChanged, this, caretMoved);
  connect(vertical_, &VerticalTextEdit::cursorPositionChanged, this, caretMoved);
  mapCommands();
}

CWabunkoDoc* CWabunkoView::document() const { return static_cast<CWabunkoDoc*>(View::document()); }

EditControl& CWabunkoView::edit() const { return *edit_; }

std::array<DocumentEditControl*, 2> CWabunkoView::controls() const { return {horizontal_, vertical_}; }

void CWabunkoView::showText(const std::function<void(QTextDocument&)>& fill, bool richText, bool readOnly) {
  // No caret report or layout while the control fills, the caret at the start afterwards.
  edit_->streamIn(fill);
  display_.apply(*edit_, richText ? DisplaySettings::Indents::KeepTheText : DisplaySettings::Indents::Apply);
  if (readOnly) {
    edit_->setReadOnly(true);
    display_.applyReadOnlyFont(*edit_);
  }
}

void CWabunkoView::setBackgroundColor(int colorRef) { display_.setBackgroundColor(colorRef); }

void CWabunkoView::applyFontSettings() {
  // A change of font is no change of the text.
  const bool wasModified = edit_->isModified();
  if (document() && document()->m_bReadOnly)
    display_.applyReadOnlyFont(*edit_);
  else
    display_.applyDefaultFont(*edit_);
  display_.applyCompositionStyles();
  edit_->setModified(wasModified);
}

void CWabunkoView::mapCommands() {
  onCommandId(cmd::EditUndo, [this] { edit_->undo(); });
  onCommandId(cmd::EditRedo, [this] { edit_->redo(); });
  onCommandId(cmd::EditCopy, [this] { edit_->copy(); });
  onCommandId(cmd::EditPaste, [this] { edit_->paste(); });
  onCommandId(cmd::EditClear, [this] { edit_->textCursor().removeSelectedText(); });
  onCommandId(cmd::EditSelectAll, [this] { edit_->setSel(0, -1); });

  const auto writable = [this] { return !edit_->isReadOnly(); };
  const auto selection = [this] { return edit_->textCursor().hasSelection(); };
  onUpdateId(cmd::EditUndo, [=, this](CmdUI& ui) { ui.enable(writable() && edit_->textDocument()->isUndoAvailable()); });
  onUpdateId(cmd::EditRedo, [=, this](CmdUI& ui) { ui.enable(writable() && edit_->textDocument()->isRedoAvailable()); });
  onUpdateId(cmd::EditCut, [=](CmdUI& ui) { ui.enable(writable() && selection()); });
  onUpdateId(cmd::EditClear, [=](CmdUI& ui) { ui.enable(writable() && selection()); });
  onUpdateId(cmd::EditCopy, [=](CmdUI& ui) { ui.enable(selection()); });
  onUpdateId(cmd::EditPaste, [=, this](CmdUI& ui) { ui.enable(writable() && edit_->canPaste()); });

  const std::pair<int, int> wraps[] = {{cmd::WrapNone, 0}, {cmd::WrapPrintWidth, 2}, {cmd::WrapWindow, 1}};
  for (const auto& [id, mode] : wraps) {
    onCommandId(id, [this, mode = mode] {
      setWordWrap(mode);
      writeSetting(store_, settings::FrameWordWrap, mode);
    });
    onUpdateId(id, [this, mode = mode](CmdUI& ui) { ui.setCheck(wordWrap_ == mode); });
  }
  onCommandId(cmd::VerticalWriting, [this] { onVerticalWriting(); });
  onUpdateId(cmd::VerticalWriting, [this](CmdUI& ui) { ui.setCheck(verticalWriting != 0); });
  onCommandId(cmd::ReadOnlyToggle, [this] { onToggleReadOnly(); });
  onUpdateId(cmd::ReadOnlyToggle, [this](CmdUI& ui) { ui.setCheck(document() && document()->m_bReadOnly); });
  onCommandId(cmd::ScrollLink, [this] { scrollLinked = !scrollLinked; });
  onUpdateId(cmd::ScrollLink, [this](CmdUI& ui) { ui.setCheck(scrollLinked != 0); });

  mapTextTools();
  mapConversions();
  mapNavigation();
  mapFormatting();
  onCommandId(cmd::InputMethodToggle, [this] {
    InputMethod().toggle();
    host_.showImeStatus();
  });

  onCommandId(cmd::FilePrint, [this] { ViewPrinting::printWithDialog(*edit_, *this); });
  onCommandId(cmd::FilePrintDirect, [this] {
    QPrinter printer;
    print(printer);
  });
  onCommandId(cmd::FilePrintPreview, [this] { printPreview(); });
}

void CWabunkoView::mapTextTools() {
  onCommandId(cmd::ToolLineLength, [this] {
    textTools_.breakLines(host_.lineLength());
  });
  onCommandId(cmd::ToolTrailingBlanks, [this] { textTools_.removeTrailingBlanks(); });
  onCommandId(cmd::ToolQuotationMark, [this] {
    textTools_.prefixSelectedLines(readString(store_, settings::CommandQuotationMark));
  });
  onCommandId(cmd::ToolClipboardPrefix, [this] { textTools_.prefixSelectedLines(QGuiApplication::clipboard()->text()); });
  onCommandId(cmd::ToolSignature, [this] { textTools_.insertSignature(); });
  onCommandId(cmd::ToolAppendCopy, [this] { textTools_.appendToClipboard(false); });
  onCommandId(cmd::ToolAppendCut, [this] { textTools_.appendToClipboard(true); });
  onCommandId(cmd::EditCut, [this] { textTools_.cutWithClipRecord(); });
  const auto writable = [this](CmdUI& ui) { ui.enable(!edit_->isReadOnly()); };
  for (int id : {cmd::ToolLineLength, cmd::ToolTrailingBlanks, cmd::ToolQuotationMark, cmd::ToolClipboardPrefix,
                 cmd::ToolSignature, cmd::ToolAppendCut})
    onUpdateId(id, writable);
}

void CWabunkoView::mapConversions() {
  const std::pair<int, std::string (*)(std::string_view)> conversions[] = {
      {cmd::ConvertUpper, ToUpperCase},
      {cmd::ConvertLower, ToLowerCase},
      {cmd::ConvertFullWidth, ToFullWidth},
      {cmd::ConvertHalfWidth, ToHalfWidth},
  };
  for (const auto& [id, convert] : conversions)
    onCommandId(id, [this, convert = convert] { textTools_.convertSelection(convert); });
  onCommandId(cmd::ConvertPunctuation, [this] { textTools_.convertPunctuation(); });
  onCommandId(cmd::Reopen, [this] { textTools_.reopen(); });
  for (int id : {cmd::ConvertUpper, cmd::ConvertLower, cmd::ConvertFullWidth, cmd::ConvertHalfWidth,
                 cmd::ConvertPunctuation})
    onUpdateId(id, [this](CmdUI& ui) { ui.enable(!edit_->isReadOnly()); });
}

void CWabunkoView::mapNavigation() {
  onCommandId(cmd::JumpFirstLine, [this] { navigation_.toTop(); });
  onCommandId(cmd::JumpLastLine, [this] { navigation_.toBottom(); });
  onCommandId(cmd::JumpToLine, [this] { navigation_.jumpToLine(); });
  onCommandId(cmd::SelectLine, [this] { navigation_.selectLine(); });
  onCommandId(cmd::SelectFromTop, [this] { navigation_.selectFromTop(); });
  onCommandId(cmd::SelectToEnd, [this] { navigation_.selectToEnd(); });
  onCommandId(cmd::SelectFromLineStart, [this] { navigation_.selectFromLineStart(); });
  onCommandId(cmd::SelectToLineEnd, [this] { navigation_.selectToLineEnd(); });
}

void CWabunkoView::mapFormatting() {
  for (auto& [id, command] : format_.commands()) {
    onCommandId(id, std::move(command));
    onUpdateId(id, [this](CmdUI& ui) { ui.enable(!edit_->isReadOnly()); });
  }
}

void CWabunkoView::moveCaretByHotKey(int id) {
  switch (id) {
    case 2212: return navigation_.moveCaretHorizontal(CaretStep::Forward);
    case 2211: return navigation_.moveCaretHorizontal(CaretStep::Backward);
    case 2216: return navigation_.moveCaretHorizontal(CaretStep::LineEnd);
    case 2215: return navigation_.moveCaretHorizontal(CaretStep::LineStart);
    case 2213: return navigation_.moveCaretVertical(CaretLine::Up);
    case 2214: return navigation_.moveCaretVertical(CaretLine::Down);
    default: return;
  }
}

void CWabunkoView::childWindowCommand(int id) {
  ChildFrame* frame = childFrame();
  if (!frame) return;
  switch (id) {
    case syscmd::Maximize: return frame->showMaximized();
    case syscmd::Minimize: return frame->showMinimized();
    case syscmd::Restore: return frame->showNormal();
    case syscmd::Close: frame->close(); return;
    default: return;
  }
}

void CWabunkoView::onInitialUpdate() {
  host_.setModifiedMark(childFrame(), false);
  changeCount = 2;
}

void CWabunkoView::afterStream() {
  format_.showCaretFormat();
  changeCount = 2;
  host_.setModifiedMark(childFrame(), false);
}

void CWabunkoView::onContentsChanged() {
  // The first two notifications of a new view come from its own set-up.
  if (changeCount > 1 && document() && document()->isModified()) host_.setModifiedMark(childFrame(), true);
  ++changeCount;
  gutter_->paint();
}

void CWabunkoView::resizeEvent(QResizeEvent* event) {
  View::resizeEvent(event);
  gutter_->layout();
  gutter_->paint();
}

void CWabunkoView::reportCaret(int extraLine) {
  int start = 0, end = 0;
  edit_->getSel(start, end);
  const int line = edit_->lineFromChar(start);
  host_.showCaret(line + 1 + extraLine, extraLine ? 0 : start - edit_->lineIndex(line));
}

void CWabunkoView::setWordWrap(int mode) {
  wordWrap_ = mode;
  switch (mode) {
    case 0: edit_->setWrap(EditControl::Wrap::None); break;
    case 1: edit_->setWrap(EditControl::Wrap::WindowEdge); break;
    default: edit_->setWrap(EditControl::Wrap::PrintWidth, ViewPrinting::lineLengthPixels(*edit_, *this)); break;
  }
}

void CWabunkoView::setVerticalWriting(bool vertical) {
  DocumentEditControl* from = edit_;
  DocumentEditControl* to = vertical ? static_cast<DocumentEditControl*>(vertical_) : horizontal_;
  if (from == to) return;
  QTextDocument* text = from->textDocument();
  const QTextCursor caret = from->textCursor();
  const bool focused = from->widget()->hasFocus();
  // One layout for one control: the other lets the text go first.
  from->setDocument(nullptr);
  edit_ = to;
  to->setReadOnly(from->isReadOnly());
  to->setOverwriteMode(from->isOverwriteMode());
  to->widget()->show();
  from->widget()->hide();
  setFocusProxy(to->widget());
  to->setDocument(text);
  setWordWrap(wordWrap_);
  gutter_->attach(*to);
  to->setTextCursor(caret);
  if (focused) to->widget()->setFocus();
}

void CWabunkoView::onVerticalWriting() {
  verticalWriting = !verticalWriting;
  setVerticalWriting(verticalWriting != 0);
  writeSetting(store_, settings::FrameVertical, verticalWriting);
}

void CWabunkoView::onToggleReadOnly() {
  CWabunkoDoc* doc = document();
  if (!doc) return;
  doc->m_bReadOnly = !doc->m_bReadOnly;
  edit_->setReadOnly(doc->m_bReadOnly);
  if (!doc->m_bReadOnly) return;  // switching off keeps the read-only font
  // The font change does not count as an edit.
  const bool wasModified = doc->isModified();
  display_.applyReadOnlyFont(*edit_);
  edit_->setSel(0, 0);
  if (!wasModified) doc->setModifiedFlag(false);
}

bool CWabunkoView::eventFilter(QObject* watched, QEvent* event) {
  // A mouse's request reaches the viewport, the keyboard's the control itself.
  if (event->type() == QEvent::ContextMenu &&
      (watched == edit_->widget() || watched == horizontal_->viewport() || watched == vertical_->viewport())) {
    showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  if (watched == edit_->widget()) {
    switch (event->type()) {
      case QEvent::FocusIn:
        insertMode_.follow(*edit_);
        format_.showCaretFormat();
        hotKeys_->registerKeys();
        break;
      case QEvent::FocusOut: hotKeys_->unregisterKeys(); break;
      case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
          insertMode_.toggle(*edit_);
          return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) reportCaret(1);
        if (keyboardAids_.keyPress(watched, key)) return true;
        if (navigation_.handleVerticalArrow(*key)) return true;
        break;
      }
      default: break;
    }
  }
  if ((watched == horizontal_->viewport() || watched == vertical_->viewport()) && event->type() == QEvent::MouseButtonPress) {
    QTimer::singleShot(0, this, [this] { reportCaret(0); });
  }
  return View::eventFilter(watched, event);
}

void CWabunkoView::showContextMenu(const QPoint& globalPos) {
  // Each item issues its command through the main frame's route; its text is the command's.
  struct Popup {
    const char* title;     // nullptr: items of the menu itself
    std::vector<int> ids;  // 0: separator
  };
  static const std::vector<Popup> menu{
      {nullptr, {cmd::EditUndo, 0, cmd::EditCut, cmd::EditCopy, cmd::EditPaste, cmd::EditClear, cmd::InsertObject, 0,
                 cmd::FindText, cmd::FindNext, cmd::ReplaceText, 0}},
      {"文字書式", {cmd::FormatFont, cmd::FormatSuperscript, cmd::FormatSubscript, cmd::FormatResize}},
      {"段落書式", {cmd::AlignLeft, cmd::AlignCentre, cmd::AlignRight, cmd::FormatIndent}},
      {nullptr, {0}},
      {"ｼﾞｬﾝﾌﾟ", {cmd::JumpFirstLine, cmd::JumpLastLine, cmd::JumpToLine}},
      {nullptr, {0}},
      {"選択", {cmd::EditSelectAll, 0, cmd::SelectLine, cmd::SelectFromTop, cmd::SelectToEnd, cmd::SelectFromLineStart,
                cmd::SelectToLineEnd}},
      {"挿入", {cmd::ToolQuotationMark, cmd::ToolSignature}},
  };
  CommandRouter& router = host_.router();
  QMenu popup(host_.window());
  popup.setTitle(QStringLiteral("ﾎﾟｯﾌﾟｱｯﾌﾟ"));
  for (const Popup& part : menu) {
    QMenu* target = part.title ? popup.addMenu(QString::fromUtf8(part.title)) : &popup;
    for (const int id : part.ids) {
      if (id == 0) {
        target->addSeparator();
        continue;
      }
      QAction* action = target->addAction(QString::fromUtf8(findCommand(id)->popupText));
      action->setEnabled(router.update(id).enabled());
      connect(action, &QAction::triggered, this, [&router, id] { router.dispatch(id); });
    }
  }
  popup.exec(globalPos);
}

void CWabunkoView::print(QPrinter& printer) const { ViewPrinting::print(*edit_, *this, printer); }

void CWabunkoView::printPreview() {
  host_.setPrintPreviewActive(true);
  ViewPrinting::printPreview(*edit_, *this, host_.window());
  host_.setPrintPreviewActive(false);
}

}  // namespace wabunko
