#pragma once

namespace kalvento
{

class KeyedToolBar;

// The formatting buttons both editor tool bars start with: the four
// character toggles, font, font colour, background with its drop-down,
// bullets and the three alignments ("links" pressed).
void addFormatButtons(KeyedToolBar &bar);

} // namespace kalvento
