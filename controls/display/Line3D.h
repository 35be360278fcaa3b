#pragma once

#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"

#include <QImage>
#include <QRect>
#include <QStringList>

namespace ostrevo
{

// An engraved or raised separator: two solid strips of BorderWidth pixels
// each, one above the other or side by side, whose colours give the 3-D look.
// The control is as thick as the two strips and as long as its host makes it
// along the line. Works in twips.
class Line3D : public com::Dispatched<Line3D, com::Control>
{
    Q_OBJECT
public:
    enum OrientationConstants : int32_t { lHorizontal = 0, lVertical = 1, lAuto = 2 };

    // One of the two strips: where it lies in the control (twips) and its colour.
    struct Strip {
        QRect twips;
        uint32_t backColor = 0;
    };

    Line3D();
    ~Line3D() override;

    static void describe(com::Dispatcher<Line3D> &d);
    // The design-time property pages, in the order the designer shows them.
    static QStringList propertyPages();

    void initProperties() override;
    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

    // The thickness of one strip in twips for a border width; error 6 when
    // the whole line (two strips) does not fit 16 bits, 380 when negative.
    static int16_t stripThickness(int16_t borderWidth);

    const Strip &line1() const { return m_line1; } // top or left
    const Strip &line2() const { return m_line2; } // bottom or right
    // The control's drawing: both strips in their colours.
    const QImage &surface() const { return m_surface; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setOrientation(int32_t orientation);
    void setBorderWidth(int16_t width);
    void setStripColor(Strip &strip, uint32_t color);
    void drawLine();
    void paintStrips();

    int32_t m_orientation = lHorizontal;
    int16_t m_borderWidth = 0;
    int16_t m_lineLength = 0; // twips along the line
    Strip m_line1{{}, 0x80000010};
    Strip m_line2{{}, 0x80000014};
    QImage m_surface;
};

} // namespace ostrevo
