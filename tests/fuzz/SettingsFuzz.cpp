// libFuzzer target for what reads a stored setting's text: key texts and the hot-key
// page's edits, toolbar button lists and the toolbar page's edits, the settings layout's
// section and key look-up, typed and listed font sizes and face lists, the find-in-files
// extension list and the backup folder. The first byte picks the reader; each is checked
// against a plain reading of the rules in its header, for bounds, and for the round trips
// the stored forms promise.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "frame/FontLists.h"
#include "frame/SettingsLayout.h"
#include "frame/ToolButtonCatalogue.h"
#include "search/ExtensionList.h"
#include "settings/HotKeyTable.h"
#include "settings/HotkeyAssignments.h"
#include "settings/SettingsPageValues.h"
#include "settings/ToolbarPageModel.h"

namespace {

using namespace wabunko;

void check(bool condition) {
  if (!condition) std::abort();
}

// The bytes after the first, read from the front.
class Input {
public:
  explicit Input(std::string_view bytes) : bytes_(bytes) {}
  unsigned byte() {
    if (bytes_.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(bytes_.front());
    bytes_.remove_prefix(1);
    return b;
  }
  std::string_view rest() const { return bytes_; }

private:
  std::string_view bytes_;
};

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    parts.push_back(text.substr(start, end - start));
    if (end == text.size()) return parts;
    start = end + 1;
  }
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

// The code points of well-formed UTF-8 (the ranges of the Unicode standard's table of
// well-formed byte sequences); nothing when it is not.
std::optional<std::u32string> plainUtf8(std::string_view text) {
  std::u32string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = [&](std::size_t k) { return i + k < text.size() ? static_cast<std::uint8_t>(text[i + k]) : 0u; };
    const auto in = [](unsigned v, unsigned low, unsigned high) { return v >= low && v <= high; };
    const unsigned lead = b(0);
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;
    if (lead < 0x80)
      length = 1;
    else if (in(lead, 0xC2, 0xDF))
      length = 2;
    else if (in(lead, 0xE0, 0xEF))
      length = 3, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
    else if (in(lead, 0xF0, 0xF4))
      length = 4, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
    else
      return std::nullopt;
    if (i + length > text.size()) return std::nullopt;
    if (length > 1 && !in(b(1), low, high)) return std::nullopt;
    for (std::size_t k = 2; k < length; ++k) {
      if (!in(b(k), 0x80, 0xBF)) return std::nullopt;
    }
    char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) c = c << 6 | (b(k) & 0x3F);
    out.push_back(c);
    i += length;
  }
  return out;
}

// Key texts: six characters, "A" first for Alt, the last a virtual-key code.
void checkKeyText(Input in) {
  const std::string_view text = in.rest();
  std::optional<KeyCombo> want;
  if (const auto chars = plainUtf8(text); chars && chars->size() == 6 && chars->back() >= 1 && chars->back() <= 254)
    want = KeyCombo{chars->front() == U'A' ? KeyModifier::Alt : KeyModifier::Control, static_cast<int>(chars->back())};
  const std::optional<KeyCombo> key = parseKeyText(text);
  check(key == want);
  if (key) check(parseKeyText(makeKeyText(*key)) == key);
  const KeyCombo made{in.byte() & 1 ? KeyModifier::Alt : KeyModifier::Control, 1 + static_cast<int>(in.byte() % 254)};
  const std::string madeText = makeKeyText(made);
  check(madeText.starts_with(made.modifier == KeyModifier::Alt ? "Alt +" : "Ctrl+"));
  check(parseKeyText(madeText) == made);
}

constexpr std::array kCategories = {HotkeyCategory::FileOperation, HotkeyCategory::DocumentEditing,
                                    HotkeyCategory::CursorMovement, HotkeyCategory::Window};

// The hot-key page: texts as stored, then one edit over rows of a category.
void checkHotkeyEdits(Input in) {
  const HotkeyCategory category = kCategories[in.byte() % 4];
  const unsigned op = in.byte() % 3;
  const int virtualKey = static_cast<int>(in.byte());
  const unsigned modifiers = in.byte();
  const HeldModifiers held{(modifiers & 1) != 0, (modifiers & 2) != 0};
  std::vector<std::size_t> rows(in.byte() % 6);
  for (std::size_t& row : rows) row = in.byte() % 20;

  HotkeyAssignments::KeyTexts texts;
  const std::vector<std::string_view> stored = split(in.rest(), '\n');
  for (std::size_t i = 0; i < texts.size() && i < stored.size(); ++i) texts[i] = stored[i];
  HotkeyAssignments page(texts);
  check(page.keyTexts() == texts);

  std::set<std::size_t> commands;  // of the selected rows that exist
  for (std::size_t row : rows) {
    if (row >= hotkeyRowCount(category)) continue;
    const std::size_t command = hotkeyCommandOfRow(category, row);
    check(command < kHotkeyCommandCount && hotkeyCommands()[command].category == category);
    commands.insert(command);
  }
  HotkeyAssignments::KeyTexts want = texts;
  switch (op) {
    case 0: {
      const std::vector<std::size_t> conflicts = page.assign(category, rows, virtualKey, held);
      std::vector<std::size_t> taken;
      if (virtualKey != kVirtualKeyControl && virtualKey != kVirtualKeyAlt) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
          const std::optional<KeyCombo> key = parseKeyText(texts[i]);
          if (key && key->virtualKey == virtualKey &&
              ((held.alt && texts[i].front() == 'A') || (held.control && texts[i].front() == 'C')))
            taken.push_back(i);
        }
      }
      check(conflicts == taken);
      const bool letter = virtualKey >= 'A' && virtualKey <= 'Z';
      if (taken.empty() && letter && (held.control || held.alt)) {
        const KeyCombo key{held.control ? KeyModifier::Control : KeyModifier::Alt, virtualKey};
        for (std::size_t command : commands) want[command] = makeKeyText(key);
        // The rows now hold the key, so pressing it again is refused.
        HotkeyAssignments again = page;
        const std::vector<std::size_t> refused = again.assign(category, rows, virtualKey, held);
        check(std::ranges::includes(refused, commands) && again.keyTexts() == page.keyTexts());
      }
      break;
    }
    case 1:
      page.clear(category, rows);
      for (std::size_t command : commands) want[command].clear();
      break;
    default:
      page.resetToDefaults();
      for (std::size_t i = 0; i < want.size(); ++i) want[i] = hotkeyCommands()[i].defaultKey;
  }
  check(page.keyTexts() == want);
}

// Toolbar lists: the first `count` names, each the button of that name or a separator.
std::vector<int> plainButtonList(Bar bar, std::string_view items, int count) {
  std::vector<int> buttons;
  const std::vector<std::string_view> names = split(items, '/');
  const auto catalogue = buttonCatalogue(bar);
  for (std::size_t i = 0; i + 1 < names.size() && static_cast<int>(i) < count; ++i) {
    int number = 0;
    for (std::size_t k = 0; k < catalogue.size(); ++k) {
      if (names[i] == catalogue[k].name) {
        number = static_cast<int>(k);
        break;
      }
    }
    buttons.push_back(number);
  }
  return buttons;
}

// Each run of chosen rows goes one place toward the front (or the back) past the row
// there, except a run already at that end. The chosen rows' new places.
std::vector<int> plainMove(std::vector<int>& used, const std::set<int>& chosen, bool toBack) {
  const int n = static_cast<int>(used.size());
  const auto place = [&](int i) { return toBack ? n - 1 - i : i; };  // counted from the end moved to
  const auto at = [&](int i) -> int& { return used[static_cast<std::size_t>(place(i))]; };
  std::vector<int> now;
  for (int i = 0; i < n;) {
    if (!chosen.contains(place(i))) {
      ++i;
      continue;
    }
    int end = i;
    while (end < n && chosen.contains(place(end))) ++end;
    const int shift = i == 0 ? 0 : 1;
    if (shift) {
      const int passed = at(i - 1);
      for (int k = i; k < end; ++k) at(k - 1) = at(k);
      at(end - 1) = passed;
    }
    for (int k = i; k < end; ++k) now.push_back(place(k - shift));
    i = end;
  }
  std::ranges::sort(now);
  return now;
}

std::vector<int> followed(std::vector<int> buttons, const std::vector<BarEdit>& edits) {
  for (const BarEdit& edit : edits) {
    const auto size = static_cast<int>(buttons.size());
    switch (edit.kind) {
      case BarEdit::Kind::Append: buttons.push_back(edit.button); break;
      case BarEdit::Kind::Insert:
        check(edit.position >= 0 && edit.position <= size);
        buttons.insert(buttons.begin() + edit.position, edit.button);
        break;
      case BarEdit::Kind::Delete:
        check(edit.position >= 0 && edit.position < size);
        buttons.erase(buttons.begin() + edit.position);
        break;
    }
  }
  return buttons;
}

void checkToolbar(Input in) {
  const Bar bar = in.byte() & 1 ? Bar::TextStyle : Bar::File;
  const StoredButtons file{static_cast<std::int8_t>(in.byte()), {}};
  const StoredButtons textStyle{static_cast<std::int8_t>(in.byte()), {}};
  std::vector<std::pair<unsigned, unsigned>> ops(in.byte() % 8);
  for (auto& [op, rows] : ops) {
    op = in.byte();
    rows = in.byte();
  }
  const std::string items(in.rest());

  const std::vector<int> parsed = parseButtonList(bar, items, file.count);
  check(parsed == plainButtonList(bar, items, file.count));
  for (int number : parsed) check(number >= 0 && static_cast<std::size_t>(number) < buttonCatalogue(bar).size());
  check(parseButtonList(bar, formatButtonList(bar, parsed), static_cast<int>(parsed.size())) == parsed);

  const StoredButtons stored[2] = {{file.count, items}, {textStyle.count, items}};
  ToolbarPageModel model(stored[0], stored[1]);
  bool changed = false;
  bool edited[2] = {false, false};
  for (const Bar b : {Bar::File, Bar::TextStyle}) {
    const StoredButtons& s = stored[static_cast<int>(b)];
    const std::vector<int> want = usesDefaultButtons(s.count)
                                      ? std::vector<int>(defaultButtons(b).begin(), defaultButtons(b).end())
                                      : parseButtonList(b, s.items, s.count);
    check(model.usedButtons(b) == want && want.size() <= static_cast<std::size_t>(kMaxStoredButtons));
  }
  for (const auto& [op, rowBits] : ops) {
    const Bar b = op & 4 ? Bar::TextStyle : Bar::File;
    const Bar other = b == Bar::File ? Bar::TextStyle : Bar::File;
    std::vector<int> rows;
    for (int bit = 0; bit < 8; ++bit) {
      if (rowBits >> bit & 1) rows.push_back(static_cast<int>((op >> 3) & 7) * 5 + bit);
    }
    if (op & 0x40) rows.push_back(-1);
    if (op & 0x80) rows.push_back(1000);
    const std::vector<int> before = model.usedButtons(b);
    const std::vector<int> otherBefore = model.usedButtons(other);
    const std::size_t listSize = (op & 3) == 0 ? buttonCatalogue(b).size() : before.size();
    std::set<int> chosen;
    for (int row : rows) {
      if (row >= 0 && static_cast<std::size_t>(row) < listSize) chosen.insert(row);
    }
    std::vector<int> want = before;
    std::vector<int> selection;
    bool full = false;
    PageEdit edit;
    switch (op & 3) {
      case 0:
        edit = model.add(b, rows);
        for (auto row = chosen.rbegin(); row != chosen.rend(); ++row) {
          if (want.size() >= static_cast<std::size_t>(kMaxStoredButtons)) {
            full = true;
            break;
          }
          selection.push_back(static_cast<int>(want.size()));
          want.push_back(*row);
        }
        break;
      case 1:
        edit = model.remove(b, rows);
        for (auto row = chosen.rbegin(); row != chosen.rend(); ++row) want.erase(want.begin() + *row);
        break;
      default: {
        const bool toBack = (op & 3) == 3;
        edit = toBack ? model.moveToBack(b, rows) : model.moveToFront(b, rows);
        selection = plainMove(want, chosen, toBack);
      }
    }
    const std::vector<int>& after = model.usedButtons(b);
    check(after == want && edit.selection == selection && edit.full == full);
    check(followed(before, edit.barEdits) == after);
    check(model.usedButtons(other) == otherBefore);
    if (!edit.barEdits.empty()) edited[static_cast<int>(b)] = changed = true;
    check(model.changed() == changed);
  }
  for (const Bar b : {Bar::File, Bar::TextStyle}) {
    const StoredButtons& now = model.stored(b);
    if (!edited[static_cast<int>(b)]) {
      check(now == stored[static_cast<int>(b)]);
      continue;
    }
    // What the page stores reads back as the buttons it shows.
    check(now.count == static_cast<int>(model.usedButtons(b).size()) && !usesDefaultButtons(now.count));
    check(parseButtonList(b, now.items, now.count) == model.usedButtons(b));
  }
}

// Sections compare without ASCII case, keys exactly; a section is stored under the
// layout's spelling, or in lower case when the layout has none.
void checkLayout(Input in) {
  const std::vector<std::string_view> parts = split(in.rest(), '\0');
  const std::string_view section = parts[0];
  const std::string_view key = parts.size() > 1 ? parts[1] : std::string_view();
  const auto table = settings::layout();

  const settings::Setting* want = nullptr;
  std::string spelling;
  for (const settings::Setting& s : table) {
    if (!want && s.key == key && sameIgnoringAsciiCase(s.section, section)) want = &s;
    if (spelling.empty() && sameIgnoringAsciiCase(s.section, section)) spelling = s.section;
  }
  if (sameIgnoringAsciiCase(settings::kBarState, section)) spelling = settings::kBarState;
  if (spelling.empty() && !section.empty()) std::ranges::transform(section, std::back_inserter(spelling), asciiLower);

  const std::string canonical = settings::canonicalSection(section);
  check(canonical == spelling && sameIgnoringAsciiCase(canonical, section));
  check(settings::canonicalSection(canonical) == canonical);
  check(settings::findSetting(section, key) == want);
  check(settings::findSetting(canonical, key) == want);
}

// A typed size: blanks around, digits with at most one point; 1-1638 points, in twips.
void checkTypedSize(Input in) {
  std::string_view text = in.rest();
  const std::optional<int> twips = parseSizeTwips(text);
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  const std::size_t point = text.find('.');
  std::string whole(text.substr(0, point));
  const std::string fraction(point == std::string_view::npos ? std::string_view() : text.substr(point + 1));
  const auto digits = [](std::string_view s) {
    return std::ranges::all_of(s, [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!digits(whole) || !digits(fraction) || whole.size() + fraction.size() == 0) {
    check(!twips);
    return;
  }
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  // The value's bounds and its twips (times 20) from the digits, exactly; where the double
  // the module reads could round the other way (a hair from a bound or from a half
  // twip), either answer is right.
  const bool zeroFraction = fraction.find_first_not_of('0') == std::string::npos;
  const bool belowOne = whole.empty();
  const bool aboveMax =
      whole.size() > 4 || (whole.size() == 4 && (whole > "1638" || (whole == "1638" && !zeroFraction)));
  const bool nearBound =
      (belowOne && fraction.starts_with("99999999")) || (whole == "1638" && fraction.starts_with("00000000"));
  if (nearBound) return;
  check(twips.has_value() == (!belowOne && !aboveMax));
  if (!twips) return;
  std::string product(fraction.size() + 2, '0');  // fraction x 20, digit by digit from the right
  int carry = 0;
  for (std::size_t i = fraction.size(); i-- > 0;) {
    const int d = (fraction[i] - '0') * 20 + carry;
    product[i + 2] = static_cast<char>('0' + d % 10);
    carry = d / 10;
  }
  product[1] = static_cast<char>('0' + carry % 10);
  product[0] = static_cast<char>('0' + carry / 10);
  const int wholeTwips = std::stoi(whole) * 20 + (product[0] - '0') * 10 + (product[1] - '0');
  const std::string rest = product.substr(2) + "0000000";
  const bool half = rest.starts_with("4999999") || rest.starts_with("5000000");
  const int nearest = wholeTwips + (rest[0] < '5' ? 0 : 1);
  check(half ? (*twips == wholeTwips || *twips == wholeTwips + 1) : *twips == nearest);
  check(*twips >= kMinTypedPoints * 20 && *twips <= kMaxTypedPoints * 20);
}

// Sizes as the box writes them: rounded to half points, ".5" or a whole number.
std::string plainSizeText(int twips) {
  const int halfPoints = (twips + 5) / 10;
  return std::to_string(halfPoints / 2) + (halfPoints % 2 ? ".5" : "");
}

void checkListedSizes(Input in) {
  std::vector<int> sizes;
  while (!in.rest().empty()) sizes.push_back(static_cast<int>(in.byte() | in.byte() << 8));
  for (int twips : sizes) {
    check(sizeText(twips) == plainSizeText(twips));
    const int rounded = (twips + 5) / 10 * 10;
    if (rounded >= kMinTypedPoints * 20 && rounded <= kMaxTypedPoints * 20)
      check(parseSizeTwips(sizeText(twips)) == rounded);
  }
  std::vector<FontSizeItem> want;
  for (int twips : sizes) {
    const std::string text = plainSizeText(twips);
    if (std::ranges::none_of(want, [&](const FontSizeItem& item) { return item.text == text; }))
      want.push_back({text, twips});
  }
  std::ranges::stable_sort(want, {}, &FontSizeItem::twips);
  check(ownSizeItems(sizes) == want);
}

// Faces: one item per face and script, the script added where a face comes more than once,
// sorted without ASCII case with equal texts in the order given.
void checkFaces(Input in) {
  std::vector<FaceInScript> faces;
  for (const std::string_view line : split(in.rest(), '\n')) {
    const std::size_t tab = std::min(line.find('\t'), line.size());
    faces.push_back({std::string(line.substr(0, tab)), std::string(line.substr(std::min(tab + 1, line.size())))});
  }
  std::map<std::string, int> count;
  for (const FaceInScript& f : faces) ++count[f.face];
  std::vector<FontNameItem> want;
  for (const FaceInScript& f : faces)
    want.push_back({count[f.face] > 1 && !f.script.empty() ? f.face + " (" + f.script + ")" : f.face, f.face});
  const auto folded = [](const FontNameItem& item) {
    std::string s = item.text;
    std::ranges::transform(s, s.begin(), asciiLower);
    return std::vector<unsigned char>(s.begin(), s.end());
  };
  std::ranges::stable_sort(want, {}, folded);
  check(fontNameItems(faces) == want);
}

// Extensions, each followed by "/"; a name fits "txt" when it ends in "." and "txt" in any
// ASCII case, and an empty extension when it holds no dot.
void checkExtensions(Input in) {
  const std::vector<std::string_view> parts = split(in.rest(), '\0');
  const std::string_view stored = parts[0];
  const std::string_view name = parts.size() > 1 ? parts[1] : std::string_view();
  const ExtensionList list = ExtensionList::parse(stored);
  std::vector<std::string_view> want = split(stored, '/');
  want.pop_back();
  check(std::ranges::equal(list.extensions(), want) && list.passes() == want.size() && !list.everyFile());
  const std::size_t lastSlash = stored.rfind('/');
  check(list.stored() == stored.substr(0, lastSlash == std::string_view::npos ? 0 : lastSlash + 1));
  check(ExtensionList::parse(list.stored()).extensions() == list.extensions());
  for (std::size_t pass = 0; pass < list.passes(); ++pass) {
    const std::string_view extension = want[pass];
    const bool fits = extension.empty()
                          ? name.find('.') == std::string_view::npos
                          : name.size() > extension.size() && name[name.size() - extension.size() - 1] == '.' &&
                                sameIgnoringAsciiCase(name.substr(name.size() - extension.size()), extension);
    check(list.fits(pass, name) == fits);
  }
  const ExtensionList all = ExtensionList::allFiles();
  check(all.everyFile() && all.passes() == 1 && all.fits(0, name));

  std::vector<std::string> kept;
  for (const std::string_view candidate : split(name, '\n')) {
    const std::optional<ExtensionProblem> problem = checkExtension(candidate);
    const std::optional<ExtensionProblem> expected =
        candidate.find('/') != std::string_view::npos ? std::optional(ExtensionProblem::ContainsSlash)
        : candidate.size() > kMaxExtensionBytes       ? std::optional(ExtensionProblem::TooLong)
                                                      : std::nullopt;
    check(problem == expected);
    if (!problem) kept.emplace_back(candidate);
  }
  check(ExtensionList::parse(ExtensionList(kept).stored()).extensions() == kept);
}

void checkBackUpDirectory(Input in) {
  const std::string_view folder = in.rest();
  const std::string stored = storedBackUpDirectory(folder);
  check(stored == (folder.empty() || folder.ends_with('/') ? std::string(folder) : std::string(folder) + '/'));
  check(storedBackUpDirectory(stored) == stored);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const Input in(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  switch (data[0] % 8) {
    case 0: checkKeyText(in); break;
    case 1: checkHotkeyEdits(in); break;
    case 2: checkToolbar(in); break;
    case 3: checkLayout(in); break;
    case 4: checkTypedSize(in); break;
    case 5: checkListedSizes(in); break;
    case 6: checkFaces(in); break;
    default: checkExtensions(in); checkBackUpDirectory(in);
  }
  return 0;
}
