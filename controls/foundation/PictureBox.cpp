#include "controls/foundation/PictureBox.h"

namespace ostrevo
{

PictureBox::~PictureBox() = default;

} // namespace ostrevo
