#pragma once

#include <QLabel>
#include <functional>

#include "core/controls/knob_model.h"

class QColor;

namespace morvane {

// A numeric label that works as a knob: drag it (up or left raises the value), left-click to
// step down, right-click to step up (Shift steps by a tenth of Max). It shows State as its text.
// Values set by the program are limited to Min..Max and never fire OnChange.
class ValueKnob : public QLabel {
  Q_OBJECT

 public:
  explicit ValueKnob(QWidget* parent = nullptr);

  int State() const { return model_.State(); }
  void SetState(int v);
  int Min() const { return model_.Min(); }
  void SetMin(int v) { model_.SetMin(v); }
  int Max() const { return model_.Max(); }
  void SetMax(int v) { model_.SetMax(v); }
  int CursorRange() const { return model_.CursorRange(); }
  void SetCursorRange(int pixels) { model_.SetCursorRange(pixels); }
  bool AlwayDetect() const { return model_.AlwayDetect(); }
  void SetAlwayDetect(bool on) { model_.SetAlwayDetect(on); }
  KnobOrientation Mouvement() const { return model_.Mouvement(); }
  void SetMouvement(KnobOrientation orientation) { model_.SetMouvement(orientation); }

  // Text shown after the value (a unit), empty by default.
  void SetSuffix(const QString& suffix);

  // The windows show their knobs as coloured digits on a solid background.
  void SetColors(const QColor& text, const QColor& back);
  // The text shown for a value, when it is not the number itself ("ON", a range's positions).
  void SetDisplay(std::function<QString(int)> display);

 signals:
  // The user changed the value (or ended a click or drag on it).
  void OnChange();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void HandleMouse(QMouseEvent* event);
  void ShowState();

  KnobModel model_{0, 100, 15};
  std::function<QString(int)> display_;
};

// A knob with its control name, hint, range and first value, its text centred, answering the
// mouse over a 200-pixel drag as the editor's knobs do. Callers add their colours and size.
ValueKnob* MakeValueKnob(QWidget* parent, const char* name, const QString& hint, int min, int max,
                         int initial);

// The same knob as the small dialogs show it: yellow digits on black, at a fixed size, so that
// it reads as a control rather than as plain text.
ValueKnob* MakeDialogKnob(QWidget* parent, const char* name, const QString& hint, int min, int max,
                          int initial, QSize size);

}  // namespace morvane
