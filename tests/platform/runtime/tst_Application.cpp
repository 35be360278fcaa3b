#include "platform/com/AutomationError.h"
#include "platform/runtime/Application.h"
#include "tests/support/TestMain.h"

#include <QTimer>
#include <QWidget>

namespace
{

// A window whose click handler fails, as a host's handler can.
class FailingWidget : public QWidget
{
protected:
    void mousePressEvent(QMouseEvent *) override { throw com::AutomationError(com::ErrInvalidCall); }
};

} // namespace

class tst_Application : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { rt::Application::setErrorReport({}); }

    void aFailingHandlerIsReportedAndTheProgramGoesOn()
    {
        QList<int> reported;
        rt::Application::setErrorReport(
            [&](const com::AutomationError &error) { reported << error.number(); });
        FailingWidget widget;
        widget.show();
        QTest::mouseClick(&widget, Qt::LeftButton);
        QTest::mouseClick(&widget, Qt::LeftButton);
        QCOMPARE(reported, (QList<int>{5, 5}));
    }

    void aFailingTimerDoesNotEndTheEventLoop()
    {
        int reported = 0;
        rt::Application::setErrorReport([&](const com::AutomationError &) { ++reported; });
        QTimer failing;
        QObject::connect(&failing, &QTimer::timeout, [] { throw com::AutomationError(com::ErrOverflow); });
        failing.start(0);
        QTRY_VERIFY(reported >= 2);
    }

    void theMessageNamesNumberAndText()
    {
        QCOMPARE(rt::Application::messageFor(com::AutomationError(6)),
                 QStringLiteral("Laufzeitfehler '6':\n\nÜberlauf"));
    }
};

KV_TEST_MAIN_ON(tst_Application, rt::Application)

#include "tst_Application.moc"
