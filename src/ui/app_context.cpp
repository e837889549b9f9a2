#include "ui/app_context.h"

#include "ui/about_box.h"
#include "ui/main_window.h"

namespace morvane {

AppContext::AppContext(std::unique_ptr<WavetableStore> wavetable,
                       std::unique_ptr<SettingsStore> settings, MessageReporter& messages,
                       FileDialogs& file_dialogs)
    : wavetable_(std::move(wavetable)),
      settings_(std::move(settings)),
      messages_(messages),
      file_dialogs_(file_dialogs) {
  slot_paths_.fill("New");
}

AppContext::~AppContext() {
  // Windows go first, in reverse order of creation, while the stores they use still exist.
  about_box_.reset();
  main_window_.reset();
}

void AppContext::CreateWindows() {
  main_window_ = std::make_unique<MainWindow>(*this);
  about_box_ = std::make_unique<AboutBox>();
}

}  // namespace morvane
