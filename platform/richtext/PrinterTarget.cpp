#include "platform/richtext/PrinterTarget.h"

#include <QFile>
#include <QPaintEngine>
#include <QPrinter>

namespace richtext
{

PrinterTarget::PrinterTarget(QPrinter &printer, const QString &docName) : m_printer(printer)
{
    if (!docName.isEmpty())
        m_printer.setDocName(docName);
}

PrinterTarget::~PrinterTarget()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

QSizeF PrinterTarget::pageSize() const
{
    return m_printer.pageRect(QPrinter::DevicePixel).size();
}

int PrinterTarget::resolution() const
{
    return m_printer.resolution();
}

QPainter *PrinterTarget::beginPage()
{
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(&m_printer))
            return nullptr;
        return m_painter.get();
    }
    if (!m_painter->isActive() || !m_printer.newPage())
        return nullptr;
    return m_painter.get();
}

void PrinterTarget::endPage() {}

void PrinterTarget::abort()
{
    if (!m_painter || !m_painter->isActive())
        return;
    if (m_printer.abort()) {
        m_painter->end();
        return;
    }
    // Qt's own engines cannot abort: ending the painter would hand the pages
    // so far to the print queue, or leave them as a file. The engine is marked
    // idle so that the painter ends without it, and a file begun is removed.
    if (QPaintEngine *engine = m_printer.paintEngine())
        engine->setActive(false);
    m_painter->end();
    if (!m_printer.outputFileName().isEmpty())
        QFile::remove(m_printer.outputFileName());
}

bool PrinterTarget::finish()
{
    if (!m_painter || !m_painter->isActive())
        return false;
    return m_painter->end();
}

} // namespace richtext
