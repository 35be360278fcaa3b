#pragma once

#include "controls/display/WindowlessLabel.h"
#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"
#include "platform/gdi/Rect.h"

#include <QImage>
#include <memory>

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

// A grouping frame: a border in one of eleven looks around the control's
// surface and a caption label at its top, which covers the border line where
// it lies. Works in pixels.
class Frames : public com::Dispatched<Frames, com::Control>
{
    Q_OBJECT
public:
    enum BoStyle : int32_t { Off_Frame = 0, Flat_Frame = 9, XP_Frame = 10 };
    enum BoAli : int32_t { fLeft = 0, fCenter = 1, fRight = 2 };
    enum BoAl : int32_t { fStandard = 0, fUnderBorder = 1, fOverBorder = 2 };

    Frames();
    ~Frames() override;

    static void describe(com::Dispatcher<Frames> &d);

    void initProperties() override;
    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

    // The border's rectangle for a caption label of the given height.
    static gdi::Rect borderRect(int labelHeight, int32_t alignmentTop, int scaleWidth, int scaleHeight);
    // The caption label's left for the alignment.
    static double captionLeft(int32_t alignment, int scaleWidth, double labelWidth);

    const WindowlessLabel &captionLabel() const { return m_caption; }
    int32_t edgeCode() const { return m_edge; }
    // The persistent drawing (the border); the caption lies above it.
    const QImage &surface() const { return m_surface; }
    // What the control shows: the surface with the caption over it.
    QImage composed() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void setCaption(const QString &value);
    void setFont(const com::Variant &font);
    void setBackColor(uint32_t color);
    void setMouseIcon(const com::Variant &picture);
    void setMousePointer(int32_t pointer);
    void setBorderStyle(int32_t style);
    void setFontAttribute(const QString &attribute, const com::Variant &value);
    bool ownEnabled() const;

    void placeCaption();
    void drawFrame();
    bool overCaption(const QPoint &pos) const;
    void raiseMouse(const QString &name, QMouseEvent *event, bool move);

    WindowlessLabel m_caption; // the label "T"
    int32_t m_borderStyle = 8;
    int32_t m_edge = 6;
    int32_t m_alignment = fLeft;
    int32_t m_alignmentTop = fStandard;
    uint32_t m_backColor = 0x8000000F;
    int16_t m_mousePointer = 0;
    std::shared_ptr<com::StdPicture> m_mouseIcon;
    bool m_pressOnCaption = false; // a press on the caption belongs to the label to its release

    QImage m_surface;
    std::unique_ptr<gdi::DeviceContext> m_dc; // the control's own device context on its surface
};

} // namespace ostrevo
