#pragma once

#include <QLabel>
#include <cstdint>

namespace morvane {

// A small captioned panel that holds an on/off state and shows it by its colours. A left click
// flips it and fires Clicked; setting the state from the program fires nothing. Colours are
// 0x00BBGGRR numbers.
class TogglePanel : public QLabel {
  Q_OBJECT

 public:
  struct Look {
    std::uint32_t on_back;
    std::uint32_t on_text;
    std::uint32_t off_back;
    std::uint32_t off_text;
  };
  // Green with lime text when on, black with green text when off.
  static constexpr Look kGreenLook{0x008000, 0x00FF00, 0x000000, 0x008000};

  explicit TogglePanel(const QString& caption, QWidget* parent = nullptr,
                       const Look& look = kGreenLook);

  bool On() const { return on_; }
  void SetOn(bool on);

  // The colours it shows now.
  QColor BackColor() const;
  QColor TextColor() const;

 signals:
  // The user clicked the panel; On() already holds the new state.
  void Clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void ShowState();

  Look look_;
  bool on_ = false;
};

// A panel with its control name, hint and first state.
TogglePanel* MakeTogglePanel(QWidget* parent, const char* name, const QString& caption,
                             const QString& hint, bool on,
                             const TogglePanel::Look& look = TogglePanel::kGreenLook);

}  // namespace morvane
