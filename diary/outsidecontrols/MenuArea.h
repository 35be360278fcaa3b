#pragma once

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

MenuArea addMenuArea(QWidget &form);

} // namespace kalvento
