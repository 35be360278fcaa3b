#include "diary/outsidecontrols/FocusMark.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace kalvento
{

void paintFocusWithoutCurrent(QAbstractItemView &view)
{
    if (!view.hasFocus() || view.currentIndex().isValid())
        return;
    QPainter painter(view.viewport());
    QStyleOptionFocusRect option;
    option.initFrom(&view);
    // Also before the first Tab: a list may have the focus from the start.
    option.state |= QStyle::State_KeyboardFocusChange;
    option.rect = view.viewport()->rect().adjusted(1, 1, -1, -1);
    option.backgroundColor = view.palette().color(QPalette::Base);
    view.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, &view);
}

} // namespace kalvento
