#include "platform/richtext/ImagePrintTarget.h"

namespace richtext
{

ImagePrintTarget::ImagePrintTarget(QSize pagePixels, int dotsPerInch) : m_size(pagePixels), m_dpi(dotsPerInch)
{
}

ImagePrintTarget::~ImagePrintTarget()
{
    if (m_painter)
        m_painter->end();
}

QSizeF ImagePrintTarget::pageSize() const
{
    return QSizeF(m_size);
}

int ImagePrintTarget::resolution() const
{
    return m_dpi;
}

QPainter *ImagePrintTarget::beginPage()
{
    endPage();
    m_current = QImage(m_size, QImage::Format_RGB32);
    m_current.fill(Qt::white);
    m_current.setDotsPerMeterX(qRound(m_dpi / 0.0254));
    m_current.setDotsPerMeterY(qRound(m_dpi / 0.0254));
    m_painter = std::make_unique<QPainter>(&m_current);
    return m_painter.get();
}

void ImagePrintTarget::endPage()
{
    if (!m_painter)
        return;
    m_painter->end();
    m_painter.reset();
    m_pages.append(m_current);
    m_current = QImage();
}

void ImagePrintTarget::abort()
{
    // The page begun is dropped, as a printer drops an unfinished sheet.
    if (m_painter)
        m_painter->end();
    m_painter.reset();
    m_current = QImage();
    m_aborted = true;
}

bool ImagePrintTarget::finish()
{
    endPage();
    m_finished = true;
    return true;
}

} // namespace richtext
