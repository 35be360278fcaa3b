#include "controls/display/MousePointer.h"

#include "platform/com/AutomationError.h"
#include "platform/com/StdPicture.h"

#include <QCursor>
#include <QPixmap>
#include <QWidget>
#include <array>

namespace ostrevo
{

std::vector<std::pair<QString, int32_t>> mousePointerConstants(const QString &prefix, const QString &iconName)
{
    static const char *const names[] = {"Voreinstellung",
                                        "Pfeil",
                                        "Kreuz",
                                        "Icursor",
                                        "Symbol",
                                        "Größenänderung",
                                        "Größenänderung_No_Sw",
                                        "Größenänderung_N_O",
                                        "Größenänderung_Nw_So",
                                        "Größenänderung_W_O",
                                        "Aufwärtspfeil",
                                        "Sanduhr",
                                        "Nicht_ablegen",
                                        "Pfeil_Sanduhr",
                                        "Pfeil_Fragezeichen",
                                        "Größenänderung_Alle"};
    std::vector<std::pair<QString, int32_t>> constants;
    int32_t value = 0;
    for (const char *name : names)
        constants.emplace_back(prefix + QString::fromUtf8(name), value++);
    constants.emplace_back(iconName, MouseIconPointer);
    return constants;
}

bool isMousePointer(int32_t value)
{
    return (value >= 0 && value <= 15) || value == MouseIconPointer;
}

void applyMousePointer(QWidget &widget, int16_t pointer, const std::shared_ptr<com::StdPicture> &icon)
{
    // Indexed by the platform's numbers 1 to 15.
    static constexpr std::array<Qt::CursorShape, 16> shapes = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
    if (pointer == MouseIconPointer) {
        if (icon && !icon->picture().isNull())
            widget.setCursor(QCursor(QPixmap::fromImage(icon->picture().image())));
        else
            widget.unsetCursor();
        return;
    }
    if (pointer <= 0 || pointer > 15) {
        widget.unsetCursor();
        return;
    }
    widget.setCursor(shapes[static_cast<size_t>(pointer)]);
}

} // namespace ostrevo

namespace ostrevo
{

int16_t checkedMousePointer(int32_t value)
{
    if (value < -32768 || value > 32767)
        com::raiseError(com::ErrOverflow);
    if (!isMousePointer(value))
        com::raiseError(com::ErrInvalidPropertyValue);
    return static_cast<int16_t>(value);
}

} // namespace ostrevo
