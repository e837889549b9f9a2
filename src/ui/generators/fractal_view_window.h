#pragma once

#include <QImage>
#include <QWidget>

namespace morvane {

class AppContext;
class FractalEngine;

// "View Fractal ": the fractal engine's map or complex image as a 256 x 256 grey picture,
// stretched to the window. The first index of the map runs across, the second down.
class FractalViewWindow : public QWidget {
  Q_OBJECT

 public:
  explicit FractalViewWindow(AppContext& app, QWidget* parent = nullptr);
  ~FractalViewWindow() override;

  // Pixel (x, y) = map[x][y], or complex image byte x * 256 + y.
  void PaintFromMap(const FractalEngine& engine);
  void PaintFromComplex(const FractalEngine& engine);
  // "Resize the fractal window": the outer size 264 x 283, then a repaint.
  void SetPictureSize();
  const QImage& Picture() const { return picture_; }

  // Writes place and visibility (PX11, PY11, EN11).
  void SaveSettings();

 signals:
  // The window was closed, so the main window's "Functions" entry loses its tick.
  void Closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ReadSettings();
  // Fills the picture with grey(value(x, y)) and repaints.
  template <typename Value>
  void Paint(Value value);

  AppContext& app_;
  QImage picture_;
};

}  // namespace morvane
