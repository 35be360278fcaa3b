#include "platform/shell/OpenAddress.h"

#include "platform/shell/Shell.h"

#include <QMessageBox>

namespace shell
{

namespace
{
// The shell's results up to this one are failures.
constexpr int LastFailure = 32;
} // namespace

bool openAddress(QWidget *parent, const QString &verb, const QString &address, const QString &directory,
                 int showCommand)
{
    if (rt::ServiceSlot<Shell>::current().execute(verb, address, QString(), directory, showCommand) >
        LastFailure)
        return true;
    reportUnopenedAddress(parent, address);
    return false;
}

void reportUnopenedAddress(QWidget *parent, const QString &address)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Adresse öffnen"),
                    QStringLiteral("Die Adresse „%1“ konnte nicht geöffnet werden.\n\n"
                                   "Auf diesem Rechner ist kein Programm eingerichtet, das sie öffnet "
                                   "(Webbrowser oder E-Mail-Programm).")
                        .arg(address),
                    QMessageBox::Ok, parent);
    box.exec();
}

} // namespace shell
