#include "platform/midi/jack_server_probe.h"

#include <jack/jack.h>

namespace morvane {

bool JackServerRunning() {
  jack_status_t status{};
  jack_client_t* client = jack_client_open("morvane8-probe", JackNoStartServer, &status);
  if (client == nullptr) return false;
  jack_client_close(client);
  return true;
}

}  // namespace morvane
