#pragma once

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace morvane {

// A temporary per-user home for one test: settings and data folders point into it, and it is
// removed afterwards.
class TempHome {
 public:
  TempHome() {
    std::random_device device;
    root_ = std::filesystem::temp_directory_path() /
            ("morvane-test-" + std::to_string(device()) + std::to_string(device()));
    std::filesystem::create_directories(root_);
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  }
  ~TempHome() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;

  const std::filesystem::path& root() const { return root_; }

 private:
  std::filesystem::path root_;
};

}  // namespace morvane
