#pragma once

#include "platform/com/AutomationObject.h"
#include "platform/com/TypeInfo.h"

#include <vector>

class QKeyEvent;
class QMouseEvent;

namespace ostrevo
{

// The argument lists of the standard mouse and key events; every argument is
// passed by reference.
std::vector<com::ParamInfo> mouseEventParams(); // Button, Shift, x, y
std::vector<com::ParamInfo> keyEventParams();   // KeyCode, Shift
std::vector<com::ParamInfo> keyPressParams();   // KeyAscii

// Button (the one that changed, or for a move all that are held), Shift and
// the position in the caller's units.
com::Args mouseEventArgs(const QMouseEvent &event, bool move, float x, float y);

// KeyCode and Shift of a key event, for KeyDown and KeyUp.
com::Args keyEventArgs(const QKeyEvent &event);

} // namespace ostrevo
