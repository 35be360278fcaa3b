#pragma once

#include <QString>
#include <QStringList>

namespace help
{

// The style of a help page as the page view takes it: a help file's style
// sheet or style attribute rebuilt from simple selectors and the few
// properties help pages use, each value read and bounded. Everything else
// (at-rules such as @import, addresses, unknown properties) is left out.
class HelpStyle
{
public:
    // The rules of a style sheet; `selectors` (if given) counts the
    // selectors kept, each of which the text engine matches apart.
    static QString sheet(const QString &css, int *selectors = nullptr);
    // The declarations of a style attribute, "name: value; ...".
    static QString declarations(const QString &style);
    // A colour as "#rrggbb"; empty when it is none.
    static QString color(const QString &value);
    // The font names of a list such as "DejaVu Sans", serif.
    static QStringList fontNames(const QString &value);
};

} // namespace help
