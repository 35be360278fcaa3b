#include "diary/outsidecontrols/OfficeMenu.h"
#include "tests/support/TestMain.h"

#include <QMenu>
#include <QMenuBar>

using kalvento::OfficeMenu;

// Each menu look must draw the bar and its menus differently.
class TestOfficeMenu : public QObject
{
    Q_OBJECT
private slots:
    void everyLookDrawsItsOwnMenus()
    {
        QWidget window;
        QMenuBar bar(&window);
        QMenu *menu = bar.addMenu(QStringLiteral("&Einstellungen"));
        menu->addAction(QStringLiteral("&XP-Design"));
        menu->addAction(QStringLiteral("Office 200&3 Design"))->setEnabled(false);
        bar.resize(300, 24);
        OfficeMenu look(&bar, &window);

        QList<QImage> bars;
        QList<QImage> menus;
        for (int style : {0, 2, 3, 4, 5}) {
            look.setStyle(style);
            QCOMPARE(look.Style(), style);
            bars << bar.grab().toImage();
            menu->ensurePolished();
            menus << menu->grab().toImage();
        }
        for (int i = 0; i < bars.size(); ++i)
            for (int j = i + 1; j < bars.size(); ++j) {
                QVERIFY2(bars[i] != bars[j] || menus[i] != menus[j],
                         qPrintable(QStringLiteral("%1/%2").arg(i).arg(j)));
                QVERIFY2(menus[i] != menus[j], qPrintable(QStringLiteral("menus %1/%2").arg(i).arg(j)));
            }
        // The bar of the XP look has the XP face colour.
        QCOMPARE(bars[1].pixelColor(bars[1].width() - 2, 2), QColor(0xec, 0xe9, 0xd8));
        // Any other value goes back to the plain look.
        look.setStyle(9);
        QCOMPARE(menu->grab().toImage(), menus[0]);
    }
};

KV_TEST_MAIN(TestOfficeMenu)
#include "tst_OfficeMenu.moc"
