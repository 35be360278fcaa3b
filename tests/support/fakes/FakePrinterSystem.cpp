#include "tests/support/fakes/FakePrinterSystem.h"

namespace spooler
{

class FakePrinterConnection : public PrinterConnection
{
public:
    FakePrinterConnection(FakePrinterSystem &system, size_t index) : m_system(system), m_index(index)
    {
        ++m_system.openConnections;
    }
    ~FakePrinterConnection() override
    {
        --m_system.openConnections;
        m_system.log << QStringLiteral("close");
    }
    std::optional<DeviceMode> readDeviceMode() override
    {
        m_system.log << QStringLiteral("read");
        if (m_system.failAt == FakePrinterSystem::FailAt::Read)
            return std::nullopt;
        DeviceMode mode = m_system.printerList[m_index].stored;
        mode.deviceName = m_system.printerList[m_index].name;
        return mode;
    }
    bool documentProperties(DeviceMode &) override
    {
        m_system.log << QStringLiteral("properties");
        return m_system.failAt != FakePrinterSystem::FailAt::DocumentProperties;
    }
    bool writeDeviceMode(const DeviceMode &mode) override
    {
        m_system.log << QStringLiteral("write");
        if (m_system.failAt == FakePrinterSystem::FailAt::Write)
            return false;
        m_system.printerList[m_index].stored = mode;
        return true;
    }
    bool markDefault() override
    {
        m_system.log << QStringLiteral("mark default");
        if (m_system.failAt == FakePrinterSystem::FailAt::Write)
            return false;
        m_system.defaultName = m_system.printerList[m_index].name;
        return true;
    }

private:
    FakePrinterSystem &m_system;
    size_t m_index;
};

void FakePrinterSystem::addPrinter(const QString &name, int16_t copies, int32_t orientation)
{
    Printer printer;
    printer.name = name;
    printer.copies = copies;
    printer.orientation = orientation;
    printer.stored.deviceName = name;
    printerList.push_back(printer);
    if (current < 0)
        current = 0;
    if (defaultName.isEmpty())
        defaultName = name;
}

QString FakePrinterSystem::deviceName(int index) const
{
    if (index < 0 || index >= count())
        noPrinter();
    return printerList[size_t(index)].name;
}

void FakePrinterSystem::setCurrentIndex(int index)
{
    if (index < 0 || index >= count())
        noPrinter();
    current = index;
}

FakePrinterSystem::Printer &FakePrinterSystem::currentPrinter() const
{
    if (current < 0 || current >= count())
        noPrinter();
    return const_cast<Printer &>(printerList[size_t(current)]);
}

PrinterMetrics FakePrinterSystem::metrics()
{
    currentPrinter();
    log << QStringLiteral("metrics");
    return pageMetrics;
}

std::unique_ptr<PrinterConnection> FakePrinterSystem::open(const QString &deviceName)
{
    log << QStringLiteral("open ") + deviceName;
    if (failAt == FailAt::Open)
        return nullptr;
    for (size_t i = 0; i < printerList.size(); ++i)
        if (printerList[i].name == deviceName)
            return std::make_unique<FakePrinterConnection>(*this, i);
    return nullptr;
}

bool FakePrinterSystem::setProfileDefault(const QString &deviceName)
{
    log << QStringLiteral("profile ") + deviceName;
    if (failAt == FailAt::Write)
        return false;
    defaultName = deviceName;
    return true;
}

bool FakePrinterSystem::setDefaultPrinter(const QString &deviceName)
{
    log << QStringLiteral("default ") + deviceName;
    for (const Printer &printer : printerList) {
        if (printer.name == deviceName) {
            defaultName = deviceName;
            return true;
        }
    }
    return false;
}

} // namespace spooler
