#include "platform/com/Collection.h"

#include "platform/com/AutomationError.h"
#include "platform/com/Dispatcher.h"

namespace com
{

void Collection::describe(Dispatcher<Collection> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("Collection"), QStringLiteral("Collection"),
                                  QStringLiteral("{F80D9382-8127-4D21-891B-B3CA57C0EF2C}"),
                                  QStringLiteral("{FFBAF6B2-FA2D-4363-A184-30412150B8C6}")));
    d.method(QStringLiteral("Item"), 0, VarType::Variant, {{QStringLiteral("Index"), VarType::Variant}},
             [](Collection &self, Args &args) { return self.item(args.at(0).toLong()); });
    d.method(QStringLiteral("Add"), 1, VarType::Empty, {{QStringLiteral("Item"), VarType::Variant}},
             [](Collection &self, Args &args) {
                 self.add(args.at(0));
                 return Variant();
             });
    d.readOnly(QStringLiteral("Count"), 2, VarType::Long,
               [](Collection &self) { return Variant::fromLong(self.count()); });
}

const Variant &Collection::item(int index) const
{
    if (index < 1 || index > count())
        raiseError(ErrSubscript);
    return m_items[size_t(index - 1)];
}

} // namespace com
