#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/ProfileSettings.h"
#include "platform/MemoryStore.h"
#include "view/CWabunkoView.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

namespace wabunko {

QStringList items(const QComboBox* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
  return texts;
}

QByteArray readBytes(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(file.write(bytes), bytes.size());
}

CWabunkoView* viewOf(const CWabunkoDoc* doc) {
  return doc->views().empty() ? nullptr : qobject_cast<CWabunkoView*>(doc->views().front());
}

AppHarness::AppHarness(const QMap<QString, QMap<QString, QString>>& settings, const QStringList& arguments) {
  auto store = std::make_unique<MemoryStore>(canonicalSectionName);
  store_ = store.get();
  for (auto section = settings.begin(); section != settings.end(); ++section)
    for (auto value = section->begin(); value != section->end(); ++value)
      store_->writeProfileString(section.key(), value.key(), value.value());
  // A test never hands over to (or answers) another running editor.
  store_->writeProfileInt(QStringLiteral("Frame position"), QStringLiteral("Parent single"), 0);
  app_ = std::make_unique<CWabunkoApp>(std::move(store));
  setMessageHook([this](const MessageRequest& request) {
    messages.push_back(request);
    if (answers.empty())
      return request.buttons.testFlag(QMessageBox::Save) ? QMessageBox::Save : QMessageBox::Ok;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  });
  setWabFileDialogHook([this](const FileDialogStart& start) {
    fileDialogs.push_back(start);
    if (fileChoices.empty()) return FileDialogChoice{};  // cancelled
    const FileDialogChoice choice = fileChoices.front();
    fileChoices.pop_front();
    return choice;
  });
  EXPECT_EQ(app_->initInstance(arguments), CWabunkoApp::Start::Running);
}

AppHarness::~AppHarness() {
  setMessageHook({});
  setWabFileDialogHook({});
  app_.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

CWabunkoDoc* AppHarness::open(const QString& path, CharCode code, FileKind kind, bool readOnly) {
  app_->pendingCode = code;
  app_->pendingKind = kind;
  app_->pendingReadOnly = readOnly ? 1 : 0;
  CWabunkoDoc* doc = app_->openDocumentFile(path);
  app_->pendingCode = CharCode::ShiftJis;
  app_->pendingKind = FileKind::Auto;
  app_->pendingReadOnly = 0;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return doc;
}

std::vector<CWabunkoDoc*> AppHarness::documents() const { return app_->documents(); }

}  // namespace wabunko
