#include "diary/outsidecontrols/OfficeMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace kalvento
{

OfficeMenu::OfficeMenu(QMenuBar *menuBar, QObject *parent) : QObject(parent), m_menuBar(menuBar)
{
    applyMarkupToMenus();
}

void OfficeMenu::applyMarkup(QAction &entry)
{
    QString caption = entry.text();
    QFont font = entry.font();
    bool marked = false;
    for (;;) {
        if (caption.startsWith(QLatin1String("@B"), Qt::CaseInsensitive))
            font.setBold(true);
        else if (caption.startsWith(QLatin1String("@I"), Qt::CaseInsensitive))
            font.setItalic(true);
        else
            break;
        caption.remove(0, 2);
        marked = true;
    }
    if (!marked)
        return;
    entry.setFont(font);
    entry.setText(caption);
}

void OfficeMenu::applyMarkupToMenus()
{
    if (!m_menuBar)
        return;
    QList<QAction *> pending = m_menuBar->actions();
    while (!pending.isEmpty()) {
        QAction *entry = pending.takeFirst();
        applyMarkup(*entry);
        if (QMenu *sub = entry->menu())
            pending += sub->actions();
    }
}

QString OfficeMenu::styleSheetFor(int style)
{
    // Each look gives the bar, the menus and the highlighted entry their own
    // colours and frame; the menus inherit the bar's sheet as its children.
    struct Colors {
        const char *bar, *menu, *itemText, *hover, *hoverBorder, *border;
    };
    Colors c{};
    switch (style) {
    case XP:
        c = {"#ece9d8", "#ffffff", "#000000", "#c1d2ee", "#316ac5", "#8a867a"};
        break;
    case Office2003:
        c = {"#c3daf9", "#f6f6f6", "#000000", "#ffeec2", "#000080", "#002d96"};
        break;
    case Office2007:
        c = {"#d5e4f2", "#fafafa", "#15428b", "#fde19d", "#dbce99", "#868686"};
        break;
    case VS2005:
        c = {"#f1f0e6", "#fcfcf9", "#000000", "#c1d2ee", "#316ac5", "#8a867a"};
        break;
    default:
        return QString();
    }
    return QStringLiteral("QMenuBar { background: %1; color: %3; }"
                          "QMenuBar::item:selected { background: %4; border: 1px solid %5; }"
                          "QMenu { background: %2; color: %3; border: 1px solid %6; }"
                          "QMenu::item:selected { background: %4; border: 1px solid %5; }"
                          "QMenu::item:disabled { color: #a0a0a0; }")
        .arg(QLatin1String(c.bar), QLatin1String(c.menu), QLatin1String(c.itemText), QLatin1String(c.hover),
             QLatin1String(c.hoverBorder), QLatin1String(c.border));
}

void OfficeMenu::setStyle(int style)
{
    m_style = style;
    if (m_menuBar)
        m_menuBar->setStyleSheet(styleSheetFor(style));
    // Entries added since are drawn with their formatting too.
    applyMarkupToMenus();
}

} // namespace kalvento
