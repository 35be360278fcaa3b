#include "platform/gdi/WindowRegion.h"

#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/Regions.h"

#include <QVariant>
#include <QWidget>

namespace gdi
{

namespace
{

// The region as given, kept beside the mask: Qt treats an empty mask as none.
constexpr char RegionProperty[] = "gdiWindowRegion";

} // namespace

bool setWindowRegion(QWidget *widget, Handle region, bool redraw)
{
    if (!widget)
        return false;
    if (region == 0) {
        widget->clearMask();
        widget->setProperty(RegionProperty, QVariant());
    } else {
        if (!isRegion(region))
            return false;
        const QRegion shape = regionOf(region);
        // A mask lying wholly outside the widget shows none of it.
        widget->setMask(shape.isEmpty() ? QRegion(-1, -1, 1, 1) : shape);
        widget->setProperty(RegionProperty, QVariant::fromValue(shape));
        ObjectTable::instance().remove(region);
    }
    if (redraw)
        widget->update();
    return true;
}

std::optional<QRegion> windowRegion(const QWidget *widget)
{
    if (!widget)
        return std::nullopt;
    const QVariant value = widget->property(RegionProperty);
    if (!value.isValid())
        return std::nullopt;
    return value.value<QRegion>();
}

int getWindowRgn(const QWidget *widget, Handle dest)
{
    const std::optional<QRegion> shape = windowRegion(widget);
    RegionData *data = ObjectTable::instance().findAs<RegionData>(dest);
    if (!shape || !data)
        return RgnError;
    data->region = *shape;
    return regionKind(*shape);
}

} // namespace gdi
