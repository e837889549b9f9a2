#include "ui/scales/scale_keyboard.h"

#include <QPainter>

#include "ui/controls/graphic_switch.h"

namespace morvane {
namespace {

constexpr int kNaturalWidth = 26;
constexpr int kNaturalHeight = 34;
constexpr int kSharpWidth = 20;
constexpr int kSharpHeight = 50;
constexpr int kRowGap = 3;

constexpr bool IsSharp(int note) {
  return note == 1 || note == 3 || note == 6 || note == 8 || note == 10;
}

// Off on the left, on on the right: a lit key takes the colour of the selection.
QPixmap KeyFrames(bool sharp) {
  const QSize size =
      sharp ? QSize(kSharpWidth, kSharpHeight) : QSize(kNaturalWidth, kNaturalHeight);
  QPixmap frames(size.width() * 2, size.height());
  frames.fill(Qt::transparent);
  QPainter painter(&frames);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int frame = 0; frame < 2; ++frame) {
    const bool on = frame == 1;
    QColor face = sharp ? QColor(30, 30, 34) : QColor(246, 246, 240);
    if (on) face = sharp ? QColor(230, 120, 20) : QColor(255, 176, 60);
    const QRectF key(frame * size.width() + 1.5, 1.5, size.width() - 3, size.height() - 3);
    painter.setPen(QPen(QColor(20, 20, 20), 1.5));
    painter.setBrush(face);
    painter.drawRoundedRect(key, 3, 3);
    if (on) {
      // A dot near the bottom, so the state reads even in grey scale.
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor(40, 20, 0));
      painter.drawEllipse(QPointF(key.center().x(), key.bottom() - 7), 3, 3);
    }
  }
  return frames;
}

}  // namespace

ScaleKeyboard::ScaleKeyboard(QWidget* parent) : QWidget(parent) {
  setObjectName("pnlKeyboard");
  const QPixmap natural = KeyFrames(false);
  const QPixmap sharp = KeyFrames(true);
  int naturals_before = 0;
  for (int note = 0; note < 12; ++note) {
    auto* key = new GraphicSwitch(this);
    key->setObjectName(QString("kvgrafsw%1").arg(note + 1));
    key->SetBitmap(IsSharp(note) ? sharp : natural);
    if (IsSharp(note)) {
      // Centred on the line between the naturals on either side.
      key->move(naturals_before * kNaturalWidth - kSharpWidth / 2, 0);
    } else {
      key->move(naturals_before * kNaturalWidth, kSharpHeight + kRowGap);
      ++naturals_before;
    }
    connect(key, &GraphicSwitch::OnClick, this, &ScaleKeyboard::KeyClicked);
    keys_[static_cast<std::size_t>(note)] = key;
  }
  setFixedSize(7 * kNaturalWidth, kSharpHeight + kRowGap + kNaturalHeight);
}

int ScaleKeyboard::Mask() const {
  int mask = 0;
  for (int note = 0; note < 12; ++note) {
    if (Key(note)->Checked()) mask |= 1 << note;
  }
  return mask;
}

void ScaleKeyboard::SetMask(int mask) {
  for (int note = 0; note < 12; ++note) Key(note)->SetChecked(((mask >> note) & 1) != 0);
}

}  // namespace morvane
