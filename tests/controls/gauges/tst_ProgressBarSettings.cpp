#include "controls/gauges/ProgressBar.h"
#include "controls/gauges/Settings.h"
#include "platform/com/ControlHost.h"
#include "tests/support/Automation.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QCheckBox>
#include <QListWidget>

using com::Variant;
using ostrevo::ProgressBar;
using ostrevo::Settings;
using testsupport::errorOf;

class TestProgressBarSettings : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;
    std::unique_ptr<Settings> m_page;
    QStringList m_events;

    com::Control *newBar(const QString &name)
    {
        return testsupport::createRecorded(QStringLiteral("Quiv_Tools.ProgressBar"), m_form.get(), name,
                                           m_events, QSize(200, 30));
    }
    // A bar whose four settings all differ from a new bar's.
    com::Control *changedBar(const QString &name)
    {
        com::Control *bar = newBar(name);
        bar->let(QStringLiteral("ShowText"), Variant::fromBool(true));
        bar->let(QStringLiteral("AutoRedraw"), Variant::fromBool(true));
        bar->let(QStringLiteral("Style"), Variant::fromLong(5));
        bar->let(QStringLiteral("BarXPcolor"), Variant::fromLong(1));
        return bar;
    }
    static QString settingsOf(com::Control *bar)
    {
        QStringList shown;
        for (const char *name : {"ShowText", "AutoRedraw", "Style", "BarXPcolor", "BorderStyle"})
            shown << bar->get(QString::fromLatin1(name)).display();
        return shown.join(QLatin1Char(' '));
    }
    QString pageShows() const
    {
        const QListWidgetItem *item = m_page->lstModes()->currentItem();
        return QStringLiteral("%1 %2 %3 %4")
            .arg(m_page->chkShowText()->isChecked())
            .arg(m_page->chkAutoRedraw()->isChecked())
            .arg(item && item->isSelected() ? item->text() : QStringLiteral("-"))
            .arg(m_page->chkXPc()->isChecked());
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_form.open(QSize(600, 200));
        m_events.clear();
        m_page = std::make_unique<Settings>();
    }

    void cleanup()
    {
        m_page.reset();
        m_form.reset();
    }

    void designLook()
    {
        QCOMPARE(m_page->windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(m_page->size(), QSize(388, 215));
        QStringList items;
        for (int i = 0; i < m_page->lstModes()->count(); ++i)
            items << m_page->lstModes()->item(i)->text();
        // The row is the style number, so the order is the bar's own.
        QCOMPARE(items, (QStringList{"Standart", "Smooth", "ValueDependant", "SmoothDoubleColor",
                                     "DoubleColor", "XP Style", "XP Style Small", "CustomPictureLandscape",
                                     "CustomPictureStretch", "CustomPictureTile"}));
        for (QCheckBox *box : {m_page->chkShowText(), m_page->chkXPc(), m_page->chkAutoRedraw()})
            QVERIFY(!box->isTristate());
        QVERIFY(!m_page->changed());
    }

    void theFirstBarFillsThePage()
    {
        com::Control *first = changedBar(QStringLiteral("ProgressBar1"));
        com::Control *second = newBar(QStringLiteral("ProgressBar2"));
        m_page->setSelectedControls({first, second});
        QCOMPARE(pageShows(), QStringLiteral("1 1 XP Style 1"));
        m_page->setSelectedControls({second, first});
        QCOMPARE(pageShows(), QStringLiteral("0 0 Smooth 0"));
    }

    void applyWritesOnlyTheFirstBar()
    {
        com::Control *first = newBar(QStringLiteral("ProgressBar1"));
        com::Control *second = newBar(QStringLiteral("ProgressBar2"));
        const QString untouched = settingsOf(second);
        m_page->setSelectedControls({first, second});
        m_page->chkShowText()->click();
        m_page->chkAutoRedraw()->click();
        m_page->chkXPc()->click();
        m_page->lstModes()->setCurrentRow(6);
        QVERIFY(m_page->changed());
        m_page->apply();
        QVERIFY(!m_page->changed());
        QCOMPARE(settingsOf(first), QStringLiteral("True True 6 1 0"));
        QCOMPARE(first->height(), 13); // the small XP frame's height
        QCOMPARE(settingsOf(second), untouched);
    }

    void applyGoesThroughTheBarsLets()
    {
        com::Control *bar = changedBar(QStringLiteral("ProgressBar1"));
        QCOMPARE(bar->get(QStringLiteral("BorderStyle")).toLong(), 0);
        m_page->setSelectedControls({bar});
        m_page->lstModes()->setCurrentRow(8);
        m_page->chkShowText()->setChecked(false);
        m_page->apply();
        // A picture style brings the single border back.
        QCOMPARE(settingsOf(bar), QStringLiteral("False True 8 1 1"));
    }

    void eachSwitchMarksThePageChanged()
    {
        m_page->setSelectedControls({newBar(QStringLiteral("ProgressBar1"))});
        const std::function<void()> switches[] = {
            [this] { m_page->chkShowText()->click(); }, [this] { m_page->chkAutoRedraw()->click(); },
            [this] { m_page->chkXPc()->click(); }, [this] { m_page->lstModes()->setCurrentRow(4); }};
        for (const auto &flip : switches) {
            m_page->apply();
            QVERIFY(!m_page->changed());
            flip();
            QVERIFY(m_page->changed());
        }
    }

    // The Style let takes any number; the page must not turn one it cannot show into another.
    void aStyleOutsideTheListIsLeftAlone_data()
    {
        QTest::addColumn<int>("style");
        QTest::newRow("just beyond") << 10;
        QTest::newRow("negative") << -1;
        QTest::newRow("large") << 1000;
    }
    void aStyleOutsideTheListIsLeftAlone()
    {
        QFETCH(int, style);
        com::Control *bar = newBar(QStringLiteral("ProgressBar1"));
        bar->let(QStringLiteral("Style"), Variant::fromLong(style));
        m_page->lstModes()->setCurrentRow(2); // what an earlier selection left
        m_page->setSelectedControls({bar});
        QCOMPARE(pageShows(), QStringLiteral("0 0 - 0"));
        m_page->chkShowText()->click();
        m_page->apply();
        QCOMPARE(settingsOf(bar), QStringLiteral("True False %1 0 1").arg(style));
    }

    // A grayed box stands for 2 and passes it back; a click leaves the grayed state for good.
    void aGrayedXPBoxKeepsTwo()
    {
        com::Control *bar = newBar(QStringLiteral("ProgressBar1"));
        bar->let(QStringLiteral("BarXPcolor"), Variant::fromLong(2));
        m_page->setSelectedControls({bar});
        QCOMPARE(m_page->chkXPc()->checkState(), Qt::PartiallyChecked);
        m_page->chkShowText()->click();
        m_page->apply();
        QCOMPARE(bar->get(QStringLiteral("BarXPcolor")).toLong(), 2);
        m_page->chkXPc()->click();
        QCOMPARE(m_page->chkXPc()->checkState(), Qt::Checked);
        m_page->apply();
        QCOMPARE(bar->get(QStringLiteral("BarXPcolor")).toLong(), 1);
        m_page->chkXPc()->click();
        m_page->chkXPc()->click();
        QCOMPARE(m_page->chkXPc()->checkState(), Qt::Checked);
        // A bar in green or blue brings back the two states.
        bar->let(QStringLiteral("BarXPcolor"), Variant::fromLong(0));
        m_page->setSelectedControls({bar});
        QCOMPARE(m_page->chkXPc()->checkState(), Qt::Unchecked);
        QVERIFY(!m_page->chkXPc()->isTristate());
    }

    void anyXPColourButGreenShowsBlue()
    {
        com::Control *bar = newBar(QStringLiteral("ProgressBar1"));
        bar->let(QStringLiteral("BarXPcolor"), Variant::fromLong(3));
        m_page->setSelectedControls({bar});
        QVERIFY(m_page->chkXPc()->isChecked());
        m_page->chkXPc()->click();
        m_page->apply();
        QCOMPARE(bar->get(QStringLiteral("BarXPcolor")).toLong(), 0);
    }

    void withoutASelectionThePageDoesNothing()
    {
        m_page->chkShowText()->click();
        QCOMPARE(errorOf([this] { m_page->setSelectedControls({}); }), 0);
        QCOMPARE(errorOf([this] { m_page->apply(); }), 0);
        QVERIFY(m_page->chkShowText()->isChecked());
        QVERIFY(!m_page->changed());
    }

    // The designer looks the bar's pages up by name in the registry.
    void theBarsFirstPageIsThisOne()
    {
        const QString name = ProgressBar::propertyPages().value(0);
        QCOMPARE(name, QStringLiteral("Settings"));
        std::unique_ptr<com::AutomationObject> page =
            com::ControlHost::createObject(QStringLiteral("Quiv_Tools.") + name);
        QVERIFY(dynamic_cast<Settings *>(page.get()));
    }
};

KV_TEST_MAIN(TestProgressBarSettings)
#include "tst_ProgressBarSettings.moc"
