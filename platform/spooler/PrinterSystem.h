#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace spooler
{

// The parts of a printer's device mode the library changes.
struct DeviceMode {
    QString deviceName;
    int16_t orientation = 1; // 1 portrait, 2 landscape
    int16_t duplex = 1;      // 1 simplex, 2 vertical, 3 horizontal
    int16_t copies = 1;
    uint32_t fields = 0; // which of the above are meant to be applied
};

// What the device context of a printer tells about its page.
struct PrinterMetrics {
    int horzSizeMm = 0;      // printable width
    int vertSizeMm = 0;      // printable height
    int physicalOffsetX = 0; // pixels
    int physicalOffsetY = 0;
    double pixelsPerMmX = 1;
    double pixelsPerMmY = 1;
};

// An open printer; closing it is the destructor's job.
class PrinterConnection
{
public:
    virtual ~PrinterConnection();
    virtual std::optional<DeviceMode> readDeviceMode() = 0;
    virtual bool documentProperties(DeviceMode &mode) = 0; // validates and merges
    virtual bool writeDeviceMode(const DeviceMode &mode) = 0;
    // Sets the default flag in the printer's own attributes.
    virtual bool markDefault() = 0;
};

// The form runtime's printer collection and current printer, and the
// spooler's stored printer settings.
class PrinterSystem
{
public:
    virtual ~PrinterSystem();

    virtual int count() const = 0;
    virtual QString deviceName(int index) const = 0;
    // The current printer; every member below raises error 484 while there is none.
    virtual int currentIndex() const = 0;
    virtual void setCurrentIndex(int index) = 0;
    virtual int16_t copies() const = 0;
    virtual void setCopies(int16_t copies) = 0;
    virtual int32_t orientation() const = 0;
    virtual void setOrientation(int32_t orientation) = 0;
    virtual int16_t duplex() const = 0;
    virtual void setDuplex(int16_t duplex) = 0;
    virtual PrinterMetrics metrics() = 0;
    virtual void endDocument() = 0;

    // Null when the printer cannot be opened.
    virtual std::unique_ptr<PrinterConnection> open(const QString &deviceName) = 0;
    virtual QString defaultPrinterName() const = 0;
    virtual bool setDefaultPrinter(const QString &deviceName) = 0;
    // The default kept in the user's own profile; the system is told that
    // its settings changed.
    virtual bool setProfileDefault(const QString &deviceName) = 0;

protected:
    [[noreturn]] static void noPrinter();
};

} // namespace spooler

// The process's printer system: the real one unless a test installed another.
KV_DECLARE_SERVICE_SLOT(spooler::PrinterSystem)
