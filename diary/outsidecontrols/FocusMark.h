#pragma once

class QAbstractItemView;
class QRect;
class QWidget;

namespace kalvento
{

// Paints the style's focus frame for `widget` on `surface` (the widget or its
// viewport) within `rect`, also before the first Tab.
void paintFocusFrame(QWidget &widget, QWidget &surface, const QRect &rect);

// Paints a list's focus around its inside while no row is current: the view
// marks only a current row, so an empty list or one with no row chosen would
// take the focus unseen. Called at the end of the list's paintEvent.
void paintFocusWithoutCurrent(QAbstractItemView &view);

} // namespace kalvento
