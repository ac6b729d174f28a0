#include "CWabunkoDoc.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabFileDlg.h"
#include "doc/CharCodes.h"
#include "doc/DocumentDisplay.h"
#include "doc/DocumentStream.h"
#include "doc/LoadRefusal.h"
#include "doc/PathParts.h"
#include "doc/UnfinishedSave.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "platform/ChildFrame.h"
#include "platform/Dialogs.h"
#include "platform/StandardCommands.h"
#include "platform/View.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QSaveFile>
#include <QScopeGuard>
#include <QTimer>

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

std::filesystem::path filesystemPath(const QString& path) { return QFileInfo(path).filesystemAbsoluteFilePath(); }

}  // namespace

CWabunkoDoc::CWabunkoDoc() {
  onCommandId(cmd::FileSave, [this] { onFileSave(); });
  onCommandId(cmd::FileSaveAs, [this] { onFileSaveAs(); });
  // A path taken after a load or a save: the file there is what the document holds (a
  // load has recorded it already, before reading).
  connect(this, &Document::pathNameChanged, this, [this](const QString& path) {
    if (!isRecordedFile(path)) recordDisk(path);
    watchActivation();
  });
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
  // What an editor killed in a save left is removed at the next start's first file.
  UnfinishedSave::removeLeftovers();
  m_bInSerialize = 1;
  const auto loaded = qScopeGuard([this] { m_bInSerialize = 0; });
  m_bReadOnly = options.readOnly ? 1 : 0;
  const QFileInfo info(path);
  if (const std::optional<QString> refusal = loadRefusal(path)) {
    reportError(*refusal);
    return false;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    reportError(tr("ファイル %1 を開けません。\n%2").arg(path, file.errorString()));
    return false;
  }
  // Before reading: a change another program makes while the file is read shows later.
  recordDisk(path);
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
  if (!pathName().isEmpty()) recordDisk(pathName());  // read again (Reopen)
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
  if (isRecordedFile(path) && !mayOverwriteOwnFile()) return false;
  if (code_ == CharCode::InternetForm) {
    showMessage(QApplication::activeWindow(),
                {tr("%1 は Internet Form として読み込まれました。Internet Form では書き込めないため、Shift-JIS で保存します。")
                     .arg(title()),
                 caption(), QMessageBox::Information, QMessageBox::Ok});
  }
  const CharCode code = writableCode(code_);
  if (!write(path, code, m_bRTF)) return false;
  code_ = code;  // told once: from now on the document is Shift-JIS
  return true;
}

bool CWabunkoDoc::saveCopy(const QString& path, CharCode code) { return write(path, code, m_bRTF); }

std::optional<QString> CWabunkoDoc::saveQuietly() {
  if (code_ == CharCode::InternetForm) return tr("Internet Form の文書は自動保存しません");
  // What another program wrote is not overwritten unasked; the next Save asks.
  switch (isRecordedFile(pathName()) ? disk_.change() : FileStamp::Change::None) {
    case FileStamp::Change::Changed: return tr("%1 は他のプログラムで変更されているため、上書きしません").arg(fileName());
    case FileStamp::Change::Removed: return tr("%1 は他のプログラムで削除されているため、保存しません").arg(fileName());
    case FileStamp::Change::None: break;
  }
  QString failure;
  if (!write(pathName(), code_, m_bRTF, &failure)) return failure;
  return std::nullopt;
}

bool CWabunkoDoc::write(const QString& path, CharCode code, bool rtf, QString* quietFailure) {
  ++savesRunning_;
  const auto done = qScopeGuard([] { --savesRunning_; });
  if (partsOf(path).extension == "WBK") rtf = false;
  std::size_t lost = 0;
  const std::string bytes = DocumentStream::write(*display()->edit().textDocument(), rtf, code, &lost);
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
  m_bRTF = rtf;
  if (isRecordedFile(path)) recordDisk(path);
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
  // leaves the original as it was. Unbuffered: a buffered write that the disk cuts short
  // is not reported by commit(), which would put the shortened file in the original's place.
  const UnfinishedSave unfinished(path);
  QSaveFile file(path);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
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
  // A file another program removed is written again where it was, once the user agrees
  // (onSaveDocument asks); a missing file counts as write-protected otherwise.
  const bool removed = isRecordedFile(pathName()) && disk_.change() == FileStamp::Change::Removed;
  if (pathName().isEmpty() || (!removed && isReadOnlyFile(pathName()))) {
    showMessage(dialogParent(), {title() + QStringLiteral("\n    ファイル名を変更してください"),
                                 QStringLiteral("ファイルの保存"), QMessageBox::Warning, QMessageBox::Ok});
    onFileSaveAs();
    return;
  }
  doSave(pathName(), true);
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
  bool rtf = m_bRTF;
  switch (choice.filter) {
    case AllFilesFilter: rtf = parts.extension == "RTF"; break;
    case TextFilter: rtf = false; break;
    case RichTextFilter: rtf = true; break;
    default: break;
  }
  // The dialog has asked before replacing a file that is there.
  const bool saved = write(path, choice.code, rtf);
  if (saved) {
    setPathName(path);  // which records the file written there
    code_ = choice.code;
  }
  // Remembered also when the save failed.
  addToDirectoryHistory(store, path);
  writeSetting(store, settings::FileSaveDir, QString::fromStdString(parts.folder));
  return saved;
}

void CWabunkoDoc::recordDisk(const QString& path) { disk_.record(filesystemPath(path)); }

bool CWabunkoDoc::isRecordedFile(const QString& path) const {
  return !path.isEmpty() && !disk_.path().empty() && disk_.path() == filesystemPath(path);
}

QString CWabunkoDoc::fileName() const { return QFileInfo(pathName()).fileName(); }

bool CWabunkoDoc::mayOverwriteOwnFile() {
  const FileStamp::Change change = disk_.change();
  if (change == FileStamp::Change::None) return true;
  disk_.markTold();  // the question tells of this change; activation need not
  const QString text = change == FileStamp::Change::Changed
                           ? tr("%1 は他のプログラムで変更されています。上書きしますか？")
                           : tr("%1 は他のプログラムで削除されています。保存しますか？");
  return showMessage(dialogParent(), {text.arg(fileName()), caption(), QMessageBox::Warning,
                                      QMessageBox::Yes | QMessageBox::No}) == QMessageBox::Yes;
}

void CWabunkoDoc::watchActivation() {
  ChildFrame* frame = views().empty() ? nullptr : views().front()->childFrame();
  if (!frame || frame == watchedFrame_) return;
  watchedFrame_ = frame;
  // The frame is activated among the children, or gets WindowActivate with the main
  // window it is in.
  frame->installEventFilter(this);
  connect(frame, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates was, Qt::WindowStates now) {
    if (now.testFlag(Qt::WindowActive) && !was.testFlag(Qt::WindowActive)) noticeChangeOnDiskLater();
  });
}

bool CWabunkoDoc::eventFilter(QObject* watched, QEvent* event) {
  // The type first: the frame's last events come while it is being destroyed, when reading
  // the pointer to it is no longer sound.
  if (event->type() == QEvent::WindowActivate && watched == watchedFrame_) noticeChangeOnDiskLater();
  return Document::eventFilter(watched, event);
}

void CWabunkoDoc::noticeChangeOnDiskLater() {
  // After the activation has run its course, and once for the several signs of one.
  if (noticePending_) return;
  noticePending_ = true;
  QTimer::singleShot(0, this, &CWabunkoDoc::noticeChangeOnDisk);
}

void CWabunkoDoc::noticeChangeOnDisk() {
  noticePending_ = false;
  // Inside a dialog or a save the user is busy with this very file; the next activation
  // tells.
  if (isClosing() || !watchedFrame_ || QApplication::activeModalWidget() || saveRunning()) return;
  const QMdiArea* area = watchedFrame_->mdiArea();
  if (!area || area->currentSubWindow() != watchedFrame_ || !isRecordedFile(pathName())) return;
  const FileStamp::Change change = disk_.changeNotYetTold();
  if (change == FileStamp::Change::None) return;
  // There is no reloading: the text stays as it was read, and Save asks before it writes.
  const QString text = change == FileStamp::Change::Changed
                           ? tr("%1 は他のプログラムで変更されています。\n"
                                "開いている内容はそのままです。上書き保存するときに確認します。")
                           : tr("%1 は他のプログラムで削除されています。\n"
                                "開いている内容はそのままです。保存するときに確認します。");
  showMessage(dialogParent(), {text.arg(fileName()), caption(), QMessageBox::Information, QMessageBox::Ok});
}

}  // namespace wabunko
