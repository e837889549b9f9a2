#include "ui/generators/fractal_tab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/generators/fractal_engine.h"
#include "ui/controls/value_knob.h"
#include "ui/generators/fractal_view_window.h"
#include "ui/generators/generator_widgets.h"
#include "ui/shell/app_context.h"

namespace morvane {
namespace {

struct KnobSetup {
  const char* name;
  const char* label;
  int min;
  int max;
  int initial;
};

// kvpotlab13 .. kvpotlab19, in the order of ComplexParameters' fields. Ox starts at 300, set when
// the generators window is made.
constexpr std::array<KnobSetup, 7> kComplexKnobs = {{
    {"kvpotlab13", "zX", 1, 1000, 100},
    {"kvpotlab14", "Res", 1, 1000, 16},
    {"kvpotlab15", "cteX", -300, 300, 100},
    {"kvpotlab16", "cteY", -300, 300, 100},
    {"kvpotlab17", "Ocx", -1000, 1000, 0},
    {"kvpotlab18", "Ox", -1000, 1000, 300},
    {"kvpotlab19", "Zx", 0, 1000, 3},
}};
constexpr std::size_t kOcx = 4;

// A parameter set as the values of the knobs above, in their order.
std::array<int, kComplexKnobs.size()> KnobValues(const ComplexParameters& p) {
  return {p.zoom, p.resolution, p.julia_re, p.julia_im, p.ocx, p.origin, p.narrowing};
}

// A knob with its caption above it, in one column of a grid.
ValueKnob* AddCaptionedKnob(QWidget* group, QGridLayout* grid, int column, const KnobSetup& setup) {
  ValueKnob* knob =
      MakeGeneratorKnob(group, setup.name, setup.label, setup.min, setup.max, setup.initial);
  grid->addWidget(MakeCaption(group, setup.label), 0, column);
  grid->addWidget(knob, 1, column, Qt::AlignCenter);
  return knob;
}

}  // namespace

FractalTab::FractalTab(AppContext& app, QWidget* page) : QWidget(page), app_(app) {
  setObjectName("FractalTab");
  auto* page_layout = new QVBoxLayout(page);
  page_layout->setContentsMargins(0, 0, 0, 0);
  page_layout->addWidget(this);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* left = new QVBoxLayout;
  left->addWidget(BuildPyramidGroup());
  left->addWidget(BuildWavetableGroup());
  left->addStretch();
  layout->addLayout(left);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildComplexGroup());
  right->addStretch();
  layout->addLayout(right);
  ConnectControls();
}

FractalTab::~FractalTab() = default;

// --- Building --------------------------------------------------------------------------------

QWidget* FractalTab::BuildPyramidGroup() {
  auto* grid = new QGridLayout;
  auto* group = MakeGroup(this, "Pyramide", grid);
  range_knob_ = AddCaptionedKnob(group, grid, 0, {"potAmpl", "Range", 0, 255, 100});
  sea_knob_ = AddCaptionedKnob(group, grid, 1, {"potSea", "Sea", 0, 255, 0});
  terrain_button_ = MakeToolButton(group, "btnPyramidCompute", "Compute", "Compute");
  show_button_ =
      MakeToolButton(group, "btnShowFractal", "Show fractal window", "Show fractal window");
  resize_button_ = MakeToolButton(group, "btnResizeFractal", "Resize the fractal window",
                                  "Resize the fractal window");
  grid->addWidget(terrain_button_, 0, 2, 2, 1);
  grid->addWidget(show_button_, 2, 0, 1, 3);
  grid->addWidget(resize_button_, 3, 0, 1, 3);
  return group;
}

QWidget* FractalTab::BuildWavetableGroup() {
  auto* grid = new QGridLayout;
  auto* group = MakeGroup(this, "Wavetable", grid);
  bank_knob_ = AddCaptionedKnob(group, grid, 0, {"potBank", "Send to Bank", 0, 15, 0});
  // The destination is a pair of banks: the caption names the first of them.
  bank_knob_->SetDisplay([](int v) { return QString::number(2 * v); });
  alternate_box_ = new QCheckBox("Alternate", group);
  alternate_box_->setObjectName("CheckBox1");
  grid->addWidget(alternate_box_, 1, 1);
  amplitude_button_ = MakeToolButton(group, "btnSMapAmpl", "SMap Ampl ", "SMap Ampl ");
  phase_button_ = MakeToolButton(group, "btnSMapAngle", "SMap Angle", "SMap Angle");
  rows_button_ = MakeToolButton(group, "btnWaveX", "Wave X", "Wave X");
  columns_button_ = MakeToolButton(group, "btnWaveY", "Wave Y", "Wave Y");
  grid->addWidget(amplitude_button_, 2, 0);
  grid->addWidget(phase_button_, 2, 1);
  grid->addWidget(rows_button_, 3, 0);
  grid->addWidget(columns_button_, 3, 1);
  return group;
}

QWidget* FractalTab::BuildComplexGroup() {
  auto* grid = new QGridLayout;
  auto* group = MakeGroup(this, "Complex", grid);
  julia_button_ = new QRadioButton("Julia", group);
  julia_button_->setObjectName("rbJulia");
  mandelbrot_button_ = new QRadioButton("Mendelbrot", group);
  mandelbrot_button_->setObjectName("rbMandelbrot");
  mandelbrot_button_->setChecked(true);
  auto* kinds = new QHBoxLayout;
  kinds->addWidget(julia_button_);
  kinds->addWidget(mandelbrot_button_);
  grid->addLayout(kinds, 0, 0, 1, 4);

  auto* knobs = new QGridLayout;
  for (std::size_t i = 0; i < kComplexKnobs.size(); ++i) {
    complex_knobs_[i] = AddCaptionedKnob(group, knobs, static_cast<int>(i), kComplexKnobs[i]);
  }
  // Ocx is handed to the images and used by neither, so it is not offered.
  complex_knobs_[kOcx]->hide();
  knobs->itemAtPosition(0, static_cast<int>(kOcx))->widget()->hide();
  grid->addLayout(knobs, 1, 0, 1, 4);

  init_button_ = MakeToolButton(group, "btnInitFractal", "Init Parameters", "Init Parameters");
  preset_button_ =
      MakeToolButton(group, "btnPresetFractal", "Show fractal window", "Show fractal window");
  grid->addWidget(init_button_, 2, 0, 1, 2);
  grid->addWidget(preset_button_, 2, 2, 1, 2);
  return group;
}

void FractalTab::ConnectControls() {
  FractalEngine& engine = app_.fractal_engine();
  connect(range_knob_, &ValueKnob::OnChange, this,
          [this, &engine] { engine.SetRange(range_knob_->State()); });
  connect(sea_knob_, &ValueKnob::OnChange, this, [this, &engine] {
    engine.SetSeaLevel(sea_knob_->State());
    View().PaintFromMap(engine);
  });
  connect(terrain_button_, &QToolButton::clicked, this, &FractalTab::ComputeTerrain);
  connect(show_button_, &QToolButton::clicked, this, &FractalTab::ShowView);
  connect(resize_button_, &QToolButton::clicked, this, [this] { View().SetPictureSize(); });
  connect(amplitude_button_, &QToolButton::clicked, this, &FractalTab::SendSpectralAmplitudes);
  connect(phase_button_, &QToolButton::clicked, this, &FractalTab::SendSpectralPhases);
  connect(rows_button_, &QToolButton::clicked, this, &FractalTab::SendWaveRows);
  connect(columns_button_, &QToolButton::clicked, this, &FractalTab::SendWaveColumns);
  for (QRadioButton* kind : {julia_button_, mandelbrot_button_}) {
    connect(kind, &QRadioButton::toggled, this, [this](bool checked) {
      if (checked) RecomputeComplex();
    });
  }
  for (ValueKnob* knob : complex_knobs_) {
    connect(knob, &ValueKnob::OnChange, this, &FractalTab::RecomputeComplex);
  }
  connect(init_button_, &QToolButton::clicked, this, &FractalTab::NextStartingSet);
  connect(preset_button_, &QToolButton::clicked, this, &FractalTab::NextPresetView);
}

// --- Images ----------------------------------------------------------------------------------

FractalViewWindow& FractalTab::View() { return *app_.fractal_view(); }

void FractalTab::ShowView() {
  View().show();
  View().raise();
}

ComplexParameters FractalTab::Parameters() const {
  const auto v = [this](std::size_t i) { return complex_knobs_[i]->State(); };
  return ComplexParameters{v(0), v(1), v(2), v(3), v(4), v(5), v(6)};
}

ComplexKind FractalTab::Kind() const {
  return mandelbrot_button_->isChecked() ? ComplexKind::kMandelbrot : ComplexKind::kJulia;
}

void FractalTab::ComputeTerrain() {
  ShowView();
  FractalEngine& engine = app_.fractal_engine();
  engine.CalcPyramid();
  View().PaintFromMap(engine);
}

void FractalTab::RecomputeComplex() {
  FractalEngine& engine = app_.fractal_engine();
  engine.CalcComplex(Kind(), Parameters());
  if (View().isVisible()) View().PaintFromComplex(engine);
}

void FractalTab::ApplyView(const ComplexView& view) {
  const auto values = KnobValues(view.Over(Parameters()));
  for (std::size_t i = 0; i < values.size(); ++i) complex_knobs_[i]->SetState(values[i]);
  FractalEngine& engine = app_.fractal_engine();
  engine.CalcComplex(Kind(), Parameters());
  // Painted after showing, so a view that was hidden never opens on an older image.
  ShowView();
  View().PaintFromComplex(engine);
}

void FractalTab::NextPresetView() { ApplyView(kPresetViews[preset_counter_.Next()]); }

void FractalTab::NextStartingSet() { ApplyView(kStartingSets[start_counter_.Next()]); }

}  // namespace morvane
