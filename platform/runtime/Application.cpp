#include "platform/runtime/Application.h"

#include "platform/com/AutomationError.h"

#include <QMessageBox>
#include <cstdio>

namespace rt
{

namespace
{

Application::ErrorReport &errorReport()
{
    static Application::ErrorReport report;
    return report;
}

void showError(const com::AutomationError &error)
{
    const QString text = Application::messageFor(error);
    std::fprintf(stderr, "%s\n", qPrintable(text));
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), text);
}

} // namespace

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const com::AutomationError &error) {
        if (errorReport())
            errorReport()(error);
        else
            showError(error);
        return true;
    }
}

void Application::setErrorReport(ErrorReport report)
{
    errorReport() = std::move(report);
}

QString Application::messageFor(const com::AutomationError &error)
{
    return QStringLiteral("Laufzeitfehler '%1':\n\n%2").arg(error.number()).arg(error.description());
}

} // namespace rt
