#include "ui/shell/time_seeded_random.h"

#include <chrono>
#include <memory>
#include <random>

namespace morvane {

RandomSource TimeSeededRandom() {
  auto engine = std::make_shared<std::minstd_rand>(static_cast<std::minstd_rand::result_type>(
      std::chrono::steady_clock::now().time_since_epoch().count()));
  return [engine] { return static_cast<unsigned>((*engine)()); };
}

}  // namespace morvane
