#pragma once

#include <QPersistentModelIndex>
#include <QTreeWidget>
#include <functional>

namespace ostrevo
{

// The visible tree. Reports its input after handling it itself, so that a
// click has already been taken by the node under it when the host hears of it.
class TreeView : public QTreeWidget
{
public:
    explicit TreeView(QWidget *parent = nullptr);

    std::function<void(QEvent *)> inputObserver;
    // Asked before a label opens for editing: false keeps it closed.
    std::function<bool(QTreeWidgetItem *)> beforeLabelEdit;
    // Asked with the edited text, which it may change: false keeps the old label.
    std::function<bool(QTreeWidgetItem *, QString &)> afterLabelEdit;

    // Automatic editing opens a selected node's label when it is clicked
    // again or on F2; manual editing leaves the labels to the program.
    void setAutomaticLabelEdit(bool automatic);
    // The selection shows only while the tree has the focus.
    void setHideSelection(bool hide);
    // The node under the pointer is drawn as a link: underlined, in the hot colour.
    void setHotTracking(bool on);
    QTreeWidgetItem *hotItem() const;
    bool isHot(const QModelIndex &index) const;

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    class Delegate;

    void report(QEvent *event);
    void setHot(const QModelIndex &index);
    void showSelection();

    bool m_hideSelection = true;
    bool m_hotTracking = false;
    QPersistentModelIndex m_hot;
};

} // namespace ostrevo
