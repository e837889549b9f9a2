#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>

namespace morvane {

// The knob strips and switch pictures are drawn by the program, so it carries no image files.
// Every picture is antialiased on a transparent background.

struct KnobStripLook {
  int frames = 32;  // 1..256, as BitmapKnob's Glyph
  int size = 30;    // width and height of one frame, in device-independent pixels
  QColor body{78, 80, 88};
  QColor rim{24, 24, 28};
  QColor pointer{245, 245, 245};
  qreal device_pixel_ratio = 1.0;
};

// A round knob whose pointer turns clockwise over 270 degrees, from lower left (first frame,
// the knob's Min) through the top to lower right (last frame, its Max); frames side by side.
QPixmap DrawKnobStrip(const KnobStripLook& look = {});

enum class SwitchLook { kToggle, kLed };

struct SwitchPictureLook {
  SwitchLook look = SwitchLook::kLed;
  QSize size{30, 30};  // one frame, in device-independent pixels
  QColor on_colour{255, 48, 32};
  qreal device_pixel_ratio = 1.0;
};

// The two frames of a GraphicSwitch side by side: off, then on. A toggle is a slot whose thumb
// sits left when off and right, on a coloured track, when on; a LED is dark when off and lit
// when on.
QPixmap DrawSwitchFrames(const SwitchPictureLook& look = {});

}  // namespace morvane
