#pragma once

#include "platform/com/Control.h"
#include "platform/com/Dispatched.h"

#include <QRect>
#include <array>
#include <memory>

class QFrame;
class QLineEdit;
class QScrollBar;

namespace com
{
class StdFont;
class StdPicture;
} // namespace com

namespace ostrevo
{

// A number box: a text box and a small vertical scroll bar inside a frame.
// It holds a whole number between Min and Max, derives five percentage
// results from it, and in time mode shows hours and minutes whose minutes the
// arrows step. The text box and the scroll bar notify their changes at once,
// inside the assignment, so the change handlers nest; two busy flags keep the
// text handler from nesting into itself.
class Spin : public com::Dispatched<Spin, com::Control>
{
    Q_OBJECT
public:
    enum Style : int32_t { Off = 0, Flat = 1, Standard = 2 };

    // Where the layout put the three parts, in twips.
    struct Layout {
        QRect frame;
        QRect text;
        QRect scroll;
    };

    Spin();
    ~Spin() override;

    static void describe(com::Dispatcher<Spin> &d);

    void initProperties() override;
    void readProperties(const com::PropertyBag &bag) override;
    void writeProperties(com::PropertyBag &bag) override;

    const Layout &layoutTwips() const { return m_layout; }
    float factor(int index) const { return m_factors[size_t(index)]; }
    int16_t scrollPosition() const { return m_scrollValue; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Properties.
    void setValue(int16_t value);
    void setResult(int index, float value);
    void setTimeState(bool on);
    void setBorderStyle(int32_t style);
    void setAlignment(int32_t alignment);
    void setFont(const com::Variant &font);
    void setMouseIcon(const com::Variant &picture);
    void setMousePointer(int32_t pointer);
    void setBackColorS(uint32_t color);
    void setForeColor(uint32_t color);
    void applyPalette();

    // The scroll bar: its Min lies at the top, so Min may be above Max.
    void setScrollRange(int16_t barMin, int16_t barMax);
    void setScrollValue(int32_t value); // error 380 outside the range
    void scrollArrow(int action);
    void showScrollPosition();
    void setText1(const QString &text);

    // Handlers of the constituents' events.
    void vScroll1Change();
    void stepTimeMode();
    void stepNormalMode();
    void text1Change();
    void typeTimeMode();
    void typeNormalMode();
    bool text1KeyPress(int keyAscii);
    void text1LostFocus();
    void raiseChanged();

    void layOut();

    int16_t m_max = 100;
    int16_t m_min = 0;
    int16_t m_value = 0;
    bool m_pointPosition = false;
    bool m_timeState = false;
    int32_t m_borderStyle = Flat;
    float m_currTimeH = 0;
    float m_currTimeM = 0;
    std::array<float, 5> m_results{};
    std::array<float, 5> m_factors{};
    std::array<float, 5> m_computed{};

    // Editing state kept between calls of the text handler.
    bool m_normalBusy = false;
    bool m_timeBusy = false;
    QString m_lastText;
    int m_lastSelStart = 0;
    int m_lastSelLength = 0;

    // What lives in the constituents.
    std::shared_ptr<com::StdFont> m_font;
    std::shared_ptr<com::StdPicture> m_mouseIcon;
    int16_t m_mousePointer = 0;
    int32_t m_alignment = 0;
    uint32_t m_textBackColor = 0xFFFFFF;
    uint32_t m_textForeColor = 0;
    uint32_t m_frameBackColor = 0x8000000F;
    QString m_toolTip;
    int16_t m_scrollMin = 100; // the bar's Min, at the top
    int16_t m_scrollMax = 0;
    int16_t m_scrollValue = 0;

    Layout m_layout;
    QFrame *m_text2 = nullptr; // owned as children
    QLineEdit *m_text1 = nullptr;
    QScrollBar *m_vScroll1 = nullptr;
    bool m_syncingScroll = false;
};

} // namespace ostrevo
