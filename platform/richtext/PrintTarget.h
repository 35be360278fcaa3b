#pragma once

#include <QSizeF>

class QPainter;

namespace richtext
{

// Where the text box prints to: a printer, or in tests a set of images.
class PrintTarget
{
public:
    virtual ~PrintTarget();

    // The printable area of a page, in device pixels.
    virtual QSizeF pageSize() const = 0;
    virtual int resolution() const = 0;

    // The painter for the next page, origin at the printable area's corner;
    // nullptr when the device cannot take it.
    virtual QPainter *beginPage() = 0;
    virtual void endPage() = 0;
    // Completes the job; false when the device failed.
    virtual bool finish() = 0;
    // Ends the job unfinished: nothing of it goes on to the device.
    virtual void abort() = 0;
};

} // namespace richtext
