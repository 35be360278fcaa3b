#include "diary/FormatButtons.h"

#include "diary/KeyedToolBar.h"

#include <QAction>
#include <QFont>
#include <QWidget>

namespace kalvento {

namespace {

// A character toggle shows its letter in its own format.
void addCharacterToggle(KeyedToolBar &bar, const QString &key, const QString &letter, const QString &toolTip,
                        void (QFont::*style)(bool))
{
    QAction *action = bar.addButton(key, letter, toolTip, KeyedToolBar::Toggle, 1);
    QFont font = action->font();
    (font.*style)(true);
    action->setFont(font);
}

} // namespace

void addFormatButtons(KeyedToolBar &bar)
{
    using Kind = KeyedToolBar::Kind;
    addCharacterToggle(bar, QStringLiteral("fett"), QStringLiteral("F"), QStringLiteral("Fett"),
                       &QFont::setBold);
    addCharacterToggle(bar, QStringLiteral("kursiv"), QStringLiteral("K"), QStringLiteral("Kursiv"),
                       &QFont::setItalic);
    addCharacterToggle(bar, QStringLiteral("unterstrichen"), QStringLiteral("U"),
                       QStringLiteral("Unterstrichen"), &QFont::setUnderline);
    addCharacterToggle(bar, QStringLiteral("durchgestrichen"), QStringLiteral("S"),
                       QStringLiteral("Durchgestrichen"), &QFont::setStrikeOut);
    bar.addSeparator();
    bar.addButton(QStringLiteral("schriftart"), QStringLiteral("Aa"), QStringLiteral("Schriftart"));
    bar.addButton(QStringLiteral("schriftfarbe"), QStringLiteral("A\u0332"), QStringLiteral("Schriftfarbe"));
    bar.addButton(QStringLiteral("hintergrund"), QStringLiteral("\u25A7"), QStringLiteral("Hintergrund"));
    bar.addButtonMenu(QStringLiteral("hintergrund"), {QStringLiteral("Menu 1")});
    bar.addSeparator();
    bar.addButton(QStringLiteral("aufzaehlung"), QStringLiteral("\u2022\u2261"),
                  QStringLiteral("Aufzählung"));
    bar.addSeparator();
    bar.addButton(QStringLiteral("links"), QStringLiteral("\u2190"), QStringLiteral("Linksbündig"),
                  Kind::Option, 2)
        ->setChecked(true);
    bar.addButton(QStringLiteral("mitte"), QStringLiteral("\u2194"), QStringLiteral("Zentriert"),
                  Kind::Option, 2);
    bar.addButton(QStringLiteral("rechts"), QStringLiteral("\u2192"), QStringLiteral("Rechtsbündig"),
                  Kind::Option, 2);
}

} // namespace kalvento
