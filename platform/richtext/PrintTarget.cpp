#include "platform/richtext/PrintTarget.h"

namespace richtext
{

PrintTarget::~PrintTarget() = default;

} // namespace richtext
