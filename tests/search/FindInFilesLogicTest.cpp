#include "doc/TextBridge.h"
#include "doc/rtf/RtfWriter.h"
#include "platform/PosixFolderLister.h"
#include "search/ExtensionList.h"
#include "search/FileHits.h"
#include "search/FolderWalk.h"
#include "search/ResultRows.h"
#include "search/TextMatch.h"
#include "search/UpwardSearch.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace wabunko {
namespace {

using Kind = FolderEntry::Kind;

std::string sjis(std::u16string_view text) { return TextBridge::toShiftJis(text); }

// Folders as tables; a folder missing from the table cannot be read. A folder's identity
// stands for its path, so a link names the folder it leads to.
class FakeLister : public FolderLister {
public:
  struct Entry {
    std::string name;
    Kind kind = Kind::File;
    std::string leadsTo{};  // for a folder: the folder it is, when a link
  };
  explicit FakeLister(std::map<std::string, std::vector<Entry>> folders) : folders_(std::move(folders)) {}

  std::optional<std::vector<FolderEntry>> list(const std::string& folder) override {
    listed.push_back(folder);
    const auto found = folders_.find(folder);
    if (found == folders_.end()) return std::nullopt;
    std::vector<FolderEntry> entries;
    for (const Entry& entry : found->second) {
      const std::string target = entry.leadsTo.empty() ? folder + entry.name + "/" : entry.leadsTo;
      entries.push_back({entry.name, entry.kind, !entry.leadsTo.empty(), 1, idOf(target)});
    }
    return entries;
  }
  std::optional<std::pair<std::uint64_t, std::uint64_t>> identity(const std::string& folder) override {
    return std::pair<std::uint64_t, std::uint64_t>{1, idOf(folder)};
  }

  std::vector<std::string> listed;

private:
  std::uint64_t idOf(const std::string& folder) { return ids_.try_emplace(folder, ids_.size()).first->second; }
  std::map<std::string, std::vector<Entry>> folders_;
  std::map<std::string, std::uint64_t> ids_;
};

std::vector<std::string> walkAll(FolderWalk& walk) {
  std::vector<std::string> paths;
  while (const auto file = walk.next()) paths.push_back(file->path());
  return paths;
}

TEST(FolderWalk, BreadthFirstWithTheFilesOfEachFolderByExtensionNeverEnteringAFolderTwice) {
  FakeLister lister({
      {"/r/", {{"sub1", Kind::Folder}, {"a.txt"}, {"b.rtf"}, {".hidden", Kind::Folder}, {"c.TXT"},
               {"pipe.txt", Kind::Other}, {"loop", Kind::Folder, "/r/"}, {"sub2", Kind::Folder}}},
      {"/r/sub1/", {{"deep", Kind::Folder}, {"d.txt"}}},
      {"/r/sub2/", {{"back", Kind::Folder, "/r/sub1/"}, {"e.rtf"}}},
      {"/r/sub1/deep/", {{"f.txt"}}},
      {"/r/.hidden/", {{"g.txt"}}},
  });
  FolderWalk walk("/r", ExtensionList::parse("rtf/txt/"), lister);
  EXPECT_EQ(walkAll(walk), (std::vector<std::string>{"/r/b.rtf", "/r/a.txt", "/r/c.TXT", "/r/sub1/d.txt",
                                                     "/r/sub2/e.rtf", "/r/sub1/deep/f.txt"}));
  EXPECT_EQ(lister.listed, (std::vector<std::string>{"/r/", "/r/sub1/", "/r/sub2/", "/r/sub1/deep/"}));
  EXPECT_EQ(walk.foldersListed(), 4);
  EXPECT_TRUE(walk.unreadableFolders().empty());
}

TEST(FolderWalk, EachPatternTakesTheFolderAgain) {
  struct Case {
    ExtensionList extensions;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {ExtensionList::parse("txt/TXT/"), {"/r/a.txt", "/r/c.TXT", "/r/a.b.txt", "/r/a.txt", "/r/c.TXT", "/r/a.b.txt"}},
      {ExtensionList::parse("txt/b.txt/"), {"/r/a.txt", "/r/c.TXT", "/r/a.b.txt", "/r/a.b.txt"}},
      {ExtensionList::allFiles(), {"/r/a.txt", "/r/c.TXT", "/r/.profile", "/r/README", "/r/a.b.txt"}},
      {ExtensionList::parse("/"), {"/r/README"}},
      {ExtensionList::parse(""), {}},
  };
  for (const Case& c : cases) {
    FakeLister lister({{"/r/", {{"a.txt"}, {"c.TXT"}, {".profile"}, {"fifo", Kind::Other},
                                       {"sub", Kind::Folder}, {"README"}, {"a.b.txt"}}}});
    FolderWalk walk("/r/", c.extensions, lister);
    EXPECT_EQ(walkAll(walk), c.want) << c.extensions.stored();
  }
}

TEST(FolderWalk, AFolderThatCannotBeListedIsReportedAndTheWalkGoesOn) {
  FakeLister lister({{"/r/", {{"locked", Kind::Folder}, {"open", Kind::Folder}}},
                            {"/r/open/", {{"x.txt"}}}});
  FolderWalk walk("/r/", ExtensionList::parse("txt/"), lister);
  EXPECT_EQ(walkAll(walk), std::vector<std::string>{"/r/open/x.txt"});
  EXPECT_EQ(walk.unreadableFolders(), std::vector<std::string>{"/r/locked/"});
}

TEST(FolderWalk, StopEndsTheWalkAfterTheFileLastGiven) {
  FakeLister lister({{"/r/", {{"a.txt"}, {"b.txt"}, {"sub", Kind::Folder}}}, {"/r/sub/", {{"c.txt"}}}});
  FolderWalk walk("/r/", ExtensionList::parse("txt/"), lister);
  ASSERT_EQ(walk.next()->path(), "/r/a.txt");
  EXPECT_EQ(walk.currentFolder(), "/r/");
  walk.stop();
  EXPECT_EQ(walk.next(), std::nullopt);
  EXPECT_EQ(lister.listed, std::vector<std::string>{"/r/"});
}

TEST(ExtensionList, ANameFitsWhenItEndsInADotAndTheExtensionInAnyCase) {
  struct Case {
    std::string extension, name;
    bool fits;
  };
  const Case cases[] = {
      {"txt", "a.txt", true},      {"txt", "a.TxT", true},      {"TXT", "a.txt", true},
      {"txt", ".txt", true},       {"txt", "atxt", false},      {"txt", "a.txt.bak", false},
      {"xt", "a.txt", false},      {"b.txt", "a.b.txt", true},  {"", "README", true},
      {"", "a.txt", false},        {".txt", "a.txt", false},    {".txt", "a..txt", true},
      {"ｔｘｔ", "a.ＴＸＴ", false},  // only ASCII letters fold in names
  };
  for (const Case& c : cases)
    EXPECT_EQ(ExtensionList({c.extension}).fits(0, c.name), c.fits) << c.extension << " " << c.name;
}

TEST(ExtensionList, StoredFormAndChecks) {
  EXPECT_EQ(ExtensionList::parse("txt/rtf/").extensions(), (std::vector<std::string>{"txt", "rtf"}));
  EXPECT_EQ(ExtensionList::parse("txt/rtf").extensions(), std::vector<std::string>{"txt"});
  EXPECT_EQ(ExtensionList::parse("a//").extensions(), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(ExtensionList::parse("txt/rtf/").stored(), "txt/rtf/");
  EXPECT_TRUE(ExtensionList::allFiles().everyFile());
  EXPECT_EQ(checkExtension("txt"), std::nullopt);
  EXPECT_EQ(checkExtension(""), std::nullopt);
  EXPECT_EQ(checkExtension("t/x"), ExtensionProblem::ContainsSlash);
  EXPECT_EQ(checkExtension(std::string(27, 'x')), std::nullopt);
  EXPECT_EQ(checkExtension(std::string(28, 'x')), ExtensionProblem::TooLong);
  EXPECT_EQ(checkExtension("あああああああああ"), std::nullopt);  // 27 bytes of UTF-8
  EXPECT_EQ(checkExtension("ああああああああああ"), ExtensionProblem::TooLong);
}

TEST(FileHits, MatchesStartOnCharactersOverlapAndFoldOnlyLatinLetters) {
  struct Case {
    std::u16string paragraph, needle;
    bool matchCase;
    std::vector<std::size_t> want;
  };
  const Case cases[] = {
      {u"aaaa", u"aa", true, {0, 1, 2}},
      {u"あああ", u"ああ", true, {0, 2}},
      {u"ソ", u"\\", true, {}},  // ソ is 83 5C
      {u"ソ\\", u"\\", true, {2}},
      {u"ア", u"A", false, {}},  // ア is 83 41
      {u"ャ\\", u"ソ", true, {}},  // ャ\ is 83 83 5C: ソ's bytes across two characters
      {u"xAbx", u"aB", false, {1}},
      {u"xAbx", u"aB", true, {}},
      {u"Ａｂ", u"ａＢ", false, {0}},
      {u"ａ", u"a", false, {}},
      {u"a", u"ａ", false, {}},
      {u"ッ", u"ア", false, {}},  // 83 62 and 83 41: trail bytes fold only for full-width letters
      {u"検索語A検索語a", u"検索語a", false, {0, 7}},
      {u"ab", u"", false, {}},
      {u"", u"a", false, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(matchesInParagraph(sjis(c.paragraph), sjis(c.needle), c.matchCase), c.want)
        << sjis(c.paragraph) << " / " << sjis(c.needle) << " / " << c.matchCase;
}

TEST(FileHits, MatchesAreThoseOfTheFindCommandsOnTheText) {
  // Characters whose bytes can be confused: trail bytes equal to ASCII letters and "\".
  const std::u16string alphabet = u"aAａＡbソ\\アッャあ ";
  std::mt19937 random(16);
  const auto pick = [&](std::size_t length) {
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    return text;
  };
  for (int round = 0; round < 3000; ++round) {
    const std::u16string text = pick(random() % 12), needle = pick(1 + random() % 3);
    const bool matchCase = random() % 2 == 0;
    std::vector<std::size_t> want;  // byte offsets of the matches findText finds, overlapping
    for (std::size_t at = findText(text, needle, 0, matchCase); at != std::u16string::npos;
         at = findText(text, needle, at + 1, matchCase))
      want.push_back(sjis(text.substr(0, at)).size());
    EXPECT_EQ(matchesInParagraph(sjis(text), sjis(needle), matchCase), want) << sjis(text) << " / " << sjis(needle);
  }
}

TEST(FileHits, TheByteFoldIsTheTextFoldOverCodePage932) {
  for (unsigned c = 0; c < 0x100; ++c) {
    const std::u16string text = TextBridge::toUnicode(std::string(1, static_cast<char>(c)));
    const std::string folded(1, static_cast<char>(foldLetterCaseByte(static_cast<unsigned char>(c))));
    EXPECT_EQ(TextBridge::toUnicode(folded), std::u16string(1, foldLetterCase(text[0]))) << c;
  }
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (!isLeadByte(static_cast<unsigned char>(lead))) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      const auto pair = [lead](unsigned t) { return std::string{static_cast<char>(lead), static_cast<char>(t)}; };
      const std::u16string text = TextBridge::toUnicode(pair(trail));
      if (text.size() != 1) continue;  // not one character
      const unsigned folded = foldLetterCaseTrail(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
      EXPECT_EQ(TextBridge::toUnicode(pair(folded)), std::u16string(1, foldLetterCase(text[0])))
          << lead << " " << trail;
    }
  }
}

TEST(FileHits, ParagraphsEndInCrLfLfOrCrAndEachMatchIsARow) {
  EXPECT_EQ(findInText("xab\r\nabab\n\r\ncab\r\r\nab", "AB", false),
            (std::vector<FileHit>{{1, "xab"}, {2, "abab"}, {2, "abab"}, {4, "cab"}, {6, "ab"}}));
  EXPECT_EQ(findInText("a\r\nb", "a\r", true), std::vector<FileHit>{});  // never across a break
  // A JIS file is searched in its bytes as they stand: ESC $ B 30 21 (亜) holds no 亜.
  EXPECT_EQ(findInFile("\x1B$B0!\x1B(B", sjis(u"亜"), true), std::vector<FileHit>{});
}

TEST(FileHits, ALongParagraphIsShownFromTheMatchInWholeCharacters) {
  const std::string paragraph = std::string(600, 'x') + "ab" + sjis(std::u16string(300, u'あ'));
  const std::vector<FileHit> hits = findInText("short\n" + paragraph, "b", true);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].paragraph, 2);
  EXPECT_EQ(hits[0].excerpt, "b" + sjis(std::u16string((kMaxExcerptBytes - 1) / 2, u'あ')));
}

TEST(FileHits, RichTextIsSearchedInItsParagraphs) {
  rtf::RtfDocument document;
  const auto paragraph = [](std::vector<rtf::Run> runs) { return rtf::Paragraph{{}, std::move(runs)}; };
  rtf::Run bold{{}, u"語です"};
  bold.format.bold = true;
  document.paragraphs = {
      paragraph({{{}, u"検索"}, bold}),
      paragraph({{{}, u"前\u2028検索語"}}),
      paragraph({{{}, u"", rtf::Image{}}}),
      paragraph({{{}, u"x検索語検索語"}}),
  };
  const std::string word = sjis(u"検索語");
  EXPECT_EQ(findInFile(rtf::writeRtf(document), word, true),
            (std::vector<FileHit>{{1, sjis(u"検索語です")}, {2, sjis(u"前 検索語")}, {4, sjis(u"x検索語検索語")},
                                  {4, sjis(u"x検索語検索語")}}));
}

TEST(ResultRows, NewRowsComeAtTheTopAndSortingIsByCodePage932BytesDescending) {
  ResultRows rows;
  // 亜 is U+4E9C, 88 9F; 一 is U+4E00, 88 EA: the two orders differ.
  rows.add("亜.txt", "/f1/", 1, "r0");
  rows.add("一.txt", "/f1/", 2, "r1");
  rows.add("b.txt", "/f1/", 3, "r2");
  rows.add("亜.txt", "/f2/", 4, "r3");
  const auto shown = [&rows] {
    std::vector<std::string> excerpts;
    for (std::size_t i = 0; i < rows.size(); ++i) excerpts.push_back(rows.at(i).excerpt);
    return excerpts;
  };
  EXPECT_EQ(shown(), (std::vector<std::string>{"r3", "r2", "r1", "r0"}));
  EXPECT_EQ(rows.at(0).serial, 3u);
  EXPECT_EQ(rows.paths(), (std::vector<std::string>{"/f1/亜.txt", "/f1/一.txt", "/f1/b.txt", "/f2/亜.txt"}));
  rows.sortByFileDescending();
  EXPECT_EQ(shown(), (std::vector<std::string>{"r1", "r3", "r0", "r2"}));
  rows.add("c.txt", "/f1/", 5, "r4");
  EXPECT_EQ(shown(), (std::vector<std::string>{"r4", "r1", "r3", "r0", "r2"}));
  rows.add("b.txt", "/f1/", 6, "r5");
  EXPECT_EQ(rows.paths(), (std::vector<std::string>{"/f1/b.txt", "/f1/亜.txt", "/f2/亜.txt", "/f1/一.txt", "/f1/c.txt"}));
  rows.clear();
  rows.add("d.txt", "/f1/", 1, "r6");
  EXPECT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows.at(0).serial, 6u);
}

// A folder tree made in the temporary folder for one test, removed after it.
class TemporaryTree : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "wabunko-walk-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern + "/";
  }
  void TearDown() override {
    std::error_code ignored;  // most trees have no locked folder
    std::filesystem::permissions(root_ + "locked", std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(root_);
  }
  std::string root_;
};

TEST_F(TemporaryTree, TheListerSortsByNameAndTellsLinksByWhatTheyPointAt) {
  std::filesystem::create_directory(root_ + "a");
  std::ofstream(root_ + "b.txt") << "x";
  std::ofstream(root_ + "a/c.txt") << "x";
  ASSERT_EQ(mkfifo((root_ + "f.txt").c_str(), 0600), 0);
  std::filesystem::create_directory_symlink(root_, root_ + "a/loop");
  std::filesystem::create_symlink(root_ + "nowhere", root_ + "dead.txt");
  std::filesystem::create_symlink(root_ + "b.txt", root_ + "to.txt");
  PosixFolderLister lister;
  const std::optional<std::vector<FolderEntry>> entries = lister.list(root_);
  ASSERT_TRUE(entries);
  std::vector<std::tuple<std::string, Kind, bool>> seen;
  for (const FolderEntry& entry : *entries) seen.emplace_back(entry.name, entry.kind, entry.link);
  EXPECT_EQ(seen, (std::vector<std::tuple<std::string, Kind, bool>>{{"a", Kind::Folder, false},
                                                                     {"b.txt", Kind::File, false},
                                                                     {"dead.txt", Kind::Other, true},
                                                                     {"f.txt", Kind::Other, false},
                                                                     {"to.txt", Kind::File, true}}));
  const auto loop = lister.list(root_ + "a/")->at(1);
  EXPECT_EQ(loop.name, "loop");
  EXPECT_EQ(std::pair(loop.device, loop.inode), lister.identity(root_));
  FolderWalk walk(root_, ExtensionList::allFiles(), lister);
  EXPECT_EQ(walkAll(walk), (std::vector<std::string>{root_ + "b.txt", root_ + "to.txt", root_ + "a/c.txt"}));
}

TEST_F(TemporaryTree, AFolderThatCannotBeReadIsNotListed) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  std::filesystem::create_directory(root_ + "locked");
  std::filesystem::permissions(root_ + "locked", std::filesystem::perms::none);
  PosixFolderLister lister;
  EXPECT_EQ(lister.list(root_ + "locked/"), std::nullopt);
  FolderWalk walk(root_, ExtensionList::allFiles(), lister);
  EXPECT_EQ(walkAll(walk), std::vector<std::string>{});
  EXPECT_EQ(walk.unreadableFolders(), std::vector<std::string>{root_ + "locked/"});
}

}  // namespace
}  // namespace wabunko
