#pragma once

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "core/sample/sample_edit_model.h"
#include "core/sample/sample_edit_mouse.h"
#include "core/waveform/gradient_bands.h"
#include "ui/controls/sample_view_support.h"

class QPainter;

namespace morvane {

// View and editor of a long 8-bit sample (up to 524 288 bytes): one sample per screen column at
// the zoom, from the view origin, over a plain or banded background with a centre line and
// quarter lines, a locator and a selection in columns. The left button moves the locator or drags
// a selection; the right button draws values at zoom 1. The buffer rules live in
// SampleEditModel; this control draws and routes the mouse. Colours are 0x00BBGGRR numbers or
// system colour codes.
//
// The three events fire only for what the user does with the mouse, never for the owner's calls.
class SampleEdit : public QWidget {
  Q_OBJECT

 public:
  explicit SampleEdit(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {100, 80}; }

  SampleEditModel& Model() { return model_; }
  const SampleEditModel& Model() const { return model_; }

  // --- Sample ----------------------------------------------------------------------------------
  std::span<std::uint8_t> Data() { return model_.Data(); }
  int GetSampleSize() const { return model_.GetSampleSize(); }
  void SetSampleSize(int n) { model_.SetSampleSize(n); }  // no repaint
  std::uint8_t GetValue(int index) const { return model_.GetValue(index); }
  void SetValue(std::uint8_t value, int index);  // repaints when the byte changed
  void ClearData(bool repaint);
  RawLoadResult LoadRawFile(const QString& name, bool repaint, std::int64_t offset);
  bool SaveRawFile(const QString& name) const;
  void Paint() { repaint(); }

  // --- Operations, each followed by a repaint -------------------------------------------------
  void CopySelection() { model_.CopySelection(); }
  void CutSelection();
  void MuteSelection();
  void PasteAtLocator();
  void CropToSelection();
  void Reverse();
  void FlipLowerHalf(bool whole, bool repaint);
  void AddOffset(std::span<const std::uint8_t> source, int delta);
  void FixZero(bool repaint);
  void LinToULaw(bool repaint);
  void ULawToLin(bool repaint);
  std::uint8_t MaxValue() const { return model_.MaxValue(); }
  std::uint8_t MinValue() const { return model_.MinValue(); }

  // --- Properties ------------------------------------------------------------------------------
  int Max() const { return model_.Max(); }
  void SetMax(int max) { model_.SetMax(max); }
  int Zoom() const { return model_.Zoom(); }
  void SetZoom(int zoom);
  int ViewOrigin() const { return model_.ViewOrigin(); }
  void SetViewOrigin(int origin);
  int LocatorPos() const { return model_.LocatorPos(); }
  void SetLocatorPos(int column);
  int SelectionPos() const { return model_.SelectionPos(); }
  void SetSelectionPos(int column);
  int SelectionLen() const { return model_.SelectionLen(); }
  void SetSelectionLen(int columns);

  std::uint32_t Color() const { return color_; }
  void SetColor(std::uint32_t color) { SetGradient(color_, color); }
  std::uint32_t LineColor() const { return line_color_; }
  void SetLineColor(std::uint32_t color) { SetDrawn(line_color_, color); }
  std::uint32_t AxesColor() const { return axes_color_; }
  void SetAxesColor(std::uint32_t color) { SetDrawn(axes_color_, color); }
  std::uint32_t Axes2Color() const { return axes2_color_; }
  void SetAxes2Color(std::uint32_t color) { SetDrawn(axes2_color_, color); }
  std::uint32_t LocatorColor() const { return locator_color_; }
  void SetLocatorColor(std::uint32_t color) { SetDrawn(locator_color_, color); }
  int LocatorSize() const { return locator_size_; }
  void SetLocatorSize(int size) { SetDrawn(locator_size_, size); }
  bool LocatorEnabled() const { return locator_enabled_; }
  void SetLocatorEnabled(bool on) { SetDrawn(locator_enabled_, on); }
  std::uint32_t SelectionColor() const { return selection_color_; }
  void SetSelectionColor(std::uint32_t color) { SetDrawn(selection_color_, color); }
  int SelectionStyle() const { return selection_style_; }  // 1: exclusive or with the colour
  void SetSelectionStyle(int style) { SetDrawn(selection_style_, style); }
  bool AlwayDetect() const { return mouse_.AlwayDetect(); }
  void SetAlwayDetect(bool on) { mouse_.SetAlwayDetect(on); }
  std::uint32_t GradientColor() const { return gradient_color_; }
  void SetGradientColor(std::uint32_t color) { SetGradient(gradient_color_, color); }
  bool GradientEnabled() const { return gradient_enabled_; }
  void SetGradientEnabled(bool on) { SetGradient(gradient_enabled_, on); }
  int GradientNbOfColors() const { return gradient_nb_of_colors_; }
  void SetGradientNbOfColors(int count);  // ignored unless 0 or 2..256
  GradientTypex GradientType() const { return gradient_type_; }
  void SetGradientType(GradientTypex type) { SetGradient(gradient_type_, type); }
  int MarkerSize() const { return marker_size_; }
  void SetMarkerSize(int size) { SetDrawn(marker_size_, size); }
  std::uint32_t MarkerColor() const { return marker_color_; }
  void SetMarkerColor(std::uint32_t color) { SetDrawn(marker_color_, color); }
  bool AxesEnabled() const { return axes_enabled_; }
  void SetAxesEnabled(bool on) { SetDrawn(axes_enabled_, on); }
  bool Axes2Enabled() const { return axes2_enabled_; }
  void SetAxes2Enabled(bool on) { SetDrawn(axes2_enabled_, on); }
  bool SpectrumMode() const { return spectrum_mode_; }
  void SetSpectrumMode(bool on) { SetDrawn(spectrum_mode_, on); }
  bool SpectrumCenter() const { return model_.SpectrumCenter(); }
  void SetSpectrumCenter(bool on);

  // Draws the view into its off-screen picture (what paintEvent shows); public for benchmarks.
  const QImage& PaintCanvas();

 signals:
  void OnChange(SampleEdit* sender);          // a sample drawn with the right button
  void OnLocatorChange(SampleEdit* sender);   // the locator moved with the mouse
  void OnSelectorChange(SampleEdit* sender);  // the selection changed with the mouse

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  template <typename T>
  void SetDrawn(T& field, T value) {
    if (field == value) return;
    field = value;
    update();
  }
  template <typename T>
  void SetGradient(T& field, T value) {
    if (field == value) return;
    field = value;
    background_.Invalidate();
    update();
  }
  void Deliver(const TankMouseOutcome& outcome);
  void PaintBackground(QPainter& painter);
  void PaintAxes(QPainter& painter);
  void PaintSamples(QPainter& painter);
  void PaintLocator(QPainter& painter);
  void PaintSelection(QPainter& painter);

  SampleEditModel model_;
  SampleEditMouse mouse_;

  std::uint32_t color_ = 0x000000;
  std::uint32_t line_color_ = 0x808000;
  std::uint32_t axes_color_ = 0x000080;
  std::uint32_t axes2_color_ = 0x800080;
  std::uint32_t locator_color_ = 0x800080;
  int locator_size_ = 3;
  bool locator_enabled_ = true;
  std::uint32_t selection_color_ = 0xFF0000;
  int selection_style_ = 0;
  std::uint32_t gradient_color_ = 0x800000;
  bool gradient_enabled_ = false;
  int gradient_nb_of_colors_ = 64;
  GradientTypex gradient_type_ = GradientTypex::grxVertCenterToBorder;
  int marker_size_ = 1;
  std::uint32_t marker_color_ = 0xFFFF00;
  bool axes_enabled_ = true;
  bool axes2_enabled_ = false;
  bool spectrum_mode_ = false;

  QImage canvas_;
  GradientBackground background_;
  std::vector<QPoint> points_;  // one per column, from the last repaint
};

}  // namespace morvane
