#pragma once

#include "controls/display/WindowlessLabel.h"
#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"

#include <QImage>
#include <QPointF>
#include <QStringList>
#include <memory>
#include <optional>

namespace gdi
{
class DeviceContext;
}

namespace ostrevo
{

// One line of caption with an offset copy behind it, so that it looks raised
// or engraved: the text label lbFont in front, the shadow label lbShadow
// moved by xDist in one of eight directions (or not at all) behind it. With
// FocusRect on it takes the focus when clicked, recolours its shadow while
// focused and turns Enter into a click. Works in twips.
class Label3D : public com::Dispatched<Label3D, com::Control>
{
    Q_OBJECT
public:
    Label3D();
    ~Label3D() override;

    static void describe(com::Dispatcher<Label3D> &d);
    // The design-time property pages, in the order the designer shows them.
    static QStringList propertyPages();

    void initProperties() override;
    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

    // The shadow label's offset (left, top) from the text label, in twips,
    // for text modes 0 to 8; modes outside that leave the shadow where it is.
    static std::optional<QPointF> shadowOffset(int16_t textMode, int16_t distance);

    const WindowlessLabel &textLabel() const { return m_lbFont; }
    const WindowlessLabel &shadowLabel() const { return m_lbShadow; }
    // What the control shows: its background (unless transparent) with the
    // shadow label and then the text label over it.
    QImage composed() const;

protected:
    bool event(QEvent *event) override;
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
    void setFont(const com::Variant &font);
    void setFontAttribute(const QString &member, const com::Variant &value);
    void setBackColorL(uint32_t color);
    void setBackStyle(int32_t style);
    void setShadow(bool on);
    void setEnabledL(bool on);
    void placeShadow();
    void fillBackground();

    double unitsPerPixelX() const;
    double unitsPerPixelY() const;
    const WindowlessLabel *labelAt(const QPoint &pos) const;
    void raiseMouse(const QString &name, QMouseEvent *event, const WindowlessLabel &label, bool move);

    WindowlessLabel m_lbFont;
    WindowlessLabel m_lbShadow;
    int16_t m_xDist = 15;
    int16_t m_textMode = 0;
    int32_t m_backStyle = 0;
    QString m_toolTipText;
    uint32_t m_backColor = 0;
    uint32_t m_textColor = 0;
    uint32_t m_shadowColor = 0;
    uint32_t m_focusColor = 0;
    bool m_shadow = false;
    bool m_focusRect = false;
    uint32_t m_controlBackColor;                // the control's own back colour
    const WindowlessLabel *m_pressed = nullptr; // the label a press went to, until its release

    QImage m_surface;
    std::unique_ptr<gdi::DeviceContext> m_dc; // the control's own device context on its surface
};

} // namespace ostrevo
