#include "platform/ChildFrame.h"
#include "platform/DocTemplate.h"
#include "platform/Document.h"
#include "platform/DocumentManager.h"
#include "platform/View.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

struct FakeDocument : Document {
  bool onOpenDocument(const QString& path) override { return QFile::exists(path); }
  bool onSaveDocument(const QString&) override { return true; }
};

TEST(DocumentManager, KeepsCreationOrderAndActivatesAnOpenPathInsteadOfReopening) {
  QTemporaryDir dir;
  QFile(dir.filePath(QStringLiteral("a.txt"))).open(QIODevice::WriteOnly);
  QFile::link(dir.filePath(QStringLiteral("a.txt")), dir.filePath(QStringLiteral("link.txt")));
  QMdiArea area;
  DocumentManager manager;
  manager.addTemplate(std::make_unique<DocTemplate>(
      QStringLiteral("Doc"),
      DocTemplate::Factories{[] { return new FakeDocument; }, [] { return new ChildFrame; },
                             [](Document* d) { return new View(d); }},
      [&area] { return &area; }));

  Document* first = manager.openDocumentFile({});
  Document* file = manager.openDocumentFile(dir.filePath(QStringLiteral("a.txt")));
  Document* second = manager.openDocumentFile({});
  ASSERT_TRUE(first && file && second);
  EXPECT_EQ(first->title(), QStringLiteral("Doc1"));
  EXPECT_EQ(second->title(), QStringLiteral("Doc2"));
  EXPECT_EQ(manager.documents(), (std::vector<Document*>{first, file, second}));
  EXPECT_EQ(manager.views().size(), 3u);

  EXPECT_EQ(manager.openDocumentFile(dir.filePath(QStringLiteral("link.txt"))), file);
  EXPECT_EQ(area.activeSubWindow(), file->views().front()->childFrame());
  EXPECT_EQ(manager.openDocumentFile(dir.filePath(QStringLiteral("missing.txt"))), nullptr);
  EXPECT_EQ(manager.documents().size(), 3u);

  manager.closeAllDocuments();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(manager.documents().empty());
  EXPECT_TRUE(area.subWindowList().isEmpty());
}

}  // namespace
}  // namespace wabunko
