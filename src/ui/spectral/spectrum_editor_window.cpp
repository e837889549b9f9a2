#include "ui/spectral/spectrum_editor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/controls/captioned.h"
#include "ui/controls/click_panel.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/toggle_panel.h"
#include "ui/controls/value_knob.h"
#include "ui/settings/options_dialog.h"
#include "ui/settings/tank_colors.h"
#include "ui/shell/app_context.h"
#include "ui/shell/color_value.h"
#include "ui/shell/message_reporter.h"
#include "ui/spectral/window_kind_menu.h"

namespace morvane {
namespace {

constexpr int kViewHeight = 180;
constexpr int kSmallViewWidth = 521;
constexpr int kSmallPanelWidth = 543;
constexpr int kLargeViewWidth = 782;
constexpr int kLargePanelWidth = 806;
constexpr int kGridPanelWidth = 133;  // at least; wider when its font asks for more
constexpr int kGridCaptionPixels = 8;

// Amplitude toggles green, phase toggles purple; "S" red when on; the link fuchsia when on.
constexpr TogglePanel::Look kPhaseLook{0x800080, 0xFF00FF, 0x000000, 0x800080};
constexpr TogglePanel::Look kShiftLook{0x0000FF, 0x000080, 0x004000, 0x808080};
constexpr TogglePanel::Look kLinkLook{0xFF00FF, 0x800080, 0x000000, 0x800080};
// "LOG" dark green with lime text; "LIN" (on) purple with red text.
constexpr TogglePanel::Look kScaleLook{0x800080, 0x0000FF, 0x004000, 0x00FF00};

constexpr std::array<const char*, 5> kAmplitudeMarks = {"+100", "+75", "+50", "+25", "0"};
constexpr std::array<const char*, 5> kPhaseMarks = {"+180", "+90", "0", "-90", "-180"};

}  // namespace

SpectrumEditorWindow::SpectrumEditorWindow(AppContext& app, QWidget* parent)
    : QMainWindow(parent), app_(app) {
  setObjectName("Form7");
  setWindowTitle("Spectrum");

  auto* central = new QWidget(this);
  central->setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  left_panel_ = new QWidget(central);
  left_panel_->setObjectName("pnlLeft");
  auto* left = new QVBoxLayout(left_panel_);
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(3);
  left->addWidget(BuildToggleRow());
  left->addWidget(BuildViewRow(amplitude_view_, "kvSampleTank2", amplitude_marks_, &unit_label_));
  left->addWidget(BuildViewRow(phase_view_, "kvSampleTank3", phase_marks_, nullptr));
  left->addWidget(BuildKnobRow());
  layout->addWidget(left_panel_, 0, Qt::AlignTop);
  grid_panel_ = BuildGridPanel();
  grid_panel_->setParent(central);
  layout->addWidget(grid_panel_);
  setCentralWidget(central);

  window_menu_ = MakeWindowKindMenu(this, [this](int kind) { ChooseWindowKind(kind); });
  BuildMenus();
  ConnectControls();
  FormCreate();
}

SpectrumEditorWindow::~SpectrumEditorWindow() = default;

// --- Building --------------------------------------------------------------------------------

QWidget* SpectrumEditorWindow::BuildViewRow(SampleTank*& view, const char* name,
                                            std::array<QLabel*, 5>& marks, QLabel** unit) {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  auto* scale = new QWidget(row);
  scale->setFixedWidth(kSmallPanelWidth - kSmallViewWidth - 1);
  auto* scale_layout = new QVBoxLayout(scale);
  scale_layout->setContentsMargins(0, 0, 0, 0);
  const bool phase = unit == nullptr;
  for (std::size_t mark = 0; mark < marks.size(); ++mark) {
    marks[mark] = new QLabel(phase ? kPhaseMarks[mark] : kAmplitudeMarks[mark], scale);
    marks[mark]->setFont(QFont("Monospace", 6));
    scale_layout->addWidget(marks[mark]);
    if (mark + 1 < marks.size()) scale_layout->addStretch(1);
  }
  layout->addWidget(scale);
  view = new SampleTank(row);
  view->setObjectName(name);
  view->SetMax(kHarmonicCount);
  view->setFixedSize(kSmallViewWidth, kViewHeight);
  view->SetSpectrumCenter(phase);  // the phase bars grow from the 0° line
  view->SetAxesEnabled(false);
  view->SetAxes2Enabled(false);
  view->SetGradientEnabled(true);
  layout->addWidget(view);
  layout->addStretch(1);
  return row;
}

TogglePanel* SpectrumEditorWindow::MakeToggle(const char* name, const QString& caption,
                                              const QString& hint, bool on, bool phase) {
  return MakeTogglePanel(this, name, caption, hint, on,
                         phase ? kPhaseLook : TogglePanel::kGreenLook);
}

QWidget* SpectrumEditorWindow::BuildToggleRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  unit_label_ = new QLabel("dB", row);
  unit_label_->setObjectName("lblUnit");
  layout->addWidget(unit_label_);
  amplitude_markers_ = MakeToggle("pnlAmplMarkers", "M", "Markers", true, false);
  amplitude_line_ = MakeToggle("pnlAmplLine", "L", "Bar/Line Mode", false, false);
  amplitude_minimax_ = MakeToggle("pnlAmplMinMax", "R", "Bar/Line Mode", true, false);
  phase_markers_ = MakeToggle("pnlPhaseMarkers", "M", "Markers", true, true);
  phase_line_ = MakeToggle("pnlPhaseLine", "L", "Bars/Line Mode", false, true);
  phase_minimax_ = MakeToggle("pnlPhaseMinMax", "R", "Bars/Line Mode", true, true);
  shift_toggle_ = MakeTogglePanel(this, "pnlShift", "S", "Shift Mode", false, kShiftLook);
  link_toggle_ = MakeTogglePanel(this, "pnlLink", "L", "Link Locators", false, kLinkLook);
  link_toggle_->hide();
  for (TogglePanel* toggle :
       {amplitude_markers_, amplitude_line_, amplitude_minimax_, phase_markers_, phase_line_,
        phase_minimax_, shift_toggle_, link_toggle_}) {
    toggle->setParent(row);
    layout->addWidget(toggle);
    if (toggle == amplitude_minimax_ || toggle == phase_minimax_) layout->addSpacing(10);
  }
  layout->addStretch(1);
  window_panel_ = new ClickPanel(WindowPanelCaption(0), row);
  window_panel_->setObjectName("pnlWindow");
  window_panel_->setToolTip("Window function");
  window_panel_->setMinimumWidth(90);
  window_panel_->SetColors(0x004000, 0x00FF00);
  layout->addWidget(window_panel_);
  scale_toggle_ = new TogglePanel("LOG", row, kScaleLook);
  scale_toggle_->setObjectName("pnlLog");
  scale_toggle_->setToolTip("Amplitude scale");
  scale_toggle_->setMinimumWidth(36);
  layout->addWidget(scale_toggle_);
  return row;
}

QWidget* SpectrumEditorWindow::BuildKnobRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto knob = [this](const char* name, const QString& hint, int min, int max, int initial) {
    ValueKnob* made = MakeValueKnob(this, name, hint, min, max, initial);
    made->setMinimumWidth(40);
    return made;
  };
  harmonic_knob_ = knob("kvpotlab43", "Harmonic at the locator", 1, kHarmonicCount, 1);
  amplitude_knob_ = knob("kvpotlab42", "Amplitude", 0, 255, 0);
  phase_knob_ = knob("kvpotlab1", "Phase", 0, 255, 128);
  start_knob_ = knob("kvpotlab45", "Selection start", 1, kHarmonicCount, 1);
  length_knob_ = knob("kvpotlab44", "Selection length", 0, kHarmonicCount, 0);
  harmonics_knob_ = knob("kvpotlab2", "Harmonics", 0, 2, 0);
  harmonics_knob_->setMinimumWidth(48);
  layout->addWidget(Captioned("N", harmonic_knob_, row));
  layout->addWidget(Captioned("Ampl", amplitude_knob_, row));
  layout->addWidget(Captioned("Phase", phase_knob_, row));
  layout->addWidget(Captioned("Sel Start", start_knob_, row));
  layout->addWidget(Captioned("Sel Len", length_knob_, row));
  layout->addWidget(Captioned("Harmonics", harmonics_knob_, row));
  layout->addStretch(1);
  return row;
}

QWidget* SpectrumEditorWindow::BuildGridPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName("pnlGrid");
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  // The caption's runs of blanks put each word over its column in a proportional font; in a
  // fixed-pitch one the blanks are as wide as letters and it outgrows the columns.
  grid_caption_ = new QLabel("   N         Amplitude         Phase", panel);
  QFont caption_font = grid_caption_->font();
  caption_font.setPixelSize(kGridCaptionPixels);
  grid_caption_->setFont(caption_font);
  layout->addWidget(grid_caption_);
  grid_ = new QTableWidget(kHarmonicCount, 3, panel);
  grid_->setObjectName("StringGrid1");
  // 128 rows never fit: the bar is always there, and the panel's width counts it.
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(16);
  grid_->setFont(QFont("Monospace", 7));
  const std::array<int, 3> widths = {24, 58, 46};
  for (int column = 0; column < 3; ++column) grid_->setColumnWidth(column, widths[column]);
  for (int row = 0; row < kHarmonicCount; ++row) {
    for (int column = 0; column < 3; ++column) {
      grid_->setItem(row, column,
                     new QTableWidgetItem(column == 0 ? QString::number(row + 1) : "0"));
    }
  }
  layout->addWidget(grid_, 1);
  return panel;
}

// --- Settings and looks ----------------------------------------------------------------------

void SpectrumEditorWindow::FormCreate() {
  SpectrumEditorSettings settings;
  SettingsReader reader = app_.settings().OpenForReading();
  if (reader.Exists()) ReadSpectrumEditorSettings(reader, settings);
  ApplySettings(settings);
  amplitude_view_->Fill(0, true);
  phase_view_->Fill(kZeroLine, true);
  ShowHarmonicsChoice();
  ShowHarmonic(false);
  ReportSettingsReadError(app_.messages(), reader);
  if (settings.visible) show();
}

void SpectrumEditorWindow::ApplySettings(const SpectrumEditorSettings& settings) {
  move(settings.left, settings.top);
  const std::array<std::pair<EditorView, const SpectrumViewColors*>, 2> views = {
      {{kAmplView, &settings.amplitude}, {kPhaseView, &settings.phase}}};
  for (const auto& [view, colors] : views) {
    SetViewColor(view, kEditorLines, colors->line);
    SetViewColor(view, kEditorMarkers, colors->marker);
    SetViewColor(view, kEditorAxes, colors->axes);
    SetViewColor(view, kEditorGradient, colors->gradient);
    SetViewColor(view, kEditorLocator, colors->locator);
    SetViewColor(view, kEditorSelection, colors->selection);
    SetViewColor(view, kEditorMinMax, colors->minimax);
    SetViewGradientType(view, colors->gradient_type);
  }
  // The markers' colour read first is the grid's text colour too.
  grid_text_color_ = settings.grid_text_color;
  SetTextColors(settings.text_color, settings.back_color);
  MenuAction("mnuSmallWindow")->setChecked(settings.small_window);
  MenuAction("mnuGridEdit")->setChecked(settings.grid_edit);
  grid_panel_->setVisible(settings.grid_edit);
  SetWindowKind(settings.window_kind);
  ApplyToggles();
  ApplySize();
}

void SpectrumEditorWindow::SaveSettings() {
  SpectrumEditorSettings settings;
  settings.left = pos().x();
  settings.top = pos().y();
  settings.visible = isVisible();
  settings.grid_edit = MenuAction("mnuGridEdit")->isChecked();
  settings.small_window = MenuAction("mnuSmallWindow")->isChecked();
  settings.window_kind = window_kind_;
  SettingsWriter writer = app_.settings().OpenForWriting();
  WriteSpectrumEditorSettings(writer, settings);
  writer.Close();
}

SampleTank* SpectrumEditorWindow::ViewOf(EditorView view) const {
  return view == kPhaseView ? phase_view_ : amplitude_view_;
}

void SpectrumEditorWindow::SetTextColors(std::uint32_t text, std::uint32_t back) {
  text_color_ = text;
  back_color_ = back;
  SetPanelColors(centralWidget(), text, back);
  amplitude_view_->SetColor(back);
  phase_view_->SetColor(back);
  grid_->setStyleSheet(QString("QTableWidget { background: %1; color: %2; gridline-color: %3; }")
                           .arg(ColorFromValue(back).name(),
                                ColorFromValue(grid_text_color_).name(),
                                ColorFromValue(text).darker(200).name()));
  FitGridPanel();         // the style sheet may give the grid another frame
  ShowHarmonicsChoice();  // the "Harmonics" knob keeps the colours of its choice
}

void SpectrumEditorWindow::SetViewColor(EditorView view, EditorColor color, std::uint32_t value) {
  SampleTank* tank = ViewOf(view);
  if (SetTankPartColor(*tank, color, value)) return;
  if (color == kEditorBack) SetTextColors(text_color_, value);
  if (color == kEditorText) SetTextColors(value, back_color_);
  if (color == kEditorMarkers) {
    tank->SetMarkerColor(value);
    // The amplitude markers' colour is the grid's text colour too.
    if (view == kAmplView) {
      grid_text_color_ = value;
      SetTextColors(text_color_, back_color_);
    }
  }
}

void SpectrumEditorWindow::SetViewGradientType(EditorView view, GradientTypex type) {
  ViewOf(view)->SetGradientType(type);
}

void SpectrumEditorWindow::ApplyToggles() {
  const bool small = MenuAction("mnuSmallWindow")->isChecked();
  const int marker_size = small ? 1 : 2;
  amplitude_view_->SetMarkerSize(amplitude_markers_->On() ? marker_size : 0);
  phase_view_->SetMarkerSize(phase_markers_->On() ? marker_size : 0);
  amplitude_view_->SetSpectrumMode(!amplitude_line_->On());
  phase_view_->SetSpectrumMode(!phase_line_->On());
  amplitude_view_->SetMinimaxEnabled(amplitude_minimax_->On());
  phase_view_->SetMinimaxEnabled(phase_minimax_->On());
  // Shift mode shows the centre cross and the link panel.
  const bool shift = shift_toggle_->On();
  amplitude_view_->SetAxesEnabled(shift);
  phase_view_->SetAxesEnabled(shift);
  link_toggle_->setVisible(shift);
}

void SpectrumEditorWindow::ApplySize() {
  const bool small = MenuAction("mnuSmallWindow")->isChecked();
  const int view_width = small ? kSmallViewWidth : kLargeViewWidth;
  left_panel_->setFixedWidth(small ? kSmallPanelWidth : kLargePanelWidth);
  amplitude_view_->setFixedWidth(view_width);
  phase_view_->setFixedWidth(view_width);
  ApplyToggles();
  if (const OptionsDialog* options = app_.options_dialog()) {
    amplitude_view_->SetGradientNbOfColors(options->Look(kAmplView).gradient_steps + 1);
    phase_view_->SetGradientNbOfColors(options->Look(kPhaseView).gradient_steps + 1);
  }
  FitWindow();
}

void SpectrumEditorWindow::FitGridPanel() {
  grid_->ensurePolished();
  int columns = 0;
  for (int column = 0; column < grid_->columnCount(); ++column) {
    columns += grid_->columnWidth(column);
  }
  const int grid_width =
      columns + grid_->verticalScrollBar()->sizeHint().width() + 2 * grid_->frameWidth();
  grid_panel_->setFixedWidth(
      std::max({kGridPanelWidth, grid_width, grid_caption_->sizeHint().width()}));
}

// Hidden panels and fixed widths change what the layouts ask for only once they are redone, so
// they are redone here before the window takes their size.
void SpectrumEditorWindow::FitWindow() {
  centralWidget()->layout()->activate();
  layout()->activate();
  resize(sizeHint());
}

void SpectrumEditorWindow::ShowScaleUnit() {
  const bool lin = scale_toggle_->On();
  scale_toggle_->setText(lin ? "LIN" : "LOG");
  unit_label_->setText(lin ? "%" : "dB");
}

void SpectrumEditorWindow::ShowHarmonicsChoice() {
  struct ChoiceLook {
    const char* caption;
    std::uint32_t back;
    std::uint32_t text;
  };
  static constexpr std::array<ChoiceLook, 3> kLooks = {{
      {"BOTH", 0x004000, 0x00FF00},
      {"EVEN", 0x800080, 0xFF00FF},
      {"ODD", 0x000080, 0x0000FF},
  }};
  const ChoiceLook& look = kLooks[static_cast<std::size_t>(harmonics_knob_->State())];
  harmonics_knob_->SetColors(ColorFromValue(look.text), ColorFromValue(look.back));
  harmonics_knob_->setText(look.caption);
  const int harm = SpectrumHarmFor(Choice());
  amplitude_view_->SetSpectrumHarm(harm);
  phase_view_->SetSpectrumHarm(harm);
}

HarmonicChoice SpectrumEditorWindow::Choice() const {
  return static_cast<HarmonicChoice>(harmonics_knob_->State());
}

AmplitudeScale SpectrumEditorWindow::Scale() const {
  return scale_toggle_->On() ? AmplitudeScale::kLin : AmplitudeScale::kLog;
}

QAction* SpectrumEditorWindow::MenuAction(const QString& object_name) const {
  return findChild<QAction*>(object_name);
}

void SpectrumEditorWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  ApplySize();
}

void SpectrumEditorWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  emit Closed();
}

}  // namespace morvane
