#include "sim/reply_faults.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace morvane {

void ReplyFaultPlan::AddForNth(FaultKind kind, int nth, int param) {
  if (nth < 1) throw std::invalid_argument("reply numbers start at 1");
  faults_.push_back({kind, param, replies_seen_ + static_cast<std::uint64_t>(nth), {}});
}

void ReplyFaultPlan::AddForMatching(FaultKind kind, ReplyPredicate predicate, int param) {
  if (!predicate) throw std::invalid_argument("a fault needs a predicate");
  faults_.push_back({kind, param, 0, std::move(predicate)});
}

void ReplyFaultPlan::Clear() { faults_.clear(); }

std::optional<std::chrono::milliseconds> ReplyFaultPlan::Apply(std::vector<std::uint8_t>& reply) {
  const std::uint64_t number = ++replies_seen_;
  std::chrono::milliseconds delay{0};
  bool lost = false;
  for (const Fault& fault : faults_) {
    const bool hits = fault.target != 0 ? fault.target == number : fault.predicate(reply);
    if (!hits) continue;
    switch (fault.kind) {
      case FaultKind::kDrop:
        lost = true;
        break;
      case FaultKind::kDelay:
        delay += std::chrono::milliseconds(std::max(fault.param, 0));
        break;
      case FaultKind::kTruncate:
        if (fault.param <= 0) lost = true;
        if (fault.param >= 0 && static_cast<std::size_t>(fault.param) < reply.size()) {
          reply.resize(static_cast<std::size_t>(fault.param));
        }
        break;
      case FaultKind::kGarble:
        if (fault.param >= 0 && static_cast<std::size_t>(fault.param) < reply.size()) {
          reply[static_cast<std::size_t>(fault.param)] ^= 0x01;
        }
        break;
    }
  }
  // Faults aimed at a reply number are spent once that reply has passed.
  std::erase_if(faults_, [number](const Fault& f) { return f.target != 0 && f.target <= number; });
  if (lost) return std::nullopt;
  return delay;
}

}  // namespace morvane
