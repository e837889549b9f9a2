#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <span>
#include <vector>

#include "core/waveform/gradient_bands.h"
#include "core/waveform/sample_tank_layout.h"
#include "core/waveform/sample_tank_model.h"
#include "core/waveform/sample_tank_mouse.h"
#include "ui/controls/sample_view_support.h"

class QPainter;

namespace morvane {

// View and editor of up to 256 8-bit values: a line or bars over a plain or banded background,
// with axes, point markers, a locator, a selection and lines at the smallest and largest value.
// The left mouse button moves the locator (pressed near it) or drags a selection; the right button
// draws values. Colours are 0x00BBGGRR numbers or system colour codes.
//
// The three events fire only for what the user does with the mouse, never for calls from the
// owner. Every call that changes samples repaints, unless it says otherwise.
class SampleTank : public QWidget {
  Q_OBJECT

 public:
  explicit SampleTank(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {100, 80}; }

  // --- Samples -----------------------------------------------------------------------------
  // The whole 256-byte buffer, for owners that read or write it in place; call Refresh after
  // writing.
  TankSpan Data() { return model_.Data(); }
  ConstTankSpan Data() const { return model_.Data(); }
  void Refresh() { update(); }

  std::uint8_t GetValue(int pos) const { return model_.GetValue(pos); }
  void SetValue(int pos, std::uint8_t value);  // repaints only when the sample changed
  void SetData(std::span<const std::uint8_t> source);
  void GetData(std::span<std::uint8_t> target) const { model_.GetData(target); }
  void Clear(bool repaint);
  void Fill(std::uint8_t value, bool repaint);
  // Raw bytes; false on failure (the owner reports it). A failed save leaves the file as it was.
  bool SaveToFile(const QString& name) const;
  bool LoadFromFile(const QString& name, bool repaint);

  // --- Block operations (see SampleTankModel) -------------------------------------------------
  void CopySelection() { model_.CopySelection(); }  // no repaint
  void CutSelection();                              // fills with 128 in SpectrumCenter, else 0
  void PasteAtLocator();
  ConstTankSpan Clip() const { return model_.Clip(); }
  int ClipLength() const { return model_.ClipLength(); }
  void RotateLeft(int n);
  void RotateRight(int n);
  void Unsigned();
  void Reverse();
  void AlternateRight();
  void AlternateLeft();
  void MirrorLeft();
  void MirrorRight();
  bool ApplyMask(std::span<const std::uint8_t> source, int mask);
  bool ApplyOffset(std::span<const std::uint8_t> source, int offset);
  bool ApplyVertical(std::span<const std::uint8_t> source, int amount);
  bool ApplyLevel(std::span<const std::uint8_t> source, int level);
  bool ApplyBitAverage(std::span<const std::uint8_t> source, int count);
  bool Center(std::span<const std::uint8_t> source);
  bool Normalise(std::span<const std::uint8_t> source);

  // --- Properties ----------------------------------------------------------------------------
  int Max() const { return model_.Max(); }
  void SetMax(int max);  // limited to 1..256
  int LocatorPos() const { return model_.LocatorPos(); }
  void SetLocatorPos(int pos);
  int SelectionPos() const { return model_.SelectionPos(); }
  void SetSelectionPos(int pos);
  int SelectionLen() const { return model_.SelectionLen(); }
  void SetSelectionLen(int len);

  std::uint32_t Color() const { return color_; }
  // The background is also one end of the gradient, so a new one redraws the bands.
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
  // 1 = exclusive-or with SelectionColor; any other value inverts the selected area.
  int SelectionStyle() const { return selection_style_; }
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
  bool SpectrumCenter() const { return spectrum_center_; }
  void SetSpectrumCenter(bool on) { SetDrawn(spectrum_center_, on); }
  // Which indices mouse drawing may change: 1 odd, 2 even, 3 all, anything else none.
  int SpectrumHarm() const { return mouse_.SpectrumHarm(); }
  void SetSpectrumHarm(int harm) { mouse_.SetSpectrumHarm(harm); }
  std::uint32_t MinimaxColor() const { return minimax_color_; }
  void SetMinimaxColor(std::uint32_t color) { SetDrawn(minimax_color_, color); }
  bool MinimaxEnabled() const { return minimax_enabled_; }
  void SetMinimaxEnabled(bool on) { SetDrawn(minimax_enabled_, on); }
  bool TabStop() const { return focusPolicy() == Qt::StrongFocus; }
  void SetTabStop(bool on) { setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); }

  // Where sample i would be drawn now, for owners and tests that place things on the points.
  QPoint SamplePoint(int index) const;

 signals:
  void OnChange(SampleTank* sender);          // values drawn with the right mouse button
  void OnLocatorChange(SampleTank* sender);   // locator moved with the mouse
  void OnSelectorChange(SampleTank* sender);  // selection dragged with the mouse

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
  SampleTankLayout Layout() const { return SampleTankLayout(width(), height(), model_.Max()); }
  void Deliver(const TankMouseOutcome& outcome);
  // Repaints when asked and passes the answer on.
  bool RepaintIf(bool repaint);

  void PaintCanvas();
  void PaintBackground(QPainter& painter);
  void PaintAxes(QPainter& painter, const SampleTankLayout& layout);
  void PaintSamples(QPainter& painter, const SampleTankLayout& layout);
  void PaintMarkers(QPainter& painter);
  void PaintLocator(QPainter& painter, const SampleTankLayout& layout);
  void PaintMinimax(QPainter& painter, const SampleTankLayout& layout);
  void PaintSelection(QPainter& painter, const SampleTankLayout& layout);

  SampleTankModel model_;
  SampleTankMouse mouse_;

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
  bool axes2_enabled_ = true;
  bool spectrum_mode_ = false;
  bool spectrum_center_ = false;
  std::uint32_t minimax_color_ = 0x800080;
  bool minimax_enabled_ = true;

  QImage canvas_;  // the off-screen picture, copied to the screen
  GradientBackground background_;
  std::vector<QPoint> points_;  // one per shown sample, from the last repaint
};

}  // namespace morvane
