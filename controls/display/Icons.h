#pragma once

#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"

#include <QImage>
#include <memory>

namespace com
{
class StdPicture;
}

namespace ostrevo
{

// Hands out the library's stock icons as pictures, in the normal, hovered or
// pressed look, so that a host's own buttons can show the same icons as the
// library's buttons. On the form it is a fixed 38 × 38 pixel square with a
// raised edge; it persists nothing.
class Icons : public com::Dispatched<Icons, com::Control>
{
    Q_OBJECT
public:
    Icons();
    ~Icons() override;

    static void describe(com::Dispatcher<Icons> &d);

    // The icon group for a look (0 normal, 1 hovered, any other number
    // pressed) and an icon number; error 6 when the sum leaves 32 bits.
    static int32_t groupOf(double picOver, int32_t index);
    // The icon as the Icon property gives it: 32 × 32 pixels for a size of
    // exactly 32, else 16 × 16; null for a group the library does not have.
    // Text that is no number raises error 13.
    static std::shared_ptr<com::StdPicture> icon(const QString &picOver, const QString &size, int32_t index);

    // The control's face: its symbol in a raised edge.
    const QImage &surface() const { return m_surface; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void drawFace();

    QImage m_surface;
};

} // namespace ostrevo
