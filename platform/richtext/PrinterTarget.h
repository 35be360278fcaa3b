#pragma once

#include "platform/richtext/PrintTarget.h"

#include <QPainter>
#include <memory>

class QPrinter;

namespace richtext
{

// Prints to a printer that the caller set up (the printer dialog's choice).
class PrinterTarget : public PrintTarget
{
public:
    explicit PrinterTarget(QPrinter &printer);
    ~PrinterTarget() override;

    QSizeF pageSize() const override;
    int resolution() const override;
    QPainter *beginPage() override;
    void endPage() override;
    bool finish() override;

private:
    QPrinter &m_printer;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace richtext
