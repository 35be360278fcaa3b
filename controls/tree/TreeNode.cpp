#include "controls/tree/TreeNode.h"

#include "controls/tree/TreeEx.h"
#include "controls/tree/TreeView.h"
#include "platform/com/AutomationError.h"
#include "platform/com/Dispatcher.h"

using namespace com;

namespace ostrevo
{

namespace
{

constexpr int NodeDeleted = 35605;

} // namespace

TreeNode::TreeNode(TreeEx &tree, qint64 id) : m_tree(&tree), m_id(id) {}

void TreeNode::describe(Dispatcher<TreeNode> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("Node"), QString()));
    d.readOnly<QString>(QStringLiteral("Key"), 0, [](TreeNode &self) { return TreeEx::keyOf(self.item()); });
    d.property<QString>(
        QStringLiteral("Text"), 1, [](TreeNode &self) { return self.item().text(0); },
        [](TreeNode &self, const QString &text) { self.item().setText(0, text); });
    // The texts from the root down, joined by the tree's separator.
    d.readOnly<QString>(QStringLiteral("FullPath"), 2, [](TreeNode &self) {
        QStringList texts;
        for (const QTreeWidgetItem *it = &self.item(); it; it = it->parent())
            texts.prepend(it->text(0));
        return texts.join(QLatin1Char('\\'));
    });
    // Opening fills the level at once, through the tree's own notification.
    d.property<bool>(
        QStringLiteral("Expanded"), 3, [](TreeNode &self) { return self.item().isExpanded(); },
        [](TreeNode &self, bool open) { self.item().setExpanded(open); });
    d.readOnly(
        QStringLiteral("Parent"), 4, VarType::Object,
        [](TreeNode &self) { return self.nodeOrNothing(self.item().parent()); }, QStringLiteral("Node"));
    d.readOnly<int16_t>(QStringLiteral("Children"), 5,
                        [](TreeNode &self) { return int16_t(self.item().childCount()); });
    d.readOnly(
        QStringLiteral("Child"), 6, VarType::Object,
        [](TreeNode &self) {
            QTreeWidgetItem &item = self.item();
            return self.nodeOrNothing(item.childCount() ? item.child(0) : nullptr);
        },
        QStringLiteral("Node"));
    d.readOnly(
        QStringLiteral("Next"), 7, VarType::Object,
        [](TreeNode &self) {
            QTreeWidgetItem &item = self.item();
            QTreeWidgetItem *parent = item.parent();
            QTreeWidget *view = item.treeWidget();
            const int at = parent ? parent->indexOfChild(&item) : view->indexOfTopLevelItem(&item);
            const int count = parent ? parent->childCount() : view->topLevelItemCount();
            QTreeWidgetItem *next = nullptr;
            if (at + 1 < count)
                next = parent ? parent->child(at + 1) : view->topLevelItem(at + 1);
            return self.nodeOrNothing(next);
        },
        QStringLiteral("Node"));
    d.readOnly<int32_t>(QStringLiteral("Index"), 8,
                        [](TreeNode &self) { return self.tree().indexOf(self.item()); });
    d.property<Variant>(
        QStringLiteral("Tag"), 9, [](TreeNode &self) { return self.tree().tagOf(self.item()); },
        [](TreeNode &self, const Variant &tag) { self.tree().setTag(self.item(), tag); });
    d.property<bool>(
        QStringLiteral("Selected"), 10,
        [](TreeNode &self) { return self.item().treeWidget()->currentItem() == &self.item(); },
        [](TreeNode &self, bool selected) {
            QTreeWidgetItem &item = self.item();
            QTreeWidget *view = item.treeWidget();
            if (selected)
                view->setCurrentItem(&item);
            else if (view->currentItem() == &item)
                view->setCurrentItem(nullptr);
        });
}

TreeEx &TreeNode::tree() const
{
    if (!m_tree)
        raiseError(NodeDeleted, QStringLiteral("Das Steuerelement wurde gelöscht"));
    return *m_tree;
}

QTreeWidgetItem &TreeNode::item() const
{
    QTreeWidgetItem *item = tree().nodeById(m_id);
    if (!item)
        raiseError(NodeDeleted, QStringLiteral("Das Steuerelement wurde gelöscht"));
    return *item;
}

Variant TreeNode::nodeOrNothing(QTreeWidgetItem *item) const
{
    return item ? Variant::fromObject(tree().nodeObject(*item)) : Variant::fromObject(nullptr);
}

} // namespace ostrevo
