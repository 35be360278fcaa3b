#include "platform/runtime/Application.h"

#include "platform/com/AutomationError.h"
#include "platform/runtime/WindowPlacement.h"

#include <QMessageBox>
#include <QPointer>
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
        // Every window, whoever made it, opens inside the screen: its show event comes after it
        // set its size and before the window system shows it.
        QPointer<QWidget> window;
        if (event->type() == QEvent::Show && !event->spontaneous() && receiver->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(receiver);
            if (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog)
                window = widget;
        }
        const bool handled = QApplication::notify(receiver, event);
        if (window)
            keepOnScreen(*window);
        return handled;
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
