#include "Document.h"

#include "ChildFrame.h"
#include "Dialogs.h"
#include "DocTemplate.h"
#include "View.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace wabunko {

Document::Document() = default;

Document::~Document() {
  if (template_) template_->removeDocument(this);
}

void Document::setPathName(const QString& path) {
  const QFileInfo info(path);
  pathName_ = QDir::toNativeSeparators(info.absoluteFilePath());
  setTitle(info.fileName());
  Q_EMIT pathNameChanged(pathName_);
}

void Document::setTitle(const QString& title) {
  if (title_ == title) return;
  title_ = title;
  Q_EMIT titleChanged(title_);
}

void Document::setModifiedFlag(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  Q_EMIT modifiedChanged(modified_);
}

void Document::addView(View* view) { views_.push_back(view); }

void Document::removeView(View* view) { std::erase(views_, view); }

void Document::onCloseDocument() {
  if (closing_) return;
  closing_ = true;
  if (template_) template_->removeDocument(this);
  template_ = nullptr;
  const std::vector<View*> views = views_;
  for (View* view : views)
    if (ChildFrame* frame = view->childFrame()) frame->closeWithoutAsking();
  deleteLater();
}

bool Document::saveModified() {
  if (!isModified()) return true;
  const QString name = title_;
  const auto answer = showMessage(
      QApplication::activeWindow(),
      {QObject::tr("%1 への変更を保存しますか?").arg(name), QApplication::applicationName(),
       QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel});
  if (answer == QMessageBox::Cancel) return false;
  if (answer == QMessageBox::No) return true;
  return doFileSave();
}

bool Document::doSave(const QString& path, bool replace) {
  if (path.isEmpty()) return saveAs();
  if (!onSaveDocument(path)) return false;
  if (replace) setPathName(path);
  return true;
}

bool Document::doFileSave() {
  if (pathName_.isEmpty() || isReadOnlyFile(pathName_)) return saveAs();
  return doSave(pathName_, true);
}

bool Document::saveAs() {
  const auto choice = runFileDialog(QApplication::activeWindow(),
                                    {true, QObject::tr("名前を付けて保存"), pathName_, {}, 0});
  return choice && doSave(choice->path, true);
}

bool Document::isReadOnlyFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists() || !info.permission(QFileDevice::WriteUser)) return true;
  // The superuser may write anything; a file of one's own whose write bit is off is
  // still write-protected for this purpose.
  return info.ownerId() == ::geteuid() && !info.permission(QFileDevice::WriteOwner);
}

}  // namespace wabunko
