#include "ui/shell/file_dialogs.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

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

// The dialog shows the folder the window asked for, and the name it offers, whether that is a
// bare name or the full path of the file the window holds.
TEST(FileDialogsTest, ADialogOpensInTheRequestedFolderWithTheOfferedName) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QString folder = root.path() + "/some/folder";
  ASSERT_TRUE(QDir().mkpath(folder));
  struct Case {
    QString folder;
    QString name;
  };
  const Case cases[] = {{folder, "New"}, {root.path(), folder + "/ramp.bin"}};
  for (const Case& c : cases) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    FileDialogRequest request{"Save 8 bits Audio File", kSpectrumFilter, 1, c.name};
    request.folder = c.folder;
    PrepareFileDialog(dialog, request, QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.directory().absolutePath().toStdString(), folder.toStdString());
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text().toStdString(), QFileInfo(c.name).fileName().toStdString());
  }
}

}  // namespace
}  // namespace morvane
