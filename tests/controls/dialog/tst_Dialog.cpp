#include "controls/dialog/Dialog.h"
#include "controls/dialog/MessageState.h"
#include "platform/com/AutomationError.h"
#include "platform/com/ControlHost.h"
#include "platform/com/PropertyBag.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/SystemColors.h"
#include "platform/kernel/PlatformVersion.h"
#include "tests/support/Automation.h"
#include "tests/support/Canvas.h"
#include "tests/support/DialogControl.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakePrinterSystem.h"

#include <QProcess>

using namespace com;

using testsupport::errorOf;

class TestDialog : public QObject
{
    Q_OBJECT
private:
    QWidget m_form;
    spooler::FakePrinterSystem *m_printers = nullptr;

    Control *newDialog(const PropertyBag *bag = nullptr) { return testsupport::newDialogOn(&m_form, bag); }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        auto printers = std::make_unique<spooler::FakePrinterSystem>();
        printers->addPrinter(QStringLiteral("Laser"), 2, 1);
        printers->addPrinter(QStringLiteral("Tinte"), 5, 2);
        m_printers = printers.get();
        rt::ServiceSlot<spooler::PrinterSystem>::install(std::move(printers));
        ostrevo::resetMessageState();
    }

    void cleanup() { rt::ServiceSlot<spooler::PrinterSystem>::reset(); }

    void automateSetsTheTitleByDispid()
    {
        QProcess automate;
        automate.start(testsupport::binaryPath(QStringLiteral("automate")), {});
        automate.write("create Quiv_Tools.Dialog\nlet DialogTitle \"Hallo\"\nget #&H68030027\n");
        automate.closeWriteChannel();
        QVERIFY(automate.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(automate.readAllStandardOutput()), QStringLiteral("Hallo\n"));
    }

    void interfaceOrderAndIdentity()
    {
        const TypeInfo &info = ostrevo::Dialog::staticTypeInfo();
        QCOMPARE(info.clsid, QStringLiteral("{195ABF25-79F0-4ED5-A092-84E8D53A26BD}"));
        QCOMPARE(info.members.front().name, QStringLiteral("FindFile"));
        QCOMPARE(info.members.front().dispid, 0x40030043);
        QCOMPARE(info.members[1].dispid, 0x60030042);
        QCOMPARE(info.members.back().name, QStringLiteral("GetWinVista"));
        QVERIFY(!info.member(0x6003004C)); // the gaps stay empty
        QVERIFY(!info.member(0x60030052));
        QVERIFY(info.events.empty());
        const EnumInfo *help = info.enumeration(QStringLiteral("CdlgExt_HelpCommand"));
        QCOMPARE(help->constants.size(), size_t(14));
        QCOMPARE(help->constants[6], (std::pair<QString, int32_t>(QStringLiteral("HelpIndex"), 3)));
    }

    void colourAndFontRules()
    {
        Control *dialog = newDialog();
        dialog->let(QStringLiteral("color"), Variant::fromLong(0xFF));
        QCOMPARE(dialog->get(QStringLiteral("FontColor")).toLong(), 0xFF);
        QCOMPARE(dialog->get(QStringLiteral("FontStyle")).toLong(), 2);
        dialog->let(QStringLiteral("Italic"), Variant::fromBool(true));
        QCOMPARE(dialog->get(QStringLiteral("FontStyle")).toLong(), 1);
        dialog->let(QStringLiteral("Bold"), Variant::fromBool(true));
        QCOMPARE(dialog->get(QStringLiteral("FontStyle")).toLong(), 0);
        const Variant font = dialog->get(QStringLiteral("Font"));
        QVERIFY(dynamic_cast<StdFont *>(font.toObject()));
        auto other = std::make_shared<StdFont>();
        dialog->set(QStringLiteral("Font"), Variant::fromObject(other));
        QCOMPARE(dialog->get(QStringLiteral("Font")).toObject(), other.get());
    }

    void iconSizeIsSixteenOrThirtyTwo_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("read");
        QTest::newRow("small") << 16 << 16;
        QTest::newRow("large") << 32 << 32;
        QTest::newRow("other") << 24 << 32;
        QTest::newRow("zero") << 0 << 32;
    }

    void iconSizeIsSixteenOrThirtyTwo()
    {
        QFETCH(int, set);
        QFETCH(int, read);
        Control *dialog = newDialog();
        QCOMPARE(dialog->get(QStringLiteral("IconSize")).toLong(), 32);
        dialog->let(QStringLiteral("IconSize"), Variant::fromLong(set));
        QCOMPARE(dialog->get(QStringLiteral("IconSize")).toLong(), read);
    }

    void customColours()
    {
        Control *dialog = newDialog();
        dialog->let(QStringLiteral("ColorNr"), Variant::fromInteger(20));
        QCOMPARE(errorOf([&] { dialog->get(QStringLiteral("CustomColors")); }), 9);
        dialog->let(QStringLiteral("CustomColors"), Variant::fromLong(0x123));
        QCOMPARE(dialog->get(QStringLiteral("ColorNr")).toInteger(), int16_t(15));
        QCOMPARE(dialog->get(QStringLiteral("CustomColors")).toLong(), 0x123);
        dialog->let(QStringLiteral("ColorNr"), Variant::fromInteger(-3));
        dialog->let(QStringLiteral("CustomColors"), Variant::fromLong(0x456));
        QCOMPARE(dialog->get(QStringLiteral("ColorNr")).toInteger(), int16_t(0));
        dialog->let(QStringLiteral("ColorNr"), Variant::fromInteger(15));
        QCOMPARE(dialog->get(QStringLiteral("CustomColors")).toLong(), 0x123);
    }

    void pointerIsStoredNegated()
    {
        Control *dialog = newDialog();
        auto *typed = static_cast<ostrevo::Dialog *>(dialog);
        QCOMPARE(dialog->get(QStringLiteral("Pointer")).toBool(), true);
        QCOMPARE(typed->noPointer(), false);
        dialog->let(QStringLiteral("Pointer"), Variant::fromBool(false));
        QCOMPARE(dialog->get(QStringLiteral("Pointer")).toBool(), false);
        QCOMPARE(typed->noPointer(), true);
    }

    void writeOnlyAndReadOnlyMembers()
    {
        Control *dialog = newDialog();
        dialog->let(QStringLiteral("Sound"), Variant::fromBool(false));
        QCOMPARE(static_cast<ostrevo::Dialog *>(dialog)->sound(), false);
        QCOMPARE(errorOf([&] { dialog->get(QStringLiteral("Sound")); }), int(ErrPropertyWriteOnly));
        QCOMPARE(errorOf([&] { dialog->let(QStringLiteral("FilePath"), Variant("x")); }),
                 int(ErrPropertyReadOnly));
        QVERIFY(dialog->get(QStringLiteral("FileList")).isNothing());
    }

    void printerPropertiesAreGated()
    {
        Control *dialog = newDialog();
        QCOMPARE(dialog->get(QStringLiteral("Copies")).toInteger(), int16_t(0));
        QCOMPARE(dialog->get(QStringLiteral("HorizSize")).toString(), QString());
        dialog->let(QStringLiteral("Orientation"),
                    Variant::fromLong(2)); // ignored while no printer is declared
        QCOMPARE(m_printers->printerList[0].orientation, 1);
        dialog->let(QStringLiteral("PrinterExist"), Variant::fromBool(true));
        QCOMPARE(dialog->get(QStringLiteral("Copies")).toInteger(), int16_t(2));
        dialog->let(QStringLiteral("Copies"), Variant::fromInteger(4));
        QCOMPARE(m_printers->printerList[0].copies, int16_t(4));
    }

    void deviceNameLastMatchWins()
    {
        m_printers->addPrinter(QStringLiteral("Laser"), 9, 1);
        Control *dialog = newDialog();
        dialog->let(QStringLiteral("Printer_DeviceName"), Variant("Laser"));
        QCOMPARE(m_printers->current, 2);
        dialog->let(QStringLiteral("Printer_DeviceName"), Variant("Unbekannt"));
        QCOMPARE(m_printers->current, 2);
        QCOMPARE(dialog->get(QStringLiteral("Printer_DeviceName")).toString(), QStringLiteral("Laser"));
    }

    void noPrinterRaisesTheRuntimeError()
    {
        rt::ServiceSlot<spooler::PrinterSystem>::install(std::make_unique<spooler::FakePrinterSystem>());
        Control *dialog = newDialog();
        QCOMPARE(errorOf([&] { dialog->get(QStringLiteral("Printer_DeviceName")); }), 484);
        QCOMPARE(errorOf([&] { dialog->let(QStringLiteral("PrinterExist"), Variant::fromBool(true)); }), 484);
    }

    void orientationWritesTheStoredSettings()
    {
        Control *dialog = newDialog();
        dialog->let(QStringLiteral("PrinterExist"), Variant::fromBool(true));
        dialog->let(QStringLiteral("Orientation"), Variant::fromLong(2));
        QCOMPARE(m_printers->printerList[0].orientation, 2);
        QCOMPARE(m_printers->printerList[0].stored.orientation, int16_t(2));
        QCOMPARE(m_printers->printerList[0].stored.fields, 0x1001u);
        QCOMPARE(m_printers->log, (QStringList{"open Laser", "read", "properties", "write", "close"}));
        QCOMPARE(dialog->get(QStringLiteral("Orientation")).toLong(), 2);
    }

    void devModeStopsAtTheFirstFailure_data()
    {
        QTest::addColumn<int>("failAt");
        QTest::addColumn<QStringList>("log");
        using F = spooler::FakePrinterSystem::FailAt;
        QTest::newRow("open") << int(F::Open) << QStringList{"open Laser"};
        QTest::newRow("read") << int(F::Read) << QStringList{"open Laser", "read", "close"};
        QTest::newRow("properties") << int(F::DocumentProperties)
                                    << QStringList{"open Laser", "read", "properties", "close"};
        QTest::newRow("write") << int(F::Write)
                               << QStringList{"open Laser", "read", "properties", "write", "close"};
    }

    void devModeStopsAtTheFirstFailure()
    {
        QFETCH(int, failAt);
        QFETCH(QStringList, log);
        Control *dialog = newDialog();
        dialog->let(QStringLiteral("PrinterExist"), Variant::fromBool(true));
        m_printers->failAt = spooler::FakePrinterSystem::FailAt(failAt);
        m_printers->printerList[0].duplex = 3;
        dialog->let(QStringLiteral("Orientation"), Variant::fromLong(2));
        QCOMPARE(m_printers->log, log);
        QCOMPARE(m_printers->openConnections, 0);
        QCOMPARE(m_printers->printerList[0].stored.orientation, int16_t(1)); // nothing stored
        QCOMPARE(m_printers->printerList[0].duplex, int16_t(3));             // nor the duplex changed
    }

    void printerMetricsAsText()
    {
        m_printers->pageMetrics = {203, 290, 50, 25, 10, 10};
        Control *dialog = newDialog();
        dialog->let(QStringLiteral("PrinterExist"), Variant::fromBool(true));
        dialog->let(QStringLiteral("HorizSize"), Variant("999"));
        QCOMPARE(dialog->get(QStringLiteral("HorizSize")).toString(), QStringLiteral("203"));
        QCOMPARE(dialog->get(QStringLiteral("VertiSize")).toString(), QStringLiteral("290"));
        QCOMPARE(dialog->get(QStringLiteral("PhysicOffsetX")).toString(), QStringLiteral("5"));
        QCOMPARE(dialog->get(QStringLiteral("PhysicOffsetY")).toString(), QStringLiteral("2,5"));
        QVERIFY(m_printers->log.endsWith(QStringLiteral("enddoc")));
    }

    void persistence()
    {
        Control *fresh = newDialog();
        QVERIFY(ControlHost::saveControl(*fresh).isEmpty());
        fresh->let(QStringLiteral("FocusRect"), Variant::fromBool(true));
        const PropertyBag saved = ControlHost::saveControl(*fresh);
        QCOMPARE(saved.toText(), QStringLiteral("FocusRect = True\n"));
        Control *loaded = newDialog(&saved);
        QCOMPARE(loaded->get(QStringLiteral("FocusRect")).toBool(), true);
        QCOMPARE(loaded->site()->changedProperties(), QStringList{QStringLiteral("FocusRect")});
    }

    void printerSettingsAreSavedOnlyWhileDeclared()
    {
        Control *dialog = newDialog();
        dialog->let(QStringLiteral("PrinterExist"), Variant::fromBool(true));
        dialog->let(QStringLiteral("Copies"), Variant::fromInteger(3));
        m_printers->printerList[0].copies = 2; // the default the bag compares with
        const PropertyBag saved = ControlHost::saveControl(*dialog);
        QCOMPARE(saved.toText(), QStringLiteral("Copies = 3\n"));
        Control *loaded = newDialog(&saved);
        QCOMPARE(loaded->get(QStringLiteral("Copies")).toInteger(), int16_t(0));
    }

    void faceIsARaisedFrameAroundTheSymbol()
    {
        const int objectsBefore = gdi::liveObjectCount();
        auto *dialog = static_cast<ostrevo::Dialog *>(newDialog());
        const QImage &face = dialog->surface();
        QCOMPARE(face.size(), QSize(38, 38));
        const auto colour = [&](int x, int y) { return testsupport::at(face, x, y); };
        QCOMPARE(colour(0, 0), gdi::sysColor(gdi::Color3DLight));
        QCOMPARE(colour(1, 1), gdi::sysColor(gdi::Color3DHighlight));
        QCOMPARE(colour(37, 37), gdi::sysColor(gdi::Color3DDkShadow));
        QCOMPARE(colour(36, 36), gdi::sysColor(gdi::Color3DShadow));
        QCOMPARE(colour(2, 36), gdi::sysColor(gdi::Color3DShadow));
        QCOMPARE(colour(10, 9), gdi::rgb(0, 0, 128));      // the symbol's title bar
        QCOMPARE(colour(15, 22), gdi::rgb(255, 255, 204)); // its balloon
        QCOMPARE(gdi::liveObjectCount(), objectsBefore);
    }

    void sizeSnapsBack()
    {
        Control *dialog = newDialog();
        dialog->resize(100, 50);
        QCOMPARE(dialog->size(), QSize(38, 38));
    }

    void sharedMessageState()
    {
        Control *first = newDialog();
        Control *second = newDialog();
        ostrevo::CaptureKeyDown(65, 1);
        QCOMPARE(first->get(QStringLiteral("sKey")).toInteger(), int16_t(65));
        QCOMPARE(second->get(QStringLiteral("sKeyShift")).toInteger(), int16_t(1));
        QCOMPARE(second->get(QStringLiteral("sKeyDown")).toBool(), true);
        ostrevo::CaptureKeyUp();
        QCOMPARE(first->get(QStringLiteral("sKey")).toInteger(), int16_t(65)); // kept after release
        QCOMPARE(first->get(QStringLiteral("sKeyShift")).toInteger(), int16_t(0));
        QCOMPARE(first->get(QStringLiteral("sKeyDown")).toBool(), false);
        first->let(QStringLiteral("InitMsg"), Variant("Vorgabe"));
        QCOMPARE(second->get(QStringLiteral("InitMsg")).toString(), QStringLiteral("Vorgabe"));
    }

    void platformVersion()
    {
        kernel::VersionRecord old;
        old.platformId = 1;
        kernel::setPlatformVersion(old);
        QCOMPARE(static_cast<ostrevo::Dialog *>(newDialog())->isWinNT(), false);
        kernel::resetPlatformVersion();
        QCOMPARE(static_cast<ostrevo::Dialog *>(newDialog())->isWinNT(), true);
    }

    void messageButtonsPerFlags_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("results");
        QTest::newRow("ok") << 0 << QStringList{"OK", "", ""} << QList<int>{1, 0, 0};
        QTest::newRow("seven is ok") << 7 << QStringList{"OK", "", ""} << QList<int>{1, 0, 0};
        QTest::newRow("yes no cancel") << 3 << QStringList{"Ja", "Nein", "Abbrechen"} << QList<int>{6, 7, 2};
        QTest::newRow("abort retry ignore")
            << 2 << QStringList{"Abbrechen", "Wiederholen", "Ignorieren"} << QList<int>{3, 4, 5};
        QTest::newRow("custom, second only") << 6 << QStringList{"", "Zwei", ""} << QList<int>{1, 2, 3};
        QTest::newRow("other bits ignored")
            << (4 | 0x40 | 0x100 | 0x1000) << QStringList{"Ja", "Nein", ""} << QList<int>{6, 7, 0};
    }

    void messageButtonsPerFlags()
    {
        QFETCH(int, flags);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, results);
        const auto buttons = ostrevo::messageButtons(flags, QString(), QStringLiteral("Zwei"), QString());
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(buttons[size_t(i)].caption, captions[i]);
            QCOMPARE(int(buttons[size_t(i)].result), results[i]);
        }
    }

    void iconCellsAndSounds()
    {
        QCOMPARE(ostrevo::iconCell(0), 0);
        QCOMPARE(ostrevo::iconSound(0), 0);
        QCOMPARE(ostrevo::iconCell(16), 1);
        QCOMPARE(ostrevo::iconSound(16), 15);
        QCOMPARE(ostrevo::iconCell(32), 4);
        QCOMPARE(ostrevo::iconSound(32), 16);
        QCOMPARE(ostrevo::iconCell(48), 2);
        QCOMPARE(ostrevo::iconSound(112), 13);
        QCOMPARE(ostrevo::iconCell(112), 7);
    }
};

KV_TEST_MAIN(TestDialog)
#include "tst_Dialog.moc"
