#pragma once

#include <sys/resource.h>

#include <csignal>

namespace morvane {

// While it lives, no file of this process may grow past `bytes`: writes beyond fail with EFBIG,
// as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_limit_);
    rlimit limit = old_limit_;
    limit.rlim_cur = bytes;
    applied_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_limit_);
    std::signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool Applied() const { return applied_; }

 private:
  rlimit old_limit_{};
  void (*old_handler_)(int) = nullptr;
  bool applied_ = false;
};

}  // namespace morvane
