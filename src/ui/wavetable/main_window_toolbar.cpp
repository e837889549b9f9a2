#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/controls/value_knob.h"
#include "ui/shell/tool_icons.h"
#include "ui/wavetable/main_window.h"
#include "ui/wavetable/slot_name_label.h"

namespace morvane {

namespace {

// Toolbar buttons run menu entries: hint, glyph and colour of the icon, menu entry.
struct ToolButtonEntry {
  const char* hint;
  const char* glyph;
  QColor tile;
  const char* menu_entry;
  bool separator_before = false;
};

const ToolButtonEntry kToolButtons[] = {
    {"New", "N", QColor(90, 110, 130), "mnuNew"},
    {"Open File", "O", QColor(60, 120, 190), "mnuLoad"},
    {"Save File", "S", QColor(60, 150, 90), "mnuSave"},
    {"Receive from MIDI", "RX", QColor(160, 90, 40), "mnuReceiveMidi", true},
    {"Send to MIDI", "TX", QColor(190, 120, 30), "mnuSendMidi"},
    {"Waveform Editor", "W", QColor(40, 140, 140), "mnuWaveformEditor", true},
    {"Spectrum Editor", "F", QColor(120, 80, 170), "mnuFftEditor"},
    {"8 Bits Sample Editor", "8", QColor(170, 70, 110), "mnuSampleEditor"},
    {"Spectral Map", "M", QColor(80, 90, 180), "mnuSpectralMap"},
    {"Generators", "G", QColor(60, 130, 60), "mnuFunctions"},
    {"Scales", "Sc", QColor(150, 130, 40), "mnuScalesWindow"},
    {"Options box", "Op", QColor(100, 100, 100), "mnuOptions"},
    {"Module Control Box", "MC", QColor(150, 60, 60), "mnuModuleControl"},
    {"Autosize window", "[]", QColor(70, 100, 140), "mnuMinimun", true},
};

QLabel* AddCounter(QWidget* column, const QString& object_name, const QString& text) {
  auto* label = new QLabel(text, column);
  label->setObjectName(object_name);
  label->setStyleSheet("color: grey; font-size: 8pt;");
  column->layout()->addWidget(label);
  return label;
}

}  // namespace

void MainWindow::BuildToolBar() {
  auto* toolbar = addToolBar("Tools");
  toolbar->setObjectName("ToolBar1");
  toolbar->setMovable(false);
  toolbar->setIconSize(QSize(24, 24));
  for (const ToolButtonEntry& entry : kToolButtons) {
    if (entry.separator_before) toolbar->addSeparator();
    QAction* command = MenuAction(entry.menu_entry);
    QAction* button = toolbar->addAction(GlyphIcon(entry.glyph, entry.tile), entry.hint);
    button->setToolTip(entry.hint);
    button->setEnabled(command->isEnabled());
    connect(button, &QAction::triggered, command, &QAction::trigger);
    connect(command, &QAction::enabledChanged, button, &QAction::setEnabled);
  }
  toolbar->addSeparator();

  zoom_knob_ =
      MakeValueKnob(toolbar, "kvpotzoom", "Zoom", kMinCellWidth, kMaxCellWidth, kMinCellWidth);
  zoom_knob_->SetColors(Qt::yellow, Qt::black);
  zoom_knob_->SetAlwayDetect(true);
  zoom_knob_->setFixedSize(34, 24);  // room for "128"; a toolbar would squeeze it to its text
  toolbar->addWidget(zoom_knob_);
  connect(zoom_knob_, &ValueKnob::OnChange, this, &MainWindow::ZoomKnobChanged);

  scales_list_ = new QComboBox(toolbar);
  scales_list_->setObjectName("ComboBox8");
  scales_list_->setToolTip("Wavetable Scales  ");
  scales_list_->setMaxVisibleItems(32);
  scales_list_->setMinimumWidth(160);
  scales_list_->setEnabled(false);
  toolbar->addWidget(scales_list_);
  // Only a user's choice moves the editor: the pass sets the shown line quietly.
  connect(scales_list_, &QComboBox::activated, this, &MainWindow::ScaleListChosen);
  // The pass's two counters, one over the other: side by side they took the room that the slot
  // name needs at the window's usual width.
  auto* counters = new QWidget(toolbar);
  auto* column = new QVBoxLayout(counters);
  column->setContentsMargins(6, 0, 6, 0);
  column->setSpacing(0);
  scales_found_ = AddCounter(counters, "Label3", "OK = 0");
  scales_irregular_ = AddCounter(counters, "Label4", "NR = 0");
  toolbar->addWidget(counters);
  toolbar->addSeparator();

  auto* copy_to_sample = new QCheckBox("Copy to Sample", toolbar);
  copy_to_sample->setObjectName("CheckBox2");
  copy_to_sample->setToolTip("AutoPlay Selected Waveforms");
  copy_to_sample->setChecked(true);
  toolbar->addWidget(copy_to_sample);
  auto* auto_play = new QCheckBox("AutoPlay", toolbar);
  auto_play->setObjectName("CheckBox1");
  auto_play->setToolTip("AutoPlay Selected Waveforms");
  toolbar->addWidget(auto_play);
  // "AutoPlay" only means something while the selection is copied to the sample editor.
  connect(copy_to_sample, &QCheckBox::toggled, auto_play, &QCheckBox::setEnabled);
  auto* looping = new QToolButton(toolbar);
  looping->setObjectName("btnLooping");
  looping->setToolTip("Loop /One shot play ");
  looping->setCheckable(true);
  looping->setIcon(GlyphIcon("Lp", QColor(90, 90, 120)));
  toolbar->addWidget(looping);
  toolbar->addSeparator();

  name_label_ = new SlotNameLabel(toolbar);
  name_label_->setObjectName("Label1");
  name_label_->setContentsMargins(6, 0, 6, 0);
  toolbar->addWidget(name_label_);
}

}  // namespace morvane
