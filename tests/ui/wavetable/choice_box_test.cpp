#include "ui/wavetable/choice_box.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace morvane {
namespace {

using Choice = ChoiceBox::Choice;

QPushButton* Button(ChoiceBox& box, const char* name) {
  auto* button = box.findChild<QPushButton*>(name);
  EXPECT_NE(button, nullptr) << name;
  return button;
}

// Runs Ask while `user` acts on the shown box, as a user would once it is up.
Choice AskWith(ChoiceBox& box, const QString& caption, bool selected_enabled,
               std::function<void()> user) {
  QTimer::singleShot(0, &box, [&box, user] {
    ASSERT_TRUE(box.isVisible());
    ASSERT_TRUE(box.isModal());
    user();
    // Should the box still be open, Cancel ends it so the test cannot hang.
    if (box.isVisible()) QTimer::singleShot(0, &box, [&box] { box.done(QDialog::Rejected); });
  });
  return box.Ask(caption, selected_enabled);
}

TEST(ChoiceBoxTest, StartsAsTheSendBoxWithItsFourButtonsInOrder) {
  ChoiceBox box;
  EXPECT_EQ(box.objectName(), "Form2");
  EXPECT_EQ(box.windowTitle(), "Send to MIDI");
  box.show();
  const char* names[] = {"btnOneBank", "btnWaveTable", "btnSelected", "btnCancel"};
  const char* texts[] = {"One Bank", "WaveTable", "Selected", "Cancel"};
  int last_x = -1;
  for (int i = 0; i < 4; ++i) {
    QPushButton* button = Button(box, names[i]);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), texts[i]);
    EXPECT_GT(button->x(), last_x) << names[i] << " is out of order";
    last_x = button->x();
    EXPECT_EQ(button->isDefault(), i == 2) << names[i];
  }
}

TEST(ChoiceBoxTest, EachButtonAnswersItsChoiceAndTheCaptionIsShown) {
  const std::pair<const char*, Choice> cases[] = {
      {"btnOneBank", Choice::kOneBank},
      {"btnWaveTable", Choice::kWaveTable},
      {"btnSelected", Choice::kSelected},
      {"btnCancel", Choice::kCancel},
  };
  ChoiceBox box;  // one box serves every command, as in the program
  for (const auto& [name, expected] : cases) {
    QString title_seen;
    const char* button = name;  // Clang 14 cannot capture a structured binding
    const Choice choice = AskWith(box, "Receive from MIDI", true, [&box, &title_seen, button] {
      title_seen = box.windowTitle();
      QTest::mouseClick(Button(box, button), Qt::LeftButton);
    });
    EXPECT_EQ(choice, expected) << name;
    EXPECT_EQ(title_seen, "Receive from MIDI");
    EXPECT_FALSE(box.isVisible());
  }
}

TEST(ChoiceBoxTest, SelectedCanBeDisabledAndIsEnabledAgainForTheNextCommand) {
  ChoiceBox box;
  bool enabled_seen = true;
  Choice choice = AskWith(box, "Save to FILE", false, [&box, &enabled_seen] {
    QPushButton* selected = Button(box, "btnSelected");
    enabled_seen = selected->isEnabled();
    QTest::mouseClick(selected, Qt::LeftButton);  // does nothing
    QTest::keyClick(&box, Qt::Key_Return);        // nor does the default key
    EXPECT_TRUE(box.isVisible());
    QTest::mouseClick(Button(box, "btnWaveTable"), Qt::LeftButton);
  });
  EXPECT_FALSE(enabled_seen);
  EXPECT_EQ(choice, Choice::kWaveTable);
  EXPECT_EQ(box.windowTitle(), "Save to FILE");

  choice = AskWith(box, "Send to MIDI", true, [&box, &enabled_seen] {
    enabled_seen = Button(box, "btnSelected")->isEnabled();
    QTest::keyClick(&box, Qt::Key_Return);  // the default button
  });
  EXPECT_TRUE(enabled_seen);
  EXPECT_EQ(choice, Choice::kSelected);
}

TEST(ChoiceBoxTest, ClosingOrEscapeAnswersCancelNotThePreviousChoice) {
  ChoiceBox box;
  ASSERT_EQ(AskWith(box, "Delete ", true,
                    [&box] { QTest::mouseClick(Button(box, "btnOneBank"), Qt::LeftButton); }),
            Choice::kOneBank);
  EXPECT_EQ(AskWith(box, "Delete ", true, [&box] { box.close(); }), Choice::kCancel);
  EXPECT_EQ(box.windowTitle(), "Delete ");

  ASSERT_EQ(AskWith(box, "Delete ", true,
                    [&box] { QTest::mouseClick(Button(box, "btnWaveTable"), Qt::LeftButton); }),
            Choice::kWaveTable);
  EXPECT_EQ(AskWith(box, "Delete ", true, [&box] { QTest::keyClick(&box, Qt::Key_Escape); }),
            Choice::kCancel);
}

}  // namespace
}  // namespace morvane
