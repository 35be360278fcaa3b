#pragma once

#include "platform/com/AutomationObject.h"

namespace ostrevo {

// The node an event names, as the host sees it: its key and text at the time.
class TreeNode : public com::AutomationObject {
public:
    TreeNode(QString key, QString text);

    static const com::TypeInfo &staticTypeInfo();
    const com::TypeInfo &typeInfo() const override { return staticTypeInfo(); }
    com::Variant invoke(int32_t dispid, com::Accessor kind, com::Args &args) override;

    const QString key;
    const QString text;
};

} // namespace ostrevo
