#include "CWabunkoDoc.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabFileDlg.h"
#include "doc/CharCodes.h"
#include "doc/DocumentDisplay.h"
#include "doc/DocumentStream.h"
#include "doc/PathParts.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/Dialogs.h"
#include "platform/StandardCommands.h"
#include "platform/View.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>

namespace wabunko {
namespace {

CWabunkoApp& app() { return CWabunkoApp::instance(); }

PathParts partsOf(const QString& path) { return splitPath(path.toStdString()); }

QString caption() { return QStringLiteral("Wabunko"); }

void reportError(const QString& text) {
  showMessage(QApplication::activeWindow(),
              {text, caption(), QMessageBox::Warning, QMessageBox::Ok});
}

const char* codeName(CharCode code) {
  switch (code) {
    case CharCode::Jis: return "JIS";
    case CharCode::Euc: return "EUC";
    default: return "Shift-JIS";
  }
}

}  // namespace

CWabunkoDoc::CWabunkoDoc() {
  onCommandId(cmd::FileSave, [this] { onFileSave(); });
  onCommandId(cmd::FileSaveAs, [this] { onFileSaveAs(); });
}

DocumentDisplay* CWabunkoDoc::display() const {
  return views().empty() ? nullptr : dynamic_cast<DocumentDisplay*>(views().front());
}

QWidget* CWabunkoDoc::dialogParent() const { return views().empty() ? nullptr : views().front(); }

bool CWabunkoDoc::isModified() const {
  const DocumentDisplay* d = display();
  return d ? d->edit().isModified() : Document::isModified();
}

void CWabunkoDoc::setModifiedFlag(bool modified) {
  if (DocumentDisplay* d = display()) d->edit().setModified(modified);
  Document::setModifiedFlag(modified);
}

bool CWabunkoDoc::onOpenDocument(const QString& path) { return load(path, app().takePendingOptions()); }

bool CWabunkoDoc::load(const QString& path, const FileOptions& options) {
  m_bReadOnly = options.readOnly ? 1 : 0;
  const QFileInfo info(path);
  QFile file(path);
  if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
    reportError(tr("ファイル %1 を開けません。\n%2")
                    .arg(path, info.isDir() ? tr("フォルダです。") : file.errorString()));
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    reportError(tr("ファイル %1 を読み込めません。\n%2").arg(path, file.errorString()));
    return false;
  }
  file.close();

  const std::string_view content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  switch (options.kind) {
    case FileKind::Auto: m_bRTF = IsRichTextFile(content); break;
    case FileKind::Text: m_bRTF = false; break;
    case FileKind::RichText: m_bRTF = true; break;
  }
  const bool whole = showFile(content, options.code, isReadOnlyFile(path));
  code_ = options.code;
  if (!whole)
    reportError(tr("%1 はリッチテキストとして壊れています。\n読み取れた部分だけを表示します。").arg(info.fileName()));
  setModifiedFlag(false);
  display()->afterStream();

  const PathParts parts = partsOf(info.absoluteFilePath());
  if (readInt(app().store(), settings::FileDoBackUp) != 0 && parts.extension != "BAK")
    writeBackup(info.absoluteFilePath());

  closeEmptyDocumentsExceptThis();
  return true;
}

bool CWabunkoDoc::showFile(std::string_view bytes, CharCode code, bool fileIsReadOnly) {
  const bool readOnlySetting = readInt(app().store(), settings::FileReadOnly) != 0;
  bool whole = true;
  display()->showText([&](QTextDocument& content) { whole = DocumentStream::read(content, bytes, m_bRTF, code); },
                      m_bRTF, (fileIsReadOnly && readOnlySetting) || m_bReadOnly);
  return whole;
}

void CWabunkoDoc::writeBackup(const QString& path) {
  const PathParts parts = partsOf(path);
  // No folder, stored or not, is the file's own.
  QString folder = readString(app().store(), settings::FileBackUpDirectory);
  if (folder.isEmpty()) folder = QString::fromStdString(parts.folder);
  if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  // In the code the file was read in. A failed backup has been reported; the file itself
  // is open all the same.
  saveCopy(folder + QString::fromStdString(parts.baseName) + QStringLiteral(".bak"), writableCode(code_));
}

CharCode CWabunkoDoc::writableCode(CharCode code) {
  return code == CharCode::InternetForm ? CharCode::ShiftJis : code;
}

bool CWabunkoDoc::onSaveDocument(const QString& path) {
  if (code_ == CharCode::InternetForm) {
    showMessage(QApplication::activeWindow(),
                {tr("%1 は Internet Form として読み込まれました。Internet Form では書き込めないため、Shift-JIS で保存します。")
                     .arg(title()),
                 caption(), QMessageBox::Information, QMessageBox::Ok});
  }
  const CharCode code = writableCode(code_);
  if (!write(path, code)) return false;
  code_ = code;  // told once: from now on the document is Shift-JIS
  return true;
}

bool CWabunkoDoc::saveCopy(const QString& path, CharCode code) { return write(path, code); }

std::optional<QString> CWabunkoDoc::saveQuietly() {
  if (code_ == CharCode::InternetForm) return tr("Internet Form の文書は自動保存しません");
  QString failure;
  if (!write(pathName(), code_, &failure)) return failure;
  return std::nullopt;
}

bool CWabunkoDoc::write(const QString& path, CharCode code, QString* quietFailure) {
  ++savesRunning_;
  const auto done = qScopeGuard([] { --savesRunning_; });
  if (partsOf(path).extension == "WBK") m_bRTF = false;
  std::size_t lost = 0;
  const std::string bytes = DocumentStream::write(*display()->edit().textDocument(), m_bRTF, code, &lost);
  if (lost > 0) {
    const QString text = tr("%1 には %2 で書けない文字が %3 個あります。")
                             .arg(QFileInfo(path).fileName(), QString::fromLatin1(codeName(code)))
                             .arg(lost);
    if (quietFailure) {
      *quietFailure = text;
      return false;
    }
    const auto answer = showMessage(
        QApplication::activeWindow(),
        {text + tr("\nそれらの文字は「?」などに置き換わります。保存しますか?"), caption(), QMessageBox::Warning,
         QMessageBox::Save | QMessageBox::Cancel});
    if (answer != QMessageBox::Save) return false;
  }
  QString error;
  if (!writeFileAtomically(path, bytes, &error)) {
    const QString text = tr("ファイル %1 に保存できません。\n%2").arg(path, error);
    if (quietFailure) *quietFailure = text;
    else reportError(text);
    return false;
  }
  setModifiedFlag(false);
  display()->afterStream();
  closeEmptyDocumentsExceptThis();
  return true;
}

bool CWabunkoDoc::writeFileAtomically(const QString& path, const std::string& bytes, QString* error) {
  const QFileInfo info(path);
  if (info.isDir()) {
    *error = tr("同じ名前のフォルダがあります。");
    return false;
  }
  if (info.exists() && isReadOnlyFile(path)) {
    *error = tr("ファイルが書き込み禁止になっています。");
    return false;
  }
  // Written to a temporary file beside the original and renamed over it, so a failure
  // leaves the original as it was.
  QSaveFile file(path);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) {
    *error = file.errorString();
    return false;
  }
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
      !file.commit()) {
    *error = file.errorString();
    file.cancelWriting();
    return false;
  }
  return true;
}

void CWabunkoDoc::closeEmptyDocumentsExceptThis() {
  m_bInSerialize = 1;
  app().closeEmptyDocuments();
  m_bInSerialize = 0;
}

void CWabunkoDoc::onFileSave() {
  if (!isModified()) return;
  if (pathName().isEmpty() || isReadOnlyFile(pathName())) {
    showMessage(dialogParent(), {title() + QStringLiteral("\n    ファイル名を変更してください"),
                                 QStringLiteral("ファイルの保存"), QMessageBox::Warning, QMessageBox::Ok});
    onFileSaveAs();
    return;
  }
  doFileSave();
}

void CWabunkoDoc::onFileSaveAs() { saveAs(); }

bool CWabunkoDoc::saveAs() {
  SettingsStore& store = app().store();
  const FileDialogChoice choice =
      runWabFileDialog(dialogParent(), store,
                       {false, readString(store, settings::FileSaveDir), pathName(), m_bRTF ? RichTextFilter : TextFilter});
  if (!choice.accepted || choice.paths.isEmpty()) return false;
  const QString path = choice.paths.constFirst();
  const PathParts parts = partsOf(path);
  switch (choice.filter) {
    case AllFilesFilter: m_bRTF = parts.extension == "RTF"; break;
    case TextFilter: m_bRTF = false; break;
    case RichTextFilter: m_bRTF = true; break;
    default: break;
  }
  const bool saved = write(path, choice.code);
  if (saved) {
    setPathName(path);
    code_ = choice.code;
  }
  // Remembered also when the save failed.
  addToDirectoryHistory(store, path);
  writeSetting(store, settings::FileSaveDir, QString::fromStdString(parts.folder));
  return saved;
}

}  // namespace wabunko
