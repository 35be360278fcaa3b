#pragma once

#include "diary/windows/FrmMain.h"
#include "platform/runtime/App.h"
#include "platform/runtime/SystemSources.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/fakes/FakeClock.h"

#include <QCoreApplication>
#include <QList>
#include <QPointer>

namespace testsupport
{

// What every test of the diary's windows sets up once: the library
// registered, a fixed clock (Tuesday, 8 December 2026) and a version.
inline bool setUpDiaryTests()
{
    rt::SystemSources::setClock(std::make_unique<rt::FakeClock>());
    rt::App::setVersion(2, 5, 17);
    return registerLibrary(QStringLiteral("libostrevo.so"));
}

// The main windows a test opens, unloaded again after it.
class MainWindows
{
public:
    kalvento::FrmMain &open()
    {
        QPointer<kalvento::FrmMain> form = rt::Form::create<kalvento::FrmMain>();
        m_forms << form;
        form->load();
        if (!form->isLoaded())
            qFatal("the main window did not load");
        return *form;
    }
    void unloadAll()
    {
        for (const QPointer<kalvento::FrmMain> &form : std::as_const(m_forms))
            if (form)
                form->unload();
        m_forms.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    QList<QPointer<kalvento::FrmMain>> m_forms;
};

} // namespace testsupport
