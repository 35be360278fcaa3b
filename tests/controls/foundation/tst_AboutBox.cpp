#include "controls/foundation/AboutContent.h"
#include "controls/foundation/Info.h"
#include "controls/foundation/frmAbout.h"
#include "platform/com/ControlHost.h"
#include "platform/runtime/Form.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeScreenPointer.h"
#include "tests/support/fakes/FakeShell.h"

#include <QMouseEvent>

class TestAboutBox : public QObject
{
    Q_OBJECT
private:
    shell::FakeShell *m_shell = nullptr;
    screen::FakeScreenPointer *m_pointer = nullptr;

    // Closes the modal about box once it is up, as a user would, and
    // remembers what it showed.
    void closeAboutBoxWhenShown()
    {
        auto shown = std::make_shared<QString>();
        testsupport::whenModalShown([shown](rt::Form *form) {
            *shown = form->windowTitle() + QLatin1Char('|') +
                     form->findChild<QLabel *>(QStringLiteral("Label2"))->text() + QLatin1Char('|') +
                     form->findChild<QLabel *>(QStringLiteral("lblProductName"))->text();
            form->close();
        });
        m_lastShown = shown;
    }
    std::shared_ptr<QString> m_lastShown;

    static void flushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        auto fakeShell = std::make_unique<shell::FakeShell>();
        m_shell = fakeShell.get();
        rt::ServiceSlot<shell::Shell>::install(std::move(fakeShell));
        auto pointer = std::make_unique<screen::FakeScreenPointer>();
        m_pointer = pointer.get();
        rt::ServiceSlot<screen::ScreenPointer>::install(std::move(pointer));
    }

    void cleanup()
    {
        rt::ServiceSlot<shell::Shell>::reset();
        rt::ServiceSlot<screen::ScreenPointer>::reset();
    }

    void shownModallyTwiceLeavingNoForm()
    {
        QVERIFY(testsupport::registerControls());
        QWidget host;
        com::Control *dialog = com::ControlHost::createControl(QStringLiteral("Quiv_Tools.Dialog"), &host,
                                                               QStringLiteral("Dialog1"));
        for (int round = 0; round < 2; ++round) {
            closeAboutBoxWhenShown();
            dialog->call(QStringLiteral("ShowAboutBox"));
            QCOMPARE(*m_lastShown, QStringLiteral(" Programminformation|Version  0.06.09|Quiv-Tools"));
            flushDeletes();
            QVERIFY(rt::Form::loadedForms().isEmpty());
        }
    }

    // The box has no button and nothing to focus: the keys reach the box.
    void keysCloseTheBox_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void keysCloseTheBox()
    {
        QFETCH(int, key);
        bool closed = false;
        testsupport::whenModalShown([&](rt::Form *form) {
            QTest::keyClick(form, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            closed = !form->isLoaded();
        });
        ostrevo::ShowAboutBox();
        QVERIFY(closed);
        flushDeletes();
        QVERIFY(rt::Form::loadedForms().isEmpty());
    }

    void openLinkPrefix_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("opened");
        QTest::newRow("bare address") << "www.quiv-tools.example"
                                      << "http://www.quiv-tools.example";
        QTest::newRow("already prefixed") << "http://a.example"
                                          << "http://a.example";
        QTest::newRow("capital prefix") << "HTTP://a.example"
                                        << "http://HTTP://a.example";
    }

    void openLinkPrefix()
    {
        QFETCH(QString, caption);
        QFETCH(QString, opened);
        ostrevo::OpenLink(nullptr, caption);
        QCOMPARE(m_shell->calls.size(), size_t(1));
        QCOMPARE(m_shell->calls[0].verb, QStringLiteral("Open"));
        QCOMPARE(m_shell->calls[0].file, opened);
        QCOMPARE(m_shell->calls[0].showCommand, 3);
        QCOMPARE(m_pointer->history, (std::vector<int>{11, 0}));
    }

    void pointerRestoredWhenTheShellFails()
    {
        m_shell->result = 2;
        ostrevo::OpenLink(nullptr, QStringLiteral("x.example"));
        QCOMPARE(m_pointer->pointer(), 0);
    }

    void clickingTheLinkOpensIt()
    {
        QPointer<ostrevo::frmAbout> about = rt::Form::create<ostrevo::frmAbout>();
        about->load();
        ostrevo::AboutLink *link = about->lblButton();
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), link->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(link, &move);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(m_shell->calls.size(), size_t(1));
        QCOMPARE(m_shell->calls[0].file, QStringLiteral("http://www.quiv-tools.example"));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(link, &leave);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        about->unload();
        flushDeletes();
    }

    void infoPageShowsItsOwnVersionAndAppliesNothing()
    {
        ostrevo::Info page;
        QCOMPARE(page.windowTitle(), QStringLiteral("Info"));
        QCOMPARE(page.findChild<QLabel *>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("Version  0.08.01"));
        page.setSelectedControls({});
        page.apply();
        QCOMPARE(page.changed(), false);
        QTest::mouseClick(page.lblButton(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(m_shell->calls.size(), size_t(1));
    }
};

KV_TEST_MAIN(TestAboutBox)
#include "tst_AboutBox.moc"
