#include "ui/settings/options_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/controls/value_knob.h"
#include "ui/settings/options_color_swatch.h"
#include "ui/shell/app_context.h"
#include "ui/shell/message_reporter.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

OptionsDialog::OptionsDialog(AppContext& app, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      app_(app) {
  setObjectName("Form4");
  setWindowTitle("Options");
  setModal(false);

  pages_ = new QTabWidget(this);
  pages_->setObjectName("PageControl1");
  pages_->addTab(BuildMidiPage(), "MIDI");
  pages_->addTab(BuildAudioPage(), "Audio");
  pages_->addTab(BuildColorsPage(), "Colors");
  pages_->addTab(BuildPathPage(), "Path");

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(pages_);
  // A fixed frame: the dialog keeps the size its pages need.
  layout->setSizeConstraint(QLayout::SetFixedSize);

  // The close box and Escape both end here.
  connect(this, &QDialog::finished, this, &OptionsDialog::SaveSettings);
}

OptionsDialog::~OptionsDialog() = default;

ValueKnob* OptionsDialog::MakeKnob(const char* name, int min, int max, int initial,
                                   const QString& hint) {
  ValueKnob* knob = MakeValueKnob(this, name, hint, min, max, initial);
  knob->SetColors(Qt::yellow, Qt::black);
  knob->setFixedSize(40, 20);
  return knob;
}

// --- Creation and settings -------------------------------------------------------------------

void OptionsDialog::FormCreate() {
  OptionsDialogSettings settings;
  // The grid's swatches start from the colours the grid shows.
  if (MainWindow* main = app_.main_window()) {
    settings.wavetable_colors =
        MakeWavetableColors(main->Colors(), settings.wavetable_colors[kLogLineSwatch],
                            settings.wavetable_colors[kLogBackSwatch]);
  }
  SettingsReader reader = app_.settings().OpenForReading();
  const bool settings_exist = reader.Exists();
  if (settings_exist) {
    ReadOptionsDialogSettings(reader, settings, [this](const OptionsDialogSettings& read) {
      // The main window's reload reads the paths back from the labels.
      ApplySlotPaths(read);
      if (MainWindow* main = app_.main_window()) main->Autoload();
    });
  }
  ApplySettings(settings);
  ReportSettingsReadError(app_.messages(), reader);

  ListAudioDevices(settings_exist);
  SetSampleRatePosition(kStartSampleRatePosition);
  if (IsUnsetTempPath(temp_folder_label_->text().toStdString())) SetDefaultTempFolder();
  if (settings.visible) show();
}

void OptionsDialog::ApplySlotPaths(const OptionsDialogSettings& settings) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SetSlotPath(slot, QString::fromStdString(settings.slot_paths[static_cast<std::size_t>(slot)]));
  }
}

void OptionsDialog::ApplySettings(const OptionsDialogSettings& settings) {
  move(settings.left, settings.top);
  krn5_input_knob_->SetState(settings.krn5_input);
  krn5_merge_box_->setChecked(settings.krn5_merge);
  krn5_startup_send_box_->setChecked(settings.krn5_startup_send);
  capture_note_on_box_->setChecked(settings.capture_note_on);
  capture_controller_box_->setChecked(settings.capture_controller);
  for (std::size_t s = 0; s < wavetable_swatches_.size(); ++s) {
    wavetable_swatches_[s]->SetColor(settings.wavetable_colors[s]);
  }
  for (std::size_t view = 0; view < editor_swatches_.size(); ++view) {
    const EditorLook& look = settings.editors[view];
    for (std::size_t color = 0; color < look.colors.size(); ++color) {
      if (ColorSwatch* swatch = editor_swatches_[view][color]) swatch->SetColor(look.colors[color]);
    }
    gradient_lists_[view]->setCurrentIndex(look.gradient_type);
    steps_knobs_[view]->SetState(look.gradient_steps);
  }
  temp_folder_label_->setText(QString::fromStdString(settings.temp_path));
  reload_box_->setChecked(settings.reload);
  ApplySlotPaths(settings);
  sysex_send_delay_knob_->SetState(settings.sysex_send_delay);
}

OptionsDialogSettings OptionsDialog::CurrentSettings() const {
  OptionsDialogSettings settings;
  settings.left = pos().x();
  settings.top = pos().y();
  settings.midi_in = MidiIn();
  settings.midi_out = MidiOut();
  settings.time_out = TimeOut();
  settings.sysex_send_delay = SysexSendDelay();
  settings.krn5_input = Krn5Input();
  settings.krn5_merge = Krn5Merge();
  settings.krn5_startup_send = Krn5StartupSend();
  settings.capture_note_on = CaptureNoteOn();
  settings.capture_controller = CaptureController();
  settings.visible = isVisible();
  settings.temp_path = TempFolder().toStdString();
  settings.reload = ReloadChecked();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    settings.slot_paths[static_cast<std::size_t>(slot)] = SlotPath(slot).toStdString();
  }
  for (std::size_t s = 0; s < wavetable_swatches_.size(); ++s) {
    settings.wavetable_colors[s] = wavetable_swatches_[s]->Color();
  }
  for (EditorView view : {kWaveView, kAmplView, kPhaseView}) {
    settings.editors[view] = Look(view);
  }
  settings.audio_buffers = buffer_knob_->State();
  settings.audio_out = std::max(audio_device_list_->currentIndex(), 0);
  return settings;
}

void OptionsDialog::SaveSettings() {
  const OptionsDialogSettings settings = CurrentSettings();
  SettingsWriter writer = app_.settings().OpenForWriting();
  WriteOptionsDialogSettings(writer, settings);
  writer.Close();
  // The visibility just written also ticks the main window's "Module Control" entry.
  MainWindow* main = app_.main_window();
  if (settings.visible && main) {
    if (QAction* entry = main->MenuAction("mnuModuleControl")) entry->setChecked(true);
  }
}

// --- Slot paths ------------------------------------------------------------------------------

QString OptionsDialog::SlotPath(int slot) const {
  return slot_path_labels_.at(static_cast<std::size_t>(slot))->text();
}

void OptionsDialog::SetSlotPath(int slot, const QString& path) {
  QLabel* label = slot_path_labels_.at(static_cast<std::size_t>(slot));
  label->setText(path);
  label->setToolTip(path);  // the label may be too narrow for a long path
}

QString OptionsDialog::TempFolder() const { return temp_folder_label_->text(); }

bool OptionsDialog::ReloadChecked() const { return reload_box_->isChecked(); }

}  // namespace morvane
