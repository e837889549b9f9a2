#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <array>

#include "ui/controls/sample_edit.h"
#include "ui/controls/sample_tank.h"
#include "ui/controls/value_knob.h"
#include "ui/module/midi_log_pane.h"
#include "ui/module/module_control_window.h"
#include "ui/sample/sample_editor_window.h"
#include "ui/settings/options_color_swatch.h"
#include "ui/settings/options_dialog.h"
#include "ui/settings/tank_colors.h"
#include "ui/shell/app_context.h"
#include "ui/shell/file_dialogs.h"
#include "ui/spectral/spectrum_editor_window.h"
#include "ui/waveform/waveform_editor_window.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

namespace {

constexpr std::array<const char*, kWavetableSwatchCount / 2> kWavetableRows = {
    "Normal", "Selected", "Marker", "Scale", "NR Scale", "MIDI Log"};

constexpr std::array<const char*, kEditorColorCount> kEditorRows = {
    "Back", "Lines", "Text", "Selection", "Markers", "Axes", "Locator", "Gradient", "Min/Max"};

constexpr std::array<const char*, kEditorViewCount> kEditorColumns = {"Wave", "Ampl", "Phase"};

constexpr std::array<const char*, kGradientTypexCount> kGradientNames = {
    "LeftToRight",         "RightToLeft",         "TopToBottom",        "BottomToTop",
    "HorizCenterToBorder", "HorizBorderToCenter", "VertCenterToBorder", "VertBorderToCenter"};

ColorSwatch* MakeSwatch(std::string_view setting, QWidget* parent) {
  auto* swatch = new ColorSwatch(parent);
  swatch->setObjectName(QString("pnl") + QString::fromLatin1(setting.data(), setting.size()));
  return swatch;
}

QLabel* ColumnCaption(const char* text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignCenter);
  return label;
}

// The sample editor's view takes the Wave column: "Back" as background, "Min/Max" as its quarter
// lines, the others as the same property.
void ApplySampleViewColor(SampleEdit& view, EditorColor color, std::uint32_t value) {
  switch (color) {
    case kEditorBack:
      view.SetColor(value);
      break;
    case kEditorLines:
      view.SetLineColor(value);
      break;
    case kEditorMarkers:
      view.SetMarkerColor(value);
      break;
    case kEditorAxes:
      view.SetAxesColor(value);
      break;
    case kEditorGradient:
      view.SetGradientColor(value);
      break;
    case kEditorLocator:
      view.SetLocatorColor(value);
      break;
    case kEditorSelection:
      view.SetSelectionColor(value);
      break;
    case kEditorMinMax:
      view.SetAxes2Color(value);
      break;
    default:
      break;
  }
}

}  // namespace

QWidget* OptionsDialog::BuildColorsPage() {
  auto* page = new QWidget(this);
  page->setObjectName("TabColors");
  auto* layout = new QHBoxLayout(page);

  auto* wavetable = new QGroupBox("WaveTable", page);
  auto* wavetable_grid = new QGridLayout(wavetable);
  wavetable_grid->addWidget(ColumnCaption("Line", wavetable), 0, 1);
  wavetable_grid->addWidget(ColumnCaption("Back", wavetable), 0, 2);
  for (std::size_t s = 0; s < wavetable_swatches_.size(); ++s) {
    const int row = static_cast<int>(s / 2) + 1;
    if (s % 2 == 0) wavetable_grid->addWidget(new QLabel(kWavetableRows[s / 2], wavetable), row, 0);
    ColorSwatch* swatch = MakeSwatch(kWavetableSwatches[s].setting, wavetable);
    wavetable_swatches_[s] = swatch;
    wavetable_grid->addWidget(swatch, row, static_cast<int>(s % 2) + 1, Qt::AlignCenter);
    const auto which = static_cast<WavetableSwatch>(s);
    connect(swatch, &ColorSwatch::Clicked, this, [this, which] { WavetableSwatchClicked(which); });
  }
  wavetable_grid->setRowStretch(static_cast<int>(kWavetableRows.size()) + 1, 1);
  layout->addWidget(wavetable, 0, Qt::AlignTop);

  auto* editors = new QGroupBox("Editors", page);
  auto* editors_grid = new QGridLayout(editors);
  for (int view = 0; view < kEditorViewCount; ++view) {
    editors_grid->addWidget(ColumnCaption(kEditorColumns[static_cast<std::size_t>(view)], editors),
                            0, view + 1);
  }
  for (int color = 0; color < kEditorColorCount; ++color) {
    editors_grid->addWidget(new QLabel(kEditorRows[static_cast<std::size_t>(color)], editors),
                            color + 1, 0);
    for (int view = 0; view < kEditorViewCount; ++view) {
      const std::string_view setting =
          kEditorColorSettings[static_cast<std::size_t>(view)][static_cast<std::size_t>(color)];
      if (setting.empty()) continue;
      ColorSwatch* swatch = MakeSwatch(setting, editors);
      editor_swatches_[static_cast<std::size_t>(view)][static_cast<std::size_t>(color)] = swatch;
      editors_grid->addWidget(swatch, color + 1, view + 1, Qt::AlignCenter);
      const auto which_view = static_cast<EditorView>(view);
      const auto which_color = static_cast<EditorColor>(color);
      connect(swatch, &ColorSwatch::Clicked, this,
              [this, which_view, which_color] { EditorSwatchClicked(which_view, which_color); });
    }
  }
  const int gradient_row = kEditorColorCount + 1;
  for (int view = 0; view < kEditorViewCount; ++view) {
    const auto index = static_cast<std::size_t>(view);
    const std::string_view type_setting = kGradientTypeSettings[index];
    auto* list = new QComboBox(editors);
    list->setObjectName(QString("cb") +
                        QString::fromLatin1(type_setting.data(), type_setting.size()));
    for (const char* name : kGradientNames) list->addItem(name);
    gradient_lists_[index] = list;
    editors_grid->addWidget(list, gradient_row, view + 1);

    const std::string steps_name = "kvpot" + std::string(kGradientStepsSettings[index]);
    ValueKnob* steps = MakeKnob(steps_name.c_str(), kMinGradientSteps, kMaxGradientSteps,
                                kInitialGradientSteps, "X Range");
    steps->setParent(editors);
    steps_knobs_[index] = steps;
    editors_grid->addWidget(steps, gradient_row + 1, view + 1, Qt::AlignCenter);

    const auto which_view = static_cast<EditorView>(view);
    connect(list, &QComboBox::activated, this, [this, which_view] { ApplyGradient(which_view); });
    connect(steps, &ValueKnob::OnChange, this, [this, which_view] { ApplyGradient(which_view); });
  }
  editors_grid->addWidget(new QLabel("Gradient type", editors), gradient_row, 0);
  editors_grid->addWidget(new QLabel("Steps", editors), gradient_row + 1, 0);
  layout->addWidget(editors, 0, Qt::AlignTop);
  return page;
}

EditorLook OptionsDialog::Look(EditorView view) const {
  EditorLook look;
  for (std::size_t color = 0; color < look.colors.size(); ++color) {
    // The phase view has the magnitude view's background and text.
    const ColorSwatch* swatch = editor_swatches_[view][color];
    if (!swatch) swatch = editor_swatches_[kAmplView][color];
    look.colors[color] = swatch->Color();
  }
  look.gradient_type = gradient_lists_[view]->currentIndex();
  look.gradient_steps = steps_knobs_[view]->State();
  return look;
}

std::uint32_t OptionsDialog::WavetableColor(WavetableSwatch swatch) const {
  return wavetable_swatches_.at(swatch)->Color();
}

CellColors OptionsDialog::GridColors() const {
  WavetableColors colors{};
  for (std::size_t s = 0; s < colors.size(); ++s) colors[s] = wavetable_swatches_[s]->Color();
  return CellColorsOf(colors);
}

void OptionsDialog::ShowGridColor(int cell_color, std::uint32_t value) {
  for (std::size_t s = 0; s < kWavetableSwatches.size(); ++s) {
    if (kWavetableSwatches[s].cell_color == cell_color) wavetable_swatches_[s]->SetColor(value);
  }
}

// The system colour dialog; the swatch keeps its colour when the user cancels.
bool OptionsDialog::AskColor(ColorSwatch* swatch) {
  const std::optional<std::uint32_t> chosen = app_.color_dialogs().ChooseColor(swatch->Color());
  if (chosen) swatch->SetColor(*chosen);
  return chosen.has_value();
}

// The swatch's colour, new or not, goes at once to the window that draws it.
void OptionsDialog::WavetableSwatchClicked(WavetableSwatch swatch) {
  AskColor(wavetable_swatches_[swatch]);
  const int cell_color = kWavetableSwatches[swatch].cell_color;
  MainWindow* main = app_.main_window();
  if (cell_color >= 0 && main) main->SetColor(cell_color, wavetable_swatches_[swatch]->Color());
  if (ModuleControlWindow* module = app_.module_control(); cell_color < 0 && module) {
    module->Log().SetColors(WavetableColor(kLogLineSwatch), WavetableColor(kLogBackSwatch));
  }
  RepaintViews();
}

void OptionsDialog::EditorSwatchClicked(EditorView view, EditorColor color) {
  AskColor(editor_swatches_[view][color]);
  ApplyEditorColor(view, color);
  RepaintViews();
}

// The sample editor takes the looks from here when it is created; the spectrum editor reads its
// own at creation and follows every change here.
void OptionsDialog::ApplyEditorColor(EditorView view, EditorColor color) {
  if (view != kWaveView) {
    if (SpectrumEditorWindow* spectrum = app_.spectrum_editor()) {
      const EditorLook look = Look(view);
      if (color == kEditorBack || color == kEditorText) {
        spectrum->SetTextColors(look.colors[kEditorText], look.colors[kEditorBack]);
      } else {
        spectrum->SetViewColor(view, color, look.colors[color]);
      }
    }
    return;
  }
  if (SampleEditorWindow* sample = app_.sample_editor()) {
    ApplySampleViewColor(*sample->View(), color, Look(kWaveView).colors[color]);
  }
  WaveformEditorWindow* editor = app_.waveform_editor();
  if (view != kWaveView || !editor) return;
  const EditorLook look = Look(kWaveView);
  const std::uint32_t value = look.colors[color];
  if (SetTankPartColor(*editor->View(), color, value)) return;
  if (color == kEditorBack || color == kEditorText) {
    editor->SetTextColors(look.colors[kEditorText], look.colors[kEditorBack]);
  } else if (color == kEditorMarkers) {
    editor->SetMarkerColor(value);
  }
}

void OptionsDialog::ApplyGradient(EditorView view) {
  if (view != kWaveView) {
    if (SpectrumEditorWindow* spectrum = app_.spectrum_editor()) {
      spectrum->SetViewGradientType(view, static_cast<GradientTypex>(Look(view).gradient_type));
      spectrum->ApplySize();  // the band counts follow the steps knobs
    }
    return;
  }
  if (SampleEditorWindow* sample = app_.sample_editor()) {
    const EditorLook look = Look(kWaveView);
    sample->View()->SetGradientType(static_cast<GradientTypex>(look.gradient_type));
    sample->View()->SetGradientNbOfColors(look.gradient_steps);
  }
  WaveformEditorWindow* editor = app_.waveform_editor();
  if (view != kWaveView || !editor) return;
  const EditorLook look = Look(kWaveView);
  editor->View()->SetGradientType(static_cast<GradientTypex>(look.gradient_type));
  editor->View()->SetGradientNbOfColors(look.gradient_steps);
}

void OptionsDialog::ApplyWaveLook() {
  for (int color = 0; color < kEditorColorCount; ++color) {
    ApplyEditorColor(kWaveView, static_cast<EditorColor>(color));
  }
  ApplyGradient(kWaveView);
}

void OptionsDialog::RepaintViews() {
  if (WaveformEditorWindow* editor = app_.waveform_editor()) editor->View()->update();
  if (SampleEditorWindow* sample = app_.sample_editor()) sample->View()->update();
  if (MainWindow* main = app_.main_window()) main->RefreshGrid();
}

}  // namespace morvane
