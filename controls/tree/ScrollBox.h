#pragma once

#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"

#include <QStringList>
#include <memory>

namespace com
{
class StdPicture;
}

namespace ostrevo
{

// A container whose contents (the host's controls placed inside it, which are
// its child widgets) the user scrolls vertically by dragging with the mouse on
// a narrow strip at its right edge. A sunken frame of four strips surrounds
// the area. Works in twips.
class ScrollBox : public com::Dispatched<ScrollBox, com::Control>
{
    Q_OBJECT
public:
    enum EnBorder : int32_t { eOff = 0, eFlat = 1, eStandard = 2 };

    ScrollBox();
    ~ScrollBox() override;

    static void describe(com::Dispatcher<ScrollBox> &d);
    // The design-time property pages, in the order the designer shows them.
    static QStringList propertyPages();

    void initProperties() override;
    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

    float scrollOffset() const { return m_offset; }
    float extent() const { return m_extent; }
    float dragReference() const { return m_dragRef; }
    int16_t borderHeight() const { return m_borderHeight; }
    // The open hand shown over the strip, and the closed one while dragging.
    const std::shared_ptr<com::StdPicture> &openHand() const { return m_openHand; }
    const std::shared_ptr<com::StdPicture> &closedHand() const { return m_closedHand; }
    const std::shared_ptr<com::StdPicture> &stripIcon() const { return m_stripIcon; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    class Box;
    class DragStrip;
    friend class DragStrip;

    void setBorderStyle(int32_t style);
    void setValue(const com::Variant &value);
    void setStripIcon(const std::shared_ptr<com::StdPicture> &icon);

    QList<QWidget *> contents() const;
    void shift(QWidget &control, double distance);
    void moveControls(double distance);
    void layout();
    void alignContents();
    void measureExtent();
    void dragStep(float y);

    // Input on the strip; x and y in twips from the strip's corner.
    void stripPressed(QMouseEvent *event);
    void stripMoved(QMouseEvent *event);
    void stripReleased(QMouseEvent *event);
    void stripKeyPressed(QKeyEvent *event);
    void stripKeyReleased(QKeyEvent *event);

    int32_t m_borderStyle = eOff;
    int16_t m_borderWidth = 0;
    int16_t m_borderHeight = 0;
    float m_dragRef = 0;        // pointer y at the last drag step; -1 while no drag is under way
    float m_offset = 0;         // how far the contents are shifted up; never above 0
    float m_extent = 0;         // height of the contents as last measured, at least the box's height
    float m_contentsExtent = 0; // how far down the contents have reached
    QString m_valueText;        // the offset after the last drag step
    uint32_t m_backColor = 0x8000000F;

    DragStrip *m_lblArea; // the constituents are owned as children
    Box *m_lineTop;
    Box *m_lineLeft;
    Box *m_lineRight;
    Box *m_lineBottom;
    std::shared_ptr<com::StdPicture> m_openHand;   // Hand's MouseIcon
    std::shared_ptr<com::StdPicture> m_closedHand; // Hand's DragIcon
    std::shared_ptr<com::StdPicture> m_stripIcon;  // the strip's MouseIcon now
};

} // namespace ostrevo
