#pragma once

#include <QIcon>
#include <QString>

namespace kalvento
{

// The symbols of the editors' tool-bar buttons that carry no caption, drawn
// here so every button fits the bar: a bold "F", an italic "K", an
// underlined "U", a struck "S", the font and colour letters, the background
// swatch, bullets, the three alignments, the clipboard and the close cross.
// An unknown key gives a null icon.
QIcon toolGlyph(const QString &key);

} // namespace kalvento
