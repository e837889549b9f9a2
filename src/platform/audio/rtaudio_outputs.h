#pragma once

#include <RtAudio.h>

#include <vector>

namespace morvane {

// RtAudio's ids of the devices that can play, in the order the options dialog lists them: the
// list's device d is id OutputDeviceIds(audio)[d].
std::vector<unsigned int> OutputDeviceIds(RtAudio& audio);

}  // namespace morvane
