#pragma once

class QAbstractItemView;

namespace kalvento
{

// Paints a list's focus around its inside while no row is current: the view
// marks only a current row, so an empty list or one with no row chosen would
// take the focus unseen. Called at the end of the list's paintEvent.
void paintFocusWithoutCurrent(QAbstractItemView &view);

} // namespace kalvento
