#include "diary/program/ProgramStart.h"
#include "diary/windows/FrmSplash.h"
#include "platform/com/AutomationError.h"
#include "platform/runtime/Application.h"

#include <QMessageBox>
#include <cstdio>

int main(int argc, char **argv)
{
    rt::Application app(argc, argv);
    kalvento::prepareProgram(app, KV_VERSION_MAJOR, KV_VERSION_MINOR, KV_VERSION_PATCH);
    try {
        // The start form hands over to the password prompt or the main window.
        QPointer<kalvento::FrmSplash> splash = rt::Form::create<kalvento::FrmSplash>();
        splash->load();
        if (!splash || !splash->isLoaded())
            return 1; // the splash has told the user why
        splash->showModeless();
        const int code = app.exec();
        // Unloaded forms are deleted now, so the main window closes the database.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return code;
    } catch (const com::AutomationError &error) {
        // Without the control library the windows cannot be built at all.
        const QString text = QStringLiteral("Kalvento kann nicht starten:\n%1 (Fehler %2)")
                                 .arg(error.description())
                                 .arg(error.number());
        std::fprintf(stderr, "%s\n", qPrintable(text));
        QMessageBox::critical(nullptr, QStringLiteral("Kalvento"), text);
        return 1;
    }
}
