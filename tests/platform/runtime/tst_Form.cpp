#include "platform/com/AutomationError.h"
#include "platform/runtime/Form.h"
#include "tests/support/TestMain.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <functional>
#include <optional>

using rt::Form;
using rt::UnloadMode;

Q_DECLARE_METATYPE(UnloadMode)

namespace
{

class ProbeForm : public Form
{
public:
    int loads = 0;
    int queries = 0;
    int unloads = 0;
    bool cancelQuery = false;
    bool cancelUnload = false;
    std::optional<UnloadMode> mode;
    std::function<void()> loadAction;
    std::function<void()> queryAction;

protected:
    void onLoad() override
    {
        ++loads;
        if (loadAction)
            loadAction();
    }
    void onQueryUnload(bool &cancel, UnloadMode how) override
    {
        ++queries;
        mode = how;
        if (queryAction)
            queryAction();
        cancel = cancelQuery;
    }
    void onUnload(bool &cancel) override
    {
        ++unloads;
        cancel = cancelUnload;
    }
};

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestForm : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void loadsOnce();
    void unload_data();
    void unload();
    void closeBoxRunsUnload_data();
    void closeBoxRunsUnload();
    void modalReturnsWhenClosed_data();
    void modalReturnsWhenClosed();
    void nestedModalFindsInnermost();
    void showModalOfShownFormRaises();
    void unloadedWhileLoading();
    void destroyedWhileWaitingModally();
    void unloadFromOwnHandler();
    void unloadFromQueryUnloadIsIgnored();
    void unloadingLastFormIsQuiet();
    void lastFormGoneCallsTheHandlerOnce_data();
    void lastFormGoneCallsTheHandlerOnce();
    void handingOverToANewFormIsNoEnd();
    void unpositionedFormsOpenCentred();
    void placeControl_data();
    void placeControl();
    void sizeInTwips();
};

void TestForm::cleanup()
{
    for (Form *form : Form::loadedForms()) {
        if (auto *probe = dynamic_cast<ProbeForm *>(form)) {
            probe->cancelQuery = false;
            probe->cancelUnload = false;
        }
        form->unload();
    }
    flushDeletes();
    QCOMPARE(Form::loadedForms().size(), 0);
}

void TestForm::loadsOnce()
{
    QPointer<ProbeForm> form = Form::create<ProbeForm>();
    QVERIFY(!form->isLoaded());
    QVERIFY(!Form::loadedForms().contains(form.data()));
    form->load();
    form->load();
    form->showModeless();
    QCOMPARE(form->loads, 1);
    QVERIFY(form->isLoaded());
    QVERIFY(form->isVisible());
    QCOMPARE(form->windowModality(), Qt::NonModal);
    QCOMPARE(Form::loadedForms(), QList<Form *>{form.data()});
}

void TestForm::unload_data()
{
    QTest::addColumn<bool>("cancelQuery");
    QTest::addColumn<bool>("cancelUnload");
    QTest::addColumn<bool>("unloaded");
    QTest::addColumn<int>("unloads");
    QTest::newRow("nobody cancels") << false << false << true << 1;
    QTest::newRow("QueryUnload cancels") << true << false << false << 0;
    QTest::newRow("Unload cancels") << false << true << false << 1;
}

void TestForm::unload()
{
    QFETCH(bool, cancelQuery);
    QFETCH(bool, cancelUnload);
    QFETCH(bool, unloaded);
    QFETCH(int, unloads);
    QPointer<ProbeForm> form = Form::create<ProbeForm>();
    form->showModeless();
    form->cancelQuery = cancelQuery;
    form->cancelUnload = cancelUnload;
    QCOMPARE(form->unload(), unloaded);
    QCOMPARE(form->queries, 1);
    QCOMPARE(form->unloads, unloads);
    QCOMPARE(form->mode, std::optional(UnloadMode::Code));
    QCOMPARE(form->isLoaded(), !unloaded);
    QCOMPARE(form->isVisible(), !unloaded);
    QCOMPARE(Form::loadedForms().contains(form.data()), !unloaded);
    // Never deleted inside the call, only once events run.
    QVERIFY(form);
    flushDeletes();
    QCOMPARE(form.isNull(), unloaded);
    if (form) {
        form->cancelQuery = false;
        form->cancelUnload = false;
        QVERIFY(form->unload());
    }
}

void TestForm::closeBoxRunsUnload_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("closes") << false;
    QTest::newRow("cancelled") << true;
}

void TestForm::closeBoxRunsUnload()
{
    QFETCH(bool, cancel);
    QPointer<ProbeForm> form = Form::create<ProbeForm>();
    form->showModeless();
    form->cancelQuery = cancel;
    form->close();
    QCOMPARE(form->queries, 1);
    QCOMPARE(form->mode, std::optional(UnloadMode::ControlMenu));
    QCOMPARE(form->isLoaded(), cancel);
    QCOMPARE(form->isVisible(), cancel);
    flushDeletes();
    QCOMPARE(form.isNull(), !cancel);
}

void TestForm::modalReturnsWhenClosed_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("staysLoaded");
    QTest::newRow("unload") << "unload" << false;
    QTest::newRow("close box") << "close" << false;
    QTest::newRow("hide") << "hide" << true;
}

void TestForm::modalReturnsWhenClosed()
{
    QFETCH(QString, how);
    QFETCH(bool, staysLoaded);
    QPointer<ProbeForm> form = Form::create<ProbeForm>();
    Form *seen = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    QTimer::singleShot(0, [&] {
        seen = Form::activeModalForm();
        if (!seen)
            return;
        modality = seen->windowModality();
        if (how == QLatin1String("unload"))
            seen->unload();
        else if (how == QLatin1String("close"))
            seen->close();
        else
            seen->hide();
    });
    form->showModal();
    QCOMPARE(seen, form.data());
    QCOMPARE(modality, Qt::ApplicationModal);
    QCOMPARE(form->loads, 1);
    QCOMPARE(form->isLoaded(), staysLoaded);
    QVERIFY(!form->isVisible());
    QCOMPARE(form->windowModality(), Qt::NonModal);
    QCOMPARE(Form::activeModalForm(), nullptr);
}

void TestForm::nestedModalFindsInnermost()
{
    QPointer<ProbeForm> outer = Form::create<ProbeForm>();
    QPointer<ProbeForm> inner = Form::create<ProbeForm>();
    QList<Form *> seen;
    QTimer::singleShot(0, [&] {
        seen.append(Form::activeModalForm());
        QTimer::singleShot(0, [&] {
            seen.append(Form::activeModalForm());
            inner->unload();
            // Hidden, its loop not yet returned: the outer one waits again.
            seen.append(Form::activeModalForm());
        });
        inner->showModal();
        seen.append(Form::activeModalForm());
        outer->unload();
    });
    outer->showModal();
    QCOMPARE(seen, (QList<Form *>{outer.data(), inner.data(), outer.data(), outer.data()}));
    QCOMPARE(Form::activeModalForm(), nullptr);
}

void TestForm::showModalOfShownFormRaises()
{
    QPointer<ProbeForm> form = Form::create<ProbeForm>();
    form->showModeless();
    try {
        form->showModal();
        QFAIL("no error raised");
    } catch (const com::AutomationError &error) {
        QCOMPARE(error.number(), 400);
    }
    QCOMPARE(form->windowModality(), Qt::NonModal);
    QCOMPARE(Form::activeModalForm(), nullptr);
}

void TestForm::unloadedWhileLoading()
{
    QPointer<ProbeForm> form = Form::create<ProbeForm>();
    form->loadAction = [&] { form->unload(); };
    form->showModal(); // must not wait
    QVERIFY(!form->isLoaded());
    QVERIFY(!form->isVisible());
    form->showModeless();
    QVERIFY(!form->isVisible());
    QCOMPARE(form->loads, 1);
    flushDeletes();
    QVERIFY(!form);
}

void TestForm::destroyedWhileWaitingModally()
{
    QPointer<ProbeForm> form = Form::create<ProbeForm>();
    QTimer::singleShot(0, [&] { form->deleteLater(); });
    form->showModal();
    flushDeletes();
    QVERIFY(!form);
    QCOMPARE(Form::activeModalForm(), nullptr);
    QCOMPARE(Form::loadedForms().size(), 0);
}

void TestForm::unloadFromOwnHandler()
{
    QPointer<ProbeForm> form = Form::create<ProbeForm>();
    QPointer<QPushButton> button = new QPushButton(QStringLiteral("Schließen"), form);
    bool aliveAfterUnload = false;
    QObject::connect(button, &QPushButton::clicked, form, [&] {
        form->unload();
        aliveAfterUnload = form && button;
    });
    form->showModeless();
    button->click();
    QVERIFY(aliveAfterUnload);
    QVERIFY(!form->isLoaded());
    flushDeletes();
    QVERIFY(!form);
    QVERIFY(!button);
}

void TestForm::unloadFromQueryUnloadIsIgnored()
{
    QPointer<ProbeForm> form = Form::create<ProbeForm>();
    form->showModeless();
    std::optional<bool> nested;
    form->queryAction = [&] { nested = form->unload(); };
    QVERIFY(form->unload());
    QCOMPARE(nested, std::optional(false));
    QCOMPARE(form->queries, 1);
    QCOMPARE(form->unloads, 1);
}

void TestForm::unloadingLastFormIsQuiet()
{
    QPointer<ProbeForm> first = Form::create<ProbeForm>();
    QPointer<ProbeForm> last = Form::create<ProbeForm>();
    first->showModeless();
    last->showModeless();
    QCOMPARE(Form::loadedForms(), (QList<Form *>{first.data(), last.data()}));
    QVERIFY(first->unload());
    QVERIFY(last->unload());
    QVERIFY(last->unload()); // a second time changes nothing
    QCOMPARE(last->unloads, 1);
    QCOMPARE(Form::loadedForms().size(), 0);
    QCoreApplication::processEvents();
    flushDeletes();
    QVERIFY(!first);
    QVERIFY(!last);
}

// How the last form leaves: each way counts.
enum class Leaving { Unload, CloseBox, Delete };
Q_DECLARE_METATYPE(Leaving)

void TestForm::lastFormGoneCallsTheHandlerOnce_data()
{
    QTest::addColumn<Leaving>("leaving");
    QTest::newRow("unload") << Leaving::Unload;
    QTest::newRow("close box") << Leaving::CloseBox;
    QTest::newRow("deleted") << Leaving::Delete;
}

void TestForm::lastFormGoneCallsTheHandlerOnce()
{
    QFETCH(Leaving, leaving);
    int ends = 0;
    Form::setWhenAllUnloaded([&ends] { ++ends; });
    QPointer<ProbeForm> first = Form::create<ProbeForm>();
    QPointer<ProbeForm> last = Form::create<ProbeForm>();
    first->showModeless();
    last->showModeless();
    QVERIFY(first->unload());
    QCoreApplication::processEvents();
    QCOMPARE(ends, 0); // one form is still there
    switch (leaving) {
    case Leaving::Unload:
        QVERIFY(last->unload());
        break;
    case Leaving::CloseBox:
        QVERIFY(last->close() || !last->isVisible());
        break;
    case Leaving::Delete:
        delete last.data();
        break;
    }
    QCOMPARE(ends, 0); // only once control is back in the event loop
    QTRY_COMPARE(ends, 1);
    QCoreApplication::processEvents();
    flushDeletes();
    QCOMPARE(ends, 1);
    Form::setWhenAllUnloaded({});
}

void TestForm::handingOverToANewFormIsNoEnd()
{
    int ends = 0;
    Form::setWhenAllUnloaded([&ends] { ++ends; });
    QPointer<ProbeForm> next;
    QPointer<ProbeForm> splash = Form::create<ProbeForm>();
    splash->showModeless();
    // The splash's own handler unloads it and opens the next window.
    QTimer::singleShot(0, splash, [&] {
        splash->unload();
        next = Form::create<ProbeForm>();
        next->showModeless();
    });
    QTRY_VERIFY(next && next->isVisible());
    QTest::qWait(20);
    QCOMPARE(ends, 0);
    next->unload();
    QTRY_COMPARE(ends, 1);
    Form::setWhenAllUnloaded({});
}

// The window frame is known only once a window is shown, so a centre may be
// off by the frame's few pixels.
bool nearlyAt(const QPoint &actual, const QPoint &expected)
{
    const QPoint off = actual - expected;
    return std::abs(off.x()) <= 4 && std::abs(off.y()) <= 4;
}

void TestForm::unpositionedFormsOpenCentred()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QPointer<ProbeForm> first = Form::create<ProbeForm>();
    first->resize(400, 300);
    first->showModeless();
    QVERIFY(nearlyAt(first->frameGeometry().center(), screen.center()));

    // Opened from the first: centred over it, wherever it stands.
    first->move(40, 60);
    QPointer<ProbeForm> second = Form::create<ProbeForm>();
    second->resize(200, 100);
    second->showModeless();
    QVERIFY(nearlyAt(second->frameGeometry().center(), first->frameGeometry().center()));

    // A form that placed itself keeps its place.
    QPointer<ProbeForm> placed = Form::create<ProbeForm>();
    placed->setGeometry(500, 400, 100, 50);
    placed->showModeless();
    QCOMPARE(placed->geometry().topLeft(), QPoint(500, 400));
}

void TestForm::placeControl_data()
{
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("whole pixels") << QRect(1200, 600, 1500, 375) << QRect(80, 40, 100, 25);
    QTest::newRow("rounded") << QRect(100, 8, 1007, 7) << QRect(7, 1, 67, 0);
    QTest::newRow("origin") << QRect(0, 0, 15, 15) << QRect(0, 0, 1, 1);
}

void TestForm::placeControl()
{
    QFETCH(QRect, twips);
    QFETCH(QRect, pixels);
    QPointer<ProbeForm> form = Form::create<ProbeForm>();
    auto *label = new QLabel(form);
    form->placeControl(label, QStringLiteral("lblDatum"), twips);
    QCOMPARE(label->geometry(), pixels);
    QCOMPARE(form->controlNamed(QStringLiteral("LBLDATUM")), label);
    QCOMPARE(form->designRectTwips(QStringLiteral("lbldatum")), std::optional(twips));
    QCOMPARE(form->controlNamed(QStringLiteral("lblFehlt")), nullptr);
    QCOMPARE(form->designRectTwips(QStringLiteral("lblFehlt")), std::optional<QRect>());

    // A widget without a parent becomes the form's child.
    QPointer<QPushButton> orphan = new QPushButton;
    form->placeControl(orphan, QStringLiteral("cmdOK"), QRect(150, 300, 1200, 360));
    QCOMPARE(orphan->parentWidget(), form.data());
    QCOMPARE(orphan->geometry(), QRect(10, 20, 80, 24));
    form->unload();
    flushDeletes();
    QVERIFY(!orphan);
}

void TestForm::sizeInTwips()
{
    QPointer<ProbeForm> form = Form::create<ProbeForm>();
    form->setSizeTwips(6000, 4500);
    QCOMPARE(form->size(), QSize(400, 300));
    QCOMPARE(form->widthTwips(), 6000);
    QCOMPARE(form->heightTwips(), 4500);
    QCOMPARE(form->scaleWidth(), 6000);
    QCOMPARE(form->scaleHeight(), 4500);
    form->resize(301, 200);
    QCOMPARE(form->scaleWidth(), 4515);
    QCOMPARE(form->scaleHeight(), 3000);
    form->unload();
}

KV_TEST_MAIN(TestForm)
#include "tst_Form.moc"
