// What the vertical control really draws for Japanese punctuation, brackets, long vowel
// marks and small kana, on every installed face the settings' font names resolve to: the
// editor as a new user starts it (default settings, or only the face changed), the text
// typed, the control painted, each character's cell compared with the glyph HarfBuzz
// chooses for top-to-bottom Japanese text in the same face.
#include "TestFiles.h"

#include "app/CWabunkoApp.h"
#include "doc/CWabunkoDoc.h"
#include "platform/EditControl.h"
#include "platform/FontSubstitutes.h"
#include "platform/VerticalTextEdit.h"
#include "view/CWabunkoView.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <set>

inline void PrintTo(const QString& s, std::ostream* out) { *out << s.toStdString(); }

namespace wabunko {
namespace {

// Characters that take a vertical glyph or stand upright as they are.
const QString kCharacters = QString::fromUtf16(u"、。，．「」『』（）［］｛｝〈〉《》【】〔〕ー～…‥ぁっゃァッャ漢字；！？あアカ");

struct ShapedGlyph {
  quint32 glyph = 0;
  QPointF offset;  // font units, y upwards, from the pen at the top of the character's cell
};

// HarfBuzz's glyphs for `text` laid top to bottom as Japanese, one per character.
std::vector<ShapedGlyph> shapeTopToBottom(const QString& file, int faceIndex, const QString& text) {
  QProcess hb;
  hb.start(QStringLiteral("hb-shape"),
           {QStringLiteral("--face-index=%1").arg(faceIndex), QStringLiteral("--direction=ttb"),
            QStringLiteral("--language=ja"), QStringLiteral("--no-glyph-names"), file, text});
  if (!hb.waitForFinished(20000) || hb.exitCode() != 0) return {};
  std::vector<ShapedGlyph> glyphs;
  static const QRegularExpression entry(QStringLiteral("(\\d+)=\\d+@(-?\\d+),(-?\\d+)"));
  for (auto m = entry.globalMatch(QString::fromUtf8(hb.readAllStandardOutput())); m.hasNext();) {
    const QRegularExpressionMatch g = m.next();
    glyphs.push_back({g.captured(1).toUInt(), QPointF(g.captured(2).toDouble(), g.captured(3).toDouble())});
  }
  return glyphs;
}

// The file and face index fontconfig gives for an exact family name.
std::pair<QString, int> fontFile(const QString& family) {
  QProcess fc;
  fc.start(QStringLiteral("fc-match"), {QStringLiteral("-f"), QStringLiteral("%{file}\n%{index}"), family});
  if (!fc.waitForFinished(20000)) return {};
  const QStringList lines = QString::fromUtf8(fc.readAllStandardOutput()).split(QLatin1Char('\n'));
  return {lines.value(0), lines.value(1).toInt()};
}

// How much ink `drawn` and `expected` have in `area`, and how much of it differs, with
// `expected` moved by at most a pixel either way, so rounding is not counted.
struct Ink {
  int inked = 0;      // pixels inked in either image
  int different = 0;  // pixels that differ clearly between the two
};
Ink compare(const QImage& drawn, const QImage& expected, const QRect& area) {
  const auto grey = [](const QImage& image, int x, int y) {
    return image.rect().contains(x, y) ? qGray(image.pixel(x, y)) : 255;
  };
  Ink best{0, -1};
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) {
      Ink ink;
      for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
          const int a = grey(drawn, x, y);
          const int b = grey(expected, x + dx, y + dy);
          if (a < 160 || b < 160) ++ink.inked;
          if (std::abs(a - b) > 96) ++ink.different;
        }
      if (best.different < 0 || ink.different < best.different) best = ink;
    }
  return best;
}

// Every face the program's Japanese font names may resolve to.
std::vector<QString> substituteFaces() {
  std::set<QString> faces;
  for (const FontSubstitute& substitute : japaneseFontSubstitutes())
    faces.insert(substitute.faces.begin(), substitute.faces.end());
  return {faces.begin(), faces.end()};
}

class VerticalGlyphsDrawn : public testing::TestWithParam<QString> {};

TEST_P(VerticalGlyphsDrawn, AreTheFontsTopToBottomGlyphs) {
  // An empty face is the default settings' face; 36 points as a user would enlarge it.
  QMap<QString, QMap<QString, QString>> settings{
      {QStringLiteral("Font\\Default"), {{QStringLiteral("Height"), QStringLiteral("36")}}},
      {QStringLiteral("Frame position"), {{QStringLiteral("縦書き"), QStringLiteral("1")}}}};
  if (!GetParam().isEmpty() && !QFontDatabase::hasFamily(GetParam())) GTEST_SKIP() << "not installed";
  if (!GetParam().isEmpty()) settings[QStringLiteral("Font\\Default")][QStringLiteral("FaceName")] = GetParam();
  AppHarness h(settings);
  EditControl& edit = h.documents().front()->display()->edit();
  auto* vertical = qobject_cast<VerticalTextEdit*>(edit.widget());
  ASSERT_NE(vertical, nullptr) << "the view did not start in vertical writing";
  vertical->resize(400, 400);
  vertical->clearFocus();  // no caret over the cells

  // The face the text really gets, and HarfBuzz's glyphs in the same face.
  edit.replaceSel(kCharacters, false);
  const QTextBlock block = edit.textDocument()->begin();
  edit.textDocument()->documentLayout()->blockBoundingRect(block);  // lays it out
  const QList<QGlyphRun> runs = block.layout()->lineAt(0).glyphRuns();
  ASSERT_FALSE(runs.isEmpty());
  const QRawFont font = runs.front().rawFont();
  const auto [file, faceIndex] = fontFile(font.familyName());
  const std::vector<ShapedGlyph> shaped = shapeTopToBottom(file, faceIndex, kCharacters);
  ASSERT_EQ(shaped.size(), static_cast<std::size_t>(kCharacters.size()))
      << "hb-shape on " << file.toStdString() << " (is libharfbuzz-bin installed?)";
  const qreal scale = font.pixelSize() / font.unitsPerEm();

  for (qsizetype i = 0; i < kCharacters.size(); ++i) {
    edit.setSel(0, -1);
    edit.replaceSel(kCharacters.mid(i, 1), false);
    edit.setSel(0, 0);  // brings the cell into view
    const QRectF cell = vertical->characterRect(0);
    const QImage drawn = vertical->viewport()->grab().toImage();

    QImage expected(drawn.size(), QImage::Format_RGB32);
    expected.fill(drawn.pixel(drawn.width() / 2, drawn.height() - 1));  // the background
    QGlyphRun glyph;
    glyph.setRawFont(font);
    glyph.setGlyphIndexes({shaped[i].glyph});
    // The glyph's origin: from the middle of the column and the top of the cell, by the
    // offset HarfBuzz gives (its y counts upwards).
    glyph.setPositions({QPointF(cell.center().x() + shaped[i].offset.x() * scale,
                                cell.top() - shaped[i].offset.y() * scale)});
    QPainter painter(&expected);
    painter.setPen(Qt::black);
    painter.drawGlyphRun(QPointF(), glyph);
    painter.end();

    const QRect area = cell.toAlignedRect().adjusted(-8, -8, 8, 8).intersected(drawn.rect());
    const Ink ink = compare(drawn, expected, area);
    EXPECT_GT(ink.inked, 0) << kCharacters.mid(i, 1).toStdString();
    EXPECT_LE(ink.different, ink.inked / 10)
        << kCharacters.mid(i, 1).toStdString() << " in " << font.familyName().toStdString() << ": "
        << ink.different << " of " << ink.inked << " inked pixels differ from glyph " << shaped[i].glyph;
  }
}

INSTANTIATE_TEST_SUITE_P(Installed, VerticalGlyphsDrawn,
                         testing::ValuesIn([] {
                           std::vector<QString> faces{QString()};
                           for (const QString& face : substituteFaces()) faces.push_back(face);
                           return faces;
                         }()),
                         [](const auto& info) {
                           return info.param.isEmpty() ? std::string("DefaultSettings")
                                                       : QString(info.param).remove(QLatin1Char(' ')).toStdString();
                         });

}  // namespace
}  // namespace wabunko
