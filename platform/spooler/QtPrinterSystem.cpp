#include "platform/spooler/QtPrinterSystem.h"

#include "platform/spooler/CupsDefault.h"

#include <QPageLayout>
#include <QPrinter>

namespace spooler
{

namespace
{

class QtPrinterConnection : public PrinterConnection
{
public:
    explicit QtPrinterConnection(QString name) : m_name(std::move(name)) {}
    std::optional<DeviceMode> readDeviceMode() override
    {
        const QPrinterInfo info = QPrinterInfo::printerInfo(m_name);
        if (info.isNull())
            return std::nullopt;
        DeviceMode mode;
        mode.deviceName = m_name;
        mode.duplex = info.defaultDuplexMode() == QPrinter::DuplexNone ? 1 : 2;
        return mode;
    }
    bool documentProperties(DeviceMode &mode) override { return mode.deviceName == m_name; }
    bool writeDeviceMode(const DeviceMode &mode) override { return mode.deviceName == m_name; }
    bool markDefault() override { return CupsDefault::set(m_name); }

private:
    QString m_name;
};

} // namespace

QtPrinterSystem::QtPrinterSystem()
{
    m_names = QPrinterInfo::availablePrinterNames();
    m_default = QPrinterInfo::defaultPrinterName();
    m_current = m_names.indexOf(m_default);
    if (m_current < 0 && !m_names.isEmpty())
        m_current = 0;
}

int QtPrinterSystem::count() const
{
    return int(m_names.size());
}

QString QtPrinterSystem::deviceName(int index) const
{
    if (index < 0 || index >= m_names.size())
        noPrinter();
    return m_names.at(index);
}

void QtPrinterSystem::setCurrentIndex(int index)
{
    if (index < 0 || index >= m_names.size())
        noPrinter();
    m_current = index;
}

QtPrinterSystem::Settings &QtPrinterSystem::current()
{
    if (m_current < 0)
        noPrinter();
    return m_settings[m_names.at(m_current)];
}

const QtPrinterSystem::Settings &QtPrinterSystem::current() const
{
    return const_cast<QtPrinterSystem *>(this)->current();
}

int16_t QtPrinterSystem::copies() const
{
    return current().copies;
}
void QtPrinterSystem::setCopies(int16_t copies)
{
    current().copies = copies;
}
int32_t QtPrinterSystem::orientation() const
{
    return current().orientation;
}
void QtPrinterSystem::setOrientation(int32_t orientation)
{
    current().orientation = orientation;
}
int16_t QtPrinterSystem::duplex() const
{
    return current().duplex;
}
void QtPrinterSystem::setDuplex(int16_t duplex)
{
    current().duplex = duplex;
}

PrinterMetrics QtPrinterSystem::metrics()
{
    if (m_current < 0)
        noPrinter();
    QPrinter printer(QPrinterInfo::printerInfo(m_names.at(m_current)), QPrinter::HighResolution);
    const QPageLayout layout = printer.pageLayout();
    const QRectF paintable = layout.paintRect(QPageLayout::Millimeter);
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    PrinterMetrics metrics;
    metrics.horzSizeMm = int(paintable.width());
    metrics.vertSizeMm = int(paintable.height());
    metrics.pixelsPerMmX = printer.resolution() / 25.4;
    metrics.pixelsPerMmY = metrics.pixelsPerMmX;
    metrics.physicalOffsetX = int((paintable.left() - full.left()) * metrics.pixelsPerMmX);
    metrics.physicalOffsetY = int((paintable.top() - full.top()) * metrics.pixelsPerMmY);
    return metrics;
}

std::unique_ptr<PrinterConnection> QtPrinterSystem::open(const QString &deviceName)
{
    if (!m_names.contains(deviceName))
        return nullptr;
    return std::make_unique<QtPrinterConnection>(deviceName);
}

QString QtPrinterSystem::defaultPrinterName() const
{
    return m_default;
}

bool QtPrinterSystem::setDefaultPrinter(const QString &deviceName)
{
    if (!m_names.contains(deviceName))
        return false;
    if (CupsDefault::available() && !CupsDefault::set(deviceName))
        return false;
    m_default = deviceName;
    return true;
}

} // namespace spooler
