#pragma once

#include <cstdint>

class QWidget;

namespace ostrevo
{

// The number a control hands out as its window handle: the same for the
// same widget as long as it lives, different for every widget.
int32_t hwndOf(QWidget &widget);

} // namespace ostrevo
