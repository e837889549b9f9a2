#include "ui/shell/file_dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileDialog>

namespace morvane {
namespace {

const QString kSpectrumFilter =
    "8bits sound files (bin, raw)|*.bin;*.raw|Morvane-8  parameters file (*.MRV)|*.MRV|"
    "Spectrum file (*.MSP) |*.MSP|All files (*.*)|*.*";

TEST(FileDialogsTest, FiltersShowTheirOwnDescriptionsOnceAndTheChosenOneIsSelected) {
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  PrepareFileDialog(dialog, {"Load Spectrum", kSpectrumFilter, 3, {}}, QFileDialog::AcceptOpen);
  EXPECT_TRUE(dialog.testOption(QFileDialog::HideNameFilterDetails));
  EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
  EXPECT_EQ(dialog.selectedNameFilter().toStdString(), "Spectrum file (*.MSP)");
  auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
  ASSERT_NE(types, nullptr);
  ASSERT_EQ(types->count(), 4);
  // What the user reads: the description as written, not "... (*.MSP) (*.MSP)".
  EXPECT_EQ(types->itemText(2).toStdString(), "Spectrum file (*.MSP)");
  EXPECT_EQ(types->itemText(0).toStdString(), "8bits sound files (bin, raw)");
  EXPECT_EQ(types->currentIndex(), 2);
}

TEST(FileDialogsTest, SaveDialogsAcceptANewName) {
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  PrepareFileDialog(dialog, {"Save Spectrum", kSpectrumFilter, 3, {}}, QFileDialog::AcceptSave);
  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
  EXPECT_TRUE(dialog.testOption(QFileDialog::HideNameFilterDetails));
}

}  // namespace
}  // namespace morvane
