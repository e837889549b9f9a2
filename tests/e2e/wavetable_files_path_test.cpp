#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <fstream>
#include <iterator>
#include <vector>

#include "app/program.h"
#include "support/program_run.h"
#include "support/recording_reporter.h"
#include "support/scripted_file_dialogs.h"
#include "support/temp_home.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

Bytes SlotBytes(const WavetableStore& store) {
  Bytes bytes;
  for (int k = 0; k < kWaveCount; ++k)
    bytes.insert(bytes.end(), store.Wave(k).begin(), store.Wave(k).end());
  return bytes;
}

// Answers the next modal choice box with the named button, as a user would click it.
void AnswerChoiceBox(const char* button) {
  QTimer::singleShot(0, [button] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    auto* pressed = box->findChild<QPushButton*>(button);
    ASSERT_NE(pressed, nullptr);
    QTest::mouseClick(pressed, Qt::LeftButton);
  });
}

class FilesPathTest : public ::testing::Test {
 protected:
  int Run(const std::function<void(AppContext&)>& act) {
    ProgramOptions options;
    options.messages = &reporter;
    options.file_dialogs = &dialogs;
    return RunProgramAndClose(options, act);
  }

  QString SlotLabel(AppContext& app) {
    return app.main_window()->findChild<QLabel*>("Label1")->text();
  }

  TempHome home;
  RecordingReporter reporter;
  ScriptedFileDialogs dialogs;
};

TEST_F(FilesPathTest, LoadEditWriteAndSaveAsBankAndAsWavetable) {
  const std::filesystem::path folder = home.root() / "tables";
  std::filesystem::create_directories(folder);
  Bytes partial(1000);
  for (std::size_t i = 0; i < partial.size(); ++i) partial[i] = static_cast<std::uint8_t>(i % 251);
  WriteFile(folder / "partial.bin", partial);

  const QString bank_name = QString::fromStdString((folder / "bank").string());
  const QString table_name = QString::fromStdString((folder / "whole.raw").string());
  const QString dialogs_loaded_name = QString::fromStdString((folder / "partial.bin").string());
  dialogs.answers = {dialogs_loaded_name, bank_name, table_name};
  Bytes held_after_write;
  ASSERT_EQ(Run([&](AppContext& app) {
              MainWindow* main = app.main_window();
              WavetableStore& store = app.wavetable();
              // Something already in the slot that the short file must not disturb.
              store.SetSample(3, 255, 7);
              store.SetSample(4, 0, 9);
              main->MenuAction("mnuLoad")->trigger();
              EXPECT_EQ(SlotLabel(app), "partial.bin");
              for (int i = 0; i < 1000; ++i) {
                ASSERT_EQ(store.Wave(i / 256)[static_cast<std::size_t>(i % 256)],
                          partial[static_cast<std::size_t>(i)]);
              }
              EXPECT_EQ(store.Wave(3)[232], kZeroLine);
              EXPECT_EQ(store.Wave(3)[255], 7);
              EXPECT_EQ(store.Wave(4)[0], 9);
              // The editor's working copy shows the current waveform (0, 0) as loaded.
              EXPECT_EQ(app.waveform_editor()->WorkingCopy()[1], partial[1]);

              // Pick waveform (bank 0, wave 2) in the grid and reverse it in the editor.
              WaveGrid* grid = main->Grid();
              QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(2, 0).center());
              WaveformEditorWindow* editor = app.waveform_editor();
              EXPECT_EQ(editor->BankSelector()->State(), 0);
              EXPECT_EQ(editor->WaveSelector()->State(), 2);
              editor->MenuAction("mnuReverse")->trigger();
              const Bytes stored_before(store.Wave(2).begin(), store.Wave(2).end());
              QTest::mouseClick(editor->findChild<QPushButton*>("btnWrite"), Qt::LeftButton);
              const Bytes stored_after(store.Wave(2).begin(), store.Wave(2).end());
              EXPECT_EQ(stored_after, Bytes(stored_before.rbegin(), stored_before.rend()));
              held_after_write = SlotBytes(store);

              AnswerChoiceBox("btnOneBank");
              main->MenuAction("mnuSave")->trigger();
              EXPECT_EQ(SlotLabel(app), bank_name + ".bin");
              AnswerChoiceBox("btnWaveTable");
              main->MenuAction("mnuSave")->trigger();
              EXPECT_EQ(SlotLabel(app), QString::fromStdString((folder / "whole.bin").string()));
              EXPECT_EQ(app.options_dialog()->SlotPath(0),
                        QString::fromStdString((folder / "whole.bin").string()));
            }),
            0);
  EXPECT_TRUE(reporter.messages.empty());
  ASSERT_EQ(dialogs.requests.size(), 3u);
  EXPECT_EQ(dialogs.requests[0].title, "Open File");
  EXPECT_EQ(dialogs.requests[1].title, "Save File");
  EXPECT_EQ(dialogs.requests[1].initial_name, dialogs_loaded_name)
      << "the document's own file is proposed";
  EXPECT_EQ(dialogs.requests[1].filter_index, 1);
  EXPECT_EQ(dialogs.requests[2].initial_name, bank_name + ".bin");

  const Bytes bank = ReadFile(folder / "bank.bin");
  EXPECT_EQ(bank, Bytes(held_after_write.begin(), held_after_write.begin() + 16384));
  EXPECT_EQ(ReadFile(folder / "whole.bin"), held_after_write);
  EXPECT_FALSE(std::filesystem::exists(folder / "whole.raw"));
}

TEST_F(FilesPathTest, FailedLoadsAndSavesChangeNothingAndSayWhy) {
  const std::filesystem::path folder = home.root() / "tables";
  std::filesystem::create_directories(folder / "a folder.bin");
  Bytes existing(kSlotBytes, 0x55);
  WriteFile(folder / "kept.bin", existing);
  dialogs.answers = {QString::fromStdString((folder / "missing.bin").string()),
                     QString::fromStdString((folder / "a folder.bin").string()),
                     QString::fromStdString((folder / "kept.bin").string()),
                     QString::fromStdString((folder / "no such folder" / "x.bin").string()),
                     QString::fromStdString((folder / "kept.bin").string())};
  ASSERT_EQ(Run([&](AppContext& app) {
              MainWindow* main = app.main_window();
              WavetableStore& store = app.wavetable();
              store.SetSample(100, 10, 1);
              const Bytes before = SlotBytes(store);
              main->MenuAction("mnuLoad")->trigger();  // missing file
              main->MenuAction("mnuLoad")->trigger();  // a folder
              EXPECT_EQ(SlotBytes(store), before);
              EXPECT_EQ(app.options_dialog()->SlotPath(0), "New");
              EXPECT_EQ(SlotLabel(app), "") << "the label keeps what it showed";

              // A good load, then saves that fail: the slot path stays the loaded file's.
              main->MenuAction("mnuLoad")->trigger();
              const QString loaded = app.options_dialog()->SlotPath(0);
              AnswerChoiceBox("btnWaveTable");
              main->MenuAction("mnuSave")->trigger();  // folder does not exist

              // The disk fills up half-way through the whole table.
              struct rlimit old_limit {};
              getrlimit(RLIMIT_FSIZE, &old_limit);
              struct rlimit small = old_limit;
              small.rlim_cur = 100000;
              auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
              setrlimit(RLIMIT_FSIZE, &small);
              store.SetSample(0, 0, 0x11);
              AnswerChoiceBox("btnWaveTable");
              main->MenuAction("mnuSave")->trigger();
              setrlimit(RLIMIT_FSIZE, &old_limit);
              std::signal(SIGXFSZ, old_handler);
              EXPECT_EQ(app.options_dialog()->SlotPath(0), loaded);
              EXPECT_EQ(SlotLabel(app), "kept.bin");
            }),
            0);
  const std::pair<QString, QString> read_error{"File Error", "Read File Error - Abort Loading"};
  const std::pair<QString, QString> write_error{"File Error", "Write File Error - Abort Saving"};
  ASSERT_EQ(reporter.messages.size(), 4u);
  EXPECT_EQ(reporter.messages[0], read_error);
  EXPECT_EQ(reporter.messages[1], read_error);
  EXPECT_EQ(reporter.messages[2], write_error);
  EXPECT_EQ(reporter.messages[3], write_error);
  for (QMessageBox::Icon icon : reporter.icons) EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(ReadFile(folder / "kept.bin"), existing);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2)
      << "no temporary file is left beside the kept one";
}

TEST_F(FilesPathTest, ImportTakesTheFileNameOnlyForADocumentWithoutOne) {
  const std::filesystem::path folder = home.root() / "tables";
  std::filesystem::create_directories(folder);
  WriteFile(folder / "one.bin", Bytes(kBankBytes, 0x21));
  WriteFile(folder / "two.bin", Bytes(kBankBytes, 0x42));
  const QString one = QString::fromStdString((folder / "one.bin").string());
  const QString two = QString::fromStdString((folder / "two.bin").string());
  dialogs.answers = {one, two};
  ASSERT_EQ(Run([&](AppContext& app) {
              MainWindow* main = app.main_window();
              app.waveform_editor()->BankSelector()->SetState(5);
              main->MenuAction("mnuImport")->trigger();
              EXPECT_EQ(app.options_dialog()->SlotPath(0), one);
              EXPECT_EQ(app.wavetable().Wave(5 * 64)[0], 0x21);
              EXPECT_EQ(app.wavetable().Wave(5 * 64 - 1)[0], kZeroLine);
              app.waveform_editor()->BankSelector()->SetState(6);
              main->MenuAction("mnuImport")->trigger();
              EXPECT_EQ(app.options_dialog()->SlotPath(0), one)
                  << "the document keeps its own file name";
              EXPECT_EQ(app.wavetable().Wave(6 * 64 + 63)[255], 0x42);
              EXPECT_EQ(SlotLabel(app), "one.bin");
            }),
            0);
  EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace morvane
