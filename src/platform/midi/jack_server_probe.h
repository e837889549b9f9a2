#pragma once

namespace morvane {

// Whether a JACK server (the one JACK_DEFAULT_SERVER names, else the default) accepts clients
// now. Never starts one.
bool JackServerRunning();

}  // namespace morvane
