#pragma once

#include "platform/com/AutomationError.h"

namespace com
{

// Runs a step whose automation errors the caller must swallow (an event
// handler, a resize, a page applying its values): true when it ran through.
// Anything else, running out of memory above all, still reaches the caller.
template <class Step> bool ignoringErrors(Step &&step)
{
    try {
        step();
        return true;
    } catch (const AutomationError &) {
        return false;
    }
}

} // namespace com
