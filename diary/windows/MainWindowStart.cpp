#include "diary/windows/MainWindowStart.h"

#include "diary/program/ProgramEnd.h"
#include "diary/windows/FrmMain.h"

namespace kalvento
{

void showMainWindow()
{
    QPointer<FrmMain> window = rt::Form::create<FrmMain>();
    window->load();
    if (!window || !window->isLoaded()) {
        ProgramEnd::end();
        return;
    }
    window->showModeless();
}

} // namespace kalvento
