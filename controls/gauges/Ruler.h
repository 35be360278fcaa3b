#pragma once

#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"

#include <QImage>
#include <array>
#include <optional>

class QAction;
class QMenu;

namespace ostrevo
{

// A measuring ruler in one of four units, horizontal or vertical, drawn in
// twips on a persistent surface. A right click opens its unit menu, which can
// also offer three entries that only the host gives a meaning; MouseMoved
// lets the host drag an inverted marker line along the ruler.
class Ruler : public com::Dispatched<Ruler, com::Control>
{
    Q_OBJECT
public:
    enum Orientation : int32_t { Horizontal = 0, Vertical = 1, Automatic = 2 };

    Ruler();
    ~Ruler() override;

    static void describe(com::Dispatcher<Ruler> &d);

    void initProperties() override;
    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

    const QImage &surface() const { return m_surface; }
    int32_t adjustValue() const { return m_adjust; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void setMode(int32_t mode);
    void setOrientation(int32_t orientation);
    void setSmallZoom(int16_t zoom);
    void setBackColor(uint32_t color);
    void setMenuEntry(int index, bool &field, bool value, const QString &name);
    void mouseMoved(float x);

    void clearSurface();
    void drawScale();
    void drawMarker(float position);
    void buildMenu();
    void showMenu(const QPoint &globalPos);
    void mnuMode_Click(int index);

    std::optional<float> m_marker; // the marker line on the surface, if any
    int32_t m_adjust = 445;        // twips per unit of the current mode; 0 draws no scale
    QString m_adjCm;
    QString m_adjTwip;
    QString m_adjInch;
    QString m_adjPixel;
    int32_t m_mode = 0;
    int32_t m_orientation = Horizontal;
    int16_t m_smallZoom = 0;
    bool m_mode2 = false;
    bool m_mode3 = false;
    bool m_mode4 = false;
    bool m_mode3Check = false;
    bool m_mode4Check = false;
    uint32_t m_backColor = 0x80000018; // info background
    uint32_t m_foreColor = 0x80000012; // button text

    QImage m_surface;                     // the persistent drawing the widget shows
    QMenu *m_menu = nullptr;              // mnuMenu, owned as a child
    std::array<QAction *, 8> m_entries{}; // mnuMode, owned by the menu
};

} // namespace ostrevo
