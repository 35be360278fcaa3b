#include "controls/tree/TreeView.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace ostrevo
{

TreeView::TreeView(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setMouseTracking(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void TreeView::report(QEvent *event)
{
    if (inputObserver)
        inputObserver(event);
}

void TreeView::mousePressEvent(QMouseEvent *event)
{
    QTreeWidget::mousePressEvent(event);
    report(event);
}

void TreeView::mouseMoveEvent(QMouseEvent *event)
{
    QTreeWidget::mouseMoveEvent(event);
    report(event);
}

void TreeView::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeWidget::mouseReleaseEvent(event);
    report(event);
}

void TreeView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    report(event);
}

void TreeView::keyPressEvent(QKeyEvent *event)
{
    QTreeWidget::keyPressEvent(event);
    report(event);
}

void TreeView::keyReleaseEvent(QKeyEvent *event)
{
    QTreeWidget::keyReleaseEvent(event);
    report(event);
}

void TreeView::focusInEvent(QFocusEvent *event)
{
    QTreeWidget::focusInEvent(event);
    report(event);
}

void TreeView::focusOutEvent(QFocusEvent *event)
{
    QTreeWidget::focusOutEvent(event);
    report(event);
}

} // namespace ostrevo
