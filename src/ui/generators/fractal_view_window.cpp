#include "ui/generators/fractal_view_window.h"

#include <QCloseEvent>
#include <QPainter>

#include "core/generators/fractal_engine.h"
#include "ui/shell/app_context.h"
#include "ui/shell/window_place_settings.h"

namespace morvane {
namespace {

constexpr QSize kOuterSize{264, 283};
// Where the window opens before it has a place of its own.
constexpr QPoint kFirstPlace{620, 120};

}  // namespace

FractalViewWindow::FractalViewWindow(AppContext& app, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      app_(app),
      picture_(kComplexSize, kComplexSize, QImage::Format_RGB32) {
  setObjectName("Form11");
  setWindowTitle("View Fractal ");
  picture_.fill(Qt::black);
  resize(kComplexSize, kComplexSize);
  move(kFirstPlace);
  ReadSettings();
}

FractalViewWindow::~FractalViewWindow() = default;

template <typename Value>
void FractalViewWindow::Paint(Value value) {
  for (int y = 0; y < kComplexSize; ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture_.scanLine(y));
    for (int x = 0; x < kComplexSize; ++x) {
      const int v = value(x, y);
      line[x] = qRgb(v, v, v);
    }
  }
  update();
}

void FractalViewWindow::PaintFromMap(const FractalEngine& engine) {
  Paint([&engine](int x, int y) { return engine.Map(x, y); });
}

void FractalViewWindow::PaintFromComplex(const FractalEngine& engine) {
  const auto image = engine.ComplexImage();
  Paint([&image](int x, int y) {
    return image[static_cast<std::size_t>(x) * kComplexSize + static_cast<std::size_t>(y)];
  });
}

void FractalViewWindow::SetPictureSize() {
  // The frame is known only once the window manager has framed the window; until then it is none.
  const QSize frame = frameGeometry().size() - size();
  resize(kOuterSize - frame);
  update();
}

void FractalViewWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(rect(), picture_);
}

void FractalViewWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  hide();
  emit Closed();
}

void FractalViewWindow::ReadSettings() { RestoreWindowPlace(app_.settings(), *this, 11); }

void FractalViewWindow::SaveSettings() { SaveWindowPlace(app_.settings(), *this, 11); }

}  // namespace morvane
