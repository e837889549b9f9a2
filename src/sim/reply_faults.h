#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace morvane {

// What can go wrong with a reply on its way back to the editor.
enum class FaultKind {
  kDrop,      // the reply is lost
  kDelay,     // the reply arrives param milliseconds late
  kTruncate,  // only the first param bytes arrive (0 bytes: lost)
  kGarble,    // byte param arrives with its lowest bit flipped
};

using ReplyPredicate = std::function<bool(std::span<const std::uint8_t> reply)>;

// A plan of faults for the replies of a line. Faults aimed at the nth reply count from the
// moment they are added (1 = the next reply); faults aimed at a predicate hit every matching
// reply until the plan is cleared. Several faults may hit one reply; they apply in the order they
// were added. A delayed reply holds back the replies after it, as on one serial line.
class ReplyFaultPlan {
 public:
  void AddForNth(FaultKind kind, int nth, int param = 0);
  void AddForMatching(FaultKind kind, ReplyPredicate predicate, int param = 0);
  void Clear();

  // Applies the plan to the next reply, counting it. Returns the extra delay of the reply, or
  // nothing when the reply is lost.
  std::optional<std::chrono::milliseconds> Apply(std::vector<std::uint8_t>& reply);

 private:
  struct Fault {
    FaultKind kind;
    int param;
    std::uint64_t target;      // reply number it hits, 0 when the predicate decides
    ReplyPredicate predicate;  // set only when target is 0
  };

  std::uint64_t replies_seen_ = 0;
  std::vector<Fault> faults_;
};

}  // namespace morvane
