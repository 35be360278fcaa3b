#pragma once

namespace kalvento
{

// Opens the main window modelessly once start-up is through. A main window
// that cannot load has told the user why; nothing is left open, so the
// program ends.
void showMainWindow();

} // namespace kalvento
