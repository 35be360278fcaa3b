#include "diary/FrmMain.h"
#include "platform/com/AutomationError.h"
#include "platform/runtime/App.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    rt::App::setVersion(KV_VERSION_MAJOR, KV_VERSION_MINOR, KV_VERSION_PATCH);
    rt::App::setTitle(QStringLiteral("Kalvento"));
    try {
        // Until the start-up window exists, the main window opens directly.
        QPointer<kalvento::FrmMain> window = rt::Form::create<kalvento::FrmMain>();
        window->load();
        if (!window || !window->isLoaded())
            return 1; // the window has told the user why
        window->show();
        return app.exec();
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
