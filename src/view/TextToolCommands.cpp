#include "TextToolCommands.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <memory>
#include <vector>

#include "doc/CPunctuationDlg.h"
#include "doc/CReopenDlg.h"
#include "doc/CWabunkoDoc.h"
#include "doc/CWorkProgressDlg.h"
#include "doc/TextBridge.h"
#include "doc/TextConversions.h"
#include "frame/FrameCommands.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/CommandRouter.h"
#include "platform/Dialogs.h"
#include "platform/Utf16.h"
#include "view/CWabunkoView.h"
#include "view/TextTools.h"
#include "view/ViewHost.h"
#include "view/ViewCommands.h"

namespace wabunko {

void TextToolCommands::breakLines(int length) {
  rewrite(0, -1, [length](const ByteRun& run) { return wabunko::breakLines(run.bytes, length); });
}

void TextToolCommands::removeTrailingBlanks() {
  rewrite(0, -1, [](const ByteRun& run) { return wabunko::removeTrailingBlanks(run.bytes, run.first()); });
}

void TextToolCommands::convertSelection(std::string (*convert)(std::string_view)) {
  convertSelectionBytes([convert](const ByteRun& run) { return convert(run.bytes); });
}

void TextToolCommands::rewrite(int start, int end, const ByteConversion& convert, const QString& shared) {
  view_.edit().setSel(start, end);
  const QString selected = view_.edit().selectedText();
  const std::u16string_view text = utf16(selected);
  const std::u16string_view sharedText = utf16(shared);
  // A carried character must stay one double-byte code, since the algorithms count columns
  // in bytes, so one side table holds only so many; the algorithms start every line
  // afresh, so runs of lines with a table each give what the whole text would.
  const auto runs = TextBridge::lineRuns(text, sharedText);
  if (!runs) {
    showMessage(
        &view_,
        {CWabunkoView::tr("Shift-JIS で表せない文字が %1 種類より多く入っている行があるため、この操作はできません。\n"
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
  view_.edit().replaceSel(qstring(result), false);
}

void TextToolCommands::convertSelectionBytes(const ByteConversion& convert) {
  int start = 0, end = 0;
  if (readInt(view_.store(), settings::CommandConvertOnlySelected) == 0)
    end = -1;
  else
    view_.edit().getSel(start, end);
  rewrite(start, end, convert);
}

void TextToolCommands::convertPunctuation() {
  CPunctuationDlg dialog(&view_);
  if (dialog.exec() != QDialog::Accepted) return;
  const PunctuationChoices choices{dialog.m_nComma == 1, dialog.m_nPeriod == 1,
                                   static_cast<PunctuationWidth>(dialog.m_nWidth)};
  // Shown when the walk starts: the progress window disables the main window, which must
  // not happen to a refusal's message.
  std::unique_ptr<CWorkProgressDlg> progress;
  view_.host().runLongOperation([&] {
    convertSelectionBytes([&](const ByteRun& run) {
      if (!progress) progress = std::make_unique<CWorkProgressDlg>(view_.host().window());
      // One bar over all runs: a run's bytes count from where the run stands in the text.
      return ConvertPunctuation(run.bytes, choices, [&](std::size_t done, std::size_t) {
        // Input goes through between chunks, so Cancel can be pressed.
        QCoreApplication::processEvents();
        progress->setPosition(run.total ? static_cast<int>(100 * (run.offset + done) / run.total) : 100);
        return progress->running();
      });
    });
  });
}

void TextToolCommands::reopen() {
  CWabunkoDoc* doc = view_.document();
  const QString path = doc ? doc->pathName() : QString();
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
    showMessage(&view_, {QStringLiteral("このファイルは開き直すことは出来ません。"), QStringLiteral("Wabunko"),
                         QMessageBox::Warning, QMessageBox::Ok});
    return;
  }
  const std::optional<CharCode> code = runReopenDialog(&view_, doc->charCode());
  if (!code) return;
  // Reading the file again replaces the text: edits not saved are not dropped unasked.
  if (doc->isModified() &&
      showMessage(&view_,
                  {CWabunkoView::tr("%1 の変更は保存されていません。\n変更を破棄して開き直しますか?").arg(doc->title()),
                   QStringLiteral("Wabunko"), QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No}) !=
          QMessageBox::Yes)
    return;
  doc->setCharCode(*code);  // Save writes the code the text was read in
  const QByteArray bytes = file.readAll();
  doc->showFile({bytes.constData(), static_cast<std::size_t>(bytes.size())}, *code, Document::isReadOnlyFile(path));
  doc->setModifiedFlag(false);
  view_.afterStream();
}

void TextToolCommands::prefixSelectedLines(const QString& prefix) {
  // From the start of the selection's first line to its end, so a selection ending at a
  // line's start marks that line too.
  int start = 0, end = 0;
  view_.edit().getSel(start, end);
  const int lineStart = view_.edit().textDocument()->findBlock(start).position();
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

void TextToolCommands::insertSignature() {
  const QString path = view_.host().userFilePath(QStringLiteral("_signature.wbk"));
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  // Created empty when absent, left as it is when present; no file, no signature.
  if (!file.open(QIODevice::ReadWrite)) return;
  const QByteArray bytes = file.readAll();
  file.close();
  if (bytes.isEmpty()) {
    const auto answer =
        showMessage(&view_, {QStringLiteral("シグニチャが登録されていません\n新規に作成しますか？"),
                             QStringLiteral("Wabエディタ"), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No});
    if (answer == QMessageBox::Yes)
      QTimer::singleShot(0, [&router = view_.host().router()] { router.dispatch(cmd::EditSignature); });
    return;
  }
  const std::u16string text =
      TextBridge::toUnicode(signatureText({bytes.constData(), static_cast<std::size_t>(bytes.size())}));
  view_.edit().replaceSel(qstring(text), false);
}

void TextToolCommands::appendToClipboard(bool cut) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(clipboard->text() + view_.edit().selectedText());
  if (cut) view_.edit().replaceSel(QString(), false);
}

void TextToolCommands::cutWithClipRecord() {
  // The record of the last cut replaces the file's content: nothing reads older records,
  // and writing over the start of a longer file would leave its tail behind.
  int start = 0, end = 0;
  view_.edit().getSel(start, end);
  const QString selected = view_.edit().selectedText();
  const QString path = view_.document() ? view_.document()->pathName() : QString();
  const auto bytes = [](const QString& s) { return TextBridge::toShiftJis(utf16(s)); };
  const QString clipPath = view_.host().userFilePath(QStringLiteral("_clip.wbk"));
  QDir().mkpath(QFileInfo(clipPath).absolutePath());
  // A record the disk cut short is reported as a failure, and the text is not cut.
  QString error;
  if (!CWabunkoDoc::writeFileAtomically(clipPath, clipRecord(bytes(path), start, bytes(selected)), &error)) {
    showMessage(&view_, {CWabunkoView::tr("切り取りの記録 %1 を書けません。\n%2").arg(clipPath, error),
                         QStringLiteral("Wabunko"), QMessageBox::Warning, QMessageBox::Ok});
    return;
  }
  view_.edit().cut();
}

}  // namespace wabunko
