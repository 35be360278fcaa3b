#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMenuBar;

namespace kalvento
{

// The outside menu-look control: draws its window's menu bar and menus in
// one of four looks, chosen by Style (2 XP, 3 Office 2003, 4 Office 2007,
// 5 Visual Studio 2005). Other values keep the plain look of the platform.
// A caption may begin with formatting codes, "@B" bold and "@I" italic
// ("@B@I&Copyright"): the entry is drawn so, the codes never shown.
class OfficeMenu : public QObject
{
    Q_OBJECT
public:
    enum Look { XP = 2, Office2003 = 3, Office2007 = 4, VS2005 = 5 };

    OfficeMenu(QMenuBar *menuBar, QObject *parent);

    int Style() const { return m_style; }
    void setStyle(int style);

    // The style sheet of a look; empty for the plain look.
    static QString styleSheetFor(int style);
    // Takes the formatting codes off the entry's caption into its font.
    static void applyMarkup(QAction &entry);

private:
    void applyMarkupToMenus();

    QPointer<QMenuBar> m_menuBar;
    int m_style = 0;
};

} // namespace kalvento
