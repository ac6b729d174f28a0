// The main menus as the user sees them: titles, items in order, separators.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "frame/CMainFrame.h"

#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace wabunko {
namespace {

struct Menu {
  QString title;
  QStringList items;  // "-" for a separator
};

std::vector<Menu> menusOf(const CMainFrame* frame) {
  std::vector<Menu> menus;
  for (const QAction* title : frame->menuBar()->actions()) {
    Menu menu{title->text(), {}};
    for (const QAction* item : title->menu()->actions()) {
      menu.items << (item->isSeparator() ? QStringLiteral("-") : item->text());
      // A submenu's items follow its title, indented.
      if (item->menu())
        for (const QAction* sub : item->menu()->actions())
          menu.items << QStringLiteral("  ") + (sub->isSeparator() ? QStringLiteral("-") : sub->text());
    }
    menus.push_back(menu);
  }
  return menus;
}

TEST(FrameMenus, TheMenuBarHoldsEveryMenuInOrder) {
  AppHarness h;
  const std::vector<Menu> want{
      // The separator before the exit item closes the block of recent files.
      {"ﾌｧｲﾙ(&F)",
       {"新規作成(&N)", "開く(&O)...", "閉じる(&C)", "すべて閉じる(&L)", "-", "上書き保存(&S)",
        "名前を付けて保存(&A)...", "すべて保存(&M)", "開き直し", "-", "印刷(&P)...", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)",
        "-", "-", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}},
      {"編集(&E)",
       {"元に戻す(&U)", "-", "切り取り(&T)", "ｺﾋﾟｰ(&C)", "貼り付け(&P)", "削除(&D)", "-",
        "すべて選択(&L)", "-", "検索(&F)...", "次を検索(&I)", "上に検索", "置換(&E)", "ﾌｧｲﾙから検索...", "-", "編集禁止",
        "ｼｸﾞﾆﾁｬ"}},
      {"表示(&V)",
       {"ﾌｧｲﾙ操作(&T)", "書式設定(&F)", "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "-", "行番号(&L)", "縦書き(&V)", "-", "なし",
        "印刷幅", "ｳｨﾝﾄﾞｳの右端"}},
      {"書式(&O)",
       {"文字書式(&C)", "  ﾌｫﾝﾄ(&F)", "  -", "  ﾎﾞｰﾙﾄﾞ（&B）", "  ｲﾀﾘｯｸ（&I）", "  下線(L)", "  -", "  上付き(&U)",
        "  下付き(&D)", "  解除(&R)", "段落書式(&P)", "  左寄せ(&L)", "  中央寄せ(&C)", "  右寄せ(&R)", "  -",
        "  ｲﾝﾃﾞﾝﾄ"}},
      {"変換", {"小文字→大文字", "大文字→小文字", "半角→全角", "全角→半角", "-", "句読点"}},
      {"ﾂｰﾙ",
       {"行長", "行末空白の削除", "-", "引用記号", "縦方向", "ｼｸﾞﾆﾁｬ", "-", "追加コピー", "追加切り取り", "-", "詳細(&O)"}},
      {"ｳｨﾝﾄﾞｳ(&W)", {"重ねて表示(&C)", "上下に並べて表示(&H)", "左右に並べて表示(&T)", "-", "最前面", "ｽｸﾛｰﾙの連動(&S)"}},
      // The favourites follow the separator once there are any.
      {"お気に入り", {"追加", "整理", "-"}},
      {"ﾍﾙﾌﾟ(&H)", {"ﾊﾞｰｼﾞｮﾝ情報(Wabunko)(&A)..."}},
  };
  const std::vector<Menu> got = menusOf(h.app().mainFrame());
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].title, want[i].title);
    EXPECT_EQ(got[i].items, want[i].items) << got[i].title.toStdString();
  }
}

}  // namespace
}  // namespace wabunko
