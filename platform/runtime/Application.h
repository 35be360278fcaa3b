#pragma once

#include <QApplication>
#include <functional>

namespace com
{
class AutomationError;
}

namespace rt
{

// The program's application object. An error raised by an event handler would
// otherwise unwind through the window system's event loop, which ends the
// process; here it is reported and the program goes on with the next event.
class Application : public QApplication
{
public:
    using ErrorReport = std::function<void(const com::AutomationError &)>;

    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Tests replace the message box; an empty report restores it.
    static void setErrorReport(ErrorReport report);

    // "Laufzeitfehler '5':" and the error's own text.
    static QString messageFor(const com::AutomationError &error);
};

} // namespace rt
