#include "ui/scales/preset_name_dialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace morvane {

PresetNameDialog::PresetNameDialog(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint),
      name_(new QLineEdit(" ", this)) {
  setObjectName("Form6");
  setWindowTitle("Preset Scale Name ");
  setModal(true);
  name_->setObjectName("Edit1");
  name_->setMinimumWidth(220);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("btnOk");
  ok->setDefault(true);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(name_);
  layout->addWidget(ok);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

std::optional<QString> PresetNameDialog::AskName() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return name_->text();
}

void PresetNameDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect place = frameGeometry();
    place.moveCenter(screen->availableGeometry().center());
    move(place.topLeft());
  }
}

}  // namespace morvane
