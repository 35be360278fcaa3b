#include "platform/richtext/ClipboardSource.h"

namespace richtext {

ClipboardSource::~ClipboardSource() = default;

} // namespace richtext
