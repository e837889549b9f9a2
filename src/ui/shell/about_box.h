#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace morvane {

// The borderless About window: a picture, the revision and a credit line. Any click closes it.
class AboutBox : public QWidget {
  Q_OBJECT

 public:
  AboutBox();

  static QString RevisionText();
  static QString CreditLine();
  // The 388 x 204 picture, drawn by the program.
  static QPixmap DrawPicture();

 protected:
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace morvane
