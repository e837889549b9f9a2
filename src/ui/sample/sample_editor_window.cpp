#include "ui/sample/sample_editor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/sample/sample_editor_rules.h"
#include "core/sample/sample_editor_settings.h"
#include "ui/controls/sample_edit.h"
#include "ui/controls/value_knob.h"
#include "ui/sample/playback_link.h"
#include "ui/shell/app_context.h"
#include "ui/shell/message_reporter.h"
#include "ui/shell/tool_icons.h"

namespace morvane {

namespace {

constexpr int kPositionKnobMax = 500000;

// Indexed by SizeCaption.
const char* const kSizeCaptions[] = {"Size", "First 512Ko", "New Sample"};

QWidget* CaptionedKnob(QLabel* caption, ValueKnob* knob, QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(3, 0, 3, 0);
  layout->setSpacing(1);
  caption->setParent(box);
  caption->setAlignment(Qt::AlignHCenter);
  layout->addWidget(caption);
  knob->setParent(box);
  layout->addWidget(knob, 0, Qt::AlignHCenter);
  return box;
}

}  // namespace

SampleEditorWindow::SampleEditorWindow(AppContext& app, QWidget* parent)
    : QMainWindow(parent), app_(app) {
  setObjectName("Form16");
  setWindowTitle("8 Bits Sample Editor");
  playback_ = new PlaybackLink(app_.wave_player(), this);

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  layout->addWidget(BuildKnobRow());

  view_ = new SampleEdit(central);
  view_->setObjectName("kvSampleEdit1");
  view_->SetMax(kSampleCapacity);
  view_->SetLocatorSize(5);
  view_->SetSelectionStyle(1);
  view_->SetGradientType(GradientTypex::grxVertCenterToBorder);
  view_->SetGradientEnabled(true);
  view_->SetMarkerSize(0);
  view_->SetMarkerColor(0xFFFF00);  // aqua
  view_->SetAxesEnabled(true);
  view_->SetAxes2Enabled(true);
  view_->SetSpectrumCenter(true);
  view_->setMinimumSize(200, 80);
  layout->addWidget(view_, 1);

  scroll_bar_ = new QSlider(Qt::Horizontal, central);
  scroll_bar_->setObjectName("TrackBar1");
  scroll_bar_->setRange(0, 100);
  layout->addWidget(scroll_bar_);
  setCentralWidget(central);

  BuildMenus();
  BuildToolBar();
  ConnectKnobs();
  FormCreate();
}

SampleEditorWindow::~SampleEditorWindow() { CloseAudio(); }

QWidget* SampleEditorWindow::BuildKnobRow() {
  auto* row = new QWidget(this);
  row->setObjectName("pnlKnobs");
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  const auto make = [&](const char* name, const QString& caption, const QString& hint, int min,
                        int max, int initial, QLabel** caption_label = nullptr) {
    ValueKnob* knob = MakeValueKnob(row, name, hint, min, max, initial);
    knob->SetColors(Qt::yellow, Qt::black);
    knob->setMinimumWidth(56);
    auto* label = new QLabel(caption, row);
    if (caption_label) *caption_label = label;
    layout->addWidget(CaptionedKnob(label, knob, row));
    return knob;
  };
  size_knob_ = make("kvpotlab7", kSizeCaptions[0], "Sample Size", 1, 512, 1, &size_label_);
  size_label_->setObjectName("lbSize");
  // Wide enough for every caption it shows, so a new caption never moves the knobs beside it.
  int widest = 0;
  for (const char* caption : kSizeCaptions) {
    widest = std::max(widest, size_label_->fontMetrics().horizontalAdvance(caption));
  }
  size_label_->setMinimumWidth(widest);
  zoom_knob_ = make("kvpotlab1", "Zoom", "Zoom Factor ", 1, 1000, 1);
  origin_knob_ = make("kvpotlab2", "Ox", "", 0, kPositionKnobMax, 0);
  locator_knob_ = make("kvpotlab4", "Loc  ", "", 0, kPositionKnobMax, 0);
  value_knob_ = make("kvpotlab3", "Val", "", 0, 255, 0);
  pos_knob_ = make("kvpotlab5", "Pos", "", 0, kPositionKnobMax, 0);
  len_knob_ = make("kvpotlab6", "Len", "", 0, kPositionKnobMax, 0);
  offset_knob_ = make("kvpotlab10", "Offset", "", -255, 255, 0);
  max_knob_ = make("kvpotlab8", "Max", "", 0, 255, 0);
  min_knob_ = make("kvpotlab9", "Min", "", 0, 255, 0);
  QLabel* level_caption = nullptr;
  level_knob_ = make("kvpotlab11", "Level", "", 0, 255, 0, &level_caption);
  level_knob_->parentWidget()->hide();
  level_knob_->setEnabled(false);
  name_label_ = new QLabel("...", row);
  name_label_->setObjectName("Label12");
  name_label_->setMinimumWidth(120);
  layout->addSpacing(8);
  layout->addWidget(name_label_);
  layout->addStretch(1);
  return row;
}

void SampleEditorWindow::BuildToolBar() {
  auto* toolbar = addToolBar("Sample tools");
  toolbar->setObjectName("ToolBarSample");
  toolbar->setMovable(false);
  toolbar->setIconSize(QSize(22, 22));
  const auto add = [&](const char* name, const char* glyph, const QString& hint, const QColor& tile,
                       const std::function<void()>& command) {
    auto* button = new QToolButton(toolbar);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(GlyphIcon(glyph, tile));
    toolbar->addWidget(button);
    connect(button, &QToolButton::clicked, this, command);
    return button;
  };
  add("btnNew", "N", "Cleanup the place ...", QColor(90, 110, 130), [this] { NewSample(); });
  add("btnLoad", "O", "Load file", QColor(60, 120, 190), [this] { LoadCommand(); });
  add("btnSave", "S", "Save file", QColor(60, 150, 90), [this] { SaveCommand(); });
  toolbar->addSeparator();
  add("btnSwapZoom", "<>", "Swap Zoom to  full range or 1:1", QColor(70, 100, 140),
      [this] { SwapZoom(); });
  add("btnZoomSelection", "[]", "Zoom to the selected area", QColor(70, 100, 140),
      [this] { ZoomToSelection(); });
  toolbar->addSeparator();
  const auto add_text = [&](const char* name, const QString& caption, const QString& hint,
                            const std::function<void()>& command) {
    QToolButton* button = add(name, "", hint, QColor(), command);
    button->setIcon(QIcon());
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
  };
  add_text("btnFixZero", "Fix 0", "Fix Zero", [this] { view_->FixZero(true); });
  add_text("btnLinear", "Linear", "Convert to Linear", [this] {
    view_->ULawToLin(false);
    view_->Paint();
  });
  add_text("btnULaw", QString::fromUtf8("µLaw"), "Convert to µLaw",
           [this] { view_->LinToULaw(true); });
  add("btnSigned", "+-", "Convert to Signed/Unsigned", QColor(120, 80, 170),
      [this] { view_->FlipLowerHalf(false, true); });
  add("btnCrop", "X", "Cut/Truncate Selection", QColor(170, 70, 70), [this] { CropCommand(); });
  toolbar->addSeparator();
  play_button_ = add("btnPlay", ">", "Play", QColor(40, 140, 60), [this] { btnPlayClick(); });
  play_button_->setEnabled(false);
  loop_button_ = add("btnLoop", "Lp", "Loop /One shot play ", QColor(90, 90, 120), [] {});
  loop_button_->setCheckable(true);
  connect(loop_button_, &QToolButton::toggled, this, &SampleEditorWindow::LoopButtonToggled);
}

void SampleEditorWindow::ConnectKnobs() {
  connect(zoom_knob_, &ValueKnob::OnChange, this, &SampleEditorWindow::ZoomKnobChanged);
  connect(origin_knob_, &ValueKnob::OnChange, this, &SampleEditorWindow::OriginKnobChanged);
  connect(scroll_bar_, &QSlider::valueChanged, this, &SampleEditorWindow::ScrollBarMoved);
  connect(locator_knob_, &ValueKnob::OnChange, this, &SampleEditorWindow::LocatorKnobChanged);
  connect(value_knob_, &ValueKnob::OnChange, this, &SampleEditorWindow::ValueKnobChanged);
  connect(pos_knob_, &ValueKnob::OnChange, this, [this] {
    view_->SetSelectionPos((pos_knob_->State() - origin_knob_->State()) / view_->Zoom());
  });
  connect(len_knob_, &ValueKnob::OnChange, this,
          [this] { view_->SetSelectionLen(len_knob_->State() / view_->Zoom()); });
  connect(offset_knob_, &ValueKnob::OnChange, this, &SampleEditorWindow::OffsetKnobChanged);
  connect(size_knob_, &ValueKnob::OnChange, this, &SampleEditorWindow::SizeKnobChanged);
  connect(view_, &SampleEdit::OnLocatorChange, this, &SampleEditorWindow::ViewLocatorChanged);
  connect(view_, &SampleEdit::OnSelectorChange, this, &SampleEditorWindow::ViewSelectionChanged);
  connect(playback_, &PlaybackLink::PositionChanged, this,
          &SampleEditorWindow::PlayingPositionChanged);
  connect(playback_, &PlaybackLink::RanOut, this, &SampleEditorWindow::PlaybackEnded);
  connect(playback_, &PlaybackLink::Failed, this, &SampleEditorWindow::PlaybackFailed);
}

void SampleEditorWindow::FormCreate() {
  SampleEditorSettings settings;
  SettingsReader reader = app_.settings().OpenForReading();
  if (reader.Exists()) ReadSampleEditorSettings(reader, settings);
  ReportSettingsReadError(app_.messages(), reader);
  const QPoint corner(settings.left, settings.top);
  if (QGuiApplication::screenAt(corner + QPoint(20, 20))) move(corner);
  resize(std::max(settings.width, 300), std::max(settings.height, 200));
  playing_ = false;
  if (settings.visible) show();
}

void SampleEditorWindow::SaveSettings() {
  SampleEditorSettings settings;
  settings.left = pos().x();
  settings.top = pos().y();
  settings.width = width();
  settings.height = height();
  settings.visible = isVisible();
  SettingsWriter writer = app_.settings().OpenForWriting();
  WriteSampleEditorSettings(writer, settings);
  writer.Close();
}

QAction* SampleEditorWindow::MenuAction(const QString& object_name) const {
  return findChild<QAction*>(object_name);
}

// --- The main window's operations ------------------------------------------------------------

std::span<std::uint8_t> SampleEditorWindow::Data() { return view_->Data(); }

void SampleEditorWindow::SetSampleSize(int n) { view_->SetSampleSize(n); }

void SampleEditorWindow::Paint() { view_->update(); }

int SampleEditorWindow::SizeKnob() const { return size_knob_->State(); }

void SampleEditorWindow::SampleLoaded(bool fit) {
  const int n = view_->GetSampleSize();
  scroll_bar_->blockSignals(true);
  scroll_bar_->setValue(0);
  scroll_bar_->blockSignals(false);
  len_knob_->SetState(0);
  view_->SetViewOrigin(0);
  size_knob_->SetState(n / 1023);
  size_knob_->SetSuffix("Ko");
  ShowSizeCaption(SizeCaption::kSize);
  origin_knob_->SetState(0);
  SetUpperLimits(n);
  ShowMinMax();
  play_button_->setEnabled(true);
  if (fit) {
    FullSize();
  } else {
    SyncView();
  }
  KeepLocatorInSample();
}

void SampleEditorWindow::SetUpperLimits(int n) {
  for (ValueKnob* knob : {origin_knob_, locator_knob_, pos_knob_, len_knob_}) knob->SetMax(n);
}

void SampleEditorWindow::ShowMinMax() {
  max_knob_->SetState(view_->MaxValue());
  min_knob_->SetState(view_->MinValue());
}

void SampleEditorWindow::ShowSizeCaption(SizeCaption caption) {
  size_label_->setText(kSizeCaptions[static_cast<int>(caption)]);
}

// --- View geometry ---------------------------------------------------------------------------

void SampleEditorWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FitView();
}

void SampleEditorWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FitView();
}

// The layout gives the view its area above the scroll bar; its gradient is rebuilt and ends with
// 254 bands.
void SampleEditorWindow::FitView() {
  view_->SetGradientNbOfColors(255);
  view_->SetGradientNbOfColors(254);
}

void SampleEditorWindow::closeEvent(QCloseEvent* event) {
  CloseAudio();
  QMainWindow::closeEvent(event);
}

// --- Knobs and view --------------------------------------------------------------------------

void SampleEditorWindow::SyncView() {
  const ViewColumns columns = ColumnsOfKnobs(locator_knob_->State(), origin_knob_->State(),
                                             pos_knob_->State(), len_knob_->State(), view_->Zoom());
  if (columns.has_locator) view_->SetLocatorPos(columns.locator);
  view_->SetSelectionPos(columns.selection_pos);
  view_->SetSelectionLen(columns.selection_len);
}

void SampleEditorWindow::ZoomKnobChanged() {
  view_->SetZoom(zoom_knob_->State());
  SyncView();
}

void SampleEditorWindow::OriginKnobChanged() {
  const int size = view_->GetSampleSize();
  if (size <= 0) return;
  scroll_bar_->blockSignals(true);
  scroll_bar_->setValue(static_cast<int>(std::int64_t{origin_knob_->State()} * 100 / size));
  scroll_bar_->blockSignals(false);
  view_->SetViewOrigin(origin_knob_->State());
  SyncView();
}

void SampleEditorWindow::ScrollBarMoved(int percent) {
  view_->SetViewOrigin(static_cast<int>(std::int64_t{view_->GetSampleSize()} * percent / 100));
  origin_knob_->SetState(view_->ViewOrigin());
  SyncView();
}

void SampleEditorWindow::ShowValueAtLocator() {
  value_knob_->SetState(ValueAtLocator(view_->Data(), locator_knob_->State()));
}

// A new sample shorter than the last one would leave the locator past its end and "Val" showing
// the old byte: the locator comes back to the last sample, and the view and "Val" follow it.
void SampleEditorWindow::KeepLocatorInSample() {
  const int last = std::max(view_->GetSampleSize() - 1, 0);
  if (locator_knob_->State() > last) locator_knob_->SetState(last);
  LocatorKnobChanged();
}

void SampleEditorWindow::LocatorKnobChanged() {
  const int from_origin = locator_knob_->State() - origin_knob_->State();
  if (from_origin < 0) return;
  view_->SetLocatorPos(from_origin / view_->Zoom());
  ShowValueAtLocator();
}

void SampleEditorWindow::ValueKnobChanged() {
  view_->SetValue(static_cast<std::uint8_t>(value_knob_->State()), locator_knob_->State());
}

void SampleEditorWindow::OffsetKnobChanged() {
  const int offset = offset_knob_->State();
  view_->AddOffset(view_->Data(), offset - previous_offset_);
  previous_offset_ = offset;
}

void SampleEditorWindow::SizeKnobChanged() {
  size_knob_->SetSuffix("kB");
  view_->SetSampleSize(std::min(size_knob_->State() * 1024, kSampleCapacity));
  SetUpperLimits(view_->GetSampleSize());
  view_->update();
}

void SampleEditorWindow::ViewLocatorChanged() {
  locator_knob_->SetState(view_->LocatorPos() * view_->Zoom() + origin_knob_->State());
  ShowValueAtLocator();
}

void SampleEditorWindow::ViewSelectionChanged() {
  const KnobSelection knobs = KnobsOfSelection(view_->SelectionPos(), view_->SelectionLen(),
                                               origin_knob_->State(), view_->Zoom());
  pos_knob_->SetState(knobs.pos);
  len_knob_->SetState(knobs.len);
}

}  // namespace morvane
