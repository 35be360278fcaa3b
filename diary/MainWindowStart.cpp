#include "diary/MainWindowStart.h"

#include "diary/FrmMain.h"
#include "diary/ProgramEnd.h"

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
