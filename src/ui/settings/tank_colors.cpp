#include "ui/settings/tank_colors.h"

#include "ui/controls/sample_tank.h"

namespace morvane {

bool SetTankPartColor(SampleTank& tank, EditorColor color, std::uint32_t value) {
  switch (color) {
    case kEditorLines:
      tank.SetLineColor(value);
      return true;
    case kEditorAxes:
      tank.SetAxesColor(value);
      return true;
    case kEditorGradient:
      tank.SetGradientColor(value);
      return true;
    case kEditorLocator:
      tank.SetLocatorColor(value);
      return true;
    case kEditorSelection:
      tank.SetSelectionColor(value);
      return true;
    case kEditorMinMax:
      tank.SetMinimaxColor(value);
      return true;
    case kEditorBack:
    case kEditorText:
    case kEditorMarkers:
    case kEditorColorCount:
      break;
  }
  return false;
}

}  // namespace morvane
