#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace kalvento
{

// What the form resizer needs of a control, whatever its kind. A property
// the control does not have reads as nullopt; a write it refuses returns
// false. Values are in the form's units (twips).
class ResizableControl
{
public:
    enum class Prop { Left, Top, Width, Height, X1, Y1, X2, Y2 };

    virtual ~ResizableControl() = default;

    virtual QString name() const = 0;
    // nullopt when the control is not a member of a control array.
    virtual std::optional<int32_t> index() const = 0;
    // Line controls are placed through X1, Y1, X2, Y2, never through Move.
    virtual bool isLine() const = 0;
    virtual std::optional<double> value(Prop prop) const = 0;
    virtual bool setValue(Prop prop, double value) = 0;
    // Move with two, three or four values (left, top, width, height).
    virtual bool move(double left, double top, std::optional<double> width, std::optional<double> height) = 0;
    virtual bool setIntegralHeight(bool on) = 0;
};

} // namespace kalvento
