#include "ui/wavetable/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QSet>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <map>

#include "core/wavetable/file_names.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/generators/fractal_view_window.h"
#include "ui/generators/generators_window.h"
#include "ui/module/midi_log_pane.h"
#include "ui/module/module_control_window.h"
#include "ui/sample/sample_editor_window.h"
#include "ui/scales/scales_window.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/about_box.h"
#include "ui/shell/app_context.h"
#include "ui/shell/dialog_start.h"
#include "ui/shell/message_reporter.h"
#include "ui/spectral/spectral_map_window.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_menu_layout.h"

namespace morvane {

MainWindow::MainWindow(AppContext& app) : app_(app) {
  setObjectName("Form1");
  setWindowTitle("Wavetable");
  BuildMenus();
  BuildToolBar();
  BuildCentralArea();
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
  grid_->SetColors(colors_);
  if (OptionsDialog* options = app_.options_dialog()) options->ShowGridColor(which, value);
}

void MainWindow::BuildMenus() {
  const std::map<QString, std::function<void()>> commands = {
      {"mnuLoad", [this] { LoadCommand(); }},
      {"mnuImport", [this] { ImportCommand(); }},
      {"mnuSave", [this] { SaveCommand(); }},
      {"mnuSendMidi", [this] { SendMidiCommand(); }},
      {"mnuReceiveMidi", [this] { ReceiveMidiCommand(); }},
      {"mnuSendSelection", [this] { SendSelectionCommand(); }},
      {"mnuReceiveSelection",
       [this] {
         ReceiveSelectionCommand();
         AfterReceive();
       }},
      {"mnuExit", [this] { close(); }},
      {"mnuSelectAll", [this] { SelectAll(); }},
      {"mnuSelectBank", [this] { SelectBankToggled(); }},
      {"mnuAutoSize", [] {}},  // only its check mark: the next zoom reads it
      {"mnuZoomIn", [this] { ZoomBy(1); }},
      {"mnuZoomOut", [this] { ZoomBy(-1); }},
      {"mnuMinimun", [this] { MinimunToggled(); }},
      {"mnuWaveformEditor", [this] { ShowWaveformEditor(); }},
      {"mnuModuleControl", [this] { ModuleControlToggled(); }},
      {"mnuFftEditor", [this] { ShowSpectrumEditor(); }},
      {"mnuFunctions", [this] { ShowGenerators(); }},
      {"mnuSpectralMap", [this] { ShowSpectralMap(); }},
      {"mnuScalesWindow", [this] { ShowScalesWindow(); }},
      {"mnuSampleEditor", [this] { ShowSampleEditor(); }},
      {"mnuOptions", [this] { ShowOptions(); }},
      {"mnuAbout", [this] { ShowAbout(); }},
      {"mnuNew", [this] { NewCommand(); }},
      {"mnuDelete", [this] { RunWaveCommand(WaveCommand::kDelete); }},
      {"mnuReverse", [this] { RunWaveCommand(WaveCommand::kReverse); }},
      {"mnuUnsigned", [this] { RunWaveCommand(WaveCommand::kUnsigned); }},
      {"mnuCenter", [this] { RunWaveCommand(WaveCommand::kCenter); }},
      {"mnuNormalise", [this] { RunWaveCommand(WaveCommand::kNormalise); }},
      {"mnuMuLawToLin", [this] { RunWaveCommand(WaveCommand::kMuLawToLin); }},
      {"mnuLinToMuLaw", [this] { RunWaveCommand(WaveCommand::kLinToMuLaw); }},
      {"mnuLinearMorphing", [this] { LinearMorphingCommand(); }},
      {"mnuTonalMorphing", [this] { TonalMorphingCommand(); }},
      {"mnuRestoreOrder", [this] { RestoreOrderCommand(); }},
      {"mnuScales0To2k", [this] { ScaleSetsCommand(0); }},
      {"mnuScales2kTo4k", [this] { ScaleSetsCommand(kWaveCount); }},
      {"mnuFastRandom", [this] { FastRandomCommand(); }},
      {"mnuWindowFunctions", [this] { WindowFunctionsCommand(); }},
      {"mnuFindBuffer", [this] { FindBufferCommand(); }},
      {"mnuFindScales", [this] { ScalePass(true); }},
      {"mnuFindRamp", [this] { FindRampCommand(); }},
      {"mnuFindEmpty", [this] { FindEmptyCommand(); }},
      {"mnuFindDouble", [this] { FindDoubleCommand(); }},
      {"mnuMarkFirstDouble", [] {}},  // only its check mark: "Double" reads it
      {"mnuCompare", [this] { CompareCommand(); }},
      {"mnuClearMarkers", [this] { ClearMarkersCommand(); }},
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
    } else {
      // Its command comes with a later part of the editor.
      action->setEnabled(false);
    }
    menu->addAction(action);
  }
}

void MainWindow::BuildCentralArea() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  tabs_ = new QTabBar(central);
  tabs_->setObjectName("TabControl1");
  tabs_->setShape(QTabBar::RoundedNorth);
  tabs_->setDrawBase(false);
  tabs_->setExpanding(false);
  for (int slot = 1; slot <= kSlotCount; ++slot) tabs_->addTab(QString("Table %1").arg(slot));
  connect(tabs_, &QTabBar::currentChanged, this, &MainWindow::TabChanged);
  layout->addWidget(tabs_);

  grid_ = new WaveGrid(app_.wavetable(), central);
  grid_area_ = new QScrollArea(central);
  grid_area_->setObjectName("GridArea");
  grid_area_->setFrameShape(QFrame::NoFrame);
  grid_area_->setWidget(grid_);
  grid_area_->setWidgetResizable(false);
  grid_area_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  grid_area_->setStyleSheet("QScrollArea { background: #c0c0c0; }");
  layout->addWidget(grid_area_, 1);
  connect(grid_, &WaveGrid::CellReleased, this, &MainWindow::CellReleased);
  connect(grid_, &WaveGrid::ZoomKey, this, &MainWindow::ZoomKey);
  connect(grid_, &WaveGrid::CellsDropped, this, [this] {
    ScalePass(false);
    SpectralMapRefresh();
  });
  setCentralWidget(central);
}

void MainWindow::FormCreate() {
  MainWindowSettings settings;
  SettingsReader reader = app_.settings().OpenForReading();
  const std::string out_of_range =
      reader.Exists() ? ReadMainWindowSettings(reader, settings) : std::string();
  ApplySettings(settings);
  ReportSettingsReadError(app_.messages(), reader);
  if (!out_of_range.empty()) ReportSettingsProblem(app_.messages(), out_of_range);
  app_.wavetable().ClearAll();
  zoom_knob_->SetState(cell_width_);
  saved_zoom_ = cell_width_;
  mu_law_ = BuildMuLawTables();
}

void MainWindow::ApplySettings(const MainWindowSettings& settings) {
  // A place left on a screen that is gone would hide the window: it then opens at the design place.
  const QPoint corner(settings.left, settings.top);
  const MainWindowSettings design;
  move(QGuiApplication::screenAt(corner + QPoint(20, 20)) ? corner
                                                          : QPoint(design.left, design.top));
  resize(settings.width, settings.height);
  SetCellWidth(settings.cell_width);
  colors_ = settings.colors;
  grid_->SetColors(colors_);
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
  // The colours are kept by the options dialog's swatches.
  const OptionsDialog* options = app_.options_dialog();
  settings.colors = options ? options->GridColors() : colors_;
  return settings;
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_once_) {
    shown_once_ = true;
    FormShow();
  }
}

void MainWindow::FormShow() {
  ScalePass(false);
  if (SpectralMapWindow* map = app_.spectral_map()) map->ComputeAllSpectra(false);
}

void MainWindow::SpectralMapRefresh() {
  if (SpectralMapWindow* map = app_.spectral_map()) map->ComputeAllSpectra(true);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  if (AboutBox* about = app_.about_box()) about->close();
  if (WaveformEditorWindow* editor = app_.waveform_editor()) editor->hide();
  if (ModuleControlWindow* module = app_.module_control()) module->hide();
  if (SpectralMapWindow* map = app_.spectral_map()) map->hide();
  if (SpectrumEditorWindow* spectrum = app_.spectrum_editor()) spectrum->hide();
  if (GeneratorsWindow* generators = app_.generators()) generators->hide();
  if (ScalesWindow* scales = app_.scales_window()) scales->hide();
  if (SampleEditorWindow* sample = app_.sample_editor()) sample->hide();
  // Hidden, not closed: closing it would write its settings again, as invisible.
  if (OptionsDialog* options = app_.options_dialog()) options->hide();
  // Closing the main window ends the program, whatever tool windows are still open.
  QCoreApplication::quit();
}

void MainWindow::FormClose() {
  SettingsWriter writer = app_.settings().OpenForWriting();
  WriteMainWindowSettings(writer, CurrentSettings());
  writer.Close();
  WriteDialogFolders(app_);
  if (WaveformEditorWindow* editor = app_.waveform_editor()) editor->SaveSettings();
  if (OptionsDialog* options = app_.options_dialog()) options->SaveSettings();
  if (ModuleControlWindow* module = app_.module_control()) module->SaveSettings();
  if (SpectralMapWindow* map = app_.spectral_map()) map->SaveSettings();
  if (SpectrumEditorWindow* spectrum = app_.spectrum_editor()) spectrum->SaveSettings();
  if (FractalViewWindow* fractal = app_.fractal_view()) fractal->SaveSettings();
  if (GeneratorsWindow* generators = app_.generators()) generators->SaveSettings();
  if (ScalesWindow* scales = app_.scales_window()) scales->SaveSettings();
  if (SampleEditorWindow* sample = app_.sample_editor()) {
    sample->SaveSettings();
    sample->CloseAudio();
  }
}

void MainWindow::ShowAbout() {
  if (AboutBox* about = app_.about_box()) {
    about->show();
    about->raise();
  }
  // The MIDI log starts afresh with the program's name and revision.
  MidiLogPane& log = app_.midi_log();
  log.Clear();
  log.AddLine("MORVANE-8 MIDI Editor");
  log.AddLine(std::string(9, ' ') + AboutBox::RevisionText().toStdString());
  log.AddLine(AboutBox::CreditLine().toStdString());
}

void MainWindow::ShowCheckedWindow(const char* entry, QWidget* window) {
  MenuAction(entry)->setChecked(true);
  if (!window) return;
  window->show();
  window->raise();
  window->activateWindow();
}

void MainWindow::ShowWaveformEditor() {
  ShowCheckedWindow("mnuWaveformEditor", app_.waveform_editor());
}

// The entry's check mark says whether the module control window is shown.
void MainWindow::ModuleControlToggled() {
  ModuleControlWindow* module = app_.module_control();
  if (!module) return;
  if (MenuAction("mnuModuleControl")->isChecked()) {
    module->show();
    module->raise();
    module->activateWindow();
  } else {
    module->hide();
  }
}

void MainWindow::ShowSpectrumEditor() { ShowCheckedWindow("mnuFftEditor", app_.spectrum_editor()); }

void MainWindow::ShowGenerators() { ShowCheckedWindow("mnuFunctions", app_.generators()); }

void MainWindow::ShowScalesWindow() { ShowCheckedWindow("mnuScalesWindow", app_.scales_window()); }

void MainWindow::ShowSpectralMap() {
  if (SpectralMapWindow* map = app_.spectral_map()) {
    map->show();
    map->raise();
    map->activateWindow();
  }
}

void MainWindow::ShowOptions() {
  if (OptionsDialog* options = app_.options_dialog()) {
    options->show();
    options->raise();
    options->activateWindow();
  }
}

void MainWindow::DrawWaveCell(int column, int row, bool selected) {
  grid_->DrawWaveCell(column, row, selected);
}

void MainWindow::RefreshGrid() { grid_->RefreshGrid(); }

void MainWindow::ZoomKnobChanged() {
  SetCellWidth(zoom_knob_->State());
  if (AutoSizeChecked()) FitWindow();
}

void MainWindow::SetCellWidth(int width) {
  cell_width_ = std::clamp(width, kMinCellWidth, kMaxCellWidth);
  grid_->SetCellSize(cell_width_, RowHeight());
}

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

// The sizes leave 52 pixels above the grid for the toolbar and the tabs; the window grows or
// shrinks by however much more or less its menu bar, toolbar and tabs take. The limits keep the
// window on its screen.
void MainWindow::FitWindow() {
  const QRect screen = this->screen() ? this->screen()->geometry() : QRect(0, 0, 1280, 800);
  const int left = x() - screen.x();
  const int top = y() - screen.y();
  int client_width = (cell_width_ + 2) * kWavesPerBank - 60;
  if (left + client_width > screen.width()) client_width = screen.width() - left - 10;
  int client_height = (RowHeight() + 2) * kBankCount + 20;
  if (top + client_height > screen.height()) client_height = screen.height() - top - 10;
  const int grid_top = centralWidget()->y() + grid_area_->y();
  resize(client_width, client_height + grid_top - 52);
}

void MainWindow::SelectAll() {
  if (!select_all_) {
    grid_->SetSelection(QRect(QPoint(0, 0), QPoint(kWavesPerBank - 1, kBankCount - 1)));
    select_all_ = true;
    CopyToSample();
  } else {
    grid_->SetSelection(QRect(0, 0, 1, 1));
    select_all_ = false;
  }
}

void MainWindow::SelectBankToggled() {
  grid_->SetRowSelect(MenuAction("mnuSelectBank")->isChecked());
}

// The clicked cell becomes the current waveform of the tool windows.
void MainWindow::CellReleased(int column, int row) {
  if (GeneratorsWindow* generators = app_.generators()) {
    const QRect cells = grid_->Selection();
    generators->SetAnimationRange(cells.left(), cells.top(), cells.right(), cells.bottom());
  }
  if (WaveformEditorWindow* editor = app_.waveform_editor()) {
    editor->BankSelector()->SetState(row);
    editor->WaveSelector()->SetState(column);
    editor->LoadCurrentWaveform();
  }
  CopyToSample();
}

void MainWindow::TabChanged(int tab) {
  app_.wavetable().SetCurrentSlot(tab);
  ShowSlotName(false);
  ScalePass(false);
  // The spectra of the new slot are computed only while the map shows them.
  SpectralMapWindow* map = app_.spectral_map();
  if (map && map->isVisible()) SpectralMapRefresh();
  CopyToSample();
}

QString MainWindow::SlotPath(int slot) const {
  const OptionsDialog* options = app_.options_dialog();
  return options ? options->SlotPath(slot) : QString(kNewSlotPath);
}

void MainWindow::SetSlotPath(int slot, const QString& path) {
  if (OptionsDialog* options = app_.options_dialog()) options->SetSlotPath(slot, path);
}

void MainWindow::ShowSlotName(bool with_directory) {
  const std::string path = SlotPath(app_.wavetable().CurrentSlot()).toStdString();
  name_label_->setText(
      QString::fromStdString(with_directory ? path : FileNameWithoutDirectory(path)));
}

}  // namespace morvane
