#include "platform/runtime/CursorSource.h"

namespace rt
{

CursorSource::~CursorSource() = default;

} // namespace rt
