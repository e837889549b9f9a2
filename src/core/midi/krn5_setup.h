#pragma once

#include "core/midi/midi_out.h"

namespace morvane {

// The companion KRN5 controller's setup as the options dialog holds it. The controller listens
// on channel 16 and keeps whatever it was last sent; nothing is read back.
struct Krn5Setup {
  int input = 0;  // active input, 0 to 7
  bool merge = false;
  bool startup_send = true;
};

// The whole setup: the input selection, then the merge switch. Sent at start when startup_send
// is on, and by the dialog's button whatever it shows.
void SendKrn5Setup(MidiOut& out, const Krn5Setup& setup);

// A user change of the input knob or a click on merge sends that one message, but only while
// startup_send is off: with it on, the setup goes out at the next start or by the button.
void Krn5InputChanged(MidiOut& out, const Krn5Setup& setup);
void Krn5MergeClicked(MidiOut& out, const Krn5Setup& setup);

}  // namespace morvane
