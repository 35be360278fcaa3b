#pragma once

#include "platform/gdi/GdiTypes.h"

#include <QColor>
#include <QPalette>
#include <array>

namespace gdi
{

// The system colour indices, as GetSysColor numbers them.
enum SysColorIndex : int {
    ColorScrollbar = 0,
    ColorBackground = 1,
    ColorActiveCaption = 2,
    ColorInactiveCaption = 3,
    ColorMenu = 4,
    ColorWindow = 5,
    ColorWindowFrame = 6,
    ColorMenuText = 7,
    ColorWindowText = 8,
    ColorCaptionText = 9,
    ColorActiveBorder = 10,
    ColorInactiveBorder = 11,
    ColorAppWorkspace = 12,
    ColorHighlight = 13,
    ColorHighlightText = 14,
    ColorBtnFace = 15,
    Color3DFace = ColorBtnFace,
    ColorBtnShadow = 16,
    Color3DShadow = ColorBtnShadow,
    ColorGrayText = 17,
    ColorBtnText = 18,
    ColorInactiveCaptionText = 19,
    ColorBtnHighlight = 20,
    Color3DHighlight = ColorBtnHighlight,
    Color3DDkShadow = 21,
    Color3DLight = 22,
    ColorInfoText = 23,
    ColorInfoBk = 24,
    ColorButtonAlternateFace = 25,
    ColorHotLight = 26,
    ColorGradientActiveCaption = 27,
    ColorGradientInactiveCaption = 28,
    ColorMenuHilight = 29,
    ColorMenuBar = 30,
};

// The one table of system colours of the process. It starts with the classic
// "Windows Standard" scheme, so drawing is the same on every machine and in
// every test; a program may set single colours or opt in to take them from the
// desktop's palette.
class SystemColors
{
public:
    static constexpr int Count = 31;

    static bool isValidIndex(int index) { return index >= 0 && index < Count; }
    // GetSysColor: 0 for an index without colour.
    static ColorRef color(int index);
    static void setColor(int index, ColorRef color);
    // The classic value of an index, whatever the table holds now.
    static ColorRef defaultColor(int index);
    static void restoreDefaults();
    // Takes the colours that a desktop palette defines (button face, shadows,
    // window, selection, tool tips, ...) and keeps the classic ones for the rest.
    static void adoptPalette(const QPalette &palette);

private:
    static std::array<ColorRef, Count> &table();
};

inline ColorRef sysColor(int index)
{
    return SystemColors::color(index);
}

// An OLE colour as the form runtime hands it over: with the high bit set it
// names a system colour (&H8000000F is the button face), else it is a plain
// 0x00BBGGRR value and comes back unchanged.
ColorRef oleToColorRef(uint32_t oleColor);

inline QColor toQColor(ColorRef c)
{
    return QColor(redOf(c), greenOf(c), blueOf(c));
}
inline QColor oleToQColor(uint32_t oleColor)
{
    return toQColor(oleToColorRef(oleColor));
}

} // namespace gdi
