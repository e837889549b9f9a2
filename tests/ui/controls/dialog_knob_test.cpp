#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>
#include <functional>
#include <memory>

#include "control_test_support.h"
#include "ui/controls/value_knob.h"
#include "ui/module/channel_dialog.h"
#include "ui/wavetable/compare_dialog.h"

namespace morvane {
namespace {

// The small dialogs' knobs read as knobs, as everywhere else: yellow digits on black, not text
// on the dialog's grey.
TEST(DialogKnobTest, TheChannelAndCompareDialogsDrawYellowDigitsOnBlack) {
  struct Case {
    std::function<std::unique_ptr<QDialog>()> make;
    const char* knobs[2];
  };
  const Case cases[] = {
      {[] { return std::make_unique<ChannelDialog>(); }, {"kvpotlabActual", "kvpotlabNew"}},
      {[] { return std::make_unique<CompareDialog>(); }, {"kvpotlab1", "kvpotlab2"}},
  };
  for (const Case& c : cases) {
    std::unique_ptr<QDialog> dialog = c.make();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    for (const char* name : c.knobs) {
      auto* knob = dialog->findChild<ValueKnob*>(name);
      ASSERT_NE(knob, nullptr) << name;
      knob->SetState(8);
      EXPECT_EQ(testing::PixelAt(*knob, QPoint(1, 1)).name().toStdString(), "#000000") << name;
      EXPECT_GT(testing::YellowishPixels(*knob), 5) << name;
    }
  }
}

}  // namespace
}  // namespace morvane
