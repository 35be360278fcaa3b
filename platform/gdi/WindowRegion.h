#pragma once

#include "platform/gdi/GdiTypes.h"

#include <QRegion>
#include <optional>

class QWidget;

namespace gdi
{

// SetWindowRgn: shapes the widget to the region (QWidget::setMask), in the
// widget's own pixels. As on the platform the window takes the region over:
// on success the handle is gone from the object table and must not be used or
// deleted again. Region 0 gives the widget back its whole rectangle. An empty
// region hides the whole widget, as it does on the platform.
bool setWindowRegion(QWidget *widget, Handle region, bool redraw = true);

// The region the widget was last given, nullopt when it has none.
std::optional<QRegion> windowRegion(const QWidget *widget);

// GetWindowRgn: copies the widget's region into the region object dest and
// returns its kind; RgnError when the widget has no region or dest is none.
int getWindowRgn(const QWidget *widget, Handle dest);

} // namespace gdi
