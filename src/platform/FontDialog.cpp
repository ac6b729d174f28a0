#include "platform/FontDialog.h"

#include "platform/ColorDialog.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>
#include <vector>

namespace wabunko {

// The sample text in the chosen font and colour, made smaller when it would not fit, so
// that a huge size still shows its face and effects.
class FontSample : public QFrame {
public:
  explicit FontSample(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setMinimumSize(200, 64);
  }

  void showFont(const QFont& font, const QColor& color) {
    setFont(font);
    color_ = color;
    update();
  }

protected:
  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    static const QString text = QStringLiteral("Aaあぁアァ亜宇");
    const QRect area = contentsRect().adjusted(4, 2, -4, -2);
    QFont shown = font();
    const QFontMetricsF metrics(shown);
    const qreal fit = std::min(area.width() / metrics.horizontalAdvance(text), area.height() / metrics.height());
    if (fit < 1) shown.setPointSizeF(std::max<qreal>(1, shown.pointSizeF() * fit));
    QPainter painter(this);
    painter.setClipRect(area);
    painter.setFont(shown);
    painter.setPen(color_);
    painter.drawText(area, Qt::AlignCenter, text);
  }

private:
  QColor color_;
};

namespace {

FontDialogHook& fontDialogHook() {
  static FontDialogHook hook;
  return hook;
}

constexpr int kMinPointTenths = 10;
constexpr int kMaxPointTenths = 16380;
constexpr int kWeightRole = Qt::UserRole;
constexpr int kItalicRole = Qt::UserRole + 1;

struct NamedColor {
  const char* name;
  QRgb rgb;
};
constexpr NamedColor kStandardColors[] = {
    {"黒", 0x000000},   {"栗色", 0x800000}, {"緑", 0x008000},   {"オリーブ", 0x808000},
    {"紺", 0x000080},   {"紫", 0x800080},   {"緑青", 0x008080}, {"灰色", 0x808080},
    {"銀色", 0xC0C0C0}, {"赤", 0xFF0000},   {"黄緑", 0x00FF00}, {"黄", 0xFFFF00},
    {"青", 0x0000FF},   {"赤紫", 0xFF00FF}, {"水色", 0x00FFFF}, {"白", 0xFFFFFF}};

// The sizes offered for a face that can take any size.
constexpr int kStandardPointTenths[] = {80,  90,  100, 105, 110, 120, 140, 160, 180,
                                        200, 220, 240, 260, 280, 360, 480, 720};

struct Style {
  QString name;
  int weight;
  bool italic;
};

// The common style names as a Japanese desktop shows them; the rest keep the face's own.
QString displayStyleName(const QString& name) {
  static const std::pair<const char*, const char*> names[] = {
      {"Regular", "標準"},       {"Normal", "標準"},           {"Book", "標準"},
      {"Roman", "標準"},         {"Italic", "斜体"},           {"Oblique", "斜体"},
      {"Bold", "太字"},          {"Bold Italic", "太字 斜体"}, {"Bold Oblique", "太字 斜体"}};
  for (const auto& [face, shown] : names)
    if (name == QLatin1String(face)) return QString::fromUtf8(shown);
  return name;
}

// The styles of an installed face in order of weight, upright first. A choice holds only
// weight and italic, so of the styles that agree in both (a face's condensed variants) only
// the plainest, the one with the shortest name, is offered. Qt calls oblique styles
// upright; they count as italic here, as they look. A face with no styles of its own, or
// one that is not installed, gets the four that any face can be drawn in.
std::vector<Style> stylesOf(const QString& family) {
  std::vector<Style> styles;
  if (!family.isEmpty()) {
    for (const QString& style : QFontDatabase::styles(family)) {
      const int weight = QFontDatabase::weight(family, style);
      if (weight < 0) continue;
      styles.push_back({style, weight, QFontDatabase::font(family, style, 12).style() != QFont::StyleNormal});
    }
  }
  if (styles.empty()) {
    return {{QStringLiteral("標準"), QFont::Normal, false},
            {QStringLiteral("斜体"), QFont::Normal, true},
            {QStringLiteral("太字"), QFont::Bold, false},
            {QStringLiteral("太字 斜体"), QFont::Bold, true}};
  }
  std::stable_sort(styles.begin(), styles.end(), [](const Style& a, const Style& b) {
    return std::tuple(a.weight, a.italic, a.name.size()) < std::tuple(b.weight, b.italic, b.name.size());
  });
  styles.erase(std::unique(styles.begin(), styles.end(),
                           [](const Style& a, const Style& b) { return a.weight == b.weight && a.italic == b.italic; }),
               styles.end());
  for (Style& style : styles) style.name = displayStyleName(style.name);
  return styles;
}

QString pointTenthsText(int tenths) {
  return tenths % 10 ? QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10) : QString::number(tenths / 10);
}

// A size in points with at most one decimal ("10.5" is 105 tenths), full-width digits as
// an input method types them included; nothing for anything else or a size out of bounds.
std::optional<int> pointTenthsOf(const QString& text) {
  static const QRegularExpression size(QStringLiteral("^\\s*([0-9]{1,5})(?:\\.([0-9])?)?\\s*$"));
  const QRegularExpressionMatch match = size.match(text.normalized(QString::NormalizationForm_KC));
  if (!match.hasMatch()) return std::nullopt;
  const int tenths = match.captured(1).toInt() * 10 + match.captured(2).toInt();
  if (tenths < kMinPointTenths || tenths > kMaxPointTenths) return std::nullopt;
  return tenths;
}

QIcon colorSwatch(const QColor& color) {
  QPixmap swatch(24, 14);
  swatch.fill(color);
  QPainter painter(&swatch);
  painter.setPen(Qt::darkGray);
  painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
  return QIcon(swatch);
}

// A label for an input, with the mnemonic; the input takes its text, without the mnemonic
// and the colon, as its accessible name.
QLabel* labelFor(const QString& text, QWidget* input, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(input);
  static const QRegularExpression decoration(QStringLiteral("\\(&.\\)|:$"));
  input->setAccessibleName(QString(text).remove(decoration));
  return label;
}

int rowOf(const QListWidget& list, const QString& text) {
  const QList<QListWidgetItem*> found = list.findItems(text, Qt::MatchFixedString);
  return found.isEmpty() ? -1 : list.row(found.first());
}

}  // namespace

FontDialog::FontDialog(const FontChoice& initial, QWidget* parent)
    : QDialog(parent),
      familyEdit_(new QLineEdit(this)),
      familyList_(new QListWidget(this)),
      styleList_(new QListWidget(this)),
      sizeEdit_(new QLineEdit(this)),
      sizeList_(new QListWidget(this)),
      strikeOut_(new QCheckBox(QStringLiteral("取り消し線(&K)"), this)),
      underline_(new QCheckBox(QStringLiteral("下線(&U)"), this)),
      colorCombo_(new QComboBox(this)),
      sample_(new FontSample(this)) {
  setWindowTitle(QStringLiteral("フォント"));
  const std::pair<QWidget*, const char*> names[] = {
      {familyEdit_, "familyEdit"}, {familyList_, "familyList"}, {styleList_, "styleList"},
      {sizeEdit_, "sizeEdit"},     {sizeList_, "sizeList"},     {strikeOut_, "strikeOut"},
      {underline_, "underline"},   {colorCombo_, "colorCombo"}, {sample_, "sample"}};
  for (const auto& [widget, name] : names) widget->setObjectName(QString::fromLatin1(name));

  for (const QString& family : QFontDatabase::families())
    if (QFontDatabase::isScalable(family) && !QFontDatabase::isPrivateFamily(family)) familyList_->addItem(family);
  for (const NamedColor& named : kStandardColors) {
    const QColor color = QColor::fromRgb(named.rgb);
    colorCombo_->addItem(colorSwatch(color), QString::fromUtf8(named.name), color);
  }
  colorCombo_->addItem(QStringLiteral("その他..."));

  familyList_->setAccessibleName(QStringLiteral("フォント名の一覧"));
  sizeList_->setAccessibleName(QStringLiteral("サイズの一覧"));
  sizeEdit_->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000.0")) * 2);
  sizeList_->setMaximumWidth(sizeEdit_->maximumWidth());
  auto* grid = new QGridLayout;
  grid->addWidget(labelFor(QStringLiteral("フォント名(&F):"), familyEdit_, this), 0, 0);
  grid->addWidget(familyEdit_, 1, 0);
  grid->addWidget(familyList_, 2, 0);
  grid->addWidget(labelFor(QStringLiteral("スタイル(&Y):"), styleList_, this), 0, 1);
  grid->addWidget(styleList_, 1, 1, 2, 1);
  grid->addWidget(labelFor(QStringLiteral("サイズ(&S):"), sizeEdit_, this), 0, 2);
  grid->addWidget(sizeEdit_, 1, 2);
  grid->addWidget(sizeList_, 2, 2);
  // Face names are long, style names shorter, sizes a few digits.
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 2);

  auto* effects = new QGroupBox(QStringLiteral("文字飾り"), this);
  auto* colorRow = new QHBoxLayout;
  colorRow->addWidget(labelFor(QStringLiteral("色(&C):"), colorCombo_, effects));
  colorRow->addWidget(colorCombo_, 1);
  auto* effectsLayout = new QVBoxLayout(effects);
  effectsLayout->addWidget(strikeOut_);
  effectsLayout->addWidget(underline_);
  effectsLayout->addLayout(colorRow);
  effectsLayout->addStretch();
  auto* sampleBox = new QGroupBox(QStringLiteral("サンプル"), this);
  sample_->setParent(sampleBox);
  (new QVBoxLayout(sampleBox))->addWidget(sample_);
  grid->addWidget(effects, 3, 0);
  grid->addWidget(sampleBox, 3, 1, 1, 2);

  QDialogButtonBox* buttons = okCancelButtons(this, Qt::Vertical);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addWidget(buttons);

  connect(familyEdit_, &QLineEdit::textChanged, this, &FontDialog::showFamily);
  connect(familyList_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) familyEdit_->setText(familyList_->item(row)->text());
  });
  connect(styleList_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    weight_ = styleList_->item(row)->data(kWeightRole).toInt();
    italic_ = styleList_->item(row)->data(kItalicRole).toBool();
    updateSample();
  });
  connect(sizeEdit_, &QLineEdit::textChanged, this, &FontDialog::showSize);
  connect(sizeList_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) sizeEdit_->setText(sizeList_->item(row)->text());
  });
  connect(strikeOut_, &QCheckBox::toggled, this, &FontDialog::updateSample);
  connect(underline_, &QCheckBox::toggled, this, &FontDialog::updateSample);
  connect(colorCombo_, &QComboBox::currentIndexChanged, this, &FontDialog::colorPicked);

  setChoice(initial);
}

FontChoice FontDialog::choice() const {
  return {familyEdit_->text(), pointTenths_, weight_, italic_, underline_->isChecked(), strikeOut_->isChecked(), color_};
}

void FontDialog::setChoice(const FontChoice& choice) {
  // The style and size first, so that the lists the face fills show them.
  weight_ = choice.weight;
  italic_ = choice.italic;
  pointTenths_ = choice.pointTenths;
  {
    // Shown whether the text changes or not: the styles now have a weight to match.
    const QSignalBlocker blocker(familyEdit_);
    familyEdit_->setText(choice.family);
  }
  showFamily(choice.family);
  sizeEdit_->setText(pointTenthsText(choice.pointTenths));
  const QSignalBlocker strikeOutBlocker(strikeOut_), underlineBlocker(underline_);
  strikeOut_->setChecked(choice.strikeOut);
  underline_->setChecked(choice.underline);
  showColor(choice.color);
}

void FontDialog::accept() {
  QLineEdit* wrong = familyEdit_->text().trimmed().isEmpty() ? familyEdit_
                     : !pointTenthsOf(sizeEdit_->text()) ? sizeEdit_
                                                         : nullptr;
  if (!wrong) {
    QDialog::accept();
    return;
  }
  QApplication::beep();
  wrong->setFocus(Qt::OtherFocusReason);
  wrong->selectAll();
}

// The face as typed: the list goes to the installed face of that name, or else to the
// first that begins with the text, and the styles and sizes follow the installed face.
void FontDialog::showFamily(const QString& text) {
  const int exact = rowOf(*familyList_, text);
  int row = exact;
  for (int i = 0; row < 0 && !text.isEmpty() && i < familyList_->count(); ++i)
    if (familyList_->item(i)->text().startsWith(text, Qt::CaseInsensitive)) row = i;
  {
    const QSignalBlocker blocker(familyList_);
    familyList_->setCurrentRow(row);
  }
  if (row >= 0) familyList_->scrollToItem(familyList_->item(row));
  const QString installed = exact >= 0 ? familyList_->item(exact)->text() : QString();
  fillStyles(installed);
  fillSizes(installed);
  updateSample();
}

void FontDialog::fillStyles(const QString& installedFamily) {
  const QSignalBlocker blocker(styleList_);
  styleList_->clear();
  for (const Style& style : stylesOf(installedFamily)) {
    auto* item = new QListWidgetItem(style.name, styleList_);
    item->setData(kWeightRole, style.weight);
    item->setData(kItalicRole, style.italic);
    // A face without a style of the weight it was given shows none and keeps the weight.
    if (style.weight == weight_ && style.italic == italic_) styleList_->setCurrentItem(item);
  }
}

void FontDialog::fillSizes(const QString& installedFamily) {
  std::vector<int> tenths(std::begin(kStandardPointTenths), std::end(kStandardPointTenths));
  if (!installedFamily.isEmpty() && !QFontDatabase::isScalable(installedFamily)) {
    const QList<int> points = QFontDatabase::pointSizes(installedFamily);
    if (!points.isEmpty()) {
      tenths.clear();
      for (int point : points) tenths.push_back(point * 10);
    }
  }
  const QSignalBlocker blocker(sizeList_);
  sizeList_->clear();
  for (int size : tenths) sizeList_->addItem(pointTenthsText(size));
  sizeList_->setCurrentRow(rowOf(*sizeList_, pointTenthsText(pointTenths_)));
}

void FontDialog::showSize(const QString& text) {
  const std::optional<int> tenths = pointTenthsOf(text);
  if (tenths) pointTenths_ = *tenths;
  const QSignalBlocker blocker(sizeList_);
  const int row = tenths ? rowOf(*sizeList_, pointTenthsText(*tenths)) : -1;
  sizeList_->setCurrentRow(row);
  if (row >= 0) sizeList_->scrollToItem(sizeList_->item(row));
  updateSample();
}

// Shows a colour in the combo, as an item of its own (its #rrggbb) when it is none of the
// standard ones.
void FontDialog::showColor(const QColor& color) {
  color_ = color;
  int index = 0;
  while (index < colorCombo_->count() - 1 && colorCombo_->itemData(index).value<QColor>().rgba() != color.rgba()) ++index;
  const QSignalBlocker blocker(colorCombo_);
  if (index == colorCombo_->count() - 1) colorCombo_->insertItem(index, colorSwatch(color), color.name(), color);
  colorCombo_->setCurrentIndex(index);
  updateSample();
}

// A colour of the combo, or the last item, "その他...", which asks the colour dialog.
void FontDialog::colorPicked(int index) {
  const QVariant color = colorCombo_->itemData(index);
  if (color.isValid()) {
    color_ = color.value<QColor>();
    updateSample();
    return;
  }
  showColor(chooseColor(this, color_, QStringLiteral("色の設定")).value_or(color_).toRgb());
}

void FontDialog::updateSample() {
  const FontChoice shown = choice();
  QFont font(shown.family);
  font.setPointSizeF(shown.pointTenths / 10.0);
  font.setWeight(QFont::Weight(shown.weight));
  font.setItalic(shown.italic);
  font.setUnderline(shown.underline);
  font.setStrikeOut(shown.strikeOut);
  sample_->showFont(font, shown.color);
}

std::optional<FontChoice> runFontDialog(QWidget* parent, const FontChoice& initial) {
  FontDialog dialog(initial, parent);
  const bool accepted = execOrHook(dialog, fontDialogHook());
  if (!accepted) return std::nullopt;
  return dialog.choice();
}

void setFontDialogHook(FontDialogHook hook) { fontDialogHook() = std::move(hook); }

}  // namespace wabunko
