#pragma once

#include "platform/com/InProcessServer.h"

namespace ostrevo
{

// The library's server frame: every class it serves.
com::InProcessServer &server();

} // namespace ostrevo
