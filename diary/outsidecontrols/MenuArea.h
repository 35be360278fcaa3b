#pragma once

#include <QSize>

class QMenuBar;
class QWidget;

namespace kalvento
{

// A window with menus: the menu bar above an inner area that holds the
// controls and whose size the resizing follows, as a client area does.
struct MenuArea {
    QMenuBar *menuBar = nullptr;
    QWidget *area = nullptr;
};

// An area with a fixedArea size keeps its controls at their places and scrolls when the window
// is smaller; without one it follows the window's size.
MenuArea addMenuArea(QWidget &form, QSize fixedArea = QSize());

} // namespace kalvento
