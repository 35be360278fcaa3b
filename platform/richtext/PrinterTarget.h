#pragma once

#include "platform/richtext/PrintTarget.h"

#include <QPainter>
#include <QString>
#include <memory>

class QPrinter;

namespace richtext
{

// Prints to a printer that the caller set up (the printer dialog's choice).
// The job carries `docName` as its title in the print queue.
class PrinterTarget : public PrintTarget
{
public:
    explicit PrinterTarget(QPrinter &printer, const QString &docName = QString());
    ~PrinterTarget() override;

    QSizeF pageSize() const override;
    int resolution() const override;
    QPainter *beginPage() override;
    void endPage() override;
    bool finish() override;
    void abort() override;

private:
    QPrinter &m_printer;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace richtext
