#pragma once

#include <QMenu>
#include <functional>

namespace morvane {

// The pop-up menu of the sixteen window functions, "Rectangle" to "Kaiser 3", each entry's data
// its kind; choosing one calls `chosen` with the kind.
QMenu* MakeWindowKindMenu(QWidget* parent, const std::function<void(int)>& chosen);

// The panel text of a kind as the window panels show it.
QString WindowPanelCaption(int kind);

}  // namespace morvane
