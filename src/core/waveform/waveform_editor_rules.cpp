#include "core/waveform/waveform_editor_rules.h"

namespace morvane {

SelectionRange EditMenuToggles::SelectAll() {
  select_all_ = !select_all_;
  return select_all_ ? SelectionRange{0, 255} : SelectionRange{0, 0};
}

SelectionRange EditMenuToggles::SelectHalf() {
  const SelectionRange range{select_half_ ? 128 : 0, 127};
  select_half_ = !select_half_;
  return range;
}

int EditMenuToggles::CenterLocator() {
  const int locator = center_locator_ ? 128 : 0;
  center_locator_ = !center_locator_;
  return locator;
}

ScaleCaptions ScaleCaptionsFor(bool from_center) {
  if (from_center) return {{"-100", " -50", "   0", " +50", "+100"}, "%"};
  return {{"   0", "  64", " 128", " 196", " 255"}, "DCV"};
}

}  // namespace morvane
