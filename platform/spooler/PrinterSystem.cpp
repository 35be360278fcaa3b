#include "platform/spooler/PrinterSystem.h"

#include "platform/com/AutomationError.h"
#include "platform/spooler/QtPrinterSystem.h"

namespace spooler
{

PrinterConnection::~PrinterConnection() = default;
PrinterSystem::~PrinterSystem() = default;

void PrinterSystem::noPrinter()
{
    com::raise(484, QStringLiteral("Fehler beim Abrufen der Druckerinformationen. "
                                   "Stellen Sie sicher, dass ein Drucker installiert ist."));
}

} // namespace spooler

KV_SERVICE_SLOT_STORAGE(spooler::PrinterSystem)

template <> std::unique_ptr<spooler::PrinterSystem> rt::ServiceSlot<spooler::PrinterSystem>::makeDefault()
{
    return std::make_unique<spooler::QtPrinterSystem>();
}
