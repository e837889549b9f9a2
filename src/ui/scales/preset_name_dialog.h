#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QLineEdit;

namespace morvane {

// "Preset Scale Name ": asks for the name of a new preset scale. The field keeps what was typed
// last, so a series of similar names needs only the change.
class PresetNameDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PresetNameDialog(QWidget* parent = nullptr);

  // Shows the dialog modally, centred on the screen; the field's text on OK, nothing when the
  // dialog was closed otherwise. Virtual so tests of the callers can answer without a user.
  virtual std::optional<QString> AskName();

  QLineEdit* NameField() const { return name_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* name_;
};

}  // namespace morvane
