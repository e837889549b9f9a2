#include "ui/spectral/spectral_map_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "core/spectral/spectrum_cache.h"
#include "ui/controls/click_panel.h"
#include "ui/controls/toggle_panel.h"
#include "ui/controls/value_knob.h"
#include "ui/controls/wave_grid.h"
#include "ui/shell/app_context.h"
#include "ui/shell/color_value.h"
#include "ui/shell/message_reporter.h"
#include "ui/spectral/spectral_map_view.h"
#include "ui/spectral/window_kind_menu.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {
namespace {

// "LEVEL" green with lime text; "ANGLE" (on) purple with fuchsia text.
constexpr TogglePanel::Look kSourceLook{0x800080, 0xFF00FF, 0x008000, 0x00FF00};
constexpr std::uint32_t kPanelText = 0x00FF00;
constexpr std::uint32_t kPanelBack = 0x000000;
constexpr int kCaptionPadding = 8;

// A width that holds every caption a control can show, never below `at_least`: the top panel's
// controls keep one width each, so a shorter caption never moves the next control under the
// pointer.
int WidestCaption(const QWidget& control, int first, int last,
                  const std::function<QString(int)>& caption, int at_least) {
  const QFontMetrics metrics = control.fontMetrics();
  int width = at_least;
  for (int value = first; value <= last; ++value) {
    width = std::max(width, metrics.horizontalAdvance(caption(value)) + kCaptionPadding);
  }
  return width;
}

QString SourceCaption(int angle) { return angle ? "ANGLE" : "LEVEL"; }

}  // namespace

SpectralMapWindow::SpectralMapWindow(AppContext& app, QWidget* parent)
    : QMainWindow(parent), app_(app) {
  setObjectName("Form9");
  setWindowTitle("Wavetable Spectral Map");
  // Black is set on the panel and the map's viewport only: colours set on the window would reach
  // the panel's own coloured captions and the scroll bars too.
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  top_panel_ = BuildTopPanel();
  top_panel_->setParent(central);
  layout->addWidget(top_panel_);
  scroll_ = new QScrollArea(central);
  scroll_->setObjectName("MapArea");
  scroll_->setFrameShape(QFrame::NoFrame);
  view_ = new SpectralMapView(app_.wavetable(), scroll_);
  scroll_->setWidget(view_);
  scroll_->setWidgetResizable(false);
  scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetPanelColors(scroll_->viewport(), kPanelText, kPanelBack);
  scroll_->viewport()->setBackgroundRole(QPalette::Window);
  scroll_->viewport()->setAutoFillBackground(true);
  layout->addWidget(scroll_, 1);
  setCentralWidget(central);

  window_menu_ = MakeWindowKindMenu(this, [this](int kind) { ChooseWindowKind(kind); });
  connect(view_, &SpectralMapView::CellReleased, this, &SpectralMapWindow::CellReleased);
  connect(view_, &SpectralMapView::MenuRequested, this,
          [this](QPoint global) { window_menu_->popup(global); });
  if (MainWindow* main = app_.main_window()) {
    // Choosing the entry while the map is shown flips its tick; the map stays, and so does the
    // tick.
    connect(main->MenuAction("mnuSpectralMap"), &QAction::triggered, this,
            [this] { ShowMenuTick(isVisible()); });
  }
  FormCreate();
}

SpectralMapWindow::~SpectralMapWindow() = default;

QWidget* SpectralMapWindow::BuildTopPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName("pnlTop");
  panel->setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(4, 2, 4, 2);
  const auto number = [](int value) { return QString::number(value); };
  auto knob = [this, panel, layout](const char* name, const QString& hint, int min, int max,
                                    int initial, int width,
                                    const std::function<QString(int)>& caption) {
    ValueKnob* made = MakeValueKnob(this, name, hint, min, max, initial);
    made->setParent(panel);
    made->setFixedWidth(WidestCaption(*made, min, max, caption, width));
    layout->addWidget(made);
    return made;
  };
  thickness_knob_ =
      knob("kvpotlab1", "Thickness", kMapMinThickness, kMapMaxThickness, 1, 28, number);
  format_knob_ = knob("kvpotlab2", "Format", kMapMinFormat, kMapMaxFormat, kMapDefaultFormat, 64,
                      [](int format) { return QString::fromStdString(MapFormatCaption(format)); });
  rows_knob_ = knob("kvpotlab4", "Visible Rows Max ", kMapMinVisibleRows, kMapMaxVisibleRows,
                    kMapMaxVisibleRows, 28, number);
  source_toggle_ = new TogglePanel(SourceCaption(0), panel, kSourceLook);
  source_toggle_->setObjectName("pnlLevel");
  source_toggle_->setFixedWidth(WidestCaption(*source_toggle_, 0, 1, SourceCaption, 50));
  layout->addWidget(source_toggle_);
  window_panel_ = new ClickPanel(WindowPanelCaption(0), panel);
  window_panel_->setObjectName("pnlWindow");
  window_panel_->setFixedWidth(
      WidestCaption(*window_panel_, 0, kWindowKindCount - 1, WindowPanelCaption, 90));
  window_panel_->SetColors(0x004000, 0x00FF00);
  layout->addWidget(window_panel_);
  layout->addStretch(1);
  SetPanelColors(panel, kPanelText, kPanelBack);

  connect(thickness_knob_, &ValueKnob::OnChange, this, &SpectralMapWindow::LayoutChanged);
  connect(format_knob_, &ValueKnob::OnChange, this, &SpectralMapWindow::LayoutChanged);
  connect(rows_knob_, &ValueKnob::OnChange, this, &SpectralMapWindow::FitWindow);
  connect(source_toggle_, &TogglePanel::Clicked, this, &SpectralMapWindow::SourceClicked);
  connect(window_panel_, &ClickPanel::Pressed, this, [this](Qt::MouseButton button, QPoint at) {
    if (button == Qt::RightButton) window_menu_->popup(at);
  });
  return panel;
}

void SpectralMapWindow::FormCreate() {
  SpectralMapSettings settings;
  SettingsReader reader = app_.settings().OpenForReading();
  if (reader.Exists()) ReadSpectralMapSettings(reader, settings);
  move(settings.left, settings.top);
  thickness_knob_->SetState(settings.thickness);
  format_knob_->SetState(settings.format);
  rows_knob_->SetState(settings.visible_rows);
  window_kind_ = settings.window_kind;
  window_panel_->setText(WindowPanelCaption(window_kind_));
  view_->SetLayout(format_knob_->State(), thickness_knob_->State());
  ShowFormatCaption();
  FitWindow();
  ReportSettingsReadError(app_.messages(), reader);
  if (settings.visible) show();
}

void SpectralMapWindow::SaveSettings() {
  SpectralMapSettings settings;
  settings.left = pos().x();
  settings.top = pos().y();
  settings.width = width();
  settings.height = height();
  settings.thickness = thickness_knob_->State();
  settings.format = format_knob_->State();
  settings.window_kind = window_kind_;
  settings.visible_rows = rows_knob_->State();
  settings.visible = isVisible();
  SettingsWriter writer = app_.settings().OpenForWriting();
  WriteSpectralMapSettings(writer, settings);
  writer.Close();
}

void SpectralMapWindow::ShowFormatCaption() {
  format_knob_->setText(QString::fromStdString(MapFormatCaption(format_knob_->State())));
}

void SpectralMapWindow::LayoutChanged() {
  view_->SetLayout(format_knob_->State(), thickness_knob_->State());
  ShowFormatCaption();
  FitWindow();
}

void SpectralMapWindow::FitWindow() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
  const MapClientSize size =
      MapWindowSize(top_panel_->sizeHint().height(), rows_knob_->State(), thickness_knob_->State(),
                    format_knob_->State(), x() - area.x(), area.width());
  top_panel_->setFixedHeight(top_panel_->sizeHint().height());
  // When the rows do not all fit, the vertical scroll bar takes its width beside the columns
  // rather than pushing a horizontal one under them.
  const bool scrolls_down =
      MapRowCount(format_knob_->State()) > rows_knob_->State() &&
      size.width == MapImageWidth(format_knob_->State(), thickness_knob_->State());
  const int bar = scrolls_down ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
  // The window is never narrower than the top panel's captions; the map keeps its own width
  // inside it.
  setFixedSize(std::max(size.width + bar, top_panel_->minimumSizeHint().width()), size.height);
}

MapSource SpectralMapWindow::Source() const {
  return source_toggle_->On() ? MapSource::kAngle : MapSource::kLevel;
}

void SpectralMapWindow::SourceClicked() {
  source_toggle_->setText(SourceCaption(source_toggle_->On() ? 1 : 0));
  view_->SetSource(Source());
  RedrawMap();
}

void SpectralMapWindow::ChooseWindowKind(int kind) {
  if (kind < 0 || kind >= kWindowKindCount) return;
  window_kind_ = kind;
  window_panel_->setText(WindowPanelCaption(kind));
  ComputeAllSpectra(true);
}

void SpectralMapWindow::ComputeSpectrum(int k) {
  morvane::ComputeSpectrum(app_.wavetable(), app_.fft_engine(), window_kind_, k);
}

void SpectralMapWindow::ComputeAllSpectra(bool redraw) {
  morvane::ComputeAllSpectra(app_.wavetable(), window_kind_);
  if (redraw) RedrawMap();
}

void SpectralMapWindow::RedrawMap() {
  if (!isVisible()) return;
  view_->Redraw();
}

void SpectralMapWindow::DrawWaveformCell(int column, int row, bool selected) {
  view_->DrawCell(column, row, selected);
}

void SpectralMapWindow::RefreshWaveform(int k) {
  if (k < 0 || k >= kWaveCount) return;
  ComputeSpectrum(k);
  const int columns = MapColumnCount(view_->Format());
  DrawWaveformCell(k % columns, k / columns, false);
}

// The released cell becomes the current waveform of the tool windows.
void SpectralMapWindow::CellReleased(int column, int row) {
  const int k = MapWaveAt(column, row, view_->Format());
  if (k < 0) return;
  const int bank = k / kWavesPerBank;
  const int wave = k % kWavesPerBank;
  if (MainWindow* main = app_.main_window()) main->Grid()->SetSelection(QRect(wave, bank, 1, 1));
  if (WaveformEditorWindow* editor = app_.waveform_editor()) {
    editor->BankSelector()->SetState(bank);
    editor->WaveSelector()->SetState(wave);
    editor->LoadCurrentWaveform();
  }
}

void SpectralMapWindow::ShowMenuTick(bool on) {
  MainWindow* main = app_.main_window();
  if (QAction* entry = main ? main->MenuAction("mnuSpectralMap") : nullptr) entry->setChecked(on);
}

void SpectralMapWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  ShowMenuTick(true);
  RedrawMap();
}

// Minimising hides the window spontaneously; it is still open, so the tick stays.
void SpectralMapWindow::hideEvent(QHideEvent* event) {
  QMainWindow::hideEvent(event);
  if (!event->spontaneous()) ShowMenuTick(false);
}

void SpectralMapWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  emit Closed();
}

}  // namespace morvane
