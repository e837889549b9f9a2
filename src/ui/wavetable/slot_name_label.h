#pragma once

#include <QLabel>
#include <QString>

namespace morvane {

// The toolbar's label of the current slot's document name. It takes the room left at the end of
// the toolbar. A name longer than that room loses its start, since the end is what tells two
// documents apart (the file name of a path, the channel of a transfer text); its hint then
// holds the name whole. text() is always the whole name.
class SlotNameLabel : public QLabel {
  Q_OBJECT

 public:
  explicit SlotNameLabel(QWidget* parent = nullptr);

  // A few characters: the toolbar keeps the label in view down to that.
  QSize minimumSizeHint() const override;
  // The name as the label shows it in its present width.
  QString ShownText() const;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace morvane
