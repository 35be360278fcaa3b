#pragma once

#include "platform/com/AutomationObject.h"
#include "platform/com/Dispatched.h"

namespace ostrevo
{

// The node an event names, as the host sees it: its key and text at the time.
class TreeNode : public com::Dispatched<TreeNode, com::AutomationObject>
{
public:
    TreeNode(QString key, QString text);

    static void describe(com::Dispatcher<TreeNode> &d);

    const QString key;
    const QString text;
};

} // namespace ostrevo
