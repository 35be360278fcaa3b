#include "controls/tree/TreeNode.h"

#include "platform/com/Dispatcher.h"

using namespace com;

namespace ostrevo {

namespace {

const Dispatcher<TreeNode> &dispatcher()
{
    static const Dispatcher<TreeNode> table = [] {
        Dispatcher<TreeNode> d(TypeInfo::forClass(QStringLiteral("Node"), QString()));
        d.readOnly(QStringLiteral("Key"), 0, VarType::String, [](TreeNode &self) { return Variant(self.key); });
        d.readOnly(QStringLiteral("Text"), 1, VarType::String, [](TreeNode &self) { return Variant(self.text); });
        return d;
    }();
    return table;
}

} // namespace

TreeNode::TreeNode(QString key, QString text) : key(std::move(key)), text(std::move(text)) {}

const TypeInfo &TreeNode::staticTypeInfo()
{
    return dispatcher().typeInfo();
}

Variant TreeNode::invoke(int32_t dispid, Accessor kind, Args &args)
{
    return dispatcher().invoke(*this, dispid, kind, args);
}

} // namespace ostrevo
