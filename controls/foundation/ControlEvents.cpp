#include "controls/foundation/ControlEvents.h"

#include "platform/runtime/KeyCodes.h"

#include <QKeyEvent>
#include <QMouseEvent>

using com::ParamInfo;
using com::VarType;
using rt::KeyCodes;

namespace ostrevo
{

std::vector<ParamInfo> mouseEventParams()
{
    return {{QStringLiteral("Button"), VarType::Integer, true},
            {QStringLiteral("Shift"), VarType::Integer, true},
            {QStringLiteral("x"), VarType::Single, true},
            {QStringLiteral("y"), VarType::Single, true}};
}

std::vector<ParamInfo> keyEventParams()
{
    return {{QStringLiteral("KeyCode"), VarType::Integer, true},
            {QStringLiteral("Shift"), VarType::Integer, true}};
}

std::vector<ParamInfo> keyPressParams()
{
    return {{QStringLiteral("KeyAscii"), VarType::Integer, true}};
}

com::Args mouseEventArgs(const QMouseEvent &event, bool move, float x, float y)
{
    const int button = move ? KeyCodes::mouseButtons(event.buttons()) : KeyCodes::mouseButton(event.button());
    return {com::Variant::fromInteger(static_cast<int16_t>(button)),
            com::Variant::fromInteger(static_cast<int16_t>(KeyCodes::shiftBits(event.modifiers()))),
            com::Variant::fromSingle(x), com::Variant::fromSingle(y)};
}

com::Args keyEventArgs(const QKeyEvent &event)
{
    return {com::Variant::fromInteger(int16_t(rt::KeyCodes::keyCode(event))),
            com::Variant::fromInteger(int16_t(rt::KeyCodes::shiftBits(event.modifiers())))};
}

} // namespace ostrevo
