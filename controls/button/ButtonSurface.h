#pragma once

#include "controls/foundation/PictureBox.h"

#include <QImage>
#include <memory>

namespace gdi
{
class DeviceContext;
}

namespace ostrevo
{

// A hidden picture box the button works on: a persistent surface sized to
// its picture, in twips until the emboss filter asks for pixels.
class ButtonSurface : public PictureBox
{
public:
    ButtonSurface();
    ~ButtonSurface() override;

    // Sizes the surface to the image and draws it over the back colour.
    void setPicture(const QImage &picture, uint32_t backColor);
    // An empty surface of the given size in the back colour.
    void reset(QSize size, uint32_t backColor);
    const QImage &image() const { return m_image; }

    void setScaleMode(int16_t mode) override { m_scaleMode = mode; }
    float scaleWidth() const override;
    float scaleHeight() const override;
    gdi::Handle hDC() override;

private:
    QImage m_image;
    std::unique_ptr<gdi::DeviceContext> m_dc;
    int16_t m_scaleMode = 1;
};

} // namespace ostrevo
