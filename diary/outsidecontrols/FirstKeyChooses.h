#pragma once

#include <QAbstractItemView>

#include <algorithm>

class QFocusEvent;

namespace kalvento
{

// A list that takes the focus without choosing a row: the view would make its
// first row current unseen, so a command would act on a row nobody chose, and
// the first arrow key would pass that row by. While no row is chosen a cursor
// key chooses as from before the first row: End the last row, PageDown the
// last one the first page shows whole, every other key the first row.
template <class View> class FirstKeyChooses : public View
{
public:
    using View::View;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        m_takingFocus = true;
        View::focusInEvent(event);
        m_takingFocus = false;
    }

    QModelIndex moveCursor(QAbstractItemView::CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        if (m_takingFocus)
            return {};
        // The view itself moves from its first row when none is current,
        // whatever the key.
        if (this->currentIndex().isValid())
            return View::moveCursor(action, modifiers);
        const int rows = this->model() ? this->model()->rowCount(this->rootIndex()) : 0;
        if (rows == 0)
            return {};
        int row = 0;
        if (action == View::MoveEnd) {
            row = rows - 1;
        } else if (action == View::MovePageDown) {
            const int rowHeight = std::max(1, this->sizeHintForRow(0));
            row = std::clamp(this->viewport()->height() / rowHeight - 1, 0, rows - 1);
        }
        return this->model()->index(row, 0, this->rootIndex());
    }

private:
    bool m_takingFocus = false;
};

} // namespace kalvento
