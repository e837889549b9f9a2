#pragma once

#include <QDialog>
#include <optional>

namespace morvane {

class ValueKnob;

// "Change MIDI Channel ": asks for the channel a module is to answer on from now on. "Actual"
// only shows the module's present channel; "New" is the answer.
class ChannelDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ChannelDialog(QWidget* parent = nullptr);

  // Shows the dialog modally with "Actual" at `channel` (1..16); the "New" channel on "Ok",
  // nothing on "Cancel" or closing. Virtual so tests of the command can answer without a user.
  virtual std::optional<int> AskNewChannel(int channel);

  ValueKnob* ActualKnob() const { return actual_; }
  ValueKnob* NewKnob() const { return new_channel_; }

 private:
  ValueKnob* actual_;
  ValueKnob* new_channel_;
};

}  // namespace morvane
