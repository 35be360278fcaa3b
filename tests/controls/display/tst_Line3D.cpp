#include "controls/display/Line3D.h"
#include "platform/com/AutomationError.h"
#include "platform/com/AutomationScript.h"
#include "platform/com/ControlHost.h"
#include "platform/com/PropertyBag.h"
#include "platform/gdi/SystemColors.h"
#include "tests/support/Automation.h"
#include "tests/support/Canvas.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QTemporaryDir>

using namespace com;
using ostrevo::Line3D;

using testsupport::errorOf;

namespace
{

QSize twipsOf(const QWidget &widget)
{
    return widget.size() * 15;
}

} // namespace

class TestLine3D : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;

    // A line as a form loads it: created through the registry, then placed
    // (pixels) and shown, which resizes it.
    Line3D *newLine(QSize size, const PropertyBag *bag = nullptr)
    {
        Control *control = ControlHost::createControl(QStringLiteral("Quiv_Tools.Line3D"), m_form.get(),
                                                      QStringLiteral("Line3D1"), nullptr, bag);
        auto *line = dynamic_cast<Line3D *>(control);
        line->resize(size);
        line->show();
        return line;
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init() { m_form.open(QSize(600, 400)); }

    void cleanup() { m_form.reset(); }

    void interfaceInTypeLibraryOrder()
    {
        const TypeInfo &info = Line3D::staticTypeInfo();
        QStringList members;
        for (const MemberInfo &m : info.members)
            members << QStringLiteral("%1=%2").arg(m.name).arg(uint32_t(m.dispid), 0, 16);
        QCOMPARE(
            members.join(QLatin1Char(' ')),
            QStringLiteral("ShowAboutBox=fffffdd8 BorderColor=68030003 BorderForeColor=68030002 "
                           "BorderWidth=68030001 Refresh=60030004 Orientation=68030000 DrawLine=6003000a"));
        QCOMPARE(info.enumeration(QStringLiteral("OrientationConstants"))->value(QStringLiteral("lAuto")), 2);
        QVERIFY(info.events.empty());
    }

    // The first resize picks the orientation from the shape, draws the line
    // as long as the shape and replaces lAuto by the concrete value for good.
    void orientationChosenAtFirstResize_data()
    {
        QTest::addColumn<QSize>("drawn");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("twips");
        QTest::newRow("wider than high") << QSize(200, 20) << 0 << QSize(3000, 30);
        QTest::newRow("square") << QSize(40, 40) << 1 << QSize(30, 600);
        QTest::newRow("taller than wide") << QSize(10, 120) << 1 << QSize(30, 1800);
    }

    void orientationChosenAtFirstResize()
    {
        QFETCH(QSize, drawn);
        QFETCH(int, orientation);
        QFETCH(QSize, twips);
        Line3D *line = newLine(drawn);
        QCOMPARE(line->get(QStringLiteral("Orientation")).toLong(), orientation);
        QCOMPARE(twipsOf(*line), twips);
        QVERIFY(line->site()->changedProperties().contains(QStringLiteral("Orientation")));
        const PropertyBag saved = ControlHost::saveControl(*line);
        QVERIFY(saved.contains(QStringLiteral("Orientation")));
        QCOMPARE(saved.readProperty(QStringLiteral("Orientation")).toLong(), orientation);

        line->resize(line->size().transposed() * 3);
        QCOMPARE(line->get(QStringLiteral("Orientation")).toLong(), orientation);
    }

    void orientationIsClamped_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("stored");
        QTest::newRow("5") << 5 << 2;
        QTest::newRow("-1") << -1 << 0;
        QTest::newRow("1") << 1 << 1;
    }

    void orientationIsClamped()
    {
        QFETCH(int, value);
        QFETCH(int, stored);
        const PropertyBag bag = PropertyBag::fromText(QStringLiteral("Orientation = 1\n"));
        Line3D *line = newLine(QSize(2, 100), &bag);
        line->hide(); // no resize may choose anew
        line->site()->clearChangedProperties();
        line->let(QStringLiteral("Orientation"), Variant::fromLong(value));
        QCOMPARE(line->get(QStringLiteral("Orientation")).toLong(), stored);
        QCOMPARE(line->site()->changedProperties(), QStringList{QStringLiteral("Orientation")});
    }

    // Turned from horizontal to vertical the line keeps its length.
    void orientationChangeKeepsTheLength()
    {
        Line3D *line = newLine(QSize(200, 20));
        line->let(QStringLiteral("Orientation"), Variant::fromLong(1));
        QCOMPARE(twipsOf(*line), QSize(30, 3000));
        QCOMPARE(line->line2().twips, QRect(15, 0, 15, 3000));
        line->let(QStringLiteral("Orientation"), Variant::fromLong(0));
        QCOMPARE(twipsOf(*line), QSize(3000, 30));
    }

    void borderWidthSetsStripThickness_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("twips");
        QTest::addColumn<QRect>("line1");
        QTest::addColumn<QRect>("line2");
        QTest::newRow("horizontal") << 0 << QSize(3000, 90) << QRect(0, 0, 3000, 45)
                                    << QRect(0, 45, 3000, 45);
        QTest::newRow("vertical") << 1 << QSize(90, 3000) << QRect(0, 0, 45, 3000) << QRect(45, 0, 45, 3000);
    }

    void borderWidthSetsStripThickness()
    {
        QFETCH(int, orientation);
        QFETCH(QSize, twips);
        QFETCH(QRect, line1);
        QFETCH(QRect, line2);
        const PropertyBag bag = PropertyBag::fromText(QStringLiteral("Orientation = %1\n").arg(orientation));
        Line3D *line = newLine(orientation ? QSize(7, 200) : QSize(200, 7), &bag);
        line->let(QStringLiteral("BorderWidth"), Variant::fromInteger(3));
        QCOMPARE(twipsOf(*line), twips);
        QCOMPARE(line->line1().twips, line1);
        QCOMPARE(line->line2().twips, line2);
        QCOMPARE(line->get(QStringLiteral("BorderWidth")).toInteger(), int16_t(3));
    }

    // Two strips must fit 16 bits of twips; a width that does not is
    // refused before it is stored, so it can neither be saved nor shown.
    void borderWidthLimits_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("thickness"); // control's twips across the line afterwards
        QTest::newRow("largest") << Variant::fromInteger(1092) << 0 << 32760;
        QTest::newRow("one more overflows") << Variant::fromInteger(1093) << 6 << 30;
        QTest::newRow("none") << Variant::fromInteger(0) << 0 << 0;
        QTest::newRow("negative") << Variant::fromInteger(-1) << 380 << 30;
    }

    void borderWidthLimits()
    {
        QFETCH(Variant, value);
        QFETCH(int, error);
        QFETCH(int, thickness);
        Line3D *line = newLine(QSize(200, 20));
        line->site()->clearChangedProperties();
        QCOMPARE(errorOf([&] { line->let(QStringLiteral("BorderWidth"), value); }), error);
        QCOMPARE(twipsOf(*line).height(), thickness);
        if (error) {
            QCOMPARE(line->get(QStringLiteral("BorderWidth")).toInteger(), int16_t(1));
            QVERIFY(line->site()->changedProperties().isEmpty());
            QVERIFY(!ControlHost::saveControl(*line).contains(QStringLiteral("BorderWidth")));
        }
    }

    // The 16-bit length field holds at most 32767 twips; a longer shape gives
    // the longest line instead of an error nobody could catch.
    void overlongLineIsCut()
    {
        Line3D *line = newLine(QSize(3000, 20));
        QCOMPARE(line->size(), QSize(2184, 2));
        QCOMPARE(line->line1().twips.width(), 32760);
    }

    void stripColoursAndPixels()
    {
        Line3D *line = newLine(QSize(200, 20));
        QCOMPARE(line->get(QStringLiteral("BorderColor")).toColor(), 0x80000010u);
        QCOMPARE(line->get(QStringLiteral("BorderForeColor")).toColor(), 0x80000014u);
        const QImage &surface = line->surface();
        QCOMPARE(surface.size(), QSize(200, 2));
        QCOMPARE(testsupport::pixelsOf(surface, gdi::sysColor(gdi::ColorBtnShadow)).size(), size_t(200));
        QCOMPARE(testsupport::at(surface, 0, 0), gdi::sysColor(gdi::ColorBtnShadow));
        QCOMPARE(testsupport::at(surface, 199, 1), gdi::sysColor(gdi::ColorBtnHighlight));

        line->let(QStringLiteral("BorderColor"), Variant::fromColor(0x0000FF));
        line->let(QStringLiteral("BorderForeColor"), Variant::fromColor(0x00FF00));
        line->let(QStringLiteral("Orientation"), Variant::fromLong(1));
        line->let(QStringLiteral("BorderWidth"), Variant::fromInteger(2));
        QCOMPARE(line->surface().size(), QSize(4, 200));
        QCOMPARE(testsupport::at(line->surface(), 1, 150), gdi::rgb(255, 0, 0)); // left strip
        QCOMPARE(testsupport::at(line->surface(), 2, 150), gdi::rgb(0, 255, 0)); // right strip
    }

    // A new line saves its design colour for the top strip, because the key's
    // default differs from it; a bag without the key gives that default.
    void borderColourDefaults()
    {
        Line3D *placed = newLine(QSize(200, 20));
        const PropertyBag saved = ControlHost::saveControl(*placed);
        QCOMPARE(saved.toText(), QStringLiteral("BorderColor = -2147483632\nOrientation = 0\n"));

        const PropertyBag bag = PropertyBag::fromText(
            QStringLiteral("BorderForeColor = 255\nOrientation = 0\nBorderWidth = 2\n"));
        Line3D *loaded = newLine(QSize(200, 20), &bag);
        QCOMPARE(loaded->get(QStringLiteral("BorderColor")).toColor(), 0x8000000Cu);
        QCOMPARE(testsupport::at(loaded->surface(), 10, 1), gdi::sysColor(gdi::ColorAppWorkspace));
        QCOMPARE(testsupport::at(loaded->surface(), 10, 2), gdi::rgb(255, 0, 0));
        QCOMPARE(ControlHost::saveControl(*loaded).toText(), bag.toText());
    }

    void createdThroughTheRegistry()
    {
        for (const char *progId : {"Quiv_Tools.Line3D", "Quiv_Tools.Icons"}) {
            const std::unique_ptr<AutomationObject> object =
                ControlHost::createObject(QString::fromLatin1(progId));
            QVERIFY2(dynamic_cast<Control *>(object.get()), progId);
            QCOMPARE(object->typeInfo().progId, QString::fromLatin1(progId));
        }
    }

    // A bag the line cannot take (a strip too wide for its 16-bit width in
    // twips) fails the load with 6, and the half-made line is gone again:
    // no live object, no widget on the form or on the test container's window.
    void failingLoadLeavesNothingBehind_data()
    {
        QTest::addColumn<bool>("throughScript");
        QTest::newRow("form") << false;
        QTest::newRow("test container") << true;
    }

    void failingLoadLeavesNothingBehind()
    {
        QFETCH(bool, throughScript);
        const PropertyBag bag = PropertyBag::fromText(QStringLiteral("BorderWidth = 5000\n"));
        QTemporaryDir folder;
        const QString bagFile = folder.filePath(QStringLiteral("line.bag"));
        QVERIFY(bag.save(bagFile));
        AutomationScript script;
        const int liveBefore = AutomationObject::liveCount();
        const qsizetype widgetsBefore = QApplication::allWidgets().size();
        if (throughScript) {
            const QStringList printed =
                script.execute(QStringLiteral("load Quiv_Tools.Line3D %1").arg(bagFile));
            QCOMPARE(printed.size(), 1);
            QVERIFY2(printed.first().startsWith(QLatin1String("error 6: ")), qPrintable(printed.first()));
            QCOMPARE(script.current(), nullptr);
        } else {
            QCOMPARE(errorOf([&] {
                         ControlHost::createControl(QStringLiteral("Quiv_Tools.Line3D"), m_form.get(),
                                                    QStringLiteral("Line3D1"), nullptr, &bag);
                     }),
                     6);
            QVERIFY(m_form->findChildren<Control *>().isEmpty());
        }
        QCOMPARE(AutomationObject::liveCount(), liveBefore);
        QCOMPARE(QApplication::allWidgets().size(), widgetsBefore);
    }
};

KV_TEST_MAIN(TestLine3D)
#include "tst_Line3D.moc"
