#include "diary/FrmSplash.h"
#include "platform/com/AutomationError.h"
#include "platform/runtime/App.h"
#include "platform/runtime/FontSubstitutes.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    rt::FontSubstitutes::installForForms(); // the Windows faces the forms name, drawn with close faces
    rt::App::setVersion(KV_VERSION_MAJOR, KV_VERSION_MINOR, KV_VERSION_PATCH);
    rt::App::setTitle(QStringLiteral("Kalvento"));
    try {
        // The start form hands over to the password prompt or the main window.
        QPointer<kalvento::FrmSplash> splash = rt::Form::create<kalvento::FrmSplash>();
        splash->load();
        if (!splash || !splash->isLoaded())
            return 1; // the splash has told the user why
        splash->showModeless();
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
