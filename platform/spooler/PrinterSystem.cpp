#include "platform/spooler/PrinterSystem.h"

#include "platform/com/AutomationError.h"
#include "platform/spooler/QtPrinterSystem.h"

namespace spooler {

namespace {
std::unique_ptr<PrinterSystem> &installed()
{
    static std::unique_ptr<PrinterSystem> system;
    return system;
}
} // namespace

PrinterConnection::~PrinterConnection() = default;
PrinterSystem::~PrinterSystem() = default;

void PrinterSystem::noPrinter()
{
    com::raise(484, QStringLiteral("Fehler beim Abrufen der Druckerinformationen. "
                                   "Stellen Sie sicher, dass ein Drucker installiert ist."));
}

PrinterSystem &printers()
{
    if (!installed())
        installed() = std::make_unique<QtPrinterSystem>();
    return *installed();
}

void setPrinters(std::unique_ptr<PrinterSystem> system) { installed() = std::move(system); }

void resetPrinters() { installed().reset(); }

} // namespace spooler
