#pragma once
// Helpers for tests that touch files and the application object.

#include "doc/CharCodes.h"
#include "doc/CWabFileDlg.h"
#include "platform/Dialogs.h"

#include <QByteArray>
#include <QObject>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class QComboBox;

namespace wabunko {

class CWabunkoApp;
class CWabunkoDoc;
class CWabunkoView;
class MemoryStore;

// The texts of a list's entries, in order.
QStringList items(const QComboBox* list);

// The child of `parent` called `name`; the test fails when there is none.
template <typename Child>
Child* childNamed(const QObject& parent, const char* name) {
  Child* found = parent.findChild<Child*>(QString::fromUtf8(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// The view showing `doc`.
CWabunkoView* viewOf(const CWabunkoDoc* doc);

// A running application object over an in-memory store, with a main frame, message boxes
// recorded and answered from a queue (Ok/Save when the queue is empty), and file dialogs
// answered from a queue (cancel when it is empty).
class AppHarness {
public:
  // `settings` are in the store before the application starts with `arguments`.
  explicit AppHarness(const QMap<QString, QMap<QString, QString>>& settings = {},
                      const QStringList& arguments = {});
  ~AppHarness();

  CWabunkoApp& app() { return *app_; }
  MemoryStore& store() { return *store_; }
  QString path(const QString& name) const { return dir_.filePath(name); }

  CWabunkoDoc* open(const QString& path, CharCode code = CharCode::ShiftJis,
                    FileKind kind = FileKind::Auto, bool readOnly = false);
  std::vector<CWabunkoDoc*> documents() const;

  std::vector<MessageRequest> messages;
  std::deque<QMessageBox::StandardButton> answers;
  std::vector<FileDialogStart> fileDialogs;
  std::deque<FileDialogChoice> fileChoices;

private:
  QTemporaryDir dir_;
  MemoryStore* store_;
  std::unique_ptr<CWabunkoApp> app_;
};

}  // namespace wabunko
