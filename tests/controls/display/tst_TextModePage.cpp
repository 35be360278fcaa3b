#include "controls/display/TextMode.h"
#include "platform/com/AutomationError.h"
#include "platform/com/Control.h"
#include "platform/com/ControlHost.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>

using com::Variant;
using ostrevo::TextMode;

class TestTextModePage : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QWidget> m_form;
    std::unique_ptr<TextMode> m_page;

    com::Control *newLabel(const QString &name)
    {
        return com::ControlHost::createControl(QStringLiteral("Quiv_Tools.Label3D"), m_form.get(), name);
    }
    // The first label carries the values the page shows.
    com::Control *firstLabel()
    {
        com::Control *label = newLabel(QStringLiteral("Label1"));
        label->let(QStringLiteral("Caption"), QStringLiteral("Überschrift"));
        label->let(QStringLiteral("xDist"), Variant::fromInteger(20));
        label->let(QStringLiteral("TextMode"), Variant::fromInteger(3));
        label->let(QStringLiteral("BackStyle"), Variant::fromLong(1));
        label->let(QStringLiteral("ToolTipText"), QStringLiteral("Hinweis"));
        return label;
    }
    void type(const QString &text)
    {
        m_page->setChanged(false);
        m_page->txtxDist()->setText(text);
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_form = std::make_unique<QWidget>();
        m_page = std::make_unique<TextMode>();
    }

    void cleanup()
    {
        m_page.reset();
        m_form.reset();
    }

    void designLook()
    {
        QCOMPARE(m_page->windowTitle(), QStringLiteral("TextMode"));
        QCOMPARE(m_page->cbTextMode()->count(), 9);
        QCOMPARE(m_page->cbTextMode()->itemText(0), QStringLiteral("0 - Schatten Unten Rechts"));
        QCOMPARE(m_page->cbTextMode()->itemText(8), QStringLiteral("8 - Standard"));
        QCOMPARE(m_page->txtxDist()->text(), QStringLiteral("30"));
        QCOMPARE(m_page->VSxSize()->value(), 30);
        QCOMPARE(m_page->VSxSize()->minimum(), 1);
        QCOMPARE(m_page->VSxSize()->maximum(), 100);
        QCOMPARE(m_page->VSxSize()->pageStep(), 10);
        QVERIFY(m_page->VSxSize()->focusPolicy() & Qt::TabFocus); // a tab stop between its field and the box
        QVERIFY(!m_page->changed());
    }

    void theFirstControlFillsThePageAndApplyReachesAll()
    {
        com::Control *first = firstLabel();
        com::Control *second = newLabel(QStringLiteral("Label2"));
        m_page->setSelectedControls({first, second});
        QCOMPARE(m_page->txtCaption()->text(), QStringLiteral("Überschrift"));
        QCOMPARE(m_page->txtxDist()->text(), QStringLiteral("20"));
        QCOMPARE(m_page->VSxSize()->value(), 20);
        QCOMPARE(m_page->cbTextMode()->currentIndex(), 3);
        QVERIFY(m_page->chkTransp()->isChecked());
        QCOMPARE(m_page->txtTTT()->text(), QStringLiteral("Hinweis"));
        QVERIFY(m_page->changed()); // filling the fields counts as a change
        m_page->apply();
        QVERIFY(!m_page->changed());
        QCOMPARE(second->get(QStringLiteral("Caption")).toString(), QStringLiteral("Überschrift"));
        QCOMPARE(second->get(QStringLiteral("xDist")).toInteger(), 20);
        QCOMPARE(second->get(QStringLiteral("TextMode")).toInteger(), 3);
        QCOMPARE(second->get(QStringLiteral("BackStyle")).toLong(), 1);
        QCOMPARE(second->get(QStringLiteral("ToolTipText")).toString(), QStringLiteral("Hinweis"));
        QCOMPARE(first->get(QStringLiteral("BackStyle")).toLong(), 1); // written back unchanged
    }

    void theDistanceFieldAndTheScrollBarKeepTogether_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("scroll");
        QTest::addColumn<bool>("changed");
        QTest::newRow("in range") << "55"
                                  << "55" << 55 << true;
        QTest::newRow("zero") << "0"
                              << "1" << 1 << true;
        QTest::newRow("negative") << "-7"
                                  << "1" << 1 << true;
        QTest::newRow("cleared") << ""
                                 << "1" << 1 << true;
        QTest::newRow("beyond the bar") << "250"
                                        << "250" << 30 << false;
        QTest::newRow("letters") << "abc"
                                 << "abc" << 30 << false;
        // The decimal comma, as the platform reads numbers: the bar takes the whole number (half to
        // even) and writes it back into the field.
        QTest::newRow("decimal comma") << "2,5"
                                       << "2" << 2 << true;
        QTest::newRow("decimal comma rounds up") << "7,6"
                                                 << "8" << 8 << true;
        QTest::newRow("below one with a comma") << "0,5"
                                                << "1" << 1 << true;
        QTest::newRow("just beyond the bar") << "100,6"
                                             << "100,6" << 30 << false;
    }
    void theDistanceFieldAndTheScrollBarKeepTogether()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(int, scroll);
        QFETCH(bool, changed);
        m_page->VSxSize()->setValue(30);
        type(typed);
        QCOMPARE(m_page->txtxDist()->text(), text);
        QCOMPARE(m_page->VSxSize()->value(), scroll);
        QCOMPARE(m_page->changed(), changed);
    }

    void theScrollBarWritesTheField()
    {
        m_page->setChanged(false);
        m_page->VSxSize()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(m_page->txtxDist()->text(), QStringLiteral("40"));
        QVERIFY(m_page->changed());
    }

    void aRefusedDistanceIsSkippedAndTheRestWritten_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::newRow("letters") << "abc" << 15;
        QTest::newRow("beyond the bar") << "250" << 250;
    }
    void aRefusedDistanceIsSkippedAndTheRestWritten()
    {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        com::Control *label = newLabel(QStringLiteral("Label1"));
        m_page->setSelectedControls({label});
        QCOMPARE(m_page->txtxDist()->text(), QStringLiteral("15"));
        type(typed);
        m_page->txtCaption()->setText(QStringLiteral("Neu"));
        m_page->cbTextMode()->setCurrentIndex(8);
        m_page->chkTransp()->setChecked(true);
        m_page->txtTTT()->setText(QStringLiteral("Tipp"));
        m_page->apply();
        QCOMPARE(label->get(QStringLiteral("xDist")).toInteger(), stored);
        QCOMPARE(label->get(QStringLiteral("Caption")).toString(), QStringLiteral("Neu"));
        QCOMPARE(label->get(QStringLiteral("TextMode")).toInteger(), 8);
        QCOMPARE(label->get(QStringLiteral("BackStyle")).toLong(), 1);
        QCOMPARE(label->get(QStringLiteral("ToolTipText")).toString(), QStringLiteral("Tipp"));
    }

    void aShadowModeOutsideTheListIsReported()
    {
        com::Control *label = newLabel(QStringLiteral("Label1"));
        label->let(QStringLiteral("TextMode"), Variant::fromInteger(9));
        int error = 0;
        try {
            m_page->setSelectedControls({label});
        } catch (const com::AutomationError &e) {
            error = e.number();
        }
        QCOMPARE(error, 380);
    }

    void theLibraryOffersThePage()
    {
        QVERIFY(com::ControlHost::createObject(QStringLiteral("Quiv_Tools.TextMode")));
    }
};

KV_TEST_MAIN(TestTextModePage)
#include "tst_TextModePage.moc"
