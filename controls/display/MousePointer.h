#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QWidget;

namespace com
{
class StdPicture;
}

namespace ostrevo
{

// The platform's mouse-pointer numbers, as the controls' MousePointer
// properties take them: 0 (the default) to 15, and 99 for the control's own
// icon.
constexpr int16_t MouseIconPointer = 99;

// The German names of these numbers as a control's enumeration declares
// them: each control keeps its own copy, the names behind its prefix and the
// own icon under a name of its own.
std::vector<std::pair<QString, int32_t>> mousePointerConstants(const QString &prefix,
                                                               const QString &iconName);

bool isMousePointer(int32_t value);
// A MousePointer let's value: error 6 outside 16 bits, 380 for a number that
// is no pointer.
int16_t checkedMousePointer(int32_t value);

// Shows the pointer over the widget; 99 without an icon shows the default.
void applyMousePointer(QWidget &widget, int16_t pointer, const std::shared_ptr<com::StdPicture> &icon);

} // namespace ostrevo
