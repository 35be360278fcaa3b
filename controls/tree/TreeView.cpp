#include "controls/tree/TreeView.h"

#include "platform/gdi/SystemColors.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace ostrevo
{

// Draws the hot node as a link and hands an edited label to the tree's
// owner before it is taken.
class TreeView::Delegate : public QStyledItemDelegate
{
public:
    explicit Delegate(TreeView &view) : QStyledItemDelegate(&view), m_view(view) {}

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        auto *line = qobject_cast<QLineEdit *>(editor);
        if (!line)
            return;
        QString text = line->text();
        QTreeWidgetItem *item = m_view.itemFromIndex(index);
        if (m_view.afterLabelEdit && item && !m_view.afterLabelEdit(item, text))
            return;
        model->setData(index, text, Qt::EditRole);
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!m_view.isHot(index))
            return;
        const gdi::ColorRef c = gdi::sysColor(gdi::ColorHotLight);
        const QColor hot = gdi::toQColor(c);
        option->font.setUnderline(true);
        option->palette.setColor(QPalette::Text, hot);
        option->palette.setColor(QPalette::HighlightedText, hot);
    }

private:
    TreeView &m_view;
};

TreeView::TreeView(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setMouseTracking(true);
    setItemDelegate(new Delegate(*this));
    setAutomaticLabelEdit(false);
    showSelection();
}

void TreeView::setAutomaticLabelEdit(bool automatic)
{
    setEditTriggers(automatic ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                              : QAbstractItemView::NoEditTriggers);
}

bool TreeView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    QTreeWidgetItem *item = itemFromIndex(index);
    // Only a request the triggers allow opens a label; asking the owner
    // for every other one would raise its event for nothing.
    if (!item || trigger == QAbstractItemView::NoEditTriggers || !(editTriggers() & trigger) ||
        state() == EditingState)
        return QTreeWidget::edit(index, trigger, event);
    // A click on the selected node only arms the delayed opening (a double
    // click may still follow); the owner is asked when the label opens.
    const bool opens = trigger != QAbstractItemView::SelectedClicked;
    if (opens && beforeLabelEdit && !beforeLabelEdit(item))
        return false;
    // Editable only for this request, so that nothing else starts an edit.
    const Qt::ItemFlags flags = item->flags();
    item->setFlags(flags | Qt::ItemIsEditable);
    const bool done = QTreeWidget::edit(index, trigger, event);
    item->setFlags(flags);
    return done;
}

void TreeView::setHideSelection(bool hide)
{
    m_hideSelection = hide;
    showSelection();
}

// A hidden selection keeps the rows in their ground colours.
void TreeView::showSelection()
{
    QPalette look = QApplication::palette(this);
    if (m_hideSelection && !hasFocus()) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            look.setColor(group, QPalette::Highlight, look.color(group, QPalette::Base));
            look.setColor(group, QPalette::HighlightedText, look.color(group, QPalette::Text));
        }
    }
    setPalette(look);
}

void TreeView::setHotTracking(bool on)
{
    m_hotTracking = on;
    if (!on)
        setHot({});
}

QTreeWidgetItem *TreeView::hotItem() const
{
    return m_hot.isValid() ? itemFromIndex(m_hot) : nullptr;
}

bool TreeView::isHot(const QModelIndex &index) const
{
    return m_hotTracking && m_hot.isValid() && index == m_hot;
}

void TreeView::setHot(const QModelIndex &index)
{
    if (index == m_hot)
        return;
    const QModelIndex before = m_hot;
    m_hot = index;
    if (before.isValid())
        viewport()->update(visualRect(before));
    if (index.isValid())
        viewport()->update(visualRect(index));
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
    if (m_hotTracking)
        setHot(indexAt(event->position().toPoint()));
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

// The pointer leaving the nodes' area leaves the hot node.
bool TreeView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave)
        setHot({});
    return QTreeWidget::viewportEvent(event);
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
    showSelection();
    report(event);
}

void TreeView::focusOutEvent(QFocusEvent *event)
{
    QTreeWidget::focusOutEvent(event);
    showSelection();
    report(event);
}

} // namespace ostrevo
