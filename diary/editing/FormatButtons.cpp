#include "diary/editing/FormatButtons.h"

#include "diary/editing/ToolGlyphs.h"
#include "diary/outsidecontrols/KeyedToolBar.h"

#include <QAction>

namespace kalvento
{

namespace
{

QAction *addSymbol(KeyedToolBar &bar, const char *key, const QString &toolTip,
                   KeyedToolBar::Kind kind = KeyedToolBar::Push, int group = 0)
{
    const QString name = QString::fromLatin1(key);
    return bar.addButton(name, toolGlyph(name), toolTip, kind, group);
}

} // namespace

void addFormatButtons(KeyedToolBar &bar)
{
    using Kind = KeyedToolBar::Kind;
    addSymbol(bar, "fett", QStringLiteral("Fett"), Kind::Toggle, 1);
    addSymbol(bar, "kursiv", QStringLiteral("Kursiv"), Kind::Toggle, 1);
    addSymbol(bar, "unterstrichen", QStringLiteral("Unterstrichen"), Kind::Toggle, 1);
    addSymbol(bar, "durchgestrichen", QStringLiteral("Durchgestrichen"), Kind::Toggle, 1);
    bar.addSeparator();
    addSymbol(bar, "schriftart", QStringLiteral("Schriftart"));
    addSymbol(bar, "schriftfarbe", QStringLiteral("Schriftfarbe"));
    addSymbol(bar, "hintergrund", QStringLiteral("Hintergrund"));
    bar.addButtonMenu(QStringLiteral("hintergrund"), {QStringLiteral("Menu 1")});
    bar.addSeparator();
    addSymbol(bar, "aufzaehlung", QStringLiteral("Aufzählung"));
    bar.addSeparator();
    addSymbol(bar, "links", QStringLiteral("Linksbündig"), Kind::Option, 2)->setChecked(true);
    addSymbol(bar, "mitte", QStringLiteral("Zentriert"), Kind::Option, 2);
    addSymbol(bar, "rechts", QStringLiteral("Rechtsbündig"), Kind::Option, 2);
}

} // namespace kalvento
