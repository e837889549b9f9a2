#include "app/program.h"

#include <QApplication>
#include <QTimer>
#include <new>

#include "platform/user_folders.h"
#include "ui/shell/app_context.h"
#include "ui/shell/message_reporter.h"
#include "ui/shell/time_seeded_random.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

namespace {

// A shared store, made by `create` when it is set and by `make` otherwise; null, once the user
// was told, when its memory could not be had.
template <typename Store>
std::unique_ptr<Store> CreateStore(
    const std::function<std::unique_ptr<Store>()>& create, MessageReporter& messages,
    const char* failure, const std::function<std::unique_ptr<Store>()>& make = [] {
      return std::make_unique<Store>();
    }) {
  std::unique_ptr<Store> store;
  try {
    store = create ? create() : make();
  } catch (const std::bad_alloc&) {
    // Reported below, as a store that could not be had.
  }
  if (!store) messages.Show("Fatal Error", failure, QMessageBox::Ok | QMessageBox::Cancel);
  return store;
}

}  // namespace

int RunProgram(int argc, char** argv, const ProgramOptions& options) {
  QApplication application(argc, argv);
  DialogMessageReporter dialogs;
  MessageReporter& messages = options.messages ? *options.messages : dialogs;
  NativeFileDialogs native_file_dialogs;
  FileDialogs& file_dialogs = options.file_dialogs ? *options.file_dialogs : native_file_dialogs;

  // The program cannot work without its stores: a store that cannot be had is reported and the
  // start ends cleanly.
  std::unique_ptr<WavetableStore> wavetable =
      CreateStore(options.create_wavetable_store, messages, "Alloc Memory Wavetable");
  if (!wavetable) return 1;
  std::unique_ptr<ParameterStore> parameters =
      CreateStore(options.create_parameter_store, messages, "Alloc Memory Parametres");
  if (!parameters) return 1;

  // Without its buffers every analysis would write into memory that does not exist.
  std::unique_ptr<FftEngine> fft_engine =
      CreateStore(options.create_fft_engine, messages, "Alloc Memory FFT buffer");
  if (!fft_engine) return 1;
  // Nor can the terrain and the complex images be drawn without theirs.
  std::unique_ptr<FractalEngine> fractal_engine =
      CreateStore(options.create_fractal_engine, messages, "Alloc Memory Fractal",
                  {[] { return std::make_unique<FractalEngine>(TimeSeededRandom()); }});
  if (!fractal_engine) return 1;

  QApplication::setApplicationName("Morvane8_v2.3.exe");

  auto settings = std::make_unique<SettingsStore>(SettingsFilePath());
  settings->SetProblemHandler([&messages](const std::string& problem) {
    messages.Show("Settings", QString::fromStdString(problem));
  });

  AppContext app(std::move(wavetable), std::move(settings), messages, file_dialogs,
                 options.services, std::move(parameters), std::move(fft_engine),
                 std::move(fractal_engine));
  app.CreateWindows();
  if (options.on_created) options.on_created(app);
  app.main_window()->show();
  if (options.on_started) {
    QTimer::singleShot(0, &application, [&app, &options] { options.on_started(app); });
  }
  return QApplication::exec();
}

}  // namespace morvane
