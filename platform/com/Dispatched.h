#pragma once

#include "platform/com/Dispatcher.h"

namespace com
{

// The base of every class reached late-bound. A class states its identity and
// its members once, in one static describe(Dispatcher<Self> &); the type
// information and the dispatch come from there:
//
//     class Line3D : public com::Dispatched<Line3D, com::Control> {
//     public:
//         static void describe(com::Dispatcher<Line3D> &d);
//     };
//
// A control whose persisted properties are declared with persist() reads and
// writes its bag through readDeclared() and writeDeclared().
template <class Self, class Base> class Dispatched : public Base
{
public:
    using Base::Base;

    static const TypeInfo &staticTypeInfo() { return table().typeInfo(); }
    const TypeInfo &typeInfo() const override { return staticTypeInfo(); }
    Variant invoke(int32_t dispid, Accessor kind, Args &args) override
    {
        return table().invoke(self(), dispid, kind, args);
    }

protected:
    static const Dispatcher<Self> &table()
    {
        static const Dispatcher<Self> described = [] {
            Dispatcher<Self> d;
            Self::describe(d);
            return d;
        }();
        return described;
    }

    void readDeclared(const PropertyBag &bag) { table().readBag(self(), bag); }
    void writeDeclared(PropertyBag &bag) { table().writeBag(self(), bag); }

private:
    Self &self() { return static_cast<Self &>(*this); }
};

} // namespace com
