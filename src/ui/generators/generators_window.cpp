#include "ui/generators/generators_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "core/wavetable/wavetable_store.h"
#include "ui/controls/bitmap_knob.h"
#include "ui/controls/control_pictures.h"
#include "ui/controls/graphic_switch.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/generators/generator_widgets.h"
#include "ui/shell/app_context.h"
#include "ui/shell/time_seeded_random.h"
#include "ui/shell/window_place_settings.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

constexpr int kFrameWidth = 40;
constexpr int kFrameHeight = 28;

// Start and End knobs in the order of WaveParameters' fields.
struct ParameterKnobs {
  const char* label;
  const char* start_name;
  const char* end_name;
  int min;
  int max;
  int initial;
};
constexpr std::array<ParameterKnobs, 6> kParameterKnobs = {{
    {"Level", "kvpotlab6", "kvpotlab1", 0, 999, 100},
    {"Freq  x", "kvpotlab7", "kvpotlab2", 1, 128, 1},
    {"PW", "kvpotlab8", "kvpotlab3", -128, 128, 3},
    {"Offset", "kvpotlab9", "kvpotlab4", -127, 127, 0},
    {"Phase", "kvpotlab10", "kvpotlab5", -180, 180, 0},
    {"Mask", "kvpotlab11", "kvpotlab12", 0, 255, 0},
}};
// Init Parameters: Level 128 (not the first 100), PW 5, the rest neutral.
constexpr std::array<int, 6> kInitValues = {128, 1, 5, 0, 0, 0};

WaveParameters ParametersOf(const std::array<ValueKnob*, 6>& knobs) {
  return WaveParameters{knobs[0]->State(), knobs[1]->State(), knobs[2]->State(),
                        knobs[3]->State(), knobs[4]->State(), knobs[5]->State()};
}

// The nine pictures of the wave-type knob, each drawn from the shape it selects.
QPixmap DrawWaveTypeStrip() {
  QPixmap strip(kFrameWidth * kWaveTypeCount, kFrameHeight);
  strip.fill(Qt::black);
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::Antialiasing);
  unsigned seed = 7;
  const RandomSource fixed = [&seed] { return seed = seed * 1103515245u + 12345u; };
  std::array<std::uint8_t, kWaveLength> wave{};
  for (int type = 0; type < kWaveTypeCount; ++type) {
    WaveParameters p;
    p.level = type == kWaveDc ? 0 : 100;
    p.offset = type == kWaveDc ? 60 : 0;
    p.freq = type == kWaveNoise ? 8 : (type >= kWavePulse ? 2 : 1);
    p.pulse_width = type == kWavePulse ? 40 : 100;
    CalcWaveFunction(wave.data(), kWaveLength, type, p, fixed);
    const int x0 = type * kFrameWidth;
    painter.setPen(QPen(QColor(40, 70, 40), 1));
    painter.drawRect(x0, 0, kFrameWidth - 1, kFrameHeight - 1);
    painter.drawLine(x0 + 2, kFrameHeight / 2, x0 + kFrameWidth - 3, kFrameHeight / 2);
    QPolygonF line;
    for (int i = 0; i < kWaveLength; i += 4) {
      const double x = x0 + 3 + i * (kFrameWidth - 6) / double(kWaveLength);
      const double y = kFrameHeight - 4 - wave[i] * (kFrameHeight - 8) / 255.0;
      line << QPointF(x, y);
    }
    painter.setPen(QPen(QColor(0, 255, 0), 1.2));
    painter.drawPolyline(line);
  }
  return strip;
}

}  // namespace

GeneratorsWindow::GeneratorsWindow(AppContext& app, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app) {
  setObjectName("Form12");
  setWindowTitle("Generators");
  wave_timer_ = new QTimer(this);
  wave_timer_->setObjectName("Timer1");
  bank_timer_ = new QTimer(this);
  bank_timer_->setObjectName("Timer2");
  morph_timer_ = new QTimer(this);
  morph_timer_->setObjectName("Timer3");

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  tabs_ = new QTabWidget(this);
  tabs_->addTab(BuildFunctionTab(), "Function");
  fractal_page_ = new QWidget(tabs_);
  fractal_page_->setObjectName("tabFractal");
  tabs_->addTab(fractal_page_, "Fractal");
  layout->addWidget(tabs_);

  ConnectControls();
  ReadSettings();
  range_ = AnimationRange{};
  wave_timer_->setInterval(wave_speed_knob_->State());
  bank_timer_->setInterval(bank_speed_knob_->State());
  morph_timer_->setInterval(morph_speed_knob_->State());
}

GeneratorsWindow::~GeneratorsWindow() = default;

// --- Building --------------------------------------------------------------------------------

QWidget* GeneratorsWindow::BuildFunctionTab() {
  auto* page = new QWidget(tabs_);
  page->setObjectName("tabFunction");
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(BuildComputeGroup());
  auto* lower = new QHBoxLayout;
  lower->addWidget(BuildMorphGroup());
  lower->addWidget(BuildAnimateGroup());
  layout->addLayout(lower);
  layout->addStretch();
  return page;
}

GraphicSwitch* GeneratorsWindow::AddSwitch(QWidget* parent, const char* name, QTimer* timer) {
  auto* button = new GraphicSwitch(parent);
  button->setObjectName(name);
  button->SetBitmap(DrawSwitchFrames(
      {SwitchLook::kLed, QSize(22, 22), QColor(255, 48, 32), devicePixelRatioF()}));
  connect(button, &GraphicSwitch::OnClick, this,
          [button, timer] { button->Checked() ? timer->start() : timer->stop(); });
  return button;
}

QWidget* GeneratorsWindow::BuildComputeGroup() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  auto* group = MakeGroup(this, "Compute", grid);
  grid->addWidget(MakeCaption(group, "Start"), 1, 0);
  grid->addWidget(MakeCaption(group, "End"), 3, 0);
  for (std::size_t i = 0; i < kParameterKnobs.size(); ++i) {
    const ParameterKnobs& k = kParameterKnobs[i];
    const int column = static_cast<int>(i) + 1;
    grid->addWidget(MakeCaption(group, k.label), 0, column);
    start_knobs_[i] = MakeGeneratorKnob(group, k.start_name, k.label, k.min, k.max, k.initial);
    end_knobs_[i] = MakeGeneratorKnob(group, k.end_name, k.label, k.min, k.max, k.initial);
    grid->addWidget(start_knobs_[i], 1, column, Qt::AlignCenter);
    grid->addWidget(end_knobs_[i], 3, column, Qt::AlignCenter);
  }
  grid->addWidget(MakeCaption(group, "Parametric sweep"), 2, 1, 1, 6);

  wave_type_knob_ = new BitmapKnob(group);
  wave_type_knob_->setObjectName("kvpotbmp1");
  wave_type_knob_->setToolTip("Wave");
  wave_type_knob_->SetBitmap(DrawWaveTypeStrip());
  wave_type_knob_->SetGlyph(kWaveTypeCount);
  wave_type_knob_->SetMax(kWaveTypeCount - 1);
  wave_type_knob_->SetCursorRange(32);
  grid->addWidget(MakeCaption(group, "Wave"), 0, 7);
  grid->addWidget(wave_type_knob_, 1, 7, Qt::AlignCenter);

  table_panel_ = new QFrame(group);
  table_panel_->setAutoFillBackground(true);
  auto* table_layout = new QVBoxLayout(table_panel_);
  table_layout->setContentsMargins(3, 2, 3, 3);
  table_layout->setSpacing(1);
  table_layout->addWidget(MakeCaption(table_panel_, "+Table"));
  table_toggle_ = MakeGeneratorKnob(table_panel_, "kvpotlab40", "Additive Synthesis", 0, 1, 0);
  table_toggle_->SetDisplay([](int v) { return v ? QString("ADD") : QString("OFF"); });
  table_layout->addWidget(table_toggle_, 0, Qt::AlignCenter);
  grid->addWidget(table_panel_, 2, 7, 2, 1, Qt::AlignCenter);
  ShowTableToggle();

  auto* destinations = new QVBoxLayout;
  waveform_button_ = new QRadioButton("WaveForm", group);
  magnitude_button_ = new QRadioButton("FFT Mag", group);
  phase_button_ = new QRadioButton("FFT Angle", group);
  waveform_button_->setObjectName("rbWaveForm");
  magnitude_button_->setObjectName("rbFftMag");
  phase_button_->setObjectName("rbFftAngle");
  waveform_button_->setChecked(true);
  for (QRadioButton* b : {waveform_button_, magnitude_button_, phase_button_})
    destinations->addWidget(b);
  grid->addLayout(destinations, 0, 8, 4, 1);

  auto* tools = new QVBoxLayout;
  compute_button_ = MakeToolButton(group, "btnCompute", "Compute", "Compute Function");
  init_button_ = MakeToolButton(group, "btnInit", "Init", "Init Parameters");
  write_button_ = MakeToolButton(group, "btnWrite", "Write",
                                 "Write Parametric Function into the Wavetable Selection Area");
  for (QToolButton* b : {compute_button_, init_button_, write_button_}) tools->addWidget(b);
  grid->addLayout(tools, 0, 9, 4, 1);
  return group;
}

QWidget* GeneratorsWindow::BuildMorphGroup() {
  auto* grid = new QGridLayout;
  auto* group = MakeGroup(this, "Morphing", grid);
  morph_level_knob_ = MakeGeneratorKnob(group, "kvpotlab29", "Level", 0, 100, 0);
  morph_bank_knob_ = MakeGeneratorKnob(group, "kvpotlab30", "Bank", 0, 31, 0);
  morph_wave_knob_ = MakeGeneratorKnob(group, "kvpotlab31", "Wave", 0, 63, 0);
  morph_speed_knob_ = MakeGeneratorKnob(group, "kvpotlab32", "Animation Speed", 1, 999, 15);
  morph_switch_ = AddSwitch(group, "kvgrafsw3", morph_timer_);
  const std::array<std::pair<const char*, QWidget*>, 5> cells = {{{"Level", morph_level_knob_},
                                                                  {"Bank", morph_bank_knob_},
                                                                  {"Wave", morph_wave_knob_},
                                                                  {"Speed", morph_speed_knob_},
                                                                  {"Run", morph_switch_}}};
  for (std::size_t i = 0; i < cells.size(); ++i) {
    grid->addWidget(MakeCaption(group, cells[i].first), 0, static_cast<int>(i));
    grid->addWidget(cells[i].second, 1, static_cast<int>(i), Qt::AlignCenter);
  }
  return group;
}

QWidget* GeneratorsWindow::BuildAnimateGroup() {
  auto* grid = new QGridLayout;
  auto* group = MakeGroup(this, "Animate", grid);
  bank_speed_knob_ = MakeGeneratorKnob(group, "kvpotlab28", "Animation Speed", 2, 999, 2);
  bank_switch_ = AddSwitch(group, "kvgrafsw1", bank_timer_);
  wave_speed_knob_ = MakeGeneratorKnob(group, "kvpotlab27", "Animation Speed", 2, 999, 3);
  wave_switch_ = AddSwitch(group, "kvgrafsw2", wave_timer_);
  grid->addWidget(MakeCaption(group, "Bank"), 0, 0);
  grid->addWidget(bank_speed_knob_, 1, 0, Qt::AlignCenter);
  grid->addWidget(bank_switch_, 1, 1, Qt::AlignCenter);
  grid->addWidget(MakeCaption(group, "Wave"), 0, 2);
  grid->addWidget(wave_speed_knob_, 1, 2, Qt::AlignCenter);
  grid->addWidget(wave_switch_, 1, 3, Qt::AlignCenter);
  return group;
}

void GeneratorsWindow::ConnectControls() {
  for (ValueKnob* knob : start_knobs_)
    connect(knob, &ValueKnob::OnChange, this, &GeneratorsWindow::Compute);
  connect(wave_type_knob_, &BitmapKnob::OnChange, this, &GeneratorsWindow::Compute);
  connect(table_toggle_, &ValueKnob::OnChange, this, &GeneratorsWindow::ShowTableToggle);
  connect(compute_button_, &QToolButton::clicked, this, &GeneratorsWindow::Compute);
  connect(init_button_, &QToolButton::clicked, this, &GeneratorsWindow::InitParameters);
  connect(write_button_, &QToolButton::clicked, this, &GeneratorsWindow::WriteParametricFunction);
  for (ValueKnob* knob : {morph_level_knob_, morph_bank_knob_, morph_wave_knob_})
    connect(knob, &ValueKnob::OnChange, this, &GeneratorsWindow::CalcMorph);
  const std::array<std::pair<ValueKnob*, QTimer*>, 3> speeds = {
      {{wave_speed_knob_, wave_timer_},
       {bank_speed_knob_, bank_timer_},
       {morph_speed_knob_, morph_timer_}}};
  for (const auto& speed : speeds) {
    ValueKnob* knob = speed.first;
    QTimer* timer = speed.second;
    connect(knob, &ValueKnob::OnChange, this, [knob, timer] { timer->setInterval(knob->State()); });
  }
  connect(wave_timer_, &QTimer::timeout, this, &GeneratorsWindow::WaveTick);
  connect(bank_timer_, &QTimer::timeout, this, &GeneratorsWindow::BankTick);
  connect(morph_timer_, &QTimer::timeout, this, &GeneratorsWindow::MorphTick);
}

void GeneratorsWindow::ShowTableToggle() {
  const bool add = table_toggle_->State() == 1;
  table_toggle_->SetColors(add ? QColor(Qt::yellow) : QColor(0, 255, 255),
                           add ? QColor(Qt::red) : QColor(Qt::black));
  QPalette palette = table_panel_->palette();
  palette.setColor(QPalette::Window,
                   add ? QColor(Qt::red) : palette.color(QPalette::Base).darker(110));
  table_panel_->setPalette(palette);
}

// --- Settings and closing --------------------------------------------------------------------

void GeneratorsWindow::ReadSettings() { RestoreWindowPlace(app_.settings(), *this, 12); }

void GeneratorsWindow::SaveSettings() { SaveWindowPlace(app_.settings(), *this, 12); }

void GeneratorsWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  hide();
  emit Closed();
}

// --- Computing -------------------------------------------------------------------------------

WaveParameters GeneratorsWindow::StartParameters() const { return ParametersOf(start_knobs_); }
WaveParameters GeneratorsWindow::EndParameters() const { return ParametersOf(end_knobs_); }

GeneratorsWindow::Destination GeneratorsWindow::CurrentDestination() const {
  if (magnitude_button_->isChecked()) return Destination::kFftMagnitude;
  if (phase_button_->isChecked()) return Destination::kFftPhase;
  return Destination::kWaveform;
}

void GeneratorsWindow::ClearEditorTransforms() { app_.waveform_editor()->ClearTransforms(); }

void GeneratorsWindow::SetWaveType(int type) { wave_type_knob_->SetState(type); }

void GeneratorsWindow::LoadWorkingCopy(const std::uint8_t* bytes) {
  WaveformEditorWindow* editor = app_.waveform_editor();
  WaveSpan copy = editor->WorkingCopy();
  std::copy_n(bytes, kWaveLength, copy.begin());
  editor->View()->Refresh();
  editor->WaveformChanged();
}

void GeneratorsWindow::Compute() {
  const Destination destination = CurrentDestination();
  const int n = destination == Destination::kWaveform ? kWaveLength : kHarmonicCount;
  WaveformEditorWindow* editor = app_.waveform_editor();
  std::array<std::uint8_t, kWaveLength> table{};
  const ConstWaveSpan current = app_.wavetable().Wave(editor->CurrentIndex());
  std::copy(current.begin(), current.end(), table.begin());
  ClearEditorTransforms();
  std::array<std::uint8_t, kWaveLength> buffer{};
  CalcWaveFunction(buffer.data(), n, wave_type_knob_->State(), StartParameters(),
                   TimeSeededRandom());
  if (table_toggle_->State() == 1) AddTable(buffer.data(), table.data(), n);
  if (destination == Destination::kWaveform) {
    LoadWorkingCopy(buffer.data());
    return;
  }
  SpectrumEditorWindow* spectrum = app_.spectrum_editor();
  SampleTank* view =
      destination == Destination::kFftMagnitude ? spectrum->AmplitudeView() : spectrum->PhaseView();
  view->SetData(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(n)));
  view->Refresh();
  spectrum->Synthesise();
}

void GeneratorsWindow::InitParameters() {
  for (std::size_t i = 0; i < start_knobs_.size(); ++i) start_knobs_[i]->SetState(kInitValues[i]);
  Compute();
}

void GeneratorsWindow::WriteParametricFunction() {
  MainWindow* main = app_.main_window();
  WaveformEditorWindow* editor = app_.waveform_editor();
  const QRect cells = main->Grid()->Selection();
  const int width = cells.width();
  const int height = cells.height();
  const int count = std::max(1, width * height);
  ClearEditorTransforms();
  const WaveParameters start = StartParameters();
  const WaveParameters end = EndParameters();
  const int type = wave_type_knob_->State();
  std::array<std::uint8_t, kWaveLength> buffer{};
  for (int r = 0; r < height; ++r) {
    for (int c = 0; c < width; ++c) {
      editor->BankSelector()->SetState(cells.top() + r);
      editor->WaveSelector()->SetState(cells.left() + c);
      CalcWaveFunction(buffer.data(), kWaveLength, type,
                       ParametricCell(start, end, count, r * width + c), TimeSeededRandom());
      LoadWorkingCopy(buffer.data());
      editor->WriteWaveform();
    }
  }
}

void GeneratorsWindow::CalcMorph() {
  WaveformEditorWindow* editor = app_.waveform_editor();
  const WavetableStore& store = app_.wavetable();
  std::array<std::uint8_t, kWaveLength> out{};
  morvane::CalcMorph(
      store.Wave(editor->CurrentIndex()).data(),
      store.Wave(WaveIndex(morph_bank_knob_->State(), morph_wave_knob_->State())).data(),
      morph_level_knob_->State(), out.data());
  LoadWorkingCopy(out.data());
}

// --- Animations ------------------------------------------------------------------------------

void GeneratorsWindow::AnimateSelector(ValueKnob* selector, int lo, int hi, int& direction) {
  WaveformEditorWindow* editor = app_.waveform_editor();
  MainWindow* main = app_.main_window();
  const int previous_bank = editor->BankSelector()->State();
  const int previous_wave = editor->WaveSelector()->State();
  selector->SetState(PingPongStep(selector->State(), lo, hi, direction));
  const int bank = editor->BankSelector()->State();
  const int wave = editor->WaveSelector()->State();
  LoadWorkingCopy(app_.wavetable().Wave(WaveIndex(bank, wave)).data());
  main->DrawWaveCell(previous_wave, previous_bank, false);
  main->DrawWaveCell(wave, bank, true);
}

void GeneratorsWindow::WaveTick() {
  AnimateSelector(app_.waveform_editor()->WaveSelector(), range_.wave_min, range_.wave_max,
                  wave_direction_);
}

void GeneratorsWindow::BankTick() {
  AnimateSelector(app_.waveform_editor()->BankSelector(), range_.bank_min, range_.bank_max,
                  bank_direction_);
}

void GeneratorsWindow::MorphTick() {
  morph_level_knob_->SetState(PingPongStep(morph_level_knob_->State(), 0, 100, morph_direction_));
  CalcMorph();
}

void GeneratorsWindow::StopTimers() {
  for (QTimer* timer : {wave_timer_, bank_timer_, morph_timer_}) timer->stop();
  for (GraphicSwitch* button : {wave_switch_, bank_switch_, morph_switch_})
    button->SetChecked(false);
}

void GeneratorsWindow::SetAnimationRange(int left, int top, int right, int bottom) {
  range_ = RangeFromSelection(left, top, right, bottom);
}

}  // namespace morvane
