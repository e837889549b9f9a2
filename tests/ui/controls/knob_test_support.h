#pragma once

#include <gtest/gtest.h>

#include <QTest>

#include "ui/controls/value_knob.h"

namespace morvane::testing {

// Brings a knob to v the way a user finishes: the last step is a real click on it, which fires
// its change event.
inline void TurnKnob(ValueKnob* knob, int v) {
  const QPoint inside(knob->width() / 2, knob->height() / 2);
  if (v > knob->Min()) {
    knob->SetState(v - 1);
    QTest::mouseClick(knob, Qt::RightButton, {}, inside);
  } else {
    knob->SetState(v + 1);
    QTest::mouseClick(knob, Qt::LeftButton, {}, inside);
  }
  ASSERT_EQ(knob->State(), v);
}

}  // namespace morvane::testing
