#pragma once

#include "platform/com/Dispatcher.h"
#include "platform/com/PropertyPage.h"

class QLineEdit;

// The counter's property page: one field for its Step, which the counter
// refuses to be 0, so a host's Apply can meet a refusal.
class StepPage : public com::PropertyPage
{
public:
    StepPage();
    static const com::TypeInfo &staticTypeInfo();
    const com::TypeInfo &typeInfo() const override { return staticTypeInfo(); }
    com::Variant invoke(int32_t dispid, com::Accessor kind, com::Args &args) override;

protected:
    void selectionChanged() override;
    void applyChanges() override;

private:
    QLineEdit *m_txtStep;
};
