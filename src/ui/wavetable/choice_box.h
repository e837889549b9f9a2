#pragma once

#include <QDialog>
#include <QString>

class QPushButton;

namespace morvane {

// The small modal box that asks what a command should act on: one bank, the whole wavetable or
// the selected cells. Transfers, "Save" and "New" share it, each with its own caption.
class ChoiceBox : public QDialog {
  Q_OBJECT

 public:
  enum class Choice { kOneBank, kWaveTable, kSelected, kCancel };

  explicit ChoiceBox(QWidget* parent = nullptr);

  // Shows the box modally with the caption, "Selected" enabled or not, and returns the button
  // pressed; closing the box or Escape answers kCancel. Virtual so tests of the commands can
  // answer without a user.
  virtual Choice Ask(const QString& caption, bool selected_enabled);

 private:
  QPushButton* AddButton(const QString& text, const QString& object_name, Choice choice);

  QPushButton* selected_button_ = nullptr;
  Choice choice_ = Choice::kCancel;
};

}  // namespace morvane
