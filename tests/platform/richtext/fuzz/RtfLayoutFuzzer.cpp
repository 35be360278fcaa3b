// Feeds arbitrary bytes to the RTF reader and lays out and paints what it
// read, as the rich-text box shows it: the reader must hand the text engine
// only what a page holds, so no input may make the layout or the painting
// crash, hang or take memory without bound.

#include "tests/platform/richtext/fuzz/FuzzedRtf.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTextDocument doc;
    readFuzzedRtf(data, size, doc);

    // A page of the preview's width, laid out whole, its top and its end painted.
    constexpr int kWidth = 400;
    constexpr int kHeight = 600;
    doc.setTextWidth(kWidth);
    const QSizeF laidOut = doc.documentLayout()->documentSize();
    QImage page(kWidth, kHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    doc.drawContents(&painter, QRectF(0, 0, kWidth, kHeight));
    painter.translate(0, kHeight - laidOut.height());
    doc.drawContents(&painter, QRectF(0, laidOut.height() - kHeight, kWidth, kHeight));
    return 0;
}
