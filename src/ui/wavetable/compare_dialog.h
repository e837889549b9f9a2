#pragma once

#include <QDialog>

namespace morvane {

class ValueKnob;

// "Compare": asks which two wavetables (1..8) "Compare  Wavetables" sets side by side.
class CompareDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CompareDialog(QWidget* parent = nullptr);

  ValueKnob* KnobA() const { return knob_a_; }
  ValueKnob* KnobB() const { return knob_b_; }

  // Shows the dialog modally with knob A on `first` (1..8), knob B as last left; true when the
  // "Compare" button closed it. Virtual so tests of the command can answer without a user.
  virtual bool Ask(int first);

 private:
  ValueKnob* knob_a_ = nullptr;
  ValueKnob* knob_b_ = nullptr;
};

}  // namespace morvane
