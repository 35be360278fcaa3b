#pragma once

#include "platform/spooler/PrinterSystem.h"

#include <QPrinterInfo>
#include <QStringList>
#include <map>

namespace spooler
{

// The machine's printers as the print system lists them. Settings changed
// here hold for this program's printing; the system's stored defaults are
// the print system's own business and stay as they are, except the user's
// default printer, which CUPS keeps where it is installed.
class QtPrinterSystem : public PrinterSystem
{
public:
    QtPrinterSystem();

    int count() const override;
    QString deviceName(int index) const override;
    int currentIndex() const override { return m_current; }
    void setCurrentIndex(int index) override;
    int16_t copies() const override;
    void setCopies(int16_t copies) override;
    int32_t orientation() const override;
    void setOrientation(int32_t orientation) override;
    int16_t duplex() const override;
    void setDuplex(int16_t duplex) override;
    PrinterMetrics metrics() override;
    void endDocument() override {}
    std::unique_ptr<PrinterConnection> open(const QString &deviceName) override;
    QString defaultPrinterName() const override;
    bool setDefaultPrinter(const QString &deviceName) override;
    bool setProfileDefault(const QString &deviceName) override { return setDefaultPrinter(deviceName); }

private:
    struct Settings {
        int16_t copies = 1;
        int32_t orientation = 1;
        int16_t duplex = 1;
    };
    Settings &current();
    const Settings &current() const;

    QStringList m_names;
    std::map<QString, Settings> m_settings;
    int m_current = -1;
    QString m_default;
};

} // namespace spooler
