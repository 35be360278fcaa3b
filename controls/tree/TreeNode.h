#pragma once

#include "platform/com/AutomationObject.h"
#include "platform/com/Dispatched.h"

#include <QPointer>

class QTreeWidgetItem;

namespace ostrevo
{

class TreeEx;

// A node of the folder tree as the host sees it: a live view of one item,
// reached through its tree, so that what the host reads or sets is the
// tree's state at that moment. Once the item has left the tree (its parent
// was closed, the roots were rebuilt) every member fails.
class TreeNode : public com::Dispatched<TreeNode, com::AutomationObject>
{
public:
    TreeNode(TreeEx &tree, qint64 id);

    static void describe(com::Dispatcher<TreeNode> &d);

    // The item, or error 35605 when it is no longer in the tree.
    QTreeWidgetItem &item() const;
    TreeEx &tree() const;

private:
    com::Variant nodeOrNothing(QTreeWidgetItem *item) const;

    QPointer<TreeEx> m_tree;
    const qint64 m_id;
};

} // namespace ostrevo
