#pragma once

#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"

#include <QImage>
#include <QStringList>
#include <memory>
#include <optional>

namespace com
{
class StdPicture;
}

namespace gdi
{
class DeviceContext;
}

namespace ostrevo
{

// A progress gauge: Value as a share of Max, painted in one of ten styles on
// a persistent picture surface (PB), optionally with the percentage printed in
// its middle. Paints in pixels. The styles that draw blocks or chunks only add
// to what is on the surface and clear it where their rules say so.
class ProgressBar : public com::Dispatched<ProgressBar, com::Control>
{
    Q_OBJECT
public:
    enum Style : int32_t {
        Standart = 0,
        Smooth = 1,
        ValueDependant = 2,
        SmoothDoubleColor = 3,
        DoubleColor = 4,
        XPStyleBig = 5,
        XPStyleSmall = 6,
        CustomPictureLandscape = 7,
        CustomPictureStrech = 8,
        CustomPictureTile = 9,
    };

    ProgressBar();
    ~ProgressBar() override;

    static void describe(com::Dispatcher<ProgressBar> &d);
    // The design-time property pages, in the order the designer shows them.
    static QStringList propertyPages();

    void initProperties() override;
    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

    // PB's drawing area (inside its border), in pixels.
    const QImage &surface() const { return m_surface; }
    // What the control shows: PB's border around its drawing area.
    QImage composed() const;
    // The percentage caption of the last paint, and whether it was printed.
    QString percentText() const { return m_caption; }
    // PB's border width in pixels on each side.
    int borderWidth() const;

    // The colour-channel routines of the gradient styles: only a high byte of
    // exactly &H80 names a system colour, whose index is the low byte.
    static uint32_t TranslateSysColor(uint32_t colour);
    static uint8_t ColorRed(uint32_t colour);
    static uint8_t ColorGreen(uint32_t colour);
    static uint8_t ColorBlue(uint32_t colour);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    // Properties.
    void setStyle(int32_t style);
    void setBorderStyle(int16_t style);
    void setAppearance(int16_t appearance);
    void setPicture(std::shared_ptr<com::StdPicture> ProgressBar::*field, const com::Variant &picture,
                    const QString &name);

    // Layout and the drawing primitives of PB.
    void layOut();
    void fitSurface();
    void cls();
    void fillBox(double x1, double y1, double x2, double y2, uint32_t oleColor);
    void copyPicture(const QImage &picture, double x, double y, double width, double height,
                     std::optional<QRectF> source = std::nullopt);
    void printText(const QString &text, double x, double y);
    void surfaceChanged(); // asks for the surface to be shown again

    // Painting.
    // How a style's painting ended.
    enum class Outcome { Finished, Ended, MissingPicture };

    void paint();
    bool paintStyle(std::optional<double> ratio); // false when the paint ends early, without text
    bool paintBlocks(double ratio, bool gradient);
    void paintSmooth(double ratio);
    void paintValueDependant(double ratio);
    bool paintSmoothDoubleColor(std::optional<double> ratio);
    void paintXP(double ratio);
    Outcome paintPicture(double ratio);
    void paintText(std::optional<double> ratio);

    int32_t m_style = Smooth;
    uint32_t m_textColor = 0;
    uint32_t m_barColor2 = 0xFF00;
    uint32_t m_barColor1 = 0;
    uint32_t m_backColor = 0x8000000F;
    int32_t m_value = 100;
    int32_t m_max = 500000;
    bool m_showText = false;
    int32_t m_xpColor = 0;
    std::shared_ptr<com::StdPicture> m_landscape;
    std::shared_ptr<com::StdPicture> m_stretch;
    std::shared_ptr<com::StdPicture> m_tile;
    bool m_xpFrameDrawn = false;
    double m_lastRatio = 0;

    // What lives in PB and the control surface rather than in the fields.
    bool m_autoRedraw = false;
    int16_t m_appearance = 1;
    int16_t m_borderStyle = 1;
    uint32_t m_pbBackColor = 0x8000000F;
    uint32_t m_pbForeColor = 0;
    bool m_labelVisible = false; // lblVal lies under PB and is never seen
    QString m_caption;           // lblVal's caption

    bool m_layingOut = false;
    bool m_inPaintRequest = false;
    QImage m_surface;
};

} // namespace ostrevo
