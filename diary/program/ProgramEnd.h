#pragma once

#include <functional>

namespace kalvento
{

// Ends the program from the start-up windows. Tests put a hook of their own
// here so the end can be seen without ending the test.
class ProgramEnd
{
public:
    static void end();
    // An empty hook restores the default: leave the event loop.
    static void setHook(std::function<void()> hook);
    // From now on the program ends once its last form is unloaded, however
    // that form was closed (its close box, Alt+F4, its own code).
    static void endWithLastForm();
};

} // namespace kalvento
