#pragma once

#include <QPixmap>
#include <QWidget>

#include "core/controls/knob_model.h"

namespace morvane {

// A knob drawn as one frame of a horizontal picture strip of Glyph equal frames; the frame
// follows the value from Min (first) to Max (last). Mouse as ValueKnob; when focused, Page Up /
// Page Down step the value (Shift: a tenth of Max), End sets Min and Home sets Max. Event
// filters see every key before the knob does.
class BitmapKnob : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kMaxGlyph = 256;

  explicit BitmapKnob(QWidget* parent = nullptr);

  int State() const { return model_.State(); }
  void SetState(int v);
  int Min() const { return model_.Min(); }
  void SetMin(int v);
  int Max() const { return model_.Max(); }
  void SetMax(int v);
  int CursorRange() const { return model_.CursorRange(); }
  void SetCursorRange(int pixels) { model_.SetCursorRange(pixels); }
  bool AlwayDetect() const { return model_.AlwayDetect(); }
  void SetAlwayDetect(bool on) { model_.SetAlwayDetect(on); }
  KnobOrientation Mouvement() const { return model_.Mouvement(); }
  void SetMouvement(KnobOrientation orientation) { model_.SetMouvement(orientation); }

  const QPixmap& Bitmap() const { return bitmap_; }
  void SetBitmap(const QPixmap& strip);
  int Glyph() const { return glyph_; }
  void SetGlyph(int frames);  // values outside 1..kMaxGlyph are refused
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool on);

  // Frame of the strip that the current value shows.
  int ShownFrame() const { return model_.Frame(glyph_); }

  QSize sizeHint() const override;

 signals:
  // The user changed the value (or ended a click or drag on it).
  void OnChange();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void HandleMouse(QMouseEvent* event);
  void FitToFrame();

  KnobModel model_{0, 1, 5};
  QPixmap bitmap_;
  int glyph_ = 1;
  bool auto_size_ = true;
};

}  // namespace morvane
