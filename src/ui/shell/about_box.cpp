#include "ui/shell/about_box.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

namespace morvane {

namespace {

constexpr int kPictureWidth = 388;
constexpr int kPictureHeight = 204;

QLabel* AddTextLine(QWidget* parent, QVBoxLayout* layout, const QString& text,
                    const QString& object_name) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(object_name);
  label->setAlignment(Qt::AlignCenter);
  label->setStyleSheet("color: #d8e0e8;");
  // The whole window closes on a click, labels included.
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  layout->addWidget(label);
  return label;
}

}  // namespace

QString AboutBox::RevisionText() { return "Rev 2.3"; }

QString AboutBox::CreditLine() { return "Wavetable editor for the Morvane-8 module"; }

QPixmap AboutBox::DrawPicture() {
  QPixmap picture(kPictureWidth, kPictureHeight);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient background(0, 0, 0, kPictureHeight);
  background.setColorAt(0.0, QColor(18, 28, 48));
  background.setColorAt(1.0, QColor(6, 8, 16));
  painter.fillRect(picture.rect(), background);

  // A few cycles of a wavetable sweep: a sine morphing into a square across the picture.
  const double mid = kPictureHeight * 0.62;
  for (int layer = 0; layer < 6; ++layer) {
    QPainterPath path;
    const double shape = layer / 5.0;
    for (int x = 0; x <= kPictureWidth; ++x) {
      const double phase = x * 2.0 * M_PI * 3.0 / kPictureWidth;
      const double sine = std::sin(phase);
      const double square = sine >= 0 ? 1.0 : -1.0;
      const double y = mid - (sine * (1.0 - shape) + square * shape * 0.8) * (34.0 - layer * 3);
      if (x == 0) {
        path.moveTo(x, y + layer * 4);
      } else {
        path.lineTo(x, y + layer * 4);
      }
    }
    painter.setPen(QPen(QColor::fromHsv(150 + layer * 14, 200, 255 - layer * 25), 1.6));
    painter.drawPath(path);
  }

  QFont title_font("Sans", 28, QFont::Bold);
  painter.setFont(title_font);
  painter.setPen(QColor(240, 200, 60));
  painter.drawText(QRect(0, 18, kPictureWidth, 48), Qt::AlignCenter, "MORVANE-8");
  QFont subtitle_font("Sans", 11);
  painter.setFont(subtitle_font);
  painter.setPen(QColor(200, 215, 230));
  painter.drawText(QRect(0, 64, kPictureWidth, 22), Qt::AlignCenter, "MIDI Wavetable Editor");
  return picture;
}

AboutBox::AboutBox() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
  setObjectName("Form5");
  setWindowTitle("About...");
  setStyleSheet("background: #0a0e18;");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 8);
  layout->setSpacing(4);
  auto* picture = new QLabel(this);
  picture->setObjectName("Image1");
  picture->setPixmap(DrawPicture());
  picture->setFixedSize(kPictureWidth, kPictureHeight);
  picture->setAttribute(Qt::WA_TransparentForMouseEvents);
  layout->addWidget(picture);
  AddTextLine(this, layout, RevisionText(), "Label1");
  AddTextLine(this, layout, CreditLine(), "Label2");
  setFixedSize(sizeHint());
}

void AboutBox::showEvent(QShowEvent* event) {
  if (QScreen* screen = this->screen()) {
    move(screen->geometry().center() - rect().center());
  }
  QWidget::showEvent(event);
}

void AboutBox::mousePressEvent(QMouseEvent* event) {
  QWidget::mousePressEvent(event);
  close();
}

}  // namespace morvane
