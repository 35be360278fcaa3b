#include "controls/gauges/Spin.h"

#include "controls/display/MousePointer.h"
#include "controls/foundation/frmAbout.h"
#include "controls/gauges/SpinValue.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdFont.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/Twips.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

using namespace com;
using rt::KeyCodes;
using rt::Twips;

namespace ostrevo
{

namespace
{

constexpr uint32_t OwnBackColor = 0x8000000F; // button face, what the frame takes on a style change
constexpr int32_t ResultDispids[] = {0x68030011, 0x68030010, 0x6803000F, 0x6803000E, 0x6803000D};

QString resultName(int index)
{
    return QStringLiteral("Result%1").arg(index + 1);
}

int16_t toInteger(double value)
{
    return Variant::fromDouble(value).toInteger();
}

// In time mode the bar's position is the minute, and -1 and 60 are where it
// wraps. A range reaching beyond them would let the arrows (or a Value) show
// minutes that do not exist, so such a range waits until time mode ends.
bool holdsMinutes(int16_t barMin, int16_t barMax)
{
    return std::min(barMin, barMax) >= -1 && std::max(barMin, barMax) <= 60;
}

} // namespace

Spin::Spin() : m_font(std::make_shared<StdFont>())
{
    m_text2 = new QFrame(this);
    m_text2->setObjectName(QStringLiteral("Text2"));
    m_text2->setAutoFillBackground(true);
    m_text1 = new QLineEdit(QStringLiteral("0"), this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setFrame(false);
    m_vScroll1 = new QScrollBar(Qt::Vertical, this);
    m_vScroll1->setObjectName(QStringLiteral("VScroll1"));
    m_vScroll1->setSingleStep(1);
    m_vScroll1->setPageStep(1);
    setScrollRange(m_scrollMin, m_scrollMax);
    applyPalette();
    setBorderStyle(Flat);

    connect(m_text1, &QLineEdit::textChanged, this, [this] { text1Change(); });
    connect(m_vScroll1, &QAbstractSlider::actionTriggered, this, [this](int action) { scrollArrow(action); });
    m_text1->installEventFilter(this);
}

Spin::~Spin() = default;

void Spin::describe(Dispatcher<Spin> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("Spin"), QStringLiteral("Quiv_Tools.Spin"),
                                  QStringLiteral("{E1FF2539-18C6-4790-8E03-1E663311A044}"),
                                  QStringLiteral("{F8328EA8-B27E-4298-8FBB-496E62740FC4}"),
                                  QStringLiteral("{AD5B181F-9D59-4F3E-8D1F-ACAFA67FEC87}")));
    const VarType S = VarType::String, L = VarType::Long, I = VarType::Integer, F = VarType::Single;
    const QString oleColor = QStringLiteral("OLE_COLOR");
    d.method(QStringLiteral("ShowAboutBox"), -552, VarType::Empty, {}, [](Spin &, Args &) {
        ShowAboutBox();
        return Variant();
    });
    d.property<int16_t>(
         QStringLiteral("Min"), 0x68030014, [](Spin &self) { return self.m_min; },
         [](Spin &self, int16_t value) {
             self.m_min = value;
             // The bar's Max, in time mode as well: the minutes then step only within it.
             if (!self.m_timeState || holdsMinutes(self.m_scrollMin, self.m_min))
                 self.setScrollRange(self.m_scrollMin, self.m_min);
         })
        .notifies()
        .persist({.rank = 9, .read = Variant::fromInteger(0)});
    d.property<int16_t>(
         QStringLiteral("Max"), 0x68030013, [](Spin &self) { return self.m_max; },
         [](Spin &self, int16_t value) {
             self.m_max = value;
             if (!self.m_timeState || holdsMinutes(self.m_max, self.m_scrollMax))
                 self.setScrollRange(self.m_max, self.m_scrollMax);
         })
        .notifies()
        .persist({.rank = 8, .read = Variant::fromInteger(100)});
    d.property<int16_t>(
         QStringLiteral("Value"), 0x68030012, [](Spin &self) { return self.m_value; },
         [](Spin &self, int16_t value) { self.setValue(value); })
        .persist({.rank = 10, .read = Variant::fromInteger(0)});
    for (int i = 0; i < 5; ++i) {
        d.property<float>(
             resultName(i), ResultDispids[i], [i](Spin &self) { return self.m_results[size_t(i)]; },
             [i](Spin &self, float value) { self.setResult(i, value); })
            .persist({.rank = 11 + i, .read = Variant::fromInteger(0)});
    }
    d.property<bool>(
         QStringLiteral("PointPosition"), 0x6803000C, [](Spin &self) { return self.m_pointPosition; },
         [](Spin &self, bool value) { self.m_pointPosition = value; })
        .notifies()
        .persist({.rank = 16, .read = Variant::fromBool(false)});
    d.property<bool>(
         QStringLiteral("TimeState"), 0x6803000B, [](Spin &self) { return self.m_timeState; },
         [](Spin &self, bool value) { self.setTimeState(value); })
        .persist({.rank = 17, .read = Variant::fromBool(false)});
    d.property<float>(
         QStringLiteral("CurrTimeH"), 0x6803000A, [](Spin &self) { return self.m_currTimeH; },
         [](Spin &self, float value) {
             self.m_currTimeH = value; // shown from the next step on
         })
        .notifies()
        .persist({.rank = 18, .read = "00"});
    d.property<float>(
         QStringLiteral("CurrTimeM"), 0x68030009, [](Spin &self) { return self.m_currTimeM; },
         [](Spin &self, float value) { self.m_currTimeM = value; })
        .notifies()
        .persist({.rank = 19, .read = Variant::fromInteger(0)});
    d.objectProperty(
         QStringLiteral("Font"), -512, QStringLiteral("StdFont"),
         [](Spin &self) { return Variant::fromObject(self.m_font); },
         [](Spin &self, const Variant &v) {
             self.setFont(v);
             self.layOut();
         })
        .notifies()
        // A copy, so that the size read next stays out of the bag's font.
        .persist(
            {.rank = 4, .read = &com::Control::ambientFontObject, .store = [](Spin &self, const Variant &v) {
                 self.setFont(Variant::fromObject(StdFont::fromVariant(v)->clone()));
             }});
    d.property(
         QStringLiteral("FontSize"), 0x68030008, F,
         [](Spin &self) { return Variant::fromSingle(float(self.m_font->size)); },
         [](Spin &self, const Variant &v) {
             self.m_font->let(QStringLiteral("Size"), v);
             self.m_text1->setFont(self.m_font->toQFont());
             self.layOut();
         })
        .notifies()
        .persist({.rank = 5,
                  .read = Variant::fromSingle(8.25f),
                  .write = Variant::fromInteger(0),
                  .store = [](Spin &self, const Variant &v) {
                      self.m_font->let(QStringLiteral("Size"), v);
                      self.m_text1->setFont(self.m_font->toQFont());
                  }});
    d.objectProperty(
         QStringLiteral("MouseIcon"), 0x68030007, QStringLiteral("Picture"),
         [](Spin &self) { return Variant::fromObject(self.m_mouseIcon); },
         [](Spin &self, const Variant &v) { self.setMouseIcon(v); })
        .notifies()
        .persist({.rank = 6, .read = Variant::fromObject(nullptr)});
    d.property<int32_t>(
         QStringLiteral("MousePointer"), 0x68030006, [](Spin &self) { return self.m_mousePointer; },
         [](Spin &self, int32_t value) { self.setMousePointer(value); }, QStringLiteral("sMousePointerConst"))
        .notifies()
        .persist({.rank = 7, .read = Variant::fromLong(0), .store = [](Spin &self, const Variant &v) {
                      self.setMousePointer(v.toLong());
                  }});
    d.property<int32_t>(
         QStringLiteral("BorderStyle"), 0x68030005, [](Spin &self) { return self.m_borderStyle; },
         [](Spin &self, int32_t value) { self.setBorderStyle(value); }, QStringLiteral("EnStyle"))
        .notifies()
        .persist({.rank = 0, .read = Variant::fromLong(Flat)});
    d.property<int32_t>(
         QStringLiteral("Alignment"), 0x68030004, [](Spin &self) { return self.m_alignment; },
         [](Spin &self, int32_t value) {
             self.setAlignment(value);
             self.vScroll1Change();
         },
         QStringLiteral("sAlignmentConst"))
        .notifies()
        .persist({.rank = 20, .read = Variant::fromLong(0), .store = [](Spin &self, const Variant &v) {
                      self.setAlignment(v.toLong());
                  }});
    d.property<bool>(
         QStringLiteral("EnabledS"), 0x68030003, [](Spin &self) { return self.m_text1->isEnabledTo(&self); },
         [](Spin &self, bool value) {
             self.m_text1->setEnabled(value);
             self.m_vScroll1->setEnabled(value);
         })
        .notifies()
        .persist({.rank = 21, .read = Variant::fromBool(true), .store = [](Spin &self, const Variant &v) {
                      self.m_text1->setEnabled(v.toBool());
                  }});
    d.property<uint32_t>(
         QStringLiteral("BackColorS"), 0x68030002, [](Spin &self) { return self.m_textBackColor; },
         [](Spin &self, uint32_t value) { self.setBackColorS(value); }, oleColor)
        .notifies()
        .persist({.rank = 2,
                  .read = [](Spin &self) { return Variant::fromColor(self.m_textBackColor); },
                  .write = Variant::fromColor(0xFFFFFF)});
    d.property<uint32_t>(
         QStringLiteral("ForeColor"), 0x68030001, [](Spin &self) { return self.m_textForeColor; },
         [](Spin &self, uint32_t value) { self.setForeColor(value); }, oleColor)
        .notifies()
        .persist({.rank = 3,
                  .read = [](Spin &self) { return Variant::fromColor(self.m_textForeColor); },
                  .write = Variant::fromColor(0)});
    d.property<QString>(
         QStringLiteral("ToolTipText"), 0x68030000, [](Spin &self) { return self.m_toolTip; },
         [](Spin &self, const QString &value) {
             self.m_toolTip = value;
             self.m_text1->setToolTip(self.m_toolTip);
         })
        .notifies()
        .persist({.rank = 1, .read = "", .store = [](Spin &self, const Variant &v) {
                      self.m_toolTip = v.toString();
                      self.m_text1->setToolTip(self.m_toolTip);
                  }});
    d.method(QStringLiteral("SaveAsLong"), 0x6003001F, L,
             {{QStringLiteral("Betrag"), S}, {QStringLiteral("Nachkomma"), I, false, true}},
             [](Spin &, Args &args) {
                 const int16_t decimals = args[1].isMissing() ? 0 : args[1].toInteger();
                 return Variant::fromLong(spinvalue::saveAsLong(args[0].toString(), decimals));
             });

    std::vector<ParamInfo> changed{{QStringLiteral("Value"), I, true}};
    for (int i = 0; i < 5; ++i)
        changed.push_back({resultName(i), S, true});
    d.event(QStringLiteral("Changed"), 1, changed);
    d.event(QStringLiteral("Click"), 2);

    d.enumeration(QStringLiteral("sMousePointerConst"),
                  mousePointerConstants(QStringLiteral("s"), QStringLiteral("sMouseIcon")));
    d.enumeration(
        QStringLiteral("sAlignmentConst"),
        {{QStringLiteral("sLeft"), 0}, {QStringLiteral("sRight"), 1}, {QStringLiteral("sCenter"), 2}});
    d.enumeration(QStringLiteral("EnStyle"), {{QStringLiteral("sOff"), Off},
                                              {QStringLiteral("sFlat"), Flat},
                                              {QStringLiteral("sStandard"), Standard}});
}

// --- properties ----------------------------------------------------------------

// Clamped to Min, then to Max, once each: with Min above Max the value ends
// at Max instead of bouncing between the two without end.
void Spin::setValue(int16_t value)
{
    m_value = std::min(std::max(value, m_min), m_max);
    setScrollValue(m_value);
    setText1(QString::number(m_value));
    layOut();
    propertyChanged(QStringLiteral("Value"));
}

void Spin::setResult(int index, float value)
{
    m_results[size_t(index)] = value;
    if (m_factors[size_t(index)] == 0)
        m_factors[size_t(index)] = value;
    propertyChanged(resultName(index));
}

void Spin::setTimeState(bool on)
{
    m_timeState = on;
    if (on) {
        setScrollRange(60, -1);
        setScrollValue(toInteger(m_currTimeM));
    } else {
        setScrollRange(m_max, m_min);
        setScrollValue(m_value);
    }
    vScroll1Change();
    propertyChanged(QStringLiteral("TimeState"));
}

void Spin::setBorderStyle(int32_t style)
{
    m_borderStyle = style;
    if (style == Off) {
        m_text2->setFrameStyle(QFrame::NoFrame);
    } else if (style == Flat) {
        m_text2->setFrameStyle(QFrame::Box | QFrame::Plain);
        m_text2->setLineWidth(1);
    } else if (style == Standard) {
        m_text2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_text2->setLineWidth(1);
    }
    m_frameBackColor = OwnBackColor;
    applyPalette();
    layOut();
}

void Spin::setAlignment(int32_t alignment)
{
    static const Qt::Alignment flags[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
    if (alignment < 0 || alignment > 2)
        raiseError(ErrInvalidPropertyValue);
    m_alignment = alignment;
    m_text1->setAlignment(flags[alignment] | Qt::AlignVCenter);
}

void Spin::setFont(const Variant &font)
{
    m_font = StdFont::fromVariant(font);
    m_text1->setFont(m_font->toQFont());
}

void Spin::setMouseIcon(const Variant &picture)
{
    m_mouseIcon = StdPicture::fromPictureOrNothing(picture);
    applyMousePointer(*m_text1, m_mousePointer, m_mouseIcon);
}

void Spin::setMousePointer(int32_t pointer)
{
    m_mousePointer = checkedMousePointer(pointer);
    applyMousePointer(*m_text1, m_mousePointer, m_mouseIcon);
}

void Spin::setBackColorS(uint32_t color)
{
    m_textBackColor = color;
    m_frameBackColor = color;
    applyPalette();
}

void Spin::setForeColor(uint32_t color)
{
    m_textForeColor = color;
    applyPalette();
}

void Spin::applyPalette()
{
    QPalette text = m_text1->palette();
    text.setColor(QPalette::Base, gdi::oleToQColor(m_textBackColor));
    text.setColor(QPalette::Text, gdi::oleToQColor(m_textForeColor));
    m_text1->setPalette(text);
    QPalette frame = m_text2->palette();
    frame.setColor(QPalette::Window, gdi::oleToQColor(m_frameBackColor));
    m_text2->setPalette(frame);
}

// --- the scroll bar ----------------------------------------------------------------

// A new range pulls the position into it without a change notification.
void Spin::setScrollRange(int16_t barMin, int16_t barMax)
{
    m_scrollMin = barMin;
    m_scrollMax = barMax;
    m_scrollValue = std::clamp(m_scrollValue, std::min(barMin, barMax), std::max(barMin, barMax));
    showScrollPosition();
}

void Spin::setScrollValue(int32_t value)
{
    if (value < std::min(m_scrollMin, m_scrollMax) || value > std::max(m_scrollMin, m_scrollMax))
        raiseError(ErrInvalidPropertyValue);
    if (value == m_scrollValue)
        return;
    m_scrollValue = static_cast<int16_t>(value);
    showScrollPosition();
    vScroll1Change();
}

// The widget runs from 0 at the top, where the bar's Min lies, in steps of one.
void Spin::showScrollPosition()
{
    const int direction = m_scrollMax >= m_scrollMin ? 1 : -1;
    m_syncingScroll = true;
    m_vScroll1->setRange(0, std::abs(m_scrollMax - m_scrollMin));
    m_vScroll1->setSliderPosition((m_scrollValue - m_scrollMin) * direction);
    m_vScroll1->setValue((m_scrollValue - m_scrollMin) * direction);
    m_syncingScroll = false;
}

void Spin::scrollArrow(int action)
{
    if (m_syncingScroll || action == QAbstractSlider::SliderNoAction)
        return;
    const int direction = m_scrollMax >= m_scrollMin ? 1 : -1;
    try {
        setScrollValue(m_scrollMin + m_vScroll1->sliderPosition() * direction);
    } catch (const AutomationError &) {
    }
    m_vScroll1->setSliderPosition((m_scrollValue - m_scrollMin) * direction);
}

void Spin::setText1(const QString &text)
{
    if (m_text1->text() != text)
        m_text1->setText(text); // notifies the change at once
}

// --- persistence ---------------------------------------------------------------

void Spin::initProperties()
{
    m_max = 100;
    m_min = 0;
    m_value = 0;
    m_results.fill(0);
    m_pointPosition = false;
    m_currTimeH = Variant("00").toSingle();
    m_currTimeM = 0;
    m_timeState = false;
    m_borderStyle = Flat;
}

void Spin::readProperties(const PropertyBag &bag)
{
    readDeclared(bag);
}

void Spin::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
}

// --- stepping and typing --------------------------------------------------------

// Ends silently on a failure; its events are then not raised.
void Spin::vScroll1Change()
{
    try {
        if (m_timeState)
            stepTimeMode();
        else
            stepNormalMode();
        raiseChanged();
        raiseEvent(QStringLiteral("Click"));
    } catch (const AutomationError &) {
    }
}

// Stepping past 59 or below 0 moves the bar to the other end, which runs this
// handler once more, nested, before the hour moves on.
void Spin::stepTimeMode()
{
    if (m_scrollValue == 60) {
        setScrollValue(0);
        m_currTimeH += 1;
    }
    if (m_scrollValue == -1) {
        setScrollValue(59);
        m_currTimeH -= 1;
    }
    m_currTimeM = m_scrollValue;
    if (m_currTimeH == 24)
        m_currTimeH = 0;
    if (m_currTimeH == -1)
        m_currTimeH = 23;
    setText1(spinvalue::timeText(m_currTimeH, m_currTimeM));
}

void Spin::stepNormalMode()
{
    setText1(QString::number(m_scrollValue));
    std::array<int32_t, 5> hundredths{};
    for (size_t i = 0; i < 5; ++i) {
        m_computed[i] = float(m_value) * m_factors[i] / 100.0f;
        hundredths[i] = spinvalue::saveAsLong(spinvalue::singleText(m_computed[i]), 2);
    }
    for (int i = 0; i < 5; ++i) {
        const size_t n = size_t(i);
        setResult(i, m_pointPosition ? m_computed[n] : spinvalue::wholeFromHundredths(hundredths[n]));
    }
}

void Spin::raiseChanged()
{
    Args args{Variant::fromInteger(m_scrollValue)};
    for (float result : m_results)
        args.push_back(Variant(spinvalue::singleText(result)));
    raiseEvent(QStringLiteral("Changed"), args);
}

void Spin::text1Change()
{
    if (m_timeState)
        typeTimeMode();
    else
        typeNormalMode();
}

// The box keeps at most five characters: a longer text is replaced by the
// last one that fitted, with its selection.
void Spin::typeTimeMode()
{
    if (m_timeBusy)
        return;
    m_timeBusy = true;
    try {
        const QString line = m_text1->text().left(255);
        if (line.size() < 6) {
            m_lastText = line;
            m_lastSelStart =
                m_text1->hasSelectedText() ? m_text1->selectionStart() : m_text1->cursorPosition();
            m_lastSelLength = int(m_text1->selectedText().size());
        } else {
            setText1(m_lastText);
            m_text1->setSelection(m_lastSelStart, m_lastSelLength);
        }
        m_timeBusy = false;
        // The hour is read before the bar moves: moving it rewrites the text from
        // the stored hour, which would drop an hour typed along with the minutes.
        // An unreadable hour still leaves the minute applied.
        const QString typed = m_text1->text();
        m_currTimeM = std::clamp(Variant(typed.right(2)).toSingle(), 0.0f, 59.0f);
        bool hourRead = true;
        try {
            m_currTimeH = std::clamp(Variant(typed.left(2)).toSingle(), 0.0f, 23.0f);
        } catch (const AutomationError &) {
            hourRead = false;
        }
        setScrollValue(toInteger(m_currTimeM));
        if (!hourRead)
            return; // as a failed statement: no Click
        raiseEvent(QStringLiteral("Click"));
    } catch (const AutomationError &) {
        m_timeBusy = false;
    }
}

// The value typed is written back as the clamped whole number it stands for.
void Spin::typeNormalMode()
{
    if (m_normalBusy)
        return;
    m_normalBusy = true;
    try {
        const double x = spinvalue::leadingNumber(m_text1->text());
        if (m_min <= x && x <= m_max)
            setScrollValue(toInteger(x));
        setValue(toInteger(x));
        m_normalBusy = false;
        vScroll1Change();
        raiseEvent(QStringLiteral("Click"));
    } catch (const AutomationError &) {
        m_normalBusy = false;
    }
}

bool Spin::text1KeyPress(int keyAscii)
{
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (digit || keyAscii == 8 || keyAscii == '.' || keyAscii == '-')
        return true;
    QApplication::beep();
    return false;
}

// Each statement that fails is skipped; in time mode every edit was applied already.
void Spin::text1LostFocus()
{
    if (m_timeState)
        return;
    try {
        const double x = spinvalue::leadingNumber(m_text1->text());
        if (x < m_min)
            setText1(QString::number(m_min));
        else if (x > m_max)
            setText1(QString::number(m_max));
    } catch (const AutomationError &) {
    }
    try {
        setScrollValue(toInteger(spinvalue::leadingNumber(m_text1->text())));
    } catch (const AutomationError &) {
    }
}

bool Spin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text1) {
        if (event->type() == QEvent::KeyPress) {
            const int ascii = KeyCodes::keyAscii(*static_cast<QKeyEvent *>(event));
            if (ascii != 0 && !text1KeyPress(ascii))
                return true;
        } else if (event->type() == QEvent::FocusOut) {
            text1LostFocus();
        }
    }
    return com::Control::eventFilter(watched, event);
}

// --- layout --------------------------------------------------------------------

void Spin::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

// In twips and Single precision; each part takes whole twips. A font size the
// font refuses is skipped, the rest goes on.
void Spin::layOut()
{
    float w = float(Twips::fromPixelsX(width()));
    float h = float(Twips::fromPixelsY(height()));
    if (w < 500 || h < 250) {
        w = std::max(w, 500.0f);
        h = std::max(h, 250.0f);
        resize(Twips::toPixelsX(w), Twips::toPixelsY(h));
    }
    const float sw = w, sh = h;
    const auto whole = [](float twips) { return int(std::nearbyint(twips)); };
    Layout l;
    l.frame = QRect(0, 0, whole(w), whole(h - 10));
    const float cap = float(toInteger((sh - 180) / 15));
    if (m_font->size > cap) {
        try {
            m_font->let(QStringLiteral("Size"), Variant::fromSingle(cap));
            m_text1->setFont(m_font->toQFont());
        } catch (const AutomationError &) {
        }
    }
    const float textHeight = float(m_font->size) * 15;
    const float scrollWidth = sw / 3;
    float textTop = 0, scrollTop = 0, scrollHeight = 0, scrollLeft = 0;
    const float frameHeight = float(l.frame.height());
    switch (m_borderStyle) {
    case Off:
        textTop = sh / 2 - textHeight / 2 - 10, scrollTop = 5, scrollHeight = frameHeight - 10;
        scrollLeft = sw / 3 * 2;
        break;
    case Flat:
        textTop = sh / 2 - textHeight / 2 - 20, scrollTop = 25, scrollHeight = frameHeight - 90;
        scrollLeft = sw / 3 * 2 - 60;
        break;
    case Standard:
        textTop = sh / 2 - textHeight / 2 - 40, scrollTop = 5, scrollHeight = frameHeight - 65;
        scrollLeft = sw / 3 * 2 - 60;
        break;
    default: // other styles leave the text top and the bar where they were
        textTop = float(m_layout.text.top());
        scrollTop = float(m_layout.scroll.top()), scrollHeight = float(m_layout.scroll.height());
        scrollLeft = float(m_layout.scroll.left());
        break;
    }
    l.text = QRect(20, whole(textTop), whole(sw / 3 * 2 - 95), whole(textHeight));
    l.scroll = QRect(whole(scrollLeft), whole(scrollTop), whole(scrollWidth), whole(scrollHeight));
    m_layout = l;
    m_text2->setGeometry(Twips::toPixels(l.frame));
    m_text1->setGeometry(Twips::toPixels(l.text));
    m_vScroll1->setGeometry(Twips::toPixels(l.scroll));
}

} // namespace ostrevo
