#pragma once

#include "platform/com/Dispatcher.h"
#include "platform/com/PropertyPage.h"

namespace ostrevo {

class AboutLink;

// The property page that identifies the library beside the controls' own
// pages. It changes nothing, so it has nothing to apply.
class Info : public com::PropertyPage {
    Q_OBJECT
public:
    Info();
    static const com::TypeInfo &staticTypeInfo();
    const com::TypeInfo &typeInfo() const override { return staticTypeInfo(); }
    com::Variant invoke(int32_t dispid, com::Accessor kind, com::Args &args) override;
    AboutLink *lblButton() const { return m_link; }

private:
    void lblButton_Click();
    AboutLink *m_link = nullptr;
};

} // namespace ostrevo
