#include "diary/outsidecontrols/MenuArea.h"

#include <QMenuBar>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kalvento
{

MenuArea addMenuArea(QWidget &form, QSize fixedArea)
{
    auto *layout = new QVBoxLayout(&form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MenuArea result;
    result.menuBar = new QMenuBar(&form);
    layout->setMenuBar(result.menuBar);
    result.area = new QWidget(&form);
    result.area->setObjectName(QStringLiteral("innerArea"));
    if (fixedArea.isEmpty()) {
        layout->addWidget(result.area);
        return result;
    }
    // A window smaller than its controls' places (a small or magnified screen) scrolls them
    // rather than cutting its buttons off.
    auto *scroll = new QScrollArea(&form);
    scroll->setObjectName(QStringLiteral("innerScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    result.area->setMinimumSize(fixedArea);
    scroll->setWidget(result.area);
    layout->addWidget(scroll);
    return result;
}

} // namespace kalvento
