#include "app/program.h"

#include <QApplication>
#include <QTimer>
#include <new>

#include "platform/user_folders.h"
#include "ui/shell/app_context.h"
#include "ui/shell/message_reporter.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

int RunProgram(int argc, char** argv, const ProgramOptions& options) {
  QApplication application(argc, argv);
  DialogMessageReporter dialogs;
  MessageReporter& messages = options.messages ? *options.messages : dialogs;
  NativeFileDialogs native_file_dialogs;
  FileDialogs& file_dialogs = options.file_dialogs ? *options.file_dialogs : native_file_dialogs;

  std::unique_ptr<WavetableStore> wavetable;
  try {
    wavetable = options.create_wavetable_store ? options.create_wavetable_store()
                                               : std::make_unique<WavetableStore>();
  } catch (const std::bad_alloc&) {
    // Reported below, as a store that could not be had.
  }
  if (!wavetable) {
    // The program cannot work without its store: say so and end cleanly.
    messages.Show("Fatal Error", "Alloc Memory Wavetable", QMessageBox::Ok | QMessageBox::Cancel);
    return 1;
  }

  std::unique_ptr<FftEngine> fft_engine;
  try {
    fft_engine =
        options.create_fft_engine ? options.create_fft_engine() : std::make_unique<FftEngine>();
  } catch (const std::bad_alloc&) {
    // Reported below.
  }
  if (!fft_engine) {
    // Every analysis would write into buffers that do not exist: end cleanly after the message.
    messages.Show("Fatal Error", "Alloc Memory FFT buffer", QMessageBox::Ok | QMessageBox::Cancel);
    return 1;
  }

  QApplication::setApplicationName("Morvane8_v2.3.exe");

  auto settings = std::make_unique<SettingsStore>(SettingsFilePath());
  settings->SetProblemHandler([&messages](const std::string& problem) {
    messages.Show("Settings", QString::fromStdString(problem));
  });

  AppContext app(std::move(wavetable), std::move(settings), messages, file_dialogs,
                 options.services, std::move(fft_engine));
  app.CreateWindows();
  if (options.on_created) options.on_created(app);
  app.main_window()->show();
  if (options.on_started) {
    QTimer::singleShot(0, &application, [&app, &options] { options.on_started(app); });
  }
  return QApplication::exec();
}

}  // namespace morvane
