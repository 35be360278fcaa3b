#include "controls/tree/TreeNode.h"

#include "platform/com/Dispatcher.h"

using namespace com;

namespace ostrevo
{

void TreeNode::describe(Dispatcher<TreeNode> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("Node"), QString()));
    d.readOnly(QStringLiteral("Key"), 0, VarType::String, [](TreeNode &self) { return Variant(self.key); });
    d.readOnly(QStringLiteral("Text"), 1, VarType::String, [](TreeNode &self) { return Variant(self.text); });
}

TreeNode::TreeNode(QString key, QString text) : key(std::move(key)), text(std::move(text)) {}

} // namespace ostrevo
