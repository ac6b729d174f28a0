#include "CWabunkoView.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/RichTextEdit.h"
#include "platform/VerticalTextEdit.h"
#include "platform/VerticalTextPainter.h"
#include "platform/RichTextStream.h"
#include "platform/Utf16.h"
#include "doc/TextBridge.h"
#include "platform/StandardCommands.h"
#include "platform/CommandRouter.h"
#include "platform/InputMethod.h"
#include "frame/CChildFrame.h"
#include "frame/CMainFrame.h"
#include "view/ViewCommands.h"
#include "view/CharFormat.h"
#include "view/LineNumberGutter.h"
#include "view/TextTools.h"
#include "doc/TextConversions.h"
#include "doc/CPunctuationDlg.h"
#include "doc/CReopenDlg.h"
#include "doc/CWorkProgressDlg.h"
#include "frame/FrameCommands.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QScrollBar>
#include <QTimer>
#include <QTextCursor>
#include <QTextFrame>
#include <memory>
#include <vector>
#include <QTextDocument>
#include <QStackedLayout>

namespace wabunko {
namespace {
bool converts(CharCode code) { return code == CharCode::Jis || code == CharCode::Euc; }
}  // namespace

CWabunkoView::CWabunkoView(Document* document)
    : View(document), horizontal_(new RichTextEdit(this)), vertical_(new VerticalTextEdit(this)), edit_(horizontal_) {
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
  const SettingsStore& store = CWabunkoApp::instance().store();

  // Creation, in order: composition colours, the read-only choice, the default font,
  // wrap mode, tab stops and indents, writing direction, background.
  std::array<EditControl::CompositionStyle, 4> styles;
  for (std::size_t i = 0; i < styles.size(); ++i)
    styles[i] = {colorFromRef(static_cast<std::uint32_t>(readInt(store, settings::imeText(i)))),
                 colorFromRef(static_cast<std::uint32_t>(readInt(store, settings::imeBackground(i)))),
                 readInt(store, settings::imeEffects(i))};
  for (DocumentEditControl* control : controls()) control->setCompositionStyles(styles);
  if (readInt(store, settings::ImeAuto) != 0)
    InputMethod().openWhenReady(horizontal_, [](InputMethod::State) {
      if (CMainFrame* frame = CWabunkoApp::instance().mainFrame()) frame->showImeStatus();
    });
  if (CWabunkoDoc* doc = this->document()) {
    connect(edit_->textDocument(), &QTextDocument::modificationChanged, doc, &Document::modifiedChanged);
    // Undoing back to the saved text takes the mark away again.
    connect(edit_->textDocument(), &QTextDocument::modificationChanged, this, [this](bool modified) {
      if (auto* frame = qobject_cast<CChildFrame*>(childFrame()); frame && !modified) frame->setModifiedMark(false);
    });
  }
  applyDisplaySettings();
  gutter_ = new LineNumberGutter(
      *edit_,
      [] {
        const CMainFrame* frame = CWabunkoApp::instance().mainFrame();
        return frame && frame->drawLineNumber != 0;
      },
      store, this);
  // The controls also scroll on their own: wheel, scroll bar, page keys, following the caret.
  for (const DocumentEditControl* control : controls())
    connect(control->lineScrollBar(), &QScrollBar::valueChanged, gutter_, &LineNumberGutter::paint);
  setWordWrap(readInt(store, settings::FrameWordWrap));
  verticalWriting = readInt(store, settings::FrameVertical);
  if (verticalWriting != 0) setVerticalWriting(true);

  connect(edit_->textDocument(), &QTextDocument::contentsChanged, this, &CWabunkoView::onContentsChanged);
  connect(horizontal_, &QTextEdit::cursorPositionChanged, this, [this] { reportCaret(0); });
  connect(vertical_, &VerticalTextEdit::cursorPositionChanged, this, [this] { reportCaret(0); });
  mapCommands();
}

CWabunkoDoc* CWabunkoView::document() const { return static_cast<CWabunkoDoc*>(View::document()); }

EditControl& CWabunkoView::edit() const { return *edit_; }

std::array<DocumentEditControl*, 2> CWabunkoView::controls() const { return {horizontal_, vertical_}; }

void CWabunkoView::streamIn(std::string_view bytes, bool richText, CharCode code, bool fileIsReadOnly) {
  const bool decode = converts(code) || code == CharCode::InternetForm;
  damagedOnLoad_ = false;
  // Filled as the control streams text in: no caret report or layout while it fills, the
  // caret at the start afterwards.
  edit_->streamIn([&](QTextDocument& content) {
    if (richText) {
      if (!RichTextStream::readRtf(content, bytes)) damagedOnLoad_ = true;
      // The code applies to the text of the rich text, run by run so formats stay.
      if (decode)
        RichTextStream::convertRuns(content, [code](std::u16string_view text) {
          // Kanji mode goes on past a character that splits the run's bytes.
          bool kanji = false;
          return TextBridge::decodeFileBytes(text, [code, &kanji](std::string_view bytes) {
            const std::string coded = kanji ? "\x1b$B" + std::string(bytes) : std::string(bytes);
            kanji = code == CharCode::Jis && !EndJisDoubleByteMode(coded).empty();
            return DecodeToShiftJis(code, coded);
          });
        });
    } else {
      RichTextStream::readPlainText(content, decode ? DecodeToShiftJis(code, bytes) : std::string(bytes));
    }
  });
  applyDisplaySettings();

  const bool readOnlySetting = readInt(CWabunkoApp::instance().store(), settings::FileReadOnly) != 0;
  const CWabunkoDoc* doc = document();
  if ((fileIsReadOnly && readOnlySetting) || (doc && doc->m_bReadOnly)) {
    edit_->setReadOnly(true);
    applyReadOnlyFont();
  }
}

std::string CWabunkoView::streamOut(bool richText, CharCode code, std::size_t* lost) const {
  std::size_t unencodable = 0;
  std::string bytes;
  if (richText) {
    // Text in another code is stored inside the rich text, run by run; each run ends in
    // single-byte mode so that runs joined on reading still decode.
    RichTextStream::TextConversion encode;
    if (converts(code))
      encode = [code, &unencodable](std::u16string_view text) {
        std::string shiftJis = TextBridge::toShiftJis(text, &unencodable);
        unencodable += CountUnrepresentable(code, shiftJis);
        std::string encoded = EncodeFromShiftJis(code, shiftJis);
        if (code == CharCode::Jis) encoded += EndJisDoubleByteMode(encoded);
        return TextBridge::toUnicode(encoded);
      };
    bytes = RichTextStream::writeRtf(*edit_->textDocument(), encode);
  } else {
    bytes = RichTextStream::writePlainText(*edit_->textDocument(), &unencodable);
    if (converts(code)) {
      unencodable += CountUnrepresentable(code, bytes);
      bytes = EncodeFromShiftJis(code, bytes);
    }
  }
  if (lost) *lost = unencodable;
  return bytes;
}

void CWabunkoView::applyDisplaySettings() {
  const SettingsStore& store = CWabunkoApp::instance().store();
  const FontRecord font = readFont(store, QString::fromUtf8(settings::kFontDefault));
  const QTextCharFormat format = charFormatFromFont(font.font);
  edit_->textDocument()->setDefaultFont(format.font());
  for (DocumentEditControl* control : controls()) {
    QPalette palette = control->widget()->palette();
    palette.setColor(QPalette::Text, colorFromRef(font.color));
    control->widget()->setPalette(palette);
  }
  setBackgroundColor(readInt(store, settings::ColorBackGroundChild));
  applyParagraphSettings();
}

void CWabunkoView::applyParagraphSettings() {
  // Millimetres as the program counts them: 57 twips each; the document counts pixels at
  // 96 per inch, 15 twips each.
  constexpr double kTwipsPerMillimetre = 57;
  constexpr double kTwipsPerPixel = 15;
  const SettingsStore& store = CWabunkoApp::instance().store();
  const int tab = readInt(store, settings::StyleTabSpace);
  const int start = readInt(store, settings::StyleIndentStart);
  const int left = readInt(store, settings::StyleIndentLeft);
  const int right = readInt(store, settings::StyleIndentRight);

  // 32 tab stops, t, 2t, ... 32t.
  QTextOption option = edit_->textDocument()->defaultTextOption();
  QList<QTextOption::Tab> tabs;
  for (int i = 1; i <= 32; ++i) tabs.append(QTextOption::Tab(i * tab * kTwipsPerMillimetre / kTwipsPerPixel, QTextOption::LeftTab));
  option.setTabs(tabs);
  edit_->textDocument()->setDefaultTextOption(option);

  // The first line of a paragraph starts `start` mm right of the others, which start at
  // `left` mm (a negative start gives a hanging indent). Every paragraph takes them; a
  // document without indents is left alone, which matters for large files.
  if (start == 0 && left == 0 && right == 0) return;
  QTextBlockFormat indents;
  indents.setLeftMargin(left * kTwipsPerMillimetre / kTwipsPerPixel);
  indents.setTextIndent(start * kTwipsPerMillimetre / kTwipsPerPixel);
  indents.setRightMargin(right * kTwipsPerMillimetre / kTwipsPerPixel);
  const bool modified = edit_->isModified();
  QTextCursor all(edit_->textDocument());
  all.select(QTextCursor::Document);
  all.mergeBlockFormat(indents);
  edit_->setModified(modified);
}

void CWabunkoView::applyReadOnlyFont() {
  const FontRecord font = readFont(CWabunkoApp::instance().store(), QString::fromUtf8(settings::kFontReadOnly));
  QTextCharFormat format = charFormatFromFont(font.font);
  format.setForeground(colorFromRef(font.color));
  QTextCursor all(edit_->textDocument());
  all.select(QTextCursor::Document);
  all.mergeCharFormat(format);
  edit_->textDocument()->setDefaultFont(format.font());
}

void CWabunkoView::setBackgroundColor(int colorRef) {
  for (DocumentEditControl* control : controls())
    control->setBackgroundColor(colorFromRef(static_cast<std::uint32_t>(colorRef)));
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
      writeSetting(CWabunkoApp::instance().store(), settings::FrameWordWrap, mode);
    });
    onUpdateId(id, [this, mode = mode](CmdUI& ui) { ui.setCheck(wordWrap_ == mode); });
  }
  onCommandId(cmd::VerticalWriting, [this] { onVerticalWriting(); });
  onUpdateId(cmd::VerticalWriting, [this](CmdUI& ui) { ui.setCheck(verticalWriting != 0); });
  onCommandId(cmd::ReadOnlyToggle, [this] { onToggleReadOnly(); });
  onUpdateId(cmd::ReadOnlyToggle, [this](CmdUI& ui) { ui.setCheck(document() && document()->m_bReadOnly); });

  mapTextTools();
  mapConversions();
  onCommandId(cmd::InputMethodToggle, [] {
    InputMethod().toggle();
    if (CMainFrame* frame = CWabunkoApp::instance().mainFrame()) frame->showImeStatus();
  });

  onCommandId(cmd::FilePrint, [this] { printWithDialog(); });
  onCommandId(cmd::FilePrintDirect, [this] {
    QPrinter printer;
    print(printer);
  });
  onCommandId(cmd::FilePrintPreview, [this] { printPreview(); });
}

void CWabunkoView::rewrite(int start, int end, const ByteConversion& convert, const QString& shared) {
  edit_->setSel(start, end);
  const QString selected = edit_->selectedText();
  const std::u16string_view text = utf16(selected);
  const std::u16string_view sharedText = utf16(shared);
  // A carried character must stay one double-byte code, since the algorithms count columns
  // in bytes, so one side table holds only so many; the algorithms start every line
  // afresh, so runs of lines with a table each give what the whole text would.
  const auto runs = TextBridge::lineRuns(text, sharedText);
  if (!runs) {
    showMessage(this, {tr("Shift-JIS で表せない文字が %1 種類より多く入っている行があるため、この操作はできません。\n"
                          "文書は変更されていません。その行を分けてから、やり直してください。")
                           .arg(TextBridge::kSideCapacity),
                       QStringLiteral("Wabunko"), QMessageBox::Warning, QMessageBox::Ok});
    return;
  }
  struct Run {
    TextBridge bridge;
    std::string shared;
    std::string bytes;
  };
  std::vector<Run> encoded(runs->size());
  std::size_t total = 0;
  for (std::size_t i = 0; i < runs->size(); ++i) {
    encoded[i].shared = encoded[i].bridge.toBytes(sharedText);
    encoded[i].bytes = encoded[i].bridge.toBytes((*runs)[i]);
    total += encoded[i].bytes.size();
  }
  std::u16string result;
  std::size_t offset = 0;
  for (const Run& run : encoded) {
    const std::optional<std::string> converted = convert({run.bytes, run.shared, offset, total});
    if (!converted) return;
    result += run.bridge.fromBytes(*converted);
    offset += run.bytes.size();
  }
  edit_->replaceSel(qstring(result), false);
}

void CWabunkoView::mapTextTools() {
  onCommandId(cmd::ToolLineLength, [this] {
    const int length = CWabunkoApp::instance().mainFrame() ? CWabunkoApp::instance().mainFrame()->lineLength : 80;
    rewrite(0, -1, [length](const ByteRun& run) { return breakLines(run.bytes, length); });
  });
  onCommandId(cmd::ToolTrailingBlanks, [this] {
    rewrite(0, -1, [](const ByteRun& run) { return removeTrailingBlanks(run.bytes, run.first()); });
  });
  onCommandId(cmd::ToolQuotationMark, [this] {
    prefixSelectedLines(readString(CWabunkoApp::instance().store(), settings::CommandQuotationMark));
  });
  onCommandId(cmd::ToolClipboardPrefix, [this] { prefixSelectedLines(QGuiApplication::clipboard()->text()); });
  onCommandId(cmd::ToolSignature, [this] { insertSignature(); });
  onCommandId(cmd::ToolAppendCopy, [this] { appendToClipboard(false); });
  onCommandId(cmd::ToolAppendCut, [this] { appendToClipboard(true); });
  onCommandId(cmd::EditCut, [this] { cutWithClipRecord(); });
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
    onCommandId(id, [this, convert = convert] {
      convertSelection([convert](const ByteRun& run) { return convert(run.bytes); });
    });
  onCommandId(cmd::ConvertPunctuation, [this] { convertPunctuation(); });
  onCommandId(cmd::Reopen, [this] { onReopen(); });
  for (int id : {cmd::ConvertUpper, cmd::ConvertLower, cmd::ConvertFullWidth, cmd::ConvertHalfWidth,
                 cmd::ConvertPunctuation})
    onUpdateId(id, [this](CmdUI& ui) { ui.enable(!edit_->isReadOnly()); });
}

void CWabunkoView::convertSelection(const ByteConversion& convert) {
  int start = 0, end = 0;
  if (readInt(CWabunkoApp::instance().store(), settings::CommandConvertOnlySelected) == 0)
    end = -1;
  else
    edit_->getSel(start, end);
  rewrite(start, end, convert);
}

void CWabunkoView::convertPunctuation() {
  CPunctuationDlg dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  const PunctuationChoices choices{dialog.m_nComma == 1, dialog.m_nPeriod == 1,
                                   static_cast<PunctuationWidth>(dialog.m_nWidth)};
  // Shown when the walk starts: the progress window disables the main window, which must
  // not happen to a refusal's message.
  std::unique_ptr<CWorkProgressDlg> progress;
  const CWabunkoApp::LongOperation busy(CWabunkoApp::instance());
  convertSelection([&](const ByteRun& run) {
    if (!progress) progress = std::make_unique<CWorkProgressDlg>(CWabunkoApp::instance().mainFrame());
    // One bar over all runs: a run's bytes count from where the run stands in the text.
    return ConvertPunctuation(run.bytes, choices, [&](std::size_t done, std::size_t) {
      // Input goes through between chunks, so Cancel can be pressed.
      QCoreApplication::processEvents();
      progress->setPosition(run.total ? static_cast<int>(100 * (run.offset + done) / run.total) : 100);
      return progress->running();
    });
  });
}

void CWabunkoView::onReopen() {
  CWabunkoDoc* doc = document();
  const QString path = doc ? doc->pathName() : QString();
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
    showMessage(this, {QStringLiteral("このファイルは開き直すことは出来ません。"), QStringLiteral("Wabunko"),
                       QMessageBox::Warning, QMessageBox::Ok});
    return;
  }
  const std::optional<CharCode> code = runReopenDialog(this, doc->charCode());
  if (!code) return;
  // Reading the file again replaces the text: edits not saved are not dropped unasked.
  if (doc->isModified() &&
      showMessage(this, {tr("%1 の変更は保存されていません。\n変更を破棄して開き直しますか?").arg(doc->title()),
                         QStringLiteral("Wabunko"), QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No}) !=
          QMessageBox::Yes)
    return;
  doc->setCharCode(*code);  // Save writes the code the text was read in
  const QByteArray bytes = file.readAll();
  streamIn({bytes.constData(), static_cast<std::size_t>(bytes.size())}, doc->m_bRTF, *code,
           Document::isReadOnlyFile(path));
  doc->setModifiedFlag(false);
  afterStream();
}

void CWabunkoView::prefixSelectedLines(const QString& prefix) {
  // From the start of the selection's first line to its end, so a selection ending at a
  // line's start marks that line too.
  int start = 0, end = 0;
  edit_->getSel(start, end);
  const int lineStart = edit_->textDocument()->findBlock(start).position();
  QString withCrLf = prefix;
  withCrLf.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  // The prefix goes through the same bytes as the text: Shift-JIS with CR LF. The empty
  // line after a final line end is the text's own only in its last run.
  rewrite(
      lineStart, end,
      [](const ByteRun& run) {
        return prefixLines(run.bytes, 0, run.last() ? run.bytes.size() : run.bytes.size() - 1, run.shared);
      },
      withCrLf);
}

void CWabunkoView::insertSignature() {
  const QString path = CMainFrame::userFilePath(QStringLiteral("_signature.wbk"));
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  // Created empty when absent, left as it is when present; no file, no signature.
  if (!file.open(QIODevice::ReadWrite)) return;
  const QByteArray bytes = file.readAll();
  file.close();
  if (bytes.isEmpty()) {
    const auto answer = showMessage(this, {QStringLiteral("シグニチャが登録されていません\n新規に作成しますか？"),
                                           QStringLiteral("Wabエディタ"), QMessageBox::Question,
                                           QMessageBox::Yes | QMessageBox::No});
    if (answer == QMessageBox::Yes)
      QTimer::singleShot(0, [] { CWabunkoApp::instance().router().dispatch(cmd::EditSignature); });
    return;
  }
  const std::u16string text =
      TextBridge::toUnicode(signatureText({bytes.constData(), static_cast<std::size_t>(bytes.size())}));
  edit_->replaceSel(qstring(text), false);
}

void CWabunkoView::appendToClipboard(bool cut) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(clipboard->text() + edit_->selectedText());
  if (cut) edit_->replaceSel(QString(), false);
}

void CWabunkoView::cutWithClipRecord() {
  // The record of the last cut replaces the file's content: nothing reads older records,
  // and writing over the start of a longer file would leave its tail behind.
  int start = 0, end = 0;
  edit_->getSel(start, end);
  const QString selected = edit_->selectedText();
  const QString path = document() ? document()->pathName() : QString();
  const auto bytes = [](const QString& s) {
    return TextBridge::toShiftJis(utf16(s));
  };
  const QString clipPath = CMainFrame::userFilePath(QStringLiteral("_clip.wbk"));
  QDir().mkpath(QFileInfo(clipPath).absolutePath());
  QSaveFile clip(clipPath);
  if (clip.open(QIODevice::WriteOnly)) {
    const std::string record = clipRecord(bytes(path), start, bytes(selected));
    clip.write(record.data(), static_cast<qint64>(record.size()));
    if (!clip.commit()) {
      showMessage(this, {tr("切り取りの記録 %1 を書けません。\n%2").arg(clipPath, clip.errorString()),
                         QStringLiteral("Wabunko"), QMessageBox::Warning, QMessageBox::Ok});
      return;
    }
  }
  edit_->cut();
}

void CWabunkoView::onInitialUpdate() {
  if (auto* frame = qobject_cast<CChildFrame*>(childFrame())) frame->setModifiedMark(false);
  changeCount = 2;
}

void CWabunkoView::afterStream() {
  syncFormatButtons();
  changeCount = 2;
  if (auto* frame = qobject_cast<CChildFrame*>(childFrame())) frame->setModifiedMark(false);
}

void CWabunkoView::onContentsChanged() {
  // The first two notifications of a new view come from its own set-up.
  auto* frame = qobject_cast<CChildFrame*>(childFrame());
  if (changeCount > 1 && document() && frame && document()->isModified()) frame->setModifiedMark(true);
  ++changeCount;
  gutter_->paint();
}

void CWabunkoView::resizeEvent(QResizeEvent* event) {
  View::resizeEvent(event);
  gutter_->layout();
  gutter_->paint();
}

void CWabunkoView::reportCaret(int extraLine) {
  CMainFrame* mainFrame = CWabunkoApp::instance().mainFrame();
  if (!mainFrame) return;
  int start = 0, end = 0;
  edit_->getSel(start, end);
  const int line = edit_->lineFromChar(start);
  mainFrame->caretLine = line + 1 + extraLine;
  mainFrame->caretColumn = extraLine ? 0 : start - edit_->lineIndex(line);
}

void CWabunkoView::syncFormatButtons() {
  CommandRouter& router = CWabunkoApp::instance().router();
  const QTextCharFormat chars = edit_->selectionCharFormat();
  const auto press = [&router](int id, bool on) {
    QAction* action = router.action(id);
    action->setCheckable(true);
    action->setChecked(on);
  };
  press(cmd::FormatBold, chars.fontWeight() >= QFont::Bold);
  press(cmd::FormatItalic, chars.fontItalic());
  press(cmd::FormatUnderline, chars.fontUnderline());
  const Qt::Alignment align = edit_->selectionParaFormat().alignment() & Qt::AlignHorizontal_Mask;
  const int pressed = align & Qt::AlignHCenter ? cmd::AlignCentre
                      : align & Qt::AlignRight ? cmd::AlignRight
                      : align & (Qt::AlignLeft | Qt::AlignLeading) ? cmd::AlignLeft
                                                                   : 0;
  if (pressed != 0)
    for (int id : {cmd::AlignLeft, cmd::AlignCentre, cmd::AlignRight}) press(id, id == pressed);
}

void CWabunkoView::setWordWrap(int mode) {
  wordWrap_ = mode;
  switch (mode) {
    case 0: edit_->setWrap(EditControl::Wrap::None); break;
    case 1: edit_->setWrap(EditControl::Wrap::WindowEdge); break;
    default: edit_->setWrap(EditControl::Wrap::PrintWidth, printWidthPixels()); break;
  }
}

int CWabunkoView::printWidthPixels() const {
  // The printer's page less the two margins, at the screen's resolution: its width for
  // rows, its height for columns.
  const QRectF page = QPrinter().pageLayout().fullRect(QPageLayout::Inch);
  const double margins = 2.0 * kPrintMarginTwips / 1440.0;
  if (edit_->isVertical()) return static_cast<int>((page.height() - margins) * logicalDpiY());
  return static_cast<int>((page.width() - margins) * logicalDpiX());
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
  writeSetting(CWabunkoApp::instance().store(), settings::FrameVertical, verticalWriting);
}

void CWabunkoView::onToggleReadOnly() {
  CWabunkoDoc* doc = document();
  if (!doc) return;
  doc->m_bReadOnly = !doc->m_bReadOnly;
  edit_->setReadOnly(doc->m_bReadOnly);
  if (!doc->m_bReadOnly) return;  // switching off keeps the read-only font
  // The font change does not count as an edit.
  const bool wasModified = doc->isModified();
  applyReadOnlyFont();
  edit_->setSel(0, 0);
  if (!wasModified) doc->setModifiedFlag(false);
}

void CWabunkoView::onFocusIn() {
  // Insert and overwrite behave as one setting for all views.
  CMainFrame* mainFrame = CWabunkoApp::instance().mainFrame();
  if (!mainFrame || mainFrame->insertMode == viewInsertMode) return;
  viewInsertMode = mainFrame->insertMode;
  edit_->setOverwriteMode(viewInsertMode == 0);
}

bool CWabunkoView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_->widget()) {
    switch (event->type()) {
      case QEvent::FocusIn: onFocusIn(); break;
      case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
          viewInsertMode = !viewInsertMode;
          edit_->setOverwriteMode(viewInsertMode == 0);
          if (CMainFrame* mainFrame = CWabunkoApp::instance().mainFrame()) mainFrame->insertMode = viewInsertMode;
          return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) reportCaret(1);
        break;
      }
      case QEvent::ContextMenu: {
        showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
      }
      default: break;
    }
  }
  if ((watched == horizontal_->viewport() || watched == vertical_->viewport()) && event->type() == QEvent::MouseButtonPress) {
    QTimer::singleShot(0, this, [this] {
      reportCaret(0);
      syncFormatButtons();
    });
  }
  return View::eventFilter(watched, event);
}

void CWabunkoView::showContextMenu(const QPoint& globalPos) {
  // Items with their own labels; each issues its command through the main frame's route.
  struct Item {
    int id;  // 0: separator
    const char* text;
  };
  struct Popup {
    const char* title;  // nullptr: items of the menu itself
    std::vector<Item> items;
  };
  // "引用記号" inserts the quotation mark (32822), as the main menu's item of that name does.
  static const std::vector<Popup> menu{
      {nullptr, {{57643, "元に戻す"}, {0, ""}, {57635, "切り取り"}, {57634, "ｺﾋﾟｰ"}, {57637, "貼り付け"},
                 {57632, "削除"}, {57856, "ｵﾌﾞｼﾞｪｸﾄの作成と貼り付け"}, {0, ""}, {32810, "検索"},
                 {32811, "次を検索"}, {32812, "置換"}, {0, ""}}},
      {"文字書式", {{32789, "ﾌｫﾝﾄ"}, {32781, "上付き"}, {32783, "下付き"}, {32807, "解除"}}},
      {"段落書式", {{32790, "左寄せ"}, {32791, "中央寄せ"}, {32792, "右寄せ"}, {32794, "ｲﾝﾃﾞﾝﾄ"}}},
      {nullptr, {{0, ""}}},
      {"ｼﾞｬﾝﾌﾟ", {{32776, "先頭行"}, {32777, "最終行"}, {32801, "指定行"}}},
      {nullptr, {{0, ""}}},
      {"選択", {{57642, "すべて"}, {0, ""}, {32806, "この行"}, {32797, "先頭から"}, {32796, "最後まで"},
                {32803, "行頭から"}, {32793, "行末まで"}}},
      {"挿入", {{32822, "引用記号"}, {32804, "シグニチャ"}}},
  };
  CommandRouter& router = CWabunkoApp::instance().router();
  QMenu popup(CWabunkoApp::instance().mainFrame());
  popup.setTitle(QStringLiteral("ﾎﾟｯﾌﾟｱｯﾌﾟ"));
  for (const Popup& part : menu) {
    QMenu* target = part.title ? popup.addMenu(QString::fromUtf8(part.title)) : &popup;
    for (const Item& item : part.items) {
      if (item.id == 0) {
        target->addSeparator();
        continue;
      }
      QAction* action = target->addAction(QString::fromUtf8(item.text));
      action->setEnabled(router.update(item.id).enabled());
      connect(action, &QAction::triggered, this, [id = item.id] { CWabunkoApp::instance().router().dispatch(id); });
    }
  }
  popup.exec(globalPos);
}

void CWabunkoView::print(QPrinter& printer) const {
  const double margin = kPrintMarginTwips / 20.0;  // points
  printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Point);
  // Laid out on the printable part of the page, in the document's own units, so the page
  // keeps exactly the margins above (unpaginated, QTextDocument adds 2 cm of its own).
  const std::unique_ptr<QTextDocument> pages(edit_->textDocument()->clone());
  QTextFrameFormat frame = pages->rootFrame()->frameFormat();
  frame.setMargin(0);
  pages->rootFrame()->setFrameFormat(frame);
  const QRectF printable = printer.pageLayout().paintRect(QPageLayout::Inch);
  const QSizeF page(printable.width() * logicalDpiX(), printable.height() * logicalDpiY());
  if (edit_->isVertical())
    return printVertical(printer, *pages, page,
                         {printer.logicalDpiX() / static_cast<qreal>(logicalDpiX()),
                          printer.logicalDpiY() / static_cast<qreal>(logicalDpiY())});
  pages->setPageSize(page);
  pages->print(&printer);
}

void CWabunkoView::printWithDialog() {
  QPrinter printer;
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(tr("印刷"));
  if (dialog.exec() == QDialog::Accepted) print(printer);
}

void CWabunkoView::printPreview() {
  CMainFrame* mainFrame = CWabunkoApp::instance().mainFrame();
  QPrinter printer;
  QPrintPreviewDialog preview(&printer, mainFrame);
  preview.setWindowTitle(tr("印刷プレビュー"));
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { print(*p); });
  if (mainFrame) mainFrame->printPreviewActive = 1;
  preview.exec();
  if (mainFrame) mainFrame->printPreviewActive = 0;
}

}  // namespace wabunko
