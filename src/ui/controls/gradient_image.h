#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include "core/waveform/gradient_bands.h"

namespace morvane {

// The banded background of the sample views, painted into an image of the given size.
// `background` is the view's Color and `gradient` its GradientColor.
QImage RenderGradient(QSize size, GradientTypex type, int band_count, const QColor& background,
                      const QColor& gradient);

}  // namespace morvane
