#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "core/wavetable/file_names.h"
#include "platform/user_folders.h"
#include "ui/settings/options_dialog.h"
#include "ui/shell/app_context.h"
#include "ui/shell/dialog_start.h"
#include "ui/shell/file_dialogs.h"
#include "ui/shell/tool_icons.h"
#include "ui/wavetable/main_window.h"

namespace morvane {

namespace {

constexpr int kPathLabelWidth = 440;

// A path field of fixed width: its text is the whole path, and a path too long to fit is shown
// with its middle left out, so the file name stays readable.
class PathLabel : public QLabel {
 public:
  PathLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFixedWidth(kPathLabelWidth);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setContentsMargins(3, 1, 3, 1);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, shown);
  }
};

QLabel* MakePathLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new PathLabel(text, parent);
  label->setObjectName(name);
  return label;
}

// A name's folder part with its trailing separator: "/tmp/work/x.bin" gives "/tmp/work/".
QString FolderPart(const QString& name) {
  const std::string file = FileNameWithoutDirectory(name.toStdString());
  return name.left(name.size() - QString::fromStdString(file).size());
}

QString WithSeparator(const QString& folder) {
  return folder.endsWith('/') ? folder : folder + '/';
}

}  // namespace

QWidget* OptionsDialog::BuildPathPage() {
  auto* page = new QWidget(this);
  page->setObjectName("TabPath");
  auto* layout = new QVBoxLayout(page);

  auto* temp = new QGroupBox("Temp folder", page);
  auto* temp_row = new QHBoxLayout(temp);
  temp_folder_label_ = MakePathLabel("lbCheminTemp", kUnsetTempPath, temp);
  auto* choose = new QToolButton(temp);
  choose->setObjectName("btnTempPath");
  choose->setToolTip("Open File");
  choose->setIcon(GlyphIcon("O", QColor(60, 120, 190)));
  choose->setIconSize(QSize(20, 20));
  temp_row->addWidget(temp_folder_label_);
  temp_row->addWidget(choose);
  temp_row->addStretch(1);
  layout->addWidget(temp);

  reload_box_ = new QCheckBox("Reload last Wavetable  files automaticaly   ", page);
  reload_box_->setObjectName("CheckBox4");
  layout->addWidget(reload_box_);

  auto* paths = new QWidget(page);
  auto* path_grid = new QGridLayout(paths);
  path_grid->setContentsMargins(0, 0, 0, 0);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    path_grid->addWidget(new QLabel(QString::number(slot + 1), paths), slot, 0);
    QLabel* label = MakePathLabel(QString("Labpath%1").arg(slot + 1), kNewSlotPath, paths);
    slot_path_labels_[static_cast<std::size_t>(slot)] = label;
    path_grid->addWidget(label, slot, 1);
  }
  path_grid->setColumnStretch(2, 1);
  layout->addWidget(paths);
  layout->addStretch(1);

  connect(choose, &QToolButton::clicked, this, &OptionsDialog::ChooseTempFolder);
  return page;
}

// The main window's open dialog, asked for a folder: any name in it chooses the folder.
void OptionsDialog::ChooseTempFolder() {
  FileDialogRequest request;
  if (MainWindow* main = app_.main_window()) request = main->OpenDialogRequest();
  request.title = "Select Temp Folder";
  request.filter_index = 3;
  request.initial_name = "*.*";
  // The folder this dialog chose last is the temp folder itself, kept as its own setting.
  request.purpose.clear();
  request.folder = TempFolder();
  const QString chosen = app_.file_dialogs().FolderName(StartedRequest(app_, request));
  if (chosen.isEmpty()) return;
  const QString folder = FolderPart(chosen);
  if (!folder.isEmpty()) temp_folder_label_->setText(folder);
}

// The program's own folder, or, where the program may not write (an installed program), the
// user's data folder.
void OptionsDialog::SetDefaultTempFolder() {
  const QString program_folder = QCoreApplication::applicationDirPath();
  if (QFileInfo(program_folder).isWritable()) {
    temp_folder_label_->setText(WithSeparator(program_folder));
    return;
  }
  const std::filesystem::path user_folder = UserDataFolder();
  std::error_code ignored;
  std::filesystem::create_directories(user_folder, ignored);
  temp_folder_label_->setText(WithSeparator(QString::fromStdString(user_folder.string())));
}

}  // namespace morvane
