#pragma once

#include "platform/spooler/PrinterSystem.h"

#include <QStringList>
#include <vector>

namespace spooler
{

// A scripted printer system for tests: printers with settings, a record of
// what was opened, written and closed, and a step that can be made to fail.
class FakePrinterSystem : public PrinterSystem
{
public:
    struct Printer {
        QString name;
        int16_t copies = 1;
        int32_t orientation = 1;
        int16_t duplex = 1;
        DeviceMode stored; // the spooler's stored defaults
    };
    enum class FailAt { Nothing, Open, Read, DocumentProperties, Write };

    std::vector<Printer> printerList;
    int current = -1;
    QString defaultName;
    PrinterMetrics pageMetrics;
    FailAt failAt = FailAt::Nothing;
    QStringList log; // "open X", "read", "properties", "write", "mark default", "close", "enddoc",
                     // "default X", "profile X"
    int openConnections = 0;

    void addPrinter(const QString &name, int16_t copies = 1, int32_t orientation = 1);

    int count() const override { return int(printerList.size()); }
    QString deviceName(int index) const override;
    int currentIndex() const override { return current; }
    void setCurrentIndex(int index) override;
    int16_t copies() const override { return currentPrinter().copies; }
    void setCopies(int16_t copies) override { currentPrinter().copies = copies; }
    int32_t orientation() const override { return currentPrinter().orientation; }
    void setOrientation(int32_t orientation) override { currentPrinter().orientation = orientation; }
    int16_t duplex() const override { return currentPrinter().duplex; }
    void setDuplex(int16_t duplex) override { currentPrinter().duplex = duplex; }
    PrinterMetrics metrics() override;
    void endDocument() override { log << QStringLiteral("enddoc"); }
    std::unique_ptr<PrinterConnection> open(const QString &deviceName) override;
    QString defaultPrinterName() const override { return defaultName; }
    bool setDefaultPrinter(const QString &deviceName) override;
    bool setProfileDefault(const QString &deviceName) override;

private:
    Printer &currentPrinter() const;
    friend class FakePrinterConnection;
};

} // namespace spooler
