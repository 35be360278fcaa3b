#include "diary/outsidecontrols/MenuArea.h"

#include <QMenuBar>
#include <QVBoxLayout>

namespace kalvento
{

MenuArea addMenuArea(QWidget &form)
{
    auto *layout = new QVBoxLayout(&form);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MenuArea result;
    result.menuBar = new QMenuBar(&form);
    layout->setMenuBar(result.menuBar);
    result.area = new QWidget(&form);
    result.area->setObjectName(QStringLiteral("innerArea"));
    layout->addWidget(result.area);
    return result;
}

} // namespace kalvento
