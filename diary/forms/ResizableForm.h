#pragma once

#include "diary/forms/ResizableControl.h"

#include <QString>
#include <vector>

namespace kalvento
{

// What the form resizer needs of a form: its name, its position and inner
// size in its own units, its visibility and its controls in the form's order.
class ResizableForm
{
public:
    virtual ~ResizableForm() = default;

    virtual QString name() const = 0;
    virtual double top() const = 0;
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;
    virtual bool visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    // Not owned; valid until the form's controls change.
    virtual std::vector<ResizableControl *> controls() = 0;
};

} // namespace kalvento
