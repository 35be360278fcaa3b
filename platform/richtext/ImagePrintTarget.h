#pragma once

#include "platform/richtext/PrintTarget.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QSize>
#include <memory>

namespace richtext
{

// A printer stand-in that renders each page into an image, for tests and
// previews; nothing leaves the process.
class ImagePrintTarget : public PrintTarget
{
public:
    ImagePrintTarget(QSize pagePixels, int dotsPerInch);
    ~ImagePrintTarget() override;

    QSizeF pageSize() const override;
    int resolution() const override;
    QPainter *beginPage() override;
    void endPage() override;
    bool finish() override;
    void abort() override;

    const QList<QImage> &pages() const { return m_pages; }
    bool finished() const { return m_finished; }
    bool aborted() const { return m_aborted; }

private:
    QSize m_size;
    int m_dpi;
    QImage m_current;
    std::unique_ptr<QPainter> m_painter;
    QList<QImage> m_pages;
    bool m_finished = false;
    bool m_aborted = false;
};

} // namespace richtext
