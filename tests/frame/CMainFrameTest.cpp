// The main frame through the real widgets offscreen: first start, placement and bars
// written at close and restored at the next start, auto-save, the frame's commands.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "frame/AutoSave.h"
#include "frame/CMainFrame.h"
#include "frame/FrameCommands.h"
#include "frame/ProfileSettings.h"
#include "frame/SettingsLayout.h"
#include "frame/ToolBars.h"
#include "platform/CommandRouter.h"
#include "platform/EditControl.h"
#include "platform/MemoryStore.h"
#include "view/CWabunkoView.h"

#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

TEST(CMainFrame, FirstStartUsesTheDefaultsAndWritesOnlyTheToolbarCounts) {
  AppHarness h;
  CMainFrame* frame = h.app().mainFrame();
  EXPECT_EQ(frame->normalGeometry().size(), QSize(400, 400));
  EXPECT_EQ(frame->pos(), QPoint(0, 0));
  EXPECT_EQ(frame->toolBars().buttonCount(Bar::File), 13);
  EXPECT_EQ(frame->toolBars().buttonCount(Bar::TextStyle), 13);
  EXPECT_TRUE(frame->statusBar()->isVisible());
  EXPECT_FALSE(frame->autoSave().running());
  EXPECT_EQ(frame->drawLineNumber, 0);
  EXPECT_EQ(frame->insertMode, 1);

  MemoryStore::Sections written = h.store().contents();
  written[QStringLiteral("Frame position")].remove(QStringLiteral("Parent single"));  // the harness's own
  written.removeIf([](const auto& section) { return section.value().isEmpty(); });
  const MemoryStore::Sections counts{
      {QStringLiteral("ToolBar\\TextStyleBar Item"), {{QStringLiteral("Count"), QStringLiteral("-1")}}},
      {QStringLiteral("ToolBar\\ToolBar Item"), {{QStringLiteral("Count"), QStringLiteral("-1")}}}};
  EXPECT_EQ(written, counts);
}

TEST(CMainFrame, ClosingWritesPlacementAndBarsAndTheNextStartRestoresThem) {
  MemoryStore::Sections saved;
  {
    AppHarness h;
    CMainFrame* frame = h.app().mainFrame();
    frame->showNormal();
    frame->setGeometry(QRect(30, 40, 500, 300));
    frame->textStyleBar()->hide();
    frame->removeToolBar(frame->toolBar());
    frame->addToolBar(Qt::LeftToolBarArea, frame->toolBar());
    frame->toolBar()->show();
    frame->showMaximized();
    ASSERT_TRUE(frame->close());
    saved = h.store().contents();
    EXPECT_EQ(readInt(h.store(), settings::FrameMaximized), 1);
    EXPECT_EQ(readInt(h.store(), settings::FrameWidth), 500);
    EXPECT_EQ(readInt(h.store(), settings::FrameHeight), 300);
  }
  AppHarness again(saved);
  CMainFrame* frame = again.app().mainFrame();
  EXPECT_TRUE(frame->isMaximized());
  EXPECT_EQ(frame->normalGeometry().size(), QSize(500, 300));
  EXPECT_FALSE(frame->textStyleBar()->isVisible());
  EXPECT_EQ(frame->toolBarArea(frame->toolBar()), Qt::LeftToolBarArea);
}

TEST(CMainFrame, CancellingTheCloseStillWritesTheFrameState) {
  AppHarness h;
  h.documents().front()->display()->edit().replaceSel(QStringLiteral("unsaved"), true);
  h.answers.push_back(QMessageBox::Cancel);
  EXPECT_FALSE(h.app().mainFrame()->close());
  EXPECT_EQ(readInt(h.store(), settings::FrameWidth, -1), 400);
  EXPECT_EQ(h.documents().size(), 1u);
}

TEST(CMainFrame, AutoSaveSavesModifiedDocuments) {
  AppHarness h({{QStringLiteral("File"),
                 {{QStringLiteral("Do auto save"), QStringLiteral("1")},
                  {QStringLiteral("Time span for auto save"), QStringLiteral("5")}}}});
  CMainFrame* frame = h.app().mainFrame();
  ASSERT_TRUE(frame->autoSave().running());
  writeBytes(h.path(QStringLiteral("auto.txt")), "a");
  CWabunkoDoc* doc = h.open(h.path(QStringLiteral("auto.txt")));
  doc->display()->edit().setSel(-1, -1);
  doc->display()->edit().replaceSel(QStringLiteral("b"), true);
  auto* timer = frame->findChild<QTimer*>(QStringLiteral("autoSave"));
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), 5 * 60000);
  timer->start(1);  // tick now rather than in five minutes
  QTest::qWait(50);
  EXPECT_EQ(readBytes(h.path(QStringLiteral("auto.txt"))), QByteArray("ab"));
  EXPECT_FALSE(doc->isModified());
}

TEST(CMainFrame, FormatBarAndLineNumberCommandsFlipTheirFlags) {
  AppHarness h;
  CMainFrame* frame = h.app().mainFrame();
  CommandRouter& router = h.app().router();
  router.dispatch(cmd::ViewTextStyleBar);
  EXPECT_EQ(frame->viewTextStyleBarFlag, 0);
  EXPECT_FALSE(frame->textStyleBar()->isVisible());
  EXPECT_EQ(router.update(cmd::ViewTextStyleBar).checked(), false);

  router.dispatch(cmd::ViewLineNumbers);
  EXPECT_EQ(readInt(h.store(), settings::FrameDrawLineNumber), 1);
  EXPECT_EQ(router.update(cmd::ViewLineNumbers).checked(), true);
}

TEST(CMainFrame, ButtonsOfCommandsNobodyHandlesShowDisabled) {
  AppHarness h;
  CommandRouter& router = h.app().router();
  router.updateAll();
  EXPECT_TRUE(router.action(57600)->isEnabled());   // new: the application's
  EXPECT_FALSE(router.action(57669)->isEnabled());  // context help: none on this platform
}

TEST(CMainFrame, SignatureOpensThePerUserFileAsPlainText) {
  AppHarness h;
  h.app().router().dispatch(cmd::EditSignature);
  const QString path = CMainFrame::userFilePath(QStringLiteral("_signature.wbk"));
  EXPECT_TRUE(QFileInfo::exists(path));
  EXPECT_TRUE(path.contains(QLatin1String("WabSoft/Wabunko/")));
  ASSERT_FALSE(h.documents().empty());
  EXPECT_EQ(h.documents().back()->pathName(), path);
  EXPECT_FALSE(h.documents().back()->m_bRTF);
}

}  // namespace
}  // namespace wabunko
