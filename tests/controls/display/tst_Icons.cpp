#include "controls/display/Icons.h"
#include "controls/foundation/ModResIcons.h"
#include "platform/com/AutomationError.h"
#include "platform/com/ControlHost.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/Form.h"
#include "tests/support/Automation.h"
#include "tests/support/Canvas.h"
#include "tests/support/HostForm.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

using namespace com;
using ostrevo::Icons;

using testsupport::errorOf;

namespace
{

QImage groupImage(int group, int size)
{
    const auto picture = ostrevo::LoadResIcon(Variant::fromLong(group), size, 2, 0, 0);
    return picture ? picture->picture().image() : QImage();
}

} // namespace

class TestIcons : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;

    Control *newIcons()
    {
        Control *control = ControlHost::createControl(QStringLiteral("Quiv_Tools.Icons"), m_form.get(),
                                                      QStringLiteral("Icons1"));
        control->show();
        return control;
    }

    // The Icon property read late-bound, as a host reads it.
    static Variant iconOf(Control *icons, const Variant &picOver, const Variant &size, int32_t index)
    {
        return icons->get(QStringLiteral("Icon"), {picOver, size, Variant::fromLong(index)});
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init() { m_form.open(QSize(300, 200)); }

    void cleanup() { m_form.reset(); }

    void interfaceInTypeLibraryOrder()
    {
        const TypeInfo &info = Icons::staticTypeInfo();
        QCOMPARE(info.members.size(), size_t(2));
        QCOMPARE(info.members[0].dispid, 0x60030001); // ShowAboutBox
        const MemberInfo *icon = info.member(0x68030000);
        QCOMPARE(icon->name, QStringLiteral("Icon"));
        QCOMPARE(icon->accessors, unsigned(Get));
        QCOMPARE(icon->params.size(), size_t(3));
        for (const ParamInfo &param : icon->params)
            QVERIFY2(param.byRef, qPrintable(param.name));
    }

    void iconGroupAndSize_data()
    {
        QTest::addColumn<Variant>("picOver");
        QTest::addColumn<Variant>("size");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("pixels");
        QTest::newRow("normal, large") << Variant("0") << Variant("32") << 21 << 21 << 32;
        QTest::newRow("hovered, small") << Variant("1") << Variant("16") << 21 << 121 << 16;
        QTest::newRow("pressed") << Variant("2") << Variant("16") << 21 << 221 << 16;
        QTest::newRow("any other look is pressed") << Variant("7") << Variant("16") << 21 << 221 << 16;
        QTest::newRow("negative look is pressed") << Variant("-1") << Variant("32") << 3 << 203 << 32;
        QTest::newRow("only exactly 32 is large") << Variant("0") << Variant("24") << 5 << 5 << 16;
        QTest::newRow("32 as a decimal") << Variant("1") << Variant("32,0") << 5 << 105 << 32;
        QTest::newRow("numbers become text")
            << Variant::fromInteger(1) << Variant::fromInteger(32) << 7 << 107 << 32;
        QTest::newRow("group 91") << Variant("0") << Variant("16") << 91 << 91 << 16;
    }

    void iconGroupAndSize()
    {
        QFETCH(Variant, picOver);
        QFETCH(Variant, size);
        QFETCH(int, index);
        QFETCH(int, group);
        QFETCH(int, pixels);
        Control *icons = newIcons();
        const auto picture = StdPicture::from(iconOf(icons, picOver, size, index));
        QVERIFY(picture);
        QCOMPARE(picture->picture().type(), gdi::Picture::Icon);
        QCOMPARE(picture->picture().image().size(), QSize(pixels, pixels));
        QCOMPARE(picture->picture().image(), groupImage(group, pixels));
        if (group != index)
            QVERIFY(picture->picture().image() != groupImage(index, pixels));
    }

    void absentGroupGivesNothing_data()
    {
        QTest::addColumn<QString>("picOver");
        QTest::addColumn<int>("index");
        QTest::newRow("60") << "0" << 60;
        QTest::newRow("hovered 51") << "1" << 51; // 151
        QTest::newRow("negative") << "0" << -5;
    }

    void absentGroupGivesNothing()
    {
        QFETCH(QString, picOver);
        QFETCH(int, index);
        Control *icons = newIcons();
        const int objectsBefore = gdi::liveObjectCount();
        const Variant result = iconOf(icons, Variant(picOver), Variant("16"), index);
        QVERIFY(result.isNothing());
        QCOMPARE(gdi::liveObjectCount(), objectsBefore);
    }

    void errorsReachTheCaller_data()
    {
        QTest::addColumn<QString>("picOver");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("error");
        QTest::newRow("largest normal") << "0"
                                        << "16" << 2147483647 << 0;
        QTest::newRow("hovered at the edge") << "1"
                                             << "16" << 2147483547 << 0;
        QTest::newRow("hovered overflows") << "1"
                                           << "16" << 2147483548 << 6;
        QTest::newRow("pressed at the edge") << "2"
                                             << "16" << 2147483447 << 0;
        QTest::newRow("pressed overflows") << "5"
                                           << "16" << 2147483448 << 6;
        QTest::newRow("look no number") << "x"
                                        << "16" << 1 << 13;
        QTest::newRow("size no number") << "0"
                                        << "" << 1 << 13;
    }

    void errorsReachTheCaller()
    {
        QFETCH(QString, picOver);
        QFETCH(QString, size);
        QFETCH(int, index);
        QFETCH(int, error);
        Control *icons = newIcons();
        QCOMPARE(errorOf([&] { iconOf(icons, Variant(picOver), Variant(size), index); }), error);
    }

    void faceIsAFixedRaisedSquare()
    {
        const int objectsBefore = gdi::liveObjectCount();
        auto *icons = static_cast<Icons *>(newIcons());
        QCOMPARE(icons->size(), QSize(38, 38));
        icons->resize(100, 50);
        QCOMPARE(icons->size(), QSize(38, 38));
        const QImage &face = icons->surface();
        QCOMPARE(face.size(), QSize(38, 38));
        QCOMPARE(testsupport::at(face, 0, 0), gdi::sysColor(gdi::Color3DLight));
        QCOMPARE(testsupport::at(face, 1, 1), gdi::sysColor(gdi::Color3DHighlight));
        QCOMPARE(testsupport::at(face, 37, 37), gdi::sysColor(gdi::Color3DDkShadow));
        QCOMPARE(testsupport::at(face, 36, 20), gdi::sysColor(gdi::Color3DShadow));
        QCOMPARE(testsupport::at(face, 2, 2), gdi::sysColor(gdi::ColorBtnFace));
        QCOMPARE(gdi::liveObjectCount(), objectsBefore);
    }

    void aboutBoxShownModally()
    {
        Control *icons = newIcons();
        auto shown = std::make_shared<QString>();
        testsupport::whenModalShown([shown](rt::Form *form) {
            *shown = form->objectName();
            form->close();
        });
        icons->call(QStringLiteral("ShowAboutBox"));
        QCOMPARE(*shown, QStringLiteral("frmAbout"));
    }
};

KV_TEST_MAIN(TestIcons)
#include "tst_Icons.moc"
