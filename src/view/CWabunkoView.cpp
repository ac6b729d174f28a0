#include "CWabunkoView.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/RichTextEdit.h"
#include "platform/RichTextStream.h"
#include "doc/TextBridge.h"
#include "platform/StandardCommands.h"
#include "view/CharFormat.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace wabunko {
namespace {
bool converts(CharCode code) { return code == CharCode::Jis || code == CharCode::Euc; }
}  // namespace

CWabunkoView::CWabunkoView(Document* document) : View(document), edit_(new RichTextEdit(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit_);
  setFocusProxy(edit_);
  edit_->setAccessibleName(tr("本文"));
  if (CWabunkoDoc* doc = this->document()) {
    doc->m_bReadOnly = CWabunkoApp::instance().pendingReadOnly;
    connect(edit_->document(), &QTextDocument::modificationChanged, doc, &Document::modifiedChanged);
  }
  applyDisplaySettings();
  mapCommands();
}

CWabunkoDoc* CWabunkoView::document() const { return static_cast<CWabunkoDoc*>(View::document()); }

EditControl& CWabunkoView::edit() const { return *edit_; }

void CWabunkoView::streamIn(std::string_view bytes, bool richText, CharCode code, bool fileIsReadOnly) {
  const bool decode = converts(code) || code == CharCode::InternetForm;
  QTextDocument& content = *edit_->document();
  if (richText) {
    if (!RichTextStream::readRtf(content, bytes)) damagedOnLoad_ = true;
    // The code applies to the text of the rich text, run by run so formats stay.
    if (decode)
      RichTextStream::convertRuns(content, [code](std::u16string_view text) {
        TextBridge bridge;
        return bridge.fromBytes(DecodeToShiftJis(code, bridge.toBytes(text)));
      });
  } else {
    RichTextStream::readPlainText(content, decode ? DecodeToShiftJis(code, bytes) : std::string(bytes));
  }
  applyDisplaySettings();

  const bool readOnlySetting = readInt(CWabunkoApp::instance().store(), settings::FileReadOnly) != 0;
  const CWabunkoDoc* doc = document();
  if ((fileIsReadOnly && readOnlySetting) || (doc && doc->m_bReadOnly)) {
    edit_->setReadOnly(true);
    applyReadOnlyFont();
    edit_->setSel(0, 0);
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
    bytes = RichTextStream::writeRtf(*edit_->document(), encode);
  } else {
    bytes = RichTextStream::writePlainText(*edit_->document(), &unencodable);
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
  edit_->document()->setDefaultFont(format.font());
  QPalette palette = edit_->palette();
  palette.setColor(QPalette::Text, colorFromRef(font.color));
  edit_->setPalette(palette);
  setBackgroundColor(readInt(store, settings::ColorBackGroundChild));
}

void CWabunkoView::applyReadOnlyFont() {
  const FontRecord font = readFont(CWabunkoApp::instance().store(), QString::fromUtf8(settings::kFontReadOnly));
  QTextCharFormat format = charFormatFromFont(font.font);
  format.setForeground(colorFromRef(font.color));
  QTextCursor all(edit_->document());
  all.select(QTextCursor::Document);
  all.mergeCharFormat(format);
  edit_->document()->setDefaultFont(format.font());
}

void CWabunkoView::setBackgroundColor(int colorRef) {
  edit_->setBackgroundColor(colorFromRef(static_cast<std::uint32_t>(colorRef)));
}

void CWabunkoView::mapCommands() {
  onCommandId(cmd::EditUndo, [this] { edit_->undo(); });
  onCommandId(cmd::EditRedo, [this] { edit_->redo(); });
  onCommandId(cmd::EditCut, [this] { edit_->cut(); });
  onCommandId(cmd::EditCopy, [this] { edit_->copy(); });
  onCommandId(cmd::EditPaste, [this] { edit_->paste(); });
  onCommandId(cmd::EditClear, [this] { edit_->textCursor().removeSelectedText(); });
  onCommandId(cmd::EditSelectAll, [this] { edit_->setSel(0, -1); });

  const auto writable = [this] { return !edit_->isReadOnly(); };
  const auto selection = [this] { return edit_->textCursor().hasSelection(); };
  onUpdateId(cmd::EditUndo, [=, this](CmdUI& ui) { ui.enable(writable() && edit_->document()->isUndoAvailable()); });
  onUpdateId(cmd::EditRedo, [=, this](CmdUI& ui) { ui.enable(writable() && edit_->document()->isRedoAvailable()); });
  onUpdateId(cmd::EditCut, [=](CmdUI& ui) { ui.enable(writable() && selection()); });
  onUpdateId(cmd::EditClear, [=](CmdUI& ui) { ui.enable(writable() && selection()); });
  onUpdateId(cmd::EditCopy, [=](CmdUI& ui) { ui.enable(selection()); });
  onUpdateId(cmd::EditPaste, [=, this](CmdUI& ui) { ui.enable(writable() && edit_->canPaste()); });
}

}  // namespace wabunko
