#include "ui/controls/captioned.h"

#include <QLabel>
#include <QVBoxLayout>

namespace morvane {

QWidget* Captioned(const QString& caption, QWidget* control, QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(2, 0, 2, 0);
  layout->setSpacing(1);
  auto* label = new QLabel(caption, box);
  label->setAlignment(Qt::AlignCenter);
  layout->addWidget(label);
  control->setParent(box);
  layout->addWidget(control, 0, Qt::AlignHCenter);
  return box;
}

}  // namespace morvane
