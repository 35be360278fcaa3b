#include "controls/display/Frames.h"
#include "platform/com/AutomationError.h"
#include "platform/com/ControlHost.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdFont.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/ObjectTable.h"
#include "tests/support/Automation.h"
#include "tests/support/Canvas.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QKeyEvent>
#include <QProcess>
#include <cmath>

using namespace com;
using ostrevo::Frames;

using testsupport::errorOf;

using testsupport::at;

namespace
{

constexpr gdi::ColorRef Shadow = gdi::rgb(128, 128, 128);
constexpr gdi::ColorRef Highlight = gdi::rgb(255, 255, 255);
constexpr gdi::ColorRef Dark = gdi::rgb(64, 64, 64);
constexpr gdi::ColorRef Light = gdi::rgb(212, 208, 200);
constexpr gdi::ColorRef Back = gdi::rgb(0, 255, 0); // the back colour the look tests give the frame
constexpr gdi::ColorRef Flat = gdi::rgb(0, 75, 145);
constexpr gdi::ColorRef Grey = gdi::rgb(164, 162, 155);

} // namespace

class TestFrames : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;
    QStringList m_events; // what the frame raised

    Frames *newFrames(QSize size = QSize(200, 100), const PropertyBag *bag = nullptr)
    {
        return dynamic_cast<Frames *>(testsupport::createRecorded(QStringLiteral("Quiv_Tools.Frames"),
                                                                  m_form.get(), QStringLiteral("xpFrame1"),
                                                                  m_events, size, bag));
    }

    static std::vector<QString> keysOf(const PropertyBag &bag) { return bag.keys(); }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_form.open(QSize(400, 300));
        m_events.clear();
    }

    void cleanup() { m_form.reset(); }

    void interfaceOrderAndEnumerations()
    {
        const TypeInfo &info = Frames::staticTypeInfo();
        QCOMPARE(info.progId, QStringLiteral("Quiv_Tools.Frames"));
        QCOMPARE(info.members.size(), size_t(18));
        QCOMPARE(info.members.front().name, QStringLiteral("Font"));
        QCOMPARE(info.members.front().dispid, 0x68030011);
        QCOMPARE(info.member(0x6803000B)->name, QStringLiteral("FontSize"));
        QCOMPARE(info.member(0x6803000B)->type, VarType::Single);
        QCOMPARE(info.members.back().name, QStringLiteral("Caption"));
        QCOMPARE(info.members.back().dispid, 0x68030000);
        QCOMPARE(info.member(QStringLiteral("hwnd"))->accessors, unsigned(Get));
        QVERIFY(!info.member(QStringLiteral("ShowAboutBox")));
        QCOMPARE(info.events.size(), size_t(9));
        QCOMPARE(info.event(QStringLiteral("Focus"))->dispid, 9);
        QVERIFY(info.event(QStringLiteral("MouseUp"))->params[2].byRef);
        const EnumInfo *style = info.enumeration(QStringLiteral("BoStyle"));
        QCOMPARE(style->constants.size(), size_t(11));
        QCOMPARE(style->constants[6], (std::pair<QString, int32_t>(QStringLiteral("Dark_UP"), 6)));
        const EnumInfo *pointers = info.enumeration(QStringLiteral("fMousePointerConst"));
        QCOMPARE(pointers->constants.size(), size_t(17));
        QCOMPARE(pointers->constants[5].first, QStringLiteral("fGrößenänderung"));
        QCOMPARE(pointers->constants.back(), (std::pair<QString, int32_t>(QStringLiteral("fMouseIcon"), 99)));
        QCOMPARE(info.enumeration(QStringLiteral("BoAl"))->value(QStringLiteral("fOverBorder")), 2);
    }

    void captionLet_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("visible");
        QTest::newRow("text gets a space each side") << "Tage"
                                                     << " Tage " << true;
        QTest::newRow("spaces already there") << " 12 Tage "
                                              << "  12 Tage  " << true;
        QTest::newRow("empty hides") << ""
                                     << "" << false;
    }

    void captionLet()
    {
        QFETCH(QString, value);
        QFETCH(QString, shown);
        QFETCH(bool, visible);
        Frames *frame = newFrames();
        frame->site()->clearChangedProperties();
        frame->let(QStringLiteral("Caption"), Variant(value));
        QCOMPARE(frame->get(QStringLiteral("Caption")).toString(), shown);
        QCOMPARE(frame->captionLabel().visible, visible);
        QCOMPARE(frame->site()->changedProperties(), QStringList{QStringLiteral("Caption")});
        // Hidden again and shown again by the next text.
        frame->let(QStringLiteral("Caption"), Variant("x"));
        QVERIFY(frame->captionLabel().visible);
    }

    void captionCoversTheBorderLine()
    {
        Frames *frame = newFrames(QSize(200, 100));
        frame->let(QStringLiteral("BackColorF"), Variant::fromColor(0x00FF00));
        const QRect label = frame->captionLabel().pixelRect();
        const int line = int(std::nearbyint(label.height() / 2.0));
        QCOMPARE(at(frame->surface(), label.center().x(), line),
                 Shadow); // the etched line runs under the label
        const QImage shown = frame->composed();
        // The caption's first glyph may reach its left column; the line stays covered there.
        QVERIFY(at(shown, label.left(), line) != Shadow);
        QCOMPARE(at(shown, label.right(), line), Back);
        QCOMPARE(at(shown, label.right() + 3, line), Shadow);
        frame->let(QStringLiteral("Caption"), Variant(""));
        QCOMPARE(at(frame->composed(), label.center().x(), line), Shadow);
    }

    void borderTop_data()
    {
        QTest::addColumn<int>("labelHeight");
        QTest::addColumn<int>("alignmentTop");
        QTest::addColumn<int>("top");
        QTest::newRow("standard, 6.5 to even") << 13 << 0 << 6;
        QTest::newRow("standard, 7.5 to even") << 15 << 0 << 8;
        QTest::newRow("standard, whole") << 14 << 0 << 7;
        QTest::newRow("under the border") << 13 << 1 << 0;
        QTest::newRow("over the border") << 13 << 2 << 13;
        QTest::newRow("other value") << 13 << 3 << 0;
        QTest::newRow("negative value") << 13 << -1 << 0;
    }

    void borderTop()
    {
        QFETCH(int, labelHeight);
        QFETCH(int, alignmentTop);
        QFETCH(int, top);
        QCOMPARE(Frames::borderRect(labelHeight, alignmentTop, 200, 100), (gdi::Rect{0, top, 200, 100}));
    }

    void captionPlacement_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<double>("labelWidth");
        QTest::addColumn<double>("left");
        QTest::newRow("left") << 0 << 60.0 << 7.0;
        QTest::newRow("centre") << 1 << 60.0 << 70.0;
        QTest::newRow("centre, odd width") << 1 << 61.0 << 69.5;
        QTest::newRow("right") << 2 << 60.0 << 133.0;
        QTest::newRow("other value is right") << 7 << 60.0 << 133.0;
    }

    void captionPlacement()
    {
        QFETCH(int, alignment);
        QFETCH(double, labelWidth);
        QFETCH(double, left);
        QCOMPARE(Frames::captionLeft(alignment, 200, labelWidth), left);
    }

    void placedCaptionOnTheControl_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("alignmentTop");
        QTest::addColumn<int>("labelTop");
        QTest::addColumn<int>("borderTop"); // -1: half the label's height, rounded half to even
        QTest::newRow("left, standard") << 0 << 0 << 0 << -1;
        QTest::newRow("centre, under") << 1 << 1 << 2 << 0;
        QTest::newRow("right, over") << 2 << 2 << 0 << -2;
    }

    void placedCaptionOnTheControl()
    {
        QFETCH(int, alignment);
        QFETCH(int, alignmentTop);
        QFETCH(int, labelTop);
        QFETCH(int, borderTop);
        Frames *frame = newFrames(QSize(201, 80));
        frame->let(QStringLiteral("BorderStyle"), Variant::fromLong(9));
        frame->let(QStringLiteral("Alignment"), Variant::fromLong(alignment));
        frame->let(QStringLiteral("AlignmentTop"), Variant::fromLong(alignmentTop));
        const ostrevo::WindowlessLabel &label = frame->captionLabel();
        const QSize text = label.textSize();
        const double lefts[] = {7, 201 / 2.0 - text.width() / 2.0, 201.0 - text.width() - 7};
        QCOMPARE(label.left(), lefts[alignment]);
        QCOMPARE(label.top(), double(labelTop));
        const int top = borderTop == -1   ? int(std::nearbyint(text.height() / 2.0))
                        : borderTop == -2 ? text.height()
                                          : borderTop;
        QCOMPARE(at(frame->surface(), 100, top), Flat);
        QCOMPARE(at(frame->surface(), 0, top + 5), Flat);
        if (top > 0)
            QCOMPARE(at(frame->surface(), 100, top - 1), gdi::rgb(212, 208, 200));
    }

    // The let shows the new text at once but places it only at the next resize.
    void captionKeepsItsLeftUntilTheNextResize()
    {
        Frames *frame = newFrames(QSize(200, 80));
        frame->let(QStringLiteral("Alignment"), Variant::fromLong(2));
        const double before = frame->captionLabel().left();
        frame->let(QStringLiteral("Caption"), Variant("Eingetragene Tage: 12"));
        QCOMPARE(frame->captionLabel().left(), before);
        frame->resize(240, 80);
        QCOMPARE(frame->captionLabel().left(), 240.0 - frame->captionLabel().textSize().width() - 7);
    }

    void borderLooks_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("edge");
        // Probes at the middle of each side: outer and inner ring.
        QTest::addColumn<QList<gdi::ColorRef>>("top");    // (30, 0), (30, 1)
        QTest::addColumn<QList<gdi::ColorRef>>("bottom"); // (30, 39), (30, 38)
        QTest::addColumn<QList<gdi::ColorRef>>("left");   // (0, 20), (1, 20)
        QTest::addColumn<QList<gdi::ColorRef>>("right");  // (59, 20), (58, 20)
        using L = QList<gdi::ColorRef>;
        QTest::newRow("0 off") << 0 << 6 << L{Back, Back} << L{Back, Back} << L{Back, Back} << L{Back, Back};
        QTest::newRow("1 standard down")
            << 1 << 10 << L{Shadow, Dark} << L{Highlight, Light} << L{Shadow, Dark} << L{Highlight, Light};
        QTest::newRow("2 standard up")
            << 2 << 5 << L{Light, Highlight} << L{Dark, Shadow} << L{Light, Highlight} << L{Dark, Shadow};
        QTest::newRow("3 bright down")
            << 3 << 2 << L{Shadow, Back} << L{Highlight, Back} << L{Shadow, Back} << L{Highlight, Back};
        QTest::newRow("4 bright up") << 4 << 4 << L{Highlight, Back} << L{Shadow, Back} << L{Highlight, Back}
                                     << L{Shadow, Back};
        QTest::newRow("5 dark down") << 5 << 8 << L{Dark, Back} << L{Light, Back} << L{Dark, Back}
                                     << L{Light, Back};
        QTest::newRow("6 dark up") << 6 << 1 << L{Light, Back} << L{Dark, Back} << L{Light, Back}
                                   << L{Dark, Back};
        QTest::newRow("7 dark frame")
            << 7 << 9 << L{Light, Dark} << L{Dark, Light} << L{Light, Dark} << L{Dark, Light};
        QTest::newRow("8 standard frame") << 8 << 6 << L{Shadow, Highlight} << L{Highlight, Shadow}
                                          << L{Shadow, Highlight} << L{Highlight, Shadow};
        QTest::newRow("9 flat") << 9 << 6 << L{Flat, Back} << L{Flat, Back} << L{Flat, Back} << L{Flat, Back};
        QTest::newRow("10 xp") << 10 << 6 << L{Grey, Grey} << L{Grey, Grey} << L{Grey, Grey} << L{Grey, Grey};
        QTest::newRow("11 keeps the edge") << 11 << 6 << L{Shadow, Highlight} << L{Highlight, Shadow}
                                           << L{Shadow, Highlight} << L{Highlight, Shadow};
    }

    void borderLooks()
    {
        QFETCH(int, style);
        QFETCH(int, edge);
        QFETCH(QList<gdi::ColorRef>, top);
        QFETCH(QList<gdi::ColorRef>, bottom);
        QFETCH(QList<gdi::ColorRef>, left);
        QFETCH(QList<gdi::ColorRef>, right);
        const int objects = gdi::liveObjectCount();
        Frames *frame = newFrames(QSize(60, 40));
        frame->let(QStringLiteral("BackColorF"), Variant::fromColor(0x00FF00));
        frame->let(QStringLiteral("AlignmentTop"), Variant::fromLong(1)); // border at the top edge
        frame->let(QStringLiteral("BorderStyle"), Variant::fromLong(style));
        QCOMPARE(frame->get(QStringLiteral("BorderStyle")).toLong(), style);
        QCOMPARE(frame->edgeCode(), edge);
        const QImage &s = frame->surface();
        QCOMPARE((QList<gdi::ColorRef>{at(s, 30, 0), at(s, 30, 1)}), top);
        QCOMPARE((QList<gdi::ColorRef>{at(s, 30, 39), at(s, 30, 38)}), bottom);
        QCOMPARE((QList<gdi::ColorRef>{at(s, 0, 20), at(s, 1, 20)}), left);
        QCOMPARE((QList<gdi::ColorRef>{at(s, 59, 20), at(s, 58, 20)}), right);
        QCOMPARE(at(s, 30, 20), Back);
        QCOMPARE(gdi::liveObjectCount(), objects + 1); // the control's own device context only
    }

    // The grey frame rounds its corners; its inner lines take the back colour.
    void xpFrameCorners()
    {
        Frames *frame = newFrames(QSize(60, 40));
        frame->let(QStringLiteral("BackColorF"), Variant::fromColor(0x00FF00));
        frame->let(QStringLiteral("AlignmentTop"), Variant::fromLong(1));
        frame->let(QStringLiteral("BorderStyle"), Variant::fromLong(10));
        const QImage &s = frame->surface();
        QCOMPARE(at(s, 0, 0), Back);
        QCOMPARE(at(s, 59, 39), Back);
        QCOMPARE(at(s, 30, 2), Back);
    }

    void persistenceOfAFreshFrame()
    {
        Frames *frame = newFrames();
        const PropertyBag saved = ControlHost::saveControl(*frame);
        // Defaults are not written; the label's own caption differs from the
        // key's default, and the font and icon objects are always written.
        QCOMPARE(keysOf(saved),
                 (std::vector<QString>{"Caption", "Font", "TextColor", "MouseIcon", "FontName", "FontSize"}));
        QCOMPARE(saved.readProperty(QStringLiteral("Caption")).toString(), QStringLiteral("Quiv-Frames"));
        QCOMPARE(saved.readProperty(QStringLiteral("TextColor")).toColor(), 0x80000012u);
    }

    void propertyBagRoundTrip()
    {
        Frames *first = newFrames();
        const std::vector<std::pair<QString, Variant>> values = {{"Caption", Variant("Steuerung")},
                                                                 {"TextColor", Variant::fromColor(0xFF)},
                                                                 {"BackColorF", Variant::fromColor(0xFFFFFF)},
                                                                 {"BorderStyle", Variant::fromLong(10)},
                                                                 {"EnabledF", Variant::fromBool(false)},
                                                                 {"MousePointer", Variant::fromLong(11)},
                                                                 {"FontBold", Variant::fromBool(true)},
                                                                 {"FontItalic", Variant::fromBool(true)},
                                                                 {"FontName", Variant("Tahoma")},
                                                                 {"FontSize", Variant::fromSingle(12)},
                                                                 {"FontStrikethru", Variant::fromBool(true)},
                                                                 {"Alignment", Variant::fromLong(2)},
                                                                 {"AlignmentTop", Variant::fromLong(1)}};
        for (const auto &[name, value] : values)
            first->let(name, value);
        const PropertyBag saved = ControlHost::saveControl(*first);
        Frames *second = newFrames(QSize(200, 100), &saved);
        for (const auto &[name, value] : values)
            QVERIFY2(second->get(name).equals(first->get(name)), qPrintable(name));
        QCOMPARE(second->get(QStringLiteral("Caption")).toString(), QStringLiteral(" Steuerung "));
        QCOMPARE(second->captionLabel().backColor, 0xFFFFFFu);
        QCOMPARE(second->captionLabel().top(), 2.0);
        QVERIFY(!second->isEnabled());
    }

    void loadingOddBags_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("visible");
        QTest::newRow("no caption key") << ""
                                        << "Quiv-Frame" << true;
        QTest::newRow("empty caption") << "Caption = \"\"\n"
                                       << "" << false;
        QTest::newRow("caption with its spaces") << "Caption = \" Medien \"\n"
                                                 << " Medien " << true;
    }

    // A bag written by hand lacks most keys; FontSize then reads 0, which the
    // font refuses: the size stays and the frame still loads.
    void loadingOddBags()
    {
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(bool, visible);
        const PropertyBag bag = PropertyBag::fromText(text);
        Frames *frame = newFrames(QSize(200, 100), &bag);
        QCOMPARE(frame->get(QStringLiteral("Caption")).toString(), caption);
        QCOMPARE(frame->captionLabel().visible, visible);
        QCOMPARE(frame->get(QStringLiteral("FontSize")).toSingle(),
                 m_form->font().pointSizeF() > 0 ? float(m_form->font().pointSizeF()) : 8.25f);
        QCOMPARE(frame->get(QStringLiteral("TextColor")).toLong(), 0);
    }

    void mousePointerRules()
    {
        Frames *frame = newFrames();
        QCOMPARE(errorOf([&] { frame->let(QStringLiteral("MousePointer"), Variant::fromLong(70000)); }),
                 int(ErrOverflow));
        QCOMPARE(errorOf([&] { frame->let(QStringLiteral("MousePointer"), Variant::fromLong(50)); }),
                 int(ErrInvalidPropertyValue));
        QCOMPARE(frame->get(QStringLiteral("MousePointer")).toLong(), 0);
        frame->let(QStringLiteral("MousePointer"), Variant::fromLong(2));
        QCOMPARE(frame->cursor().shape(), Qt::CrossCursor);
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::red);
        auto icon = std::make_shared<StdPicture>(gdi::Picture(image, gdi::Picture::Icon));
        frame->set(QStringLiteral("MouseIcon"), Variant::fromObject(icon));
        QCOMPARE(frame->get(QStringLiteral("MousePointer")).toLong(), 99);
        QCOMPARE(frame->get(QStringLiteral("MouseIcon")).toObject(), icon.get());
        // Loading applies the icon before the pointer: the stored pointer decides.
        frame->let(QStringLiteral("MousePointer"), Variant::fromLong(3));
        const PropertyBag saved = ControlHost::saveControl(*frame);
        Frames *loaded = newFrames(QSize(200, 100), &saved);
        QCOMPARE(loaded->get(QStringLiteral("MousePointer")).toLong(), 3);
        QCOMPARE(loaded->get(QStringLiteral("MouseIcon")).toObject(), icon.get());
        QCOMPARE(loaded->cursor().shape(), Qt::IBeamCursor);
    }

    void fontObjectIsShared()
    {
        Frames *frame = newFrames();
        auto font = std::make_shared<StdFont>();
        font->size = 14;
        frame->set(QStringLiteral("Font"), Variant::fromObject(font));
        QCOMPARE(frame->get(QStringLiteral("Font")).toObject(), font.get());
        frame->let(QStringLiteral("FontBold"), Variant::fromBool(true));
        QVERIFY(font->bold);
        QCOMPARE(frame->get(QStringLiteral("FontSize")).toSingle(), 14.f);
        QCOMPARE(errorOf([&] { frame->set(QStringLiteral("Font"), Variant::fromObject(nullptr)); }),
                 int(ErrTypeMismatch));
        QCOMPARE(errorOf([&] { frame->let(QStringLiteral("FontSize"), Variant::fromSingle(0)); }),
                 int(ErrInvalidPropertyValue));
    }

    void mouseEventsReachTheHandlers_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("left on the surface")
            << QPoint(100, 60) << Qt::LeftButton
            << QStringList{"MouseDown(1, 0, 100, 60)", "MouseUp(1, 0, 100, 60)", "Click()"};
        QTest::newRow("right on the surface")
            << QPoint(20, 50) << Qt::RightButton
            << QStringList{"MouseDown(2, 0, 20, 50)", "MouseUp(2, 0, 20, 50)"};
        QTest::newRow("on the caption") << QPoint(12, 4) << Qt::LeftButton << QStringList{};
    }

    void mouseEventsReachTheHandlers()
    {
        QFETCH(QPoint, at);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QStringList, events);
        Frames *frame = newFrames(QSize(200, 100));
        QTest::mouseClick(frame, button, {}, at);
        m_events.removeAll(QStringLiteral("Focus(True)"));
        QCOMPARE(m_events, events);
    }

    void keysAndFocusReachTheHandlers()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        Frames *frame = newFrames();
        frame->setFocus();
        QCOMPARE(m_events, QStringList{QStringLiteral("Focus(True)")});
        m_events.clear();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
        QApplication::sendEvent(frame, &press);
        QApplication::sendEvent(frame, &release);
        QCOMPARE(m_events, (QStringList{"KeyDown(65, 1)", "KeyPress(65)", "KeyUp(65, 1)"}));
        m_events.clear();
        frame->clearFocus();
        QCOMPARE(m_events, QStringList{QStringLiteral("Focus(False)")});
    }

    void disabledFrameRaisesNothing()
    {
        Frames *frame = newFrames();
        frame->let(QStringLiteral("EnabledF"), Variant::fromBool(false));
        QCOMPARE(frame->get(QStringLiteral("EnabledF")).toBool(), false);
        QTest::mouseClick(frame, Qt::LeftButton, {}, QPoint(100, 60));
        QVERIFY(m_events.isEmpty());
    }

    // The test container links only the platform: it reaches the frame
    // through the registry alone.
    void drivenThroughTheTestContainer()
    {
        QProcess automate;
        automate.start(testsupport::binaryPath(QStringLiteral("automate")), {});
        automate.write("create Quiv_Tools.Frames\n"
                       "get Caption\n"
                       "let Caption \"Tage\"\n"
                       "get #&H68030000\n"
                       "get BorderStyle\n"
                       "let BorderStyle 11\n"
                       "get BorderStyle\n"
                       "let MousePointer 70000\n"
                       "get HasDC\n");
        automate.closeWriteChannel();
        QVERIFY(automate.waitForFinished(30000));
        const QStringList out = QString::fromUtf8(automate.readAllStandardOutput()).split(QLatin1Char('\n'));
        QCOMPARE(out.size(), 7);
        QCOMPARE(out.mid(0, 4), (QStringList{"Quiv-Frames", " Tage ", "8", "11"}));
        QVERIFY2(out[4].startsWith(QStringLiteral("error 6:")), qPrintable(out[4]));
        QCOMPARE(out[5], QStringLiteral("True"));
    }
};

KV_TEST_MAIN(TestFrames)
#include "tst_Frames.moc"
