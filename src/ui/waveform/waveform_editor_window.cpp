#include "ui/waveform/waveform_editor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <utility>

#include "core/waveform/value_grid_text.h"
#include "ui/controls/captioned.h"
#include "ui/controls/control_pictures.h"
#include "ui/controls/graphic_switch.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/toggle_panel.h"
#include "ui/controls/value_knob.h"
#include "ui/midi/transfer_session.h"
#include "ui/module/module_control_window.h"
#include "ui/shell/app_context.h"
#include "ui/shell/color_value.h"
#include "ui/shell/message_reporter.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/scale_detection_label.h"
#include "ui/waveform/waveform_value_grid.h"

namespace morvane {
namespace {

constexpr int kWriteFlashMs = 300;

// Rotation and recording stand out in red when on, and sit dimmed on dark green when off.
constexpr TogglePanel::Look kRotateLook{0x0000FF, 0x000080, 0x004000, 0x808080};
constexpr TogglePanel::Look kRecordLook{0x0000FF, 0x00FFFF, 0x004000, 0x808080};

// WRITE: red with yellow text while it writes, dark green with grey text at rest.
constexpr std::uint32_t kWriteLitBack = 0x0000FF;
constexpr std::uint32_t kWriteLitText = 0x00FFFF;
constexpr std::uint32_t kWriteRestBack = 0x004000;
constexpr std::uint32_t kWriteRestText = 0x808080;

}  // namespace

WaveformEditorWindow::WaveformEditorWindow(AppContext& app, QWidget* parent)
    : QMainWindow(parent), app_(app), semitone_step_(kDefaultSemitoneStep) {
  setObjectName("Form3");
  setWindowTitle("Waveform Editor");

  auto* central = new QWidget(this);
  central->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addWidget(BuildTopRow());
  layout->addWidget(BuildViewRow(), 1);
  layout->addWidget(BuildLocatorRow());
  control_panel_ = BuildControlPanel();
  layout->addWidget(control_panel_);
  setCentralWidget(central);

  write_timer_ = new QTimer(this);
  write_timer_->setSingleShot(true);
  write_timer_->setInterval(kWriteFlashMs);
  connect(write_timer_, &QTimer::timeout, this, [this] { SetWriteButtonLit(false); });

  BuildMenus();
  ConnectView();
  FormCreate();
}

WaveformEditorWindow::~WaveformEditorWindow() = default;

// --- Building --------------------------------------------------------------------------------

ValueKnob* WaveformEditorWindow::MakeKnob(const char* name, int min, int max, const QString& hint) {
  ValueKnob* knob = MakeValueKnob(this, name, hint, min, max, 0);
  knob->setMinimumWidth(36);
  return knob;
}

TogglePanel* WaveformEditorWindow::MakeToggle(const char* name, const QString& caption,
                                              const QString& hint, bool on) {
  return MakeTogglePanel(this, name, caption, hint, on);
}

QWidget* WaveformEditorWindow::BuildTopRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  // The unit of the scale marks, above them.
  unit_label_ = new QLabel(row);
  unit_label_->setObjectName("lblUnit");
  unit_label_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  layout->addWidget(unit_label_, 0, Qt::AlignBottom);
  bank_selector_ = MakeKnob("kvpotlab18", 0, kBankCount - 1, "Bank Selector");
  wave_selector_ = MakeKnob("kvpotlab19", 0, kWavesPerBank - 1, "Wave Selector");
  layout->addWidget(Captioned("Bank", bank_selector_, row));
  layout->addWidget(Captioned("Wave", wave_selector_, row));

  write_button_ = new QPushButton("WRITE", row);
  write_button_->setObjectName("btnWrite");
  write_button_->setToolTip("Write the waveform into the wavetable");
  SetWriteButtonLit(false);
  connect(write_button_, &QPushButton::clicked, this, &WaveformEditorWindow::WriteWaveform);
  layout->addWidget(write_button_);
  scale_message_ = new ScaleDetectionLabel(row);
  layout->addWidget(scale_message_);
  layout->addStretch(1);

  markers_toggle_ = MakeToggle("pnlMarkers", "M", "Markers", true);
  full_scale_toggle_ = MakeToggle("pnlFullScale", "A", "Full Scale ", true);
  line_toggle_ = MakeToggle("pnlLineMode", "L", "Bar/Line Mode", false);
  center_toggle_ = MakeToggle("pnlCenter", "C", "Draw bars from center", true);
  peak_toggle_ = MakeToggle("pnlPeakToPeak", "R", "PeakTo Peak Bars", true);
  rotate_toggle_ = new TogglePanel("P", this, kRotateLook);
  rotate_toggle_->setObjectName("pnlRotate");
  rotate_toggle_->setToolTip("Full Scale ");
  record_toggle_ = new TogglePanel("REC", this, kRecordLook);
  record_toggle_->setObjectName("pnlRec");
  record_toggle_->setToolTip("Full Scale ");
  record_toggle_->setMinimumWidth(34);
  connect(record_toggle_, &TogglePanel::Clicked, this,
          [this] { emit RecordingSwitched(record_toggle_->On()); });
  for (TogglePanel* toggle : {markers_toggle_, full_scale_toggle_, line_toggle_, center_toggle_,
                              peak_toggle_, rotate_toggle_, record_toggle_}) {
    toggle->setParent(row);
    layout->addWidget(toggle);
  }
  for (TogglePanel* drawn :
       {markers_toggle_, full_scale_toggle_, line_toggle_, center_toggle_, peak_toggle_}) {
    connect(drawn, &TogglePanel::Clicked, this, &WaveformEditorWindow::ApplyToggles);
  }
  return row;
}

QWidget* WaveformEditorWindow::BuildViewRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* scale = new QWidget(row);
  auto* scale_layout = new QVBoxLayout(scale);
  scale_layout->setContentsMargins(0, 0, 0, 0);
  // Top line first on screen; the array keeps the bottom line first.
  for (int mark = static_cast<int>(scale_labels_.size()) - 1; mark >= 0; --mark) {
    auto* label = new QLabel(scale);
    label->setObjectName(QString("lblScale%1").arg(mark));
    label->setFont(QFont("Monospace", 8));
    scale_labels_[static_cast<std::size_t>(mark)] = label;
    scale_layout->addWidget(label);
    if (mark > 0) scale_layout->addStretch(1);
  }
  layout->addWidget(scale);

  view_ = new SampleTank(row);
  view_->setObjectName("kvSampleTank1");
  view_->setMinimumSize(514, 260);
  view_->SetGradientEnabled(true);
  layout->addWidget(view_, 1);

  grid_panel_ = BuildGridPanel();
  grid_panel_->setParent(row);
  layout->addWidget(grid_panel_);
  return row;
}

QWidget* WaveformEditorWindow::BuildGridPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName("pnlGrid");
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* lock_row = new QHBoxLayout();
  edit_lock_switch_ = new GraphicSwitch(panel);
  edit_lock_switch_->setObjectName("kvgrafsw13");
  edit_lock_switch_->setToolTip("Mode Edit Lock/Unlock");
  edit_lock_switch_->SetBitmap(DrawSwitchFrames({SwitchLook::kToggle, QSize(30, 16)}));
  lock_row->addWidget(edit_lock_switch_);
  lock_row->addWidget(new QLabel("Edit", panel));
  lock_row->addStretch(1);
  layout->addLayout(lock_row);
  value_grid_ = new WaveformValueGrid(panel);
  value_grid_->setFixedWidth(28 + 28 + 40 + 24);
  layout->addWidget(value_grid_, 1);

  connect(edit_lock_switch_, &GraphicSwitch::OnClick, this,
          [this] { value_grid_->SetEditable(edit_lock_switch_->Checked()); });
  connect(value_grid_, &WaveformValueGrid::RowClicked, this, &WaveformEditorWindow::MoveLocator);
  connect(value_grid_, &WaveformValueGrid::ValueEdited, this, [this](int row, std::uint8_t value) {
    view_->SetValue(row, value);
    WaveformChanged();
  });
  return panel;
}

QWidget* WaveformEditorWindow::BuildLocatorRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  locator_knob_ = MakeKnob("kvpotlab43", 0, 255, "Locator /Current Step");
  value_knob_ = MakeKnob("kvpotlab42", 0, 255, "Value at the locator");
  selection_start_knob_ = MakeKnob("kvpotlab45", 0, 255, "Selection start");
  selection_length_knob_ = MakeKnob("kvpotlab44", 0, 255, "Selection length");
  layout->addWidget(Captioned("Locator", locator_knob_, row));
  layout->addWidget(Captioned("Value", value_knob_, row));
  layout->addWidget(Captioned("Sel Start", selection_start_knob_, row));
  layout->addWidget(Captioned("Sel Len", selection_length_knob_, row));
  layout->addStretch(1);

  connect(locator_knob_, &ValueKnob::OnChange, this,
          [this] { MoveLocator(locator_knob_->State()); });
  connect(value_knob_, &ValueKnob::OnChange, this, [this] {
    view_->SetValue(view_->LocatorPos(), static_cast<std::uint8_t>(value_knob_->State()));
    WaveformChanged();
  });
  connect(selection_start_knob_, &ValueKnob::OnChange, this, [this] {
    view_->SetSelectionPos(selection_start_knob_->State());
    // While recording, the steps start again from the new selection start.
    if (Recording()) MoveLocator(selection_start_knob_->State());
  });
  connect(selection_length_knob_, &ValueKnob::OnChange, this,
          [this] { view_->SetSelectionLen(selection_length_knob_->State()); });
  connect(bank_selector_, &ValueKnob::OnChange, this, &WaveformEditorWindow::LoadCurrentWaveform);
  connect(wave_selector_, &ValueKnob::OnChange, this, &WaveformEditorWindow::LoadCurrentWaveform);
  return row;
}

QWidget* WaveformEditorWindow::BuildControlPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName("pnlControl");
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  level_knob_ = MakeKnob("kvpotlab13", -999, 999, "Level");
  vertical_knob_ = MakeKnob("kvpotlab16", 0, 255, "Vertical");
  bit_average_knob_ = MakeKnob("kvpotlab17", 0, 255, "BitAvg");
  offset_knob_ = MakeKnob("kvpotlab14", -127, 127, "Offset");
  mask_knob_ = MakeKnob("kvpotlab15", 0, 255, "Mask");
  const std::array<std::pair<ValueKnob*, WaveTransform>, 5> transforms = {{
      {level_knob_, WaveTransform::kLevel},
      {vertical_knob_, WaveTransform::kVertical},
      {bit_average_knob_, WaveTransform::kBitAvg},
      {offset_knob_, WaveTransform::kOffset},
      {mask_knob_, WaveTransform::kMask},
  }};
  for (const auto& entry : transforms) {
    ValueKnob* knob = entry.first;
    const WaveTransform transform = entry.second;
    layout->addWidget(Captioned(knob->toolTip(), knob, panel));
    connect(knob, &ValueKnob::OnChange, this,
            [this, knob, transform] { TransformKnobChanged(transform, knob); });
  }
  layout->addStretch(1);
  return panel;
}

void WaveformEditorWindow::ConnectView() {
  view_->installEventFilter(this);
  connect(view_, &SampleTank::OnChange, this, &WaveformEditorWindow::WaveformChanged);
  connect(view_, &SampleTank::OnLocatorChange, this, &WaveformEditorWindow::ViewLocatorChanged);
  connect(view_, &SampleTank::OnSelectorChange, this, &WaveformEditorWindow::ViewSelectionChanged);
}

// --- Settings and looks ----------------------------------------------------------------------

void WaveformEditorWindow::FormCreate() {
  WaveformEditorSettings settings;
  SettingsReader reader = app_.settings().OpenForReading();
  if (reader.Exists()) ReadWaveformEditorSettings(reader, settings);
  ApplySettings(settings);
  view_->Fill(kZeroLine, true);
  ShowValues(view_->Data());
  ShowValueAt(view_->LocatorPos());
  ReportSettingsReadError(app_.messages(), reader);
  if (settings.visible) show();
}

void WaveformEditorWindow::ApplySettings(const WaveformEditorSettings& settings) {
  move(settings.left, settings.top);
  MenuAction("mnuGridEdit")->setChecked(settings.grid_edit);
  MenuAction("mnuControlPanel")->setChecked(settings.control_panel);
  grid_text_color_ = settings.grid_text_color;
  view_->SetMarkerColor(settings.marker_color);
  SetTextColors(settings.text_color, settings.back_color);
  view_->SetLineColor(settings.line_color);
  view_->SetAxesColor(settings.axes_color);
  view_->SetGradientColor(settings.gradient_color);
  view_->SetLocatorColor(settings.locator_color);
  view_->SetSelectionColor(settings.selection_color);
  view_->SetMinimaxColor(settings.minimax_color);
  view_->SetGradientType(settings.gradient_type);
  center_toggle_->SetOn(settings.center);
  line_toggle_->SetOn(settings.line);
  markers_toggle_->SetOn(settings.markers);
  full_scale_toggle_->SetOn(settings.full);
  ApplyToggles();
}

void WaveformEditorWindow::SaveSettings() {
  WaveformEditorSettings settings;
  settings.left = pos().x();
  settings.top = pos().y();
  settings.visible = isVisible();
  settings.grid_edit = !grid_panel_->isHidden();
  settings.control_panel = !control_panel_->isHidden();
  settings.center = center_toggle_->On();
  settings.line = line_toggle_->On();
  settings.markers = markers_toggle_->On();
  settings.full = full_scale_toggle_->On();
  // The colours and the gradient are the options dialog's to write.
  SettingsWriter writer = app_.settings().OpenForWriting();
  WriteWaveformEditorSettings(writer, settings);
  writer.Close();
}

void WaveformEditorWindow::SetTextColors(std::uint32_t text, std::uint32_t back) {
  text_color_ = text;
  back_color_ = back;
  SetPanelColors(centralWidget(), text, back);
  view_->SetColor(back);
  value_grid_->SetColors(ColorFromValue(grid_text_color_), ColorFromValue(back));
}

void WaveformEditorWindow::SetMarkerColor(std::uint32_t color) {
  view_->SetMarkerColor(color);
  grid_text_color_ = color;
  value_grid_->SetColors(ColorFromValue(color), ColorFromValue(back_color_));
}

void WaveformEditorWindow::ApplyToggles() {
  view_->SetMarkerSize(markers_toggle_->On() ? 1 : 0);
  view_->SetAxesEnabled(full_scale_toggle_->On());
  view_->SetAxes2Enabled(full_scale_toggle_->On());
  view_->SetSpectrumMode(!line_toggle_->On());
  view_->SetSpectrumCenter(center_toggle_->On());
  view_->SetMinimaxEnabled(peak_toggle_->On());
  ShowScaleCaptions();
  ShowValueAt(view_->LocatorPos());
}

void WaveformEditorWindow::ShowScaleCaptions() {
  const ScaleCaptions captions = ScaleCaptionsFor(center_toggle_->On());
  for (std::size_t mark = 0; mark < scale_labels_.size(); ++mark) {
    scale_labels_[mark]->setText(QString::fromLatin1(captions.marks[mark]));
  }
  unit_label_->setText(QString::fromLatin1(captions.unit));
}

void WaveformEditorWindow::SetWriteButtonLit(bool lit) {
  const QColor back = ColorFromValue(lit ? kWriteLitBack : kWriteRestBack);
  const QColor text = ColorFromValue(lit ? kWriteLitText : kWriteRestText);
  write_button_->setStyleSheet(
      QString("QPushButton { background-color: %1; color: %2; border: 1px solid #202020; "
              "padding: 3px 10px; font-weight: bold; }")
          .arg(back.name(), text.name()));
}

void WaveformEditorWindow::SetSemitoneStep(int step) {
  semitone_step_ = std::clamp(step, 1, kMaxSemitoneStep);
  ShowValues(view_->Data());
}

void WaveformEditorWindow::SetMidiChannel(int channel) {
  midi_channel_ = std::clamp(channel, 1, 16);
}

// --- Operations of the other windows ---------------------------------------------------------

int WaveformEditorWindow::CurrentIndex() const {
  return WaveIndex(bank_selector_->State(), wave_selector_->State());
}

WaveSpan WaveformEditorWindow::WorkingCopy() { return view_->Data(); }

bool WaveformEditorWindow::Recording() const { return record_toggle_->On(); }

ConstWaveSpan WaveformEditorWindow::StoredWaveform() const {
  return std::as_const(app_.wavetable()).Wave(CurrentIndex());
}

void WaveformEditorWindow::ReloadWorkingCopy() {
  view_->SetData(StoredWaveform());
  ShowValues(view_->Data());
}

void WaveformEditorWindow::LoadCurrentWaveform() {
  view_->SetData(StoredWaveform());
  // The module plays the waveform shown, when the module control window asks for it.
  if (ModuleControlWindow* module = app_.module_control()) {
    module->SendWaveformSelection(bank_selector_->State(), wave_selector_->State());
  }
  WaveformChanged();
}

void WaveformEditorWindow::WaveformChanged() {
  WaveformChangedQuietly();
  SpectrumEditorWindow* spectrum = app_.spectrum_editor();
  if (spectrum && spectrum->isVisible() && MenuAction("mnuFftAnalysis")->isChecked()) {
    spectrum->Analyse();
  }
  if (MenuAction("mnuScaleDetection")->isChecked()) ShowScaleDetection();
}

void WaveformEditorWindow::ClearTransforms() {
  for (ValueKnob* knob : {offset_knob_, mask_knob_, vertical_knob_, bit_average_knob_}) {
    knob->SetState(0);
  }
}

void WaveformEditorWindow::WaveformChangedQuietly() {
  view_->Refresh();
  ShowValues(view_->Data());
  ShowValueAt(view_->LocatorPos());
  SendIfRealTime();
}

void WaveformEditorWindow::ShowValues(std::span<const std::uint8_t, kWaveLength> buffer) {
  if (grid_panel_->isHidden()) return;
  value_grid_->ShowValues(buffer, semitone_step_);
}

void WaveformEditorWindow::SendIfRealTime() {
  ModuleControlWindow* module = app_.module_control();
  if (module && module->SendBufferChecked()) module->SendWaveformBuffer(view_->Data());
}

void WaveformEditorWindow::SendBuffer() {
  if (ModuleControlWindow* module = app_.module_control())
    module->SendWaveformBuffer(view_->Data());
}

void WaveformEditorWindow::ReceiveBuffer() {
  // Filled aside and shown once the transfer has ended: blocks that came stay, the rest is kept.
  std::array<std::uint8_t, kWaveLength> buffer;
  std::copy(view_->Data().begin(), view_->Data().end(), buffer.begin());
  TransferSession::Run(app_, [&](TransferSession& session) {
    session.engine().ReceiveBuffer(buffer, bank_selector_->State(), wave_selector_->State());
  });
  view_->SetData(buffer);
  WaveformChanged();
}

void WaveformEditorWindow::WriteWaveform() {
  SetWriteButtonLit(true);
  write_button_->repaint();
  const WaveSpan stored = app_.wavetable().Wave(CurrentIndex());
  std::copy(view_->Data().begin(), view_->Data().end(), stored.begin());
  // The main grid and the spectral map redraw this waveform.
  emit WaveformWritten(bank_selector_->State(), wave_selector_->State());
  SendIfRealTime();
  write_timer_->start();
}

void WaveformEditorWindow::RecordValue(std::uint8_t value) {
  const int locator = view_->LocatorPos();
  view_->SetValue(locator, value);
  MoveLocator(NextRecordLocator(locator, view_->SelectionPos(), view_->SelectionLen()));
  ShowValues(view_->Data());
}

// --- Editing ---------------------------------------------------------------------------------

void WaveformEditorWindow::ShowValueAt(int pos) {
  const std::uint8_t value = view_->GetValue(pos);
  value_knob_->SetState(value);
  value_knob_->setText(QString::number(center_toggle_->On() ? PercentOfSample(value) : value));
}

void WaveformEditorWindow::MoveLocator(int pos) {
  view_->SetLocatorPos(pos);
  locator_knob_->SetState(pos);
  ShowValueAt(pos);
  value_grid_->FollowRow(pos);
}

void WaveformEditorWindow::TransformKnobChanged(WaveTransform transform, const ValueKnob* knob) {
  ApplyWaveTransform(*view_, transform, StoredWaveform(), knob->State());
  WaveformChanged();
}

void WaveformEditorWindow::ViewLocatorChanged() {
  const int now = view_->LocatorPos();
  if (rotate_toggle_->On()) view_->RotateLeft(RotationForLocatorMove(locator_before_drag_, now));
  locator_before_drag_ = now;
  MoveLocator(now);
  WaveformChanged();
}

void WaveformEditorWindow::ViewSelectionChanged() {
  selection_start_knob_->SetState(view_->SelectionPos());
  selection_length_knob_->SetState(view_->SelectionLen());
  value_grid_->HighlightRows(view_->SelectionPos(), view_->SelectionLen());
}

bool WaveformEditorWindow::eventFilter(QObject* watched, QEvent* event) {
  // A drag of the locator rotates by the distance from where it was at the press.
  if (watched == view_ && event->type() == QEvent::MouseButtonPress) {
    locator_before_drag_ = view_->LocatorPos();
  }
  return QMainWindow::eventFilter(watched, event);
}

void WaveformEditorWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  emit Closed();
}

}  // namespace morvane
