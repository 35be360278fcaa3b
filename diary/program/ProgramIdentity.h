#pragma once

#include "platform/runtime/App.h"

namespace kalvento
{

// The diary's name, the variables that may point its program folder and stored
// settings elsewhere, and the folder of its settings. Inline, so the tests'
// shared start-up can hand it to the runtime without linking the diary.
inline rt::ApplicationIdentity programIdentity()
{
    return {QStringLiteral("Kalvento"), QStringLiteral("KALVENTO_HOME"), QStringLiteral("KALVENTO_SETTINGS"),
            QStringLiteral("kalvento")};
}

} // namespace kalvento
