#pragma once

#include <QFrame>
#include <cstdint>

namespace morvane {

// A small sunken panel filled with one colour (0x00BBGGRR or a system colour code); a left
// click asks for another.
class ColorSwatch : public QFrame {
  Q_OBJECT

 public:
  explicit ColorSwatch(QWidget* parent = nullptr);

  std::uint32_t Color() const { return color_; }
  void SetColor(std::uint32_t color);

  QSize sizeHint() const override { return {32, 16}; }

 signals:
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::uint32_t color_ = 0;
};

}  // namespace morvane
