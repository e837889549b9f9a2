#include "ui/spectral/window_kind_menu.h"

#include "core/spectral/window_functions.h"

namespace morvane {

QMenu* MakeWindowKindMenu(QWidget* parent, const std::function<void(int)>& chosen) {
  auto* menu = new QMenu(parent);
  menu->setObjectName("WindowKindMenu");
  for (int kind = 0; kind < kWindowKindCount; ++kind) {
    QAction* entry = menu->addAction(QString::fromUtf8(
        WindowMenuCaption(kind).data(), static_cast<qsizetype>(WindowMenuCaption(kind).size())));
    entry->setData(kind);
    QObject::connect(entry, &QAction::triggered, menu, [chosen, kind] { chosen(kind); });
  }
  return menu;
}

QString WindowPanelCaption(int kind) {
  const std::string_view text = WindowPanelText(kind);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace morvane
