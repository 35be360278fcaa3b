#include "diary/outsidecontrols/FocusMark.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace kalvento
{

void paintFocusFrame(QWidget &widget, QWidget &surface, const QRect &rect)
{
    QPainter painter(&surface);
    QStyleOptionFocusRect option;
    option.initFrom(&widget);
    // The style shows focus frames only once Tab was used; a window's first
    // focus is no less the place the keys go.
    option.state |= QStyle::State_KeyboardFocusChange;
    option.rect = rect;
    option.backgroundColor = surface.palette().color(surface.backgroundRole());
    widget.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, &widget);
}

void paintFocusWithoutCurrent(QAbstractItemView &view)
{
    if (view.hasFocus() && !view.currentIndex().isValid())
        paintFocusFrame(view, *view.viewport(), view.viewport()->rect().adjusted(1, 1, -1, -1));
}

} // namespace kalvento
