#pragma once

#include "platform/com/Control.h"
#include "platform/com/Dispatcher.h"

// A small control with one member of each kind: typed properties with
// defaults, a method that raises, an event with a by-reference argument.
class CounterControl : public com::Control
{
public:
    CounterControl();
    static const com::TypeInfo &staticTypeInfo();
    const com::TypeInfo &typeInfo() const override { return staticTypeInfo(); }
    com::Variant invoke(int32_t dispid, com::Accessor kind, com::Args &args) override;

    void initProperties() override;
    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

private:
    static const com::Dispatcher<CounterControl> &dispatcher();
    int16_t increment();

    int16_t m_value = 0;
    int16_t m_step = 1;
    QString m_caption;
    bool m_enabled = true;
    uint32_t m_backColor = 0x8000000F;
};
