#include "platform/runtime/ScreenSource.h"

namespace rt
{

ScreenSource::~ScreenSource() = default;

} // namespace rt
