#include "diary/windows/tools1.h"

#include "diary/editing/SelectionCommands.h"
#include "diary/outsidecontrols/CommandButton.h"
#include "diary/windows/frmScreen.h"

namespace kalvento
{

namespace
{
const QRect Command1Rect(0, 0, 495, 495);
} // namespace

tools1::tools1(frmScreen &screen) : m_screen(screen), m_command1(new CommandButton(QStringLiteral("F")))
{
    setObjectName(QStringLiteral("tools1"));
    setWindowFlags(Qt::Tool);
    placeControl(m_command1, QStringLiteral("Command1"), Command1Rect);
    connect(m_command1, &QPushButton::clicked, this, &tools1::Command1_Click);
}

void tools1::Command1_Click()
{
    m_screen.commands().toggleBold();
    unload();
}

} // namespace kalvento
