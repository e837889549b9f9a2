#include "core/midi/krn5_setup.h"

#include "core/midi/module_messages.h"

namespace morvane {

void SendKrn5Setup(MidiOut& out, const Krn5Setup& setup) {
  SendKrn5Input(out, setup.input);
  SendKrn5Merge(out, setup.merge);
}

void Krn5InputChanged(MidiOut& out, const Krn5Setup& setup) {
  if (!setup.startup_send) SendKrn5Input(out, setup.input);
}

void Krn5MergeClicked(MidiOut& out, const Krn5Setup& setup) {
  if (!setup.startup_send) SendKrn5Merge(out, setup.merge);
}

}  // namespace morvane
