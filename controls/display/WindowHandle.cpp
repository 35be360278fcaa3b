#include "controls/display/WindowHandle.h"

#include <QVariant>
#include <QWidget>

namespace ostrevo
{

int32_t hwndOf(QWidget &widget)
{
    // Asking Qt for a native window would turn the control into one; a
    // number of our own is all that hosts compare.
    static int32_t next = 0x10000;
    static const char *const key = "ostrevoWindowHandle";
    QVariant handle = widget.property(key);
    if (!handle.isValid()) {
        handle = next;
        next += 4;
        widget.setProperty(key, handle);
    }
    return handle.toInt();
}

} // namespace ostrevo
