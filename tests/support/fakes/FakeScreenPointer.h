#pragma once

#include "platform/screen/ScreenPointer.h"

#include <vector>

namespace screen
{

// Remembers every pointer set.
class FakeScreenPointer : public ScreenPointer
{
public:
    std::vector<int> history;
    void setPointer(int pointer) override { history.push_back(pointer); }
    int pointer() const override { return history.empty() ? 0 : history.back(); }
};

} // namespace screen
