#include "platform/gdi/SystemColors.h"

#include <QGuiApplication>

namespace gdi
{

namespace
{

// The classic "Windows Standard" scheme (button face 212, 208, 200).
constexpr std::array<ColorRef, SystemColors::Count> ClassicColors = {
    rgb(212, 208, 200), // scroll bar
    rgb(58, 110, 165),  // desktop
    rgb(10, 36, 106),   // active caption
    rgb(128, 128, 128), // inactive caption
    rgb(212, 208, 200), // menu
    rgb(255, 255, 255), // window
    rgb(0, 0, 0),       // window frame
    rgb(0, 0, 0),       // menu text
    rgb(0, 0, 0),       // window text
    rgb(255, 255, 255), // caption text
    rgb(212, 208, 200), // active border
    rgb(212, 208, 200), // inactive border
    rgb(128, 128, 128), // application workspace
    rgb(10, 36, 106),   // highlight
    rgb(255, 255, 255), // highlight text
    rgb(212, 208, 200), // button face
    rgb(128, 128, 128), // button shadow
    rgb(128, 128, 128), // grey text
    rgb(0, 0, 0),       // button text
    rgb(212, 208, 200), // inactive caption text
    rgb(255, 255, 255), // button highlight
    rgb(64, 64, 64),    // 3-D dark shadow
    rgb(212, 208, 200), // 3-D light
    rgb(0, 0, 0),       // info text
    rgb(255, 255, 225), // info background
    rgb(181, 181, 181), // button alternate face
    rgb(0, 0, 128),     // hot-tracked item
    rgb(166, 202, 240), // gradient of the active caption
    rgb(192, 192, 192), // gradient of the inactive caption
    rgb(10, 36, 106),   // menu highlight
    rgb(212, 208, 200), // menu bar
};

ColorRef fromQColor(const QColor &c)
{
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace

std::array<ColorRef, SystemColors::Count> &SystemColors::table()
{
    static std::array<ColorRef, Count> colors = ClassicColors;
    return colors;
}

ColorRef SystemColors::color(int index)
{
    return isValidIndex(index) ? table()[static_cast<size_t>(index)] : 0;
}

void SystemColors::setColor(int index, ColorRef color)
{
    if (isValidIndex(index))
        table()[static_cast<size_t>(index)] = color & 0x00FFFFFF;
}

ColorRef SystemColors::defaultColor(int index)
{
    return isValidIndex(index) ? ClassicColors[static_cast<size_t>(index)] : 0;
}

void SystemColors::restoreDefaults()
{
    table() = ClassicColors;
}

void SystemColors::adoptPalette(const QPalette &palette)
{
    const auto take = [&](int index, QPalette::ColorGroup group, QPalette::ColorRole role) {
        setColor(index, fromQColor(palette.color(group, role)));
    };
    const auto active = QPalette::Active;
    for (int index :
         {ColorBtnFace, ColorScrollbar, ColorMenu, ColorMenuBar, ColorActiveBorder, ColorInactiveBorder})
        take(index, active, QPalette::Button);
    take(ColorBtnText, active, QPalette::ButtonText);
    take(ColorMenuText, active, QPalette::ButtonText);
    take(ColorBtnHighlight, active, QPalette::Light);
    take(Color3DLight, active, QPalette::Midlight);
    take(ColorBtnShadow, active, QPalette::Dark);
    take(Color3DDkShadow, active, QPalette::Shadow);
    take(ColorWindow, active, QPalette::Base);
    take(ColorWindowText, active, QPalette::Text);
    take(ColorHighlight, active, QPalette::Highlight);
    take(ColorMenuHilight, active, QPalette::Highlight);
    take(ColorHighlightText, active, QPalette::HighlightedText);
    take(ColorGrayText, QPalette::Disabled, QPalette::Text);
    take(ColorInfoBk, active, QPalette::ToolTipBase);
    take(ColorInfoText, active, QPalette::ToolTipText);
    take(ColorHotLight, active, QPalette::Link);
    take(ColorAppWorkspace, active, QPalette::Window);
}

ColorRef oleToColorRef(uint32_t oleColor)
{
    if (oleColor & 0x80000000u)
        return SystemColors::color(static_cast<int>(oleColor & 0x7FFFFFFFu));
    return oleColor;
}

} // namespace gdi
