#include "ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSet>
#include <QToolBar>
#include <algorithm>
#include <functional>
#include <map>

#include "ui/about_box.h"
#include "ui/app_context.h"
#include "ui/controls/value_knob.h"
#include "ui/main_menu_layout.h"

namespace morvane {

MainWindow::MainWindow(AppContext& app) : app_(app) {
  setObjectName("Form1");
  setWindowTitle("Wavetable");
  BuildMenus();
  BuildToolBar();
  setCentralWidget(new QWidget(this));
  FormCreate();
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::MenuAction(const QString& object_name) const {
  return findChild<QAction*>(object_name);
}

bool MainWindow::AutoSizeChecked() const { return MenuAction("mnuAutoSize")->isChecked(); }

void MainWindow::SetColor(int which, std::uint32_t value) {
  if (which < 0 || which >= kCellColorCount) return;
  colors_[static_cast<std::size_t>(which)] = value;
  centralWidget()->update();
}

void MainWindow::BuildMenus() {
  const std::map<QString, std::function<void()>> commands = {
      {"mnuExit", [this] { close(); }},
      {"mnuAbout", [this] { ShowAbout(); }},
      {"mnuZoomIn", [this] { ZoomBy(1); }},
      {"mnuZoomOut", [this] { ZoomBy(-1); }},
      {"mnuMinimun", [this] { MinimunToggled(); }},
  };
  QSet<QString> taken_shortcuts;
  QMenu* menu = nullptr;
  QString menu_caption;
  for (const MainMenuEntry& entry : MainMenuLayout()) {
    if (!menu || menu_caption != entry.menu) {
      menu_caption = entry.menu;
      menu = menuBar()->addMenu(menu_caption);
    }
    if (!entry.caption) {
      menu->addSeparator();
      continue;
    }
    auto* action = new QAction(QString::fromUtf8(entry.caption), this);
    action->setObjectName(entry.object_name);
    action->setCheckable(entry.checkable);
    action->setChecked(entry.checked);
    const QString shortcut = entry.shortcut;
    if (!shortcut.isEmpty()) {
      // Two entries with one key: the first in menu order gets it, the second only shows it.
      if (taken_shortcuts.contains(shortcut)) {
        action->setText(action->text() + '\t' + QKeySequence(shortcut).toString());
      } else {
        action->setShortcut(QKeySequence(shortcut));
        taken_shortcuts.insert(shortcut);
      }
    }
    if (auto command = commands.find(entry.object_name); command != commands.end()) {
      connect(action, &QAction::triggered, this, command->second);
    } else if (!entry.checkable) {
      action->setEnabled(false);
    }
    menu->addAction(action);
  }
}

void MainWindow::FormCreate() {
  MainWindowSettings settings;
  SettingsReader reader = app_.settings().OpenForReading();
  if (!reader.Exists()) {
    ApplySettings(settings);
  } else {
    ReadMainWindowSettings(reader, settings);
    ApplySettings(settings);
    if (reader.Failed()) app_.messages().Show("Settings", QString::fromStdString(reader.Error()));
  }
  app_.wavetable().ClearAll();
  zoom_knob_->SetState(cell_width_);
  saved_zoom_ = cell_width_;
  mu_law_ = BuildMuLawTables();
}

void MainWindow::ApplySettings(const MainWindowSettings& settings) {
  move(settings.left, settings.top);
  resize(settings.width, settings.height);
  cell_width_ = settings.cell_width;
  colors_ = settings.colors;
  MenuAction("mnuAutoSize")->setChecked(settings.auto_size);
}

MainWindowSettings MainWindow::CurrentSettings() const {
  MainWindowSettings settings;
  settings.left = pos().x();
  settings.top = pos().y();
  settings.width = width();
  settings.height = height();
  settings.cell_width = cell_width_;
  settings.auto_size = AutoSizeChecked();
  settings.colors = colors_;
  return settings;
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_once_) {
    shown_once_ = true;
    FormShow();
  }
}

void MainWindow::FormShow() {}

void MainWindow::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  if (AboutBox* about = app_.about_box()) about->close();
  // Closing the main window ends the program, whatever tool windows are still open.
  QCoreApplication::quit();
}

void MainWindow::FormClose() {
  SettingsWriter writer = app_.settings().OpenForWriting();
  WriteMainWindowSettings(writer, CurrentSettings());
  writer.Close();
}

void MainWindow::ShowAbout() {
  if (AboutBox* about = app_.about_box()) {
    about->show();
    about->raise();
  }
}

void MainWindow::ZoomKnobChanged() {
  SetCellWidth(zoom_knob_->State());
  if (AutoSizeChecked()) FitWindow();
}

void MainWindow::SetCellWidth(int width) {
  cell_width_ = std::clamp(width, kMinCellWidth, kMaxCellWidth);
  ApplyCellSize();
}

void MainWindow::ApplyCellSize() { centralWidget()->update(); }

void MainWindow::RefreshGrid() { centralWidget()->update(); }

void MainWindow::ZoomBy(int delta) {
  SetCellWidth(cell_width_ + delta);
  zoom_knob_->SetState(cell_width_);
  if (AutoSizeChecked()) FitWindow();
  RefreshGrid();
}

void MainWindow::ZoomKey(QChar key) {
  if (key == '+') ZoomBy(1);
  if (key == '-') ZoomBy(-1);
  if (key == '/') MenuAction("mnuAutoSize")->toggle();
  if (key == '0') MenuAction("mnuMinimun")->trigger();
}

// The minimum view shows the whole table at the smallest cells; leaving it returns to the zoom
// and the window size from before.
void MainWindow::MinimunToggled() {
  if (MenuAction("mnuMinimun")->isChecked()) {
    saved_zoom_ = zoom_knob_->State();
    saved_client_size_ = size();
    SetCellWidth(kMinCellWidth);
    zoom_knob_->SetState(kMinCellWidth);
    FitWindow();
  } else {
    zoom_knob_->SetState(saved_zoom_);
    SetCellWidth(saved_zoom_);
    if (AutoSizeChecked()) {
      FitWindow();
    } else {
      resize(saved_client_size_);
    }
  }
  RefreshGrid();
}

void MainWindow::FitWindow() {
  const QRect screen = this->screen() ? this->screen()->geometry() : QRect(0, 0, 1280, 800);
  int client_width = (cell_width_ + 2) * kWavesPerBank - 60;
  if (x() + client_width > screen.width()) client_width = screen.width() - x() - 10;
  int client_height = (RowHeight() + 2) * kBankCount + 20;
  if (y() + client_height > screen.height()) client_height = screen.height() - y() - 10;
  resize(client_width, client_height);
}

}  // namespace morvane
