#pragma once

#include <QLabel>

namespace morvane {

// A captioned panel that reports mouse presses, for panels that open a menu or run a command.
class ClickPanel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickPanel(const QString& caption, QWidget* parent = nullptr);
  // Solid background and text colours, 0x00BBGGRR.
  void SetColors(std::uint32_t back, std::uint32_t text);

 signals:
  // A mouse button went down on the panel; `global` is where, for a pop-up menu.
  void Pressed(Qt::MouseButton button, QPoint global);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace morvane
