#include "diary/outsidecontrols/CommandButton.h"

namespace kalvento
{

CommandButton::CommandButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
}

} // namespace kalvento
