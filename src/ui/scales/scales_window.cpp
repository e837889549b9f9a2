#include "ui/scales/scales_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/scales/note_name.h"
#include "core/scales/scale_table.h"
#include "core/scales/scales_window_settings.h"
#include "ui/controls/captioned.h"
#include "ui/controls/value_knob.h"
#include "ui/scales/scale_keyboard.h"
#include "ui/shell/app_context.h"
#include "ui/shell/message_reporter.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/waveform_editor_window.h"

namespace morvane {

ScalesWindow::ScalesWindow(AppContext& app, QWidget* parent) : QMainWindow(parent), app_(app) {
  setObjectName("Form13");
  setWindowTitle("Scales");
  setWindowFlag(Qt::Tool);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  auto* top = new QHBoxLayout;
  keyboard_ = new ScaleKeyboard(central);
  top->addWidget(keyboard_, 0, Qt::AlignTop);
  top->addSpacing(6);
  top->addWidget(BuildKnobRow(), 0, Qt::AlignTop);
  top->addStretch(1);
  layout->addLayout(top);
  auto* labels = new QHBoxLayout;
  notes_label_ = new QLabel("Notes = ", central);
  notes_label_->setObjectName("Label3");
  steps_label_ = new QLabel("Steps = ", central);
  steps_label_->setObjectName("Label4");
  labels->addWidget(notes_label_, 1);
  labels->addWidget(steps_label_, 1);
  layout->addLayout(labels);
  layout->addWidget(BuildPresetRow());
  layout->setSizeConstraint(QLayout::SetFixedSize);
  setCentralWidget(central);

  ConnectControls();
  FormCreate();
}

ScalesWindow::~ScalesWindow() = default;

// --- Building --------------------------------------------------------------------------------

QWidget* ScalesWindow::BuildKnobRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  auto knob = [this](const char* name, const QString& hint, int min, int max, int initial) {
    ValueKnob* made = MakeValueKnob(this, name, hint, min, max, initial);
    made->SetColors(Qt::yellow, Qt::black);
    made->setFixedSize(44, 24);
    return made;
  };
  inc_knob_ = knob("kvpotlab2", "Digital  1/2 Tone", 1, 128, 2);
  octaves_knob_ = knob("kvpotlab3", "Number of Octaves", 1, 21, 10);
  transpose_knob_ = knob("kvpotlab4", "Transpose (1/2 tones)", 0, 11, 0);
  number_knob_ = knob("kvpotlab5", "Scale Number ", 0, kScaleMaskCount - 1, 0);
  // The transposition reads as the note the table starts on.
  transpose_knob_->SetDisplay(
      [](int value) { return QString::fromStdString(NoteName(value, 0, false)); });
  layout->addWidget(Captioned("Inc", inc_knob_, row));
  layout->addWidget(Captioned("Octaves", octaves_knob_, row));
  layout->addWidget(Captioned("Transpose", transpose_knob_, row));
  layout->addWidget(Captioned("Scale #", number_knob_, row));
  return row;
}

QPushButton* ScalesWindow::MakeButton(const char* name, const QString& caption,
                                      const QString& hint) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setAutoDefault(false);
  return button;
}

QWidget* ScalesWindow::BuildPresetRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(3);
  presets_ = new QComboBox(row);
  presets_->setObjectName("ComboBox1");
  presets_->setEditable(true);
  presets_->setInsertPolicy(QComboBox::NoInsert);
  presets_->setMaxVisibleItems(32);
  presets_->setMinimumWidth(190);
  layout->addWidget(presets_, 1);
  QPushButton* add = MakeButton("btnAddPreset", QString(QChar(0x03A3)), "Add  Preset Scale");
  QPushButton* remove = MakeButton("btnRemovePreset", "X", "Remove Preset Scale ");
  QPushButton* import = MakeButton("btnImportScala", "Import", "Import Scala scale");
  QPushButton* export_button = MakeButton("btnExportScala", "Export", "Export Scala scale");
  for (QPushButton* button : {add, remove}) button->setFixedWidth(26);
  for (QPushButton* button : {add, remove, import, export_button}) {
    button->setParent(row);
    layout->addWidget(button);
  }
  connect(add, &QPushButton::clicked, this, &ScalesWindow::AddPreset);
  connect(remove, &QPushButton::clicked, this, &ScalesWindow::RemovePreset);
  connect(import, &QPushButton::clicked, this, &ScalesWindow::ImportScala);
  connect(export_button, &QPushButton::clicked, this, &ScalesWindow::ExportScala);
  connect(presets_, &QComboBox::activated, this, &ScalesWindow::PresetSelected);
  return row;
}

void ScalesWindow::ConnectControls() {
  connect(keyboard_, &ScaleKeyboard::KeyClicked, this, &ScalesWindow::CalcScalesAuto);
  connect(octaves_knob_, &ValueKnob::OnChange, this, &ScalesWindow::CalcScalesAuto);
  connect(inc_knob_, &ValueKnob::OnChange, this, [this] {
    // The editor's grid names its values as notes of this step.
    if (WaveformEditorWindow* editor = app_.waveform_editor()) editor->SetSemitoneStep(Inc());
    CalcScalesAuto();
  });
  connect(transpose_knob_, &ValueKnob::OnChange, this, &ScalesWindow::CalcScalesAuto);
  connect(number_knob_, &ValueKnob::OnChange, this, &ScalesWindow::ScaleNumberChanged);
}

void ScalesWindow::FormCreate() {
  ScalesWindowSettings settings;
  SettingsReader reader = app_.settings().OpenForReading();
  if (reader.Exists()) ReadScalesWindowSettings(reader, settings);
  move(settings.left, settings.top);
  if (WaveformEditorWindow* editor = app_.waveform_editor()) editor->SetSemitoneStep(Inc());
  LoadPresets();
  ReportSettingsReadError(app_.messages(), reader);
  if (settings.visible) show();
}

void ScalesWindow::SaveSettings() {
  ScalesWindowSettings settings;
  settings.left = pos().x();
  settings.top = pos().y();
  settings.visible = isVisible();
  SettingsWriter writer = app_.settings().OpenForWriting();
  WriteScalesWindowSettings(writer, settings);
  writer.Close();
  SavePresets();
}

void ScalesWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  emit Closed();
}

// --- The table -------------------------------------------------------------------------------

void ScalesWindow::SetScaleNotes(int mask) { keyboard_->SetMask(mask); }

int ScalesWindow::GetScaleNotes() const { return keyboard_->Mask(); }

int ScalesWindow::Inc() const { return inc_knob_->State(); }

int ScalesWindow::NoteOfValue(int value) const { return value / Inc(); }

void ScalesWindow::CalcScalesAuto() {
  const int mask = GetScaleNotes();
  const ScaleTable table =
      morvane::CalcScalesAuto(mask, Inc(), octaves_knob_->State(), transpose_knob_->State());
  notes_label_->setText(QString("Selected = %1").arg(table.selected_notes));
  number_knob_->SetState(mask);
  WaveformEditorWindow* editor = app_.waveform_editor();
  if (table.selected_notes == 0) {
    steps_label_->setText("Select Notes !");
    if (!editor) return;
    std::ranges::fill(editor->WorkingCopy(), std::uint8_t{0});
    editor->WaveformChanged();
    return;
  }
  steps_label_->setText(QString("Steps = %1").arg(table.samples_per_note));
  if (!editor) return;
  std::ranges::copy(table.samples, editor->WorkingCopy().begin());
  // Repaint and values, then the analysis, then the module: the scale detection stays out.
  editor->WaveformChangedQuietly();
  SpectrumEditorWindow* spectrum = app_.spectrum_editor();
  if (spectrum && spectrum->isVisible()) spectrum->Analyse();
}

void ScalesWindow::ScaleNumberChanged() {
  SetScaleNotes(number_knob_->State());
  CalcScalesAuto();
}

void ScalesWindow::ShowDetectedScale(int number, const QString& base_text) {
  notes_label_->setText(base_text);
  number_knob_->setText(QString::number(number));
  steps_label_->clear();
}

void ScalesWindow::ShowDetectedTable(int mask, int first_sample) {
  SetScaleNotes(mask);
  const std::string base = NoteName(first_sample / Inc(), 0, false);
  ShowDetectedScale(mask, "Base = " + QString::fromStdString(base));
}

void ScalesWindow::ClearDetectionLabels() {
  notes_label_->clear();
  steps_label_->clear();
}

}  // namespace morvane
