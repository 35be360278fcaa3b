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
    // Qt's own engines cannot abort. A job into a file is ended as usual, so
    // the engine lets go of its file, and the file is removed. A job for the
    // print queue would be handed on by its end: there the engine is marked
    // idle so that the painter ends without it.
    const QString file = m_printer.outputFileName();
    if (file.isEmpty()) {
        if (QPaintEngine *engine = m_printer.paintEngine())
            engine->setActive(false);
    }
    m_painter->end();
    if (!file.isEmpty())
        QFile::remove(file);
}

bool PrinterTarget::finish()
{
    if (!m_painter || !m_painter->isActive())
        return false;
    return m_painter->end();
}

} // namespace richtext
