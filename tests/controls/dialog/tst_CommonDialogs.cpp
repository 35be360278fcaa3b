#include "controls/dialog/Dialog.h"
#include "platform/com/AutomationError.h"
#include "platform/com/AutomationScript.h"
#include "platform/com/Collection.h"
#include "platform/com/ControlHost.h"
#include "platform/comdlg/ErrorTexts.h"
#include "tests/support/Automation.h"
#include "tests/support/DialogControl.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakePrinterSystem.h"
#include "tests/support/fakes/RecordingHelpViewer.h"
#include "tests/support/fakes/ScriptedDialogs.h"

#include <QMessageBox>
#include <QTimer>

using namespace com;
using comdlg::ScriptedDialogs;
using testsupport::get;
using testsupport::let;
using Answer = comdlg::ScriptedDialogs::Answer;
using testsupport::errorOf;

// The common dialogs of the Dialog control, answered by a scripted backend,
// over a fake printer system and a recording help viewer.
class TestCommonDialogs : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QWidget> m_form;
    ScriptedDialogs *m_dialogs = nullptr;
    spooler::FakePrinterSystem *m_printers = nullptr;
    help::RecordingHelpViewer *m_help = nullptr;

    Control *newDialog() { return testsupport::newDialogOn(m_form.get()); }
    static QStringList listOf(const Variant &list)
    {
        auto *collection = dynamic_cast<Collection *>(list.toObject());
        if (!collection)
            return {QStringLiteral("no collection")};
        QStringList items;
        for (int i = 1; i <= collection->count(); ++i)
            items << collection->item(i).toString();
        return items;
    }
    static std::array<uint32_t, 16> rainbow(uint32_t base)
    {
        std::array<uint32_t, 16> colours{};
        for (size_t i = 0; i < colours.size(); ++i)
            colours[i] = base + uint32_t(i);
        return colours;
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_form = std::make_unique<QWidget>();
        auto dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs = dialogs.get();
        rt::ServiceSlot<comdlg::DialogBackend>::install(std::move(dialogs));
        auto printers = std::make_unique<spooler::FakePrinterSystem>();
        printers->addPrinter(QStringLiteral("Laser"), 2, 1);
        printers->addPrinter(QStringLiteral("Tintenstrahldrucker im Büro des zweiten Stocks"), 5, 1);
        printers->pageMetrics.horzSizeMm = 203;
        printers->pageMetrics.vertSizeMm = 289;
        m_printers = printers.get();
        rt::ServiceSlot<spooler::PrinterSystem>::install(std::move(printers));
        auto viewer = std::make_unique<help::RecordingHelpViewer>();
        m_help = viewer.get();
        rt::ServiceSlot<help::HelpViewer>::install(std::move(viewer));
    }

    void cleanup()
    {
        m_form.reset();
        rt::ServiceSlot<comdlg::DialogBackend>::reset();
        rt::ServiceSlot<spooler::PrinterSystem>::reset();
        rt::ServiceSlot<help::HelpViewer>::reset();
    }

    // What a dialog ending without a choice leaves in Cancel and the error
    // properties, with CancelError on and off. Before each call the error
    // properties hold 7, "alt" and 9 and Cancel is True.
    void cancelErrorMatrix_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<bool>("cancelError");
        QTest::addColumn<uint>("code");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("lastDllError");

        const QString cancelled = comdlg::errorText(32755);
        const QString tooSmall = QStringLiteral("Puffer zu klein.\r\nWählen Sie weniger Dateien aus.");
        const QString badName = QStringLiteral("Der Dateiname ist ungültig.");
        for (const char *file : {"ShowOpen", "ShowSave"}) {
            const QString m = QString::fromLatin1(file);
            QTest::addRow("%s cancelled", file) << m << true << 0u << true << 32755 << cancelled << 0;
            QTest::addRow("%s buffer too small", file)
                << m << true << 12291u << false << 12291 << tooSmall << 0;
            QTest::addRow("%s other failure", file) << m << true << 12290u << false << 12290 << badName << 0;
            QTest::addRow("%s unknown code", file) << m << true << 77u << false << 77 << QString() << 0;
            QTest::addRow("%s cancelled quietly", file) << m << false << 0u << false << 0 << QString() << 0;
            QTest::addRow("%s failed quietly", file) << m << false << 12290u << false << 0 << QString() << 0;
        }
        const QString c = QStringLiteral("ShowColor");
        QTest::newRow("colour cancelled") << c << true << 0u << true << 32755 << cancelled << 0;
        QTest::newRow("colour buffer too small")
            << c << true << 12291u << false << 12291 << QStringLiteral("Puffer zu klein.") << 0;
        QTest::newRow("colour failure") << c << true << 0xFFFFu << false << 0xFFFF
                                        << QStringLiteral("Der Dialog konnte nicht angezeigt werden.") << 0;
        QTest::newRow("colour cancelled quietly") << c << false << 0u << false << 0 << QString() << 0;
        // Font and printer set-up have no closing step: quietly, the errors stay.
        const QString f = QStringLiteral("ShowFont");
        QTest::newRow("font cancelled") << f << true << 0u << true << 32755 << cancelled << 9;
        QTest::newRow("font failure") << f << true << 0x2001u << false << 0x2001
                                      << QStringLiteral("Es sind keine Schriftarten installiert.") << 9;
        QTest::newRow("font cancelled quietly")
            << f << false << 0u << false << 7 << QStringLiteral("alt") << 9;
        const QString p = QStringLiteral("ShowPrinter");
        QTest::newRow("printer cancelled") << p << true << 0u << true << 32755 << cancelled << 9;
        QTest::newRow("printer failure") << p << true << 0x1007u << false << 0x1007
                                         << QStringLiteral("Es ist kein Drucker eingerichtet.") << 9;
        QTest::newRow("printer cancelled quietly")
            << p << false << 0u << false << 7 << QStringLiteral("alt") << 9;
    }

    void cancelErrorMatrix()
    {
        QFETCH(QString, method);
        QFETCH(bool, cancelError);
        QFETCH(uint, code);
        Control *dialog = newDialog();
        let(dialog, "PrinterExist", Variant::fromBool(true));
        let(dialog, "CancelError", Variant::fromBool(cancelError));
        let(dialog, "Cancel", Variant::fromBool(true));
        let(dialog, "Number", Variant::fromLong(7));
        let(dialog, "Description", Variant(QStringLiteral("alt")));
        let(dialog, "LastDllError", Variant::fromLong(9));
        m_dialogs->push(Answer::failed(code));
        dialog->call(method);
        QCOMPARE(m_dialogs->shown().size(), 1);
        QTEST(get(dialog, "Cancel").toBool(), "cancel");
        QTEST(int(get(dialog, "Number").toLong()), "number");
        QTEST(get(dialog, "Description").toString(), "description");
        QTEST(int(get(dialog, "LastDllError").toLong()), "lastDllError");
    }

    // A file dialog without a choice keeps the earlier results; only
    // MultiSelect, the error properties and FileList start afresh.
    void cancelledFileDialogKeepsTheResults()
    {
        Control *dialog = newDialog();
        m_dialogs->push(Answer::several({QStringLiteral("/daten/a.txt"), QStringLiteral("/daten/b.txt")}));
        dialog->call(QStringLiteral("ShowOpen"));
        m_dialogs->push(Answer::file(QStringLiteral("/briefe/an.txt")));
        dialog->call(QStringLiteral("ShowOpen"));
        m_dialogs->push(Answer::several({QStringLiteral("/daten/a.txt"), QStringLiteral("/daten/b.txt")}));
        dialog->call(QStringLiteral("ShowOpen"));
        QCOMPARE(get(dialog, "MultiSelect").toBool(), true);
        m_dialogs->push(Answer::cancelled());
        dialog->call(QStringLiteral("ShowOpen"));
        QCOMPARE(get(dialog, "MultiSelect").toBool(), false);
        QCOMPARE(get(dialog, "FileName").toString(), QStringLiteral("/briefe/an.txt"));
        QCOMPARE(get(dialog, "FileTitle").toString(), QStringLiteral("an.txt"));
        QCOMPARE(get(dialog, "FilePath").toString(), QStringLiteral("/daten"));
        QCOMPARE(listOf(get(dialog, "FileList")), QStringList());
    }

    // Everything the file dialog is shown with, from the properties.
    void fileDialogRequest()
    {
        Control *dialog = newDialog();
        let(dialog, "Filter", Variant(QStringLiteral("Bilder|*.bmp;*.jpg")));
        let(dialog, "FilterIndex", Variant::fromLong(2));
        let(dialog, "FileName", Variant(QStringLiteral("bild")));
        let(dialog, "Flags", Variant::fromLong(0x80200 | 0xE0 | 0x4));
        let(dialog, "DialogTitle", Variant(QStringLiteral("Bild wählen")));
        dialog->call(QStringLiteral("ShowSave"));
        let(dialog, "DialogTitle", Variant(QString()));
        let(dialog, "DefaultExt", Variant(QStringLiteral(".bmp")));
        dialog->call(QStringLiteral("ShowOpen"));

        const auto &shown = m_dialogs->shown();
        QCOMPARE(shown.size(), 2);
        const comdlg::FileRequest &save = shown[0].file;
        QCOMPARE(shown[0].kind, QStringLiteral("save"));
        QCOMPARE(save.filter, QStringLiteral("Bilder|*.bmp;*.jpg"));
        QCOMPARE(save.filterIndex, 2);
        QCOMPARE(save.fileName, QStringLiteral("bild"));
        QCOMPARE(save.flags, 0x80204);        // hook and template bits cleared
        QCOMPARE(save.defaultExt, QString()); // a typed name gets no extension
        QCOMPARE(save.placement.title, std::optional<QString>(QStringLiteral("Bild wählen")));
        QVERIFY(save.placement.centred);
        QVERIFY(!save.placement.position);
        QCOMPARE(shown[1].kind, QStringLiteral("open"));
        QCOMPARE(shown[1].file.defaultExt, QStringLiteral(".bmp"));
        QCOMPARE(shown[1].file.placement.title, std::nullopt); // the dialog's own title
        QCOMPARE(get(dialog, "Filter").toString(), QStringLiteral("Bilder|*.bmp;*.jpg"));
    }

    // InitDir first, else where the last dialog ended, else the root.
    void initialFolderChain()
    {
        Control *dialog = newDialog();
        dialog->call(QStringLiteral("ShowOpen"));
        m_dialogs->push(Answer::file(QStringLiteral("/home/anna/brief.txt")));
        dialog->call(QStringLiteral("ShowOpen"));
        dialog->call(QStringLiteral("ShowOpen"));
        let(dialog, "InitDir", Variant(QStringLiteral("/tmp")));
        dialog->call(QStringLiteral("ShowOpen"));
        let(dialog, "InitDir", Variant(QString()));
        m_dialogs->push(Answer::several({QStringLiteral("/a.txt"), QStringLiteral("/b.txt")}));
        dialog->call(QStringLiteral("ShowOpen"));
        QCOMPARE(get(dialog, "FilePath").toString(), QString()); // the root, without its "/"
        dialog->call(QStringLiteral("ShowOpen"));
        QStringList folders;
        for (const auto &shown : m_dialogs->shown())
            folders << shown.file.folder;
        QCOMPARE(folders, (QStringList{"/", "/", "/home/anna", "/tmp", "/home/anna", "/"}));
    }

    void singleFile_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("defaultExt");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("fileTitle");
        QTest::addColumn<QString>("filePath");
        QTest::newRow("extension added") << "/a/brief"
                                         << ".txt"
                                         << "/a/brief.txt"
                                         << "brief"
                                         << "/a";
        QTest::newRow("four letters are an extension") << "/a/brief.html"
                                                       << ".txt"
                                                       << "/a/brief.html"
                                                       << "brief.html"
                                                       << "/a";
        QTest::newRow("six letters are none") << "/a/brief.backup"
                                              << ".txt"
                                              << "/a/brief.backup.txt"
                                              << "brief.backup"
                                              << "/a";
        QTest::newRow("one letter is one") << "/a/brief.c"
                                           << ".txt"
                                           << "/a/brief.c"
                                           << "brief.c"
                                           << "/a";
        QTest::newRow("no default, nothing added") << "/a/brief"
                                                   << ""
                                                   << "/a/brief"
                                                   << "brief"
                                                   << "/a";
        QTest::newRow("in the root") << "/brief.txt"
                                     << ""
                                     << "/brief.txt"
                                     << "brief.txt"
                                     << "";
    }

    void singleFile()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, defaultExt);
        Control *dialog = newDialog();
        let(dialog, "DefaultExt", Variant(defaultExt));
        let(dialog, "Flags", Variant::fromLong(0x80200)); // one file chosen where several could be
        m_dialogs->push(Answer::file(chosen));
        dialog->call(QStringLiteral("ShowOpen"));
        QTEST(get(dialog, "FileName").toString(), "fileName");
        QTEST(get(dialog, "FileTitle").toString(), "fileTitle");
        QTEST(get(dialog, "FilePath").toString(), "filePath");
        QCOMPARE(get(dialog, "MultiSelect").toBool(), false);
        QCOMPARE(listOf(get(dialog, "FileList")), QStringList());
        QCOMPARE(get(dialog, "Number").toLong(), 0);
    }

    void multipleSelection()
    {
        Control *dialog = newDialog();
        let(dialog, "FileName", Variant(QStringLiteral("vorher.txt")));
        let(dialog, "Flags", Variant::fromLong(0x80200));
        m_dialogs->push(Answer::several({QStringLiteral("/daten/c.txt"), QStringLiteral("/daten/a.txt"),
                                         QStringLiteral("/daten/b.txt")}));
        dialog->call(QStringLiteral("ShowOpen"));
        QCOMPARE(get(dialog, "MultiSelect").toBool(), true);
        QCOMPARE(get(dialog, "FilePath").toString(), QStringLiteral("/daten"));
        QCOMPARE(listOf(get(dialog, "FileList")), (QStringList{"c.txt", "a.txt", "b.txt"}));
        QCOMPARE(get(dialog, "FileName").toString(), QStringLiteral("vorher.txt"));
        QCOMPARE(get(dialog, "FileTitle").toString(), QString());
        auto *list = dynamic_cast<Collection *>(get(dialog, "FileList").toObject());
        QVERIFY(list);
        QCOMPARE(list->call(QStringLiteral("Count")).toLong(), 3);
        QCOMPARE(list->call(QStringLiteral("Item"), {Variant::fromLong(2)}).toString(),
                 QStringLiteral("a.txt"));
        QCOMPARE(errorOf([&] { list->call(QStringLiteral("Item"), {Variant::fromLong(4)}); }),
                 int(ErrSubscript));
    }

    // 255 characters fit the file buffer whole, one more does not: a longer
    // FileName is refused before any dialog, a longer choice fails the dialog.
    void fileBufferLimits_data()
    {
        QTest::addColumn<int>("presetLength");
        QTest::addColumn<int>("chosenLength");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("number");
        QTest::newRow("preset of 255") << 255 << 10 << 1 << 0;
        QTest::newRow("preset of 256") << 256 << 10 << 0 << 5;
        QTest::newRow("choice of 255") << 0 << 255 << 1 << 0;
        QTest::newRow("choice of 256") << 0 << 256 << 1 << 12291;
    }

    void fileBufferLimits()
    {
        QFETCH(int, presetLength);
        QFETCH(int, chosenLength);
        Control *dialog = newDialog();
        let(dialog, "CancelError", Variant::fromBool(true));
        const QString preset(presetLength, u'p');
        let(dialog, "FileName", Variant(preset));
        const QString chosen = QStringLiteral("/d/") + QString(chosenLength - 3, u'c');
        m_dialogs->push(Answer::file(chosen));
        dialog->call(QStringLiteral("ShowOpen"));
        QTEST(int(m_dialogs->shown().size()), "shown");
        QTEST(int(get(dialog, "Number").toLong()), "number");
        QFETCH(int, number);
        QFETCH(int, shown);
        if (shown)
            QCOMPARE(m_dialogs->shown().constFirst().file.fileName, preset);
        if (number == 5)
            QCOMPARE(get(dialog, "Description").toString(), AutomationError::standardText(5));
        QCOMPARE(get(dialog, "FileName").toString(), number == 0 ? chosen : preset);
    }

    void multipleSelectionTooLong()
    {
        Control *dialog = newDialog();
        let(dialog, "CancelError", Variant::fromBool(true));
        // "/d" and three names after a separator each: 2 + 3 × 84 = 254, then 257.
        const QString name(82, u'n');
        m_dialogs->push(Answer::several({"/d/1" + name, "/d/2" + name, "/d/3" + name}));
        dialog->call(QStringLiteral("ShowOpen"));
        QCOMPARE(get(dialog, "Number").toLong(), 0);
        m_dialogs->push(Answer::several({"/d/1" + name + "x", "/d/2" + name + "x", "/d/3" + name + "x"}));
        dialog->call(QStringLiteral("ShowOpen"));
        QCOMPARE(get(dialog, "Number").toLong(), 12291);
        QCOMPARE(get(dialog, "Cancel").toBool(), false);
        QCOMPARE(get(dialog, "FilePath").toString(), QStringLiteral("/d")); // from the first
    }

    void colourDialog()
    {
        Control *dialog = newDialog();
        let(dialog, "color", Variant::fromColor(0x123456));
        let(dialog, "Flags", Variant::fromLong(0xFF));
        for (int i = 0; i < 16; ++i) {
            let(dialog, "ColorNr", Variant::fromInteger(int16_t(i)));
            let(dialog, "CustomColors", Variant::fromColor(0x100 + uint32_t(i)));
        }
        m_dialogs->push(Answer::colours(0xFF, rainbow(0x200)));
        dialog->call(QStringLiteral("ShowColor"));
        QCOMPARE(get(dialog, "color").toColor(), 0xFFu);
        QCOMPARE(get(dialog, "FontColor").toColor(), 0xFFu);
        let(dialog, "ColorNr", Variant::fromInteger(15));
        QCOMPARE(get(dialog, "CustomColors").toColor(), 0x20Fu);
        let(dialog, "Flags", Variant::fromLong(0));
        let(dialog, "DialogTitle", Variant(QStringLiteral("Farbe")));
        dialog->call(QStringLiteral("ShowColor")); // cancelled: the colours stay

        const auto &shown = m_dialogs->shown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].colours.color, 0x123456u);
        QVERIFY(shown[0].colours.custom == rainbow(0x100));
        QCOMPARE(shown[0].flags, 0xF);
        QCOMPARE(shown[0].placement.title, std::optional<QString>(QString())); // empty stays empty
        QCOMPARE(shown[0].placement.position, std::optional<QPoint>(QPoint(100, 100)));
        QCOMPARE(shown[1].flags, 1); // always starting from the colour
        QCOMPARE(shown[1].colours.color, 0xFFu);
        QVERIFY(shown[1].colours.custom == rainbow(0x200));
        QCOMPARE(shown[1].placement.title, std::optional<QString>(QStringLiteral("Farbe")));
        QCOMPARE(get(dialog, "color").toColor(), 0xFFu);
    }

    // Title and place go with the one dialog they were meant for: a colour
    // dialog that never opened leaves nothing behind for the next dialog.
    void placementStaysWithItsDialog()
    {
        Control *dialog = newDialog();
        let(dialog, "DialogTitle", Variant(QStringLiteral("Farbe")));
        m_dialogs->push(Answer::failed(0xFFFF));
        dialog->call(QStringLiteral("ShowColor"));
        let(dialog, "DialogTitle", Variant(QString()));
        dialog->call(QStringLiteral("ShowOpen"));
        dialog->call(QStringLiteral("ShowColor"));
        const auto &shown = m_dialogs->shown();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[1].placement.title, std::nullopt);
        QCOMPARE(shown[1].placement.position, std::nullopt);
        QVERIFY(shown[1].placement.centred);
        QCOMPARE(shown[2].placement.title, std::optional<QString>(QString()));
        QVERIFY(!shown[2].placement.centred);
    }

    void fontDialog_data()
    {
        QTest::addColumn<double>("chosenSize");
        QTest::addColumn<int>("fontSize");
        QTest::newRow("whole points") << 12.0 << 12;
        QTest::newRow("half a point cut") << 10.5 << 10;
        QTest::newRow("tenths rounded first") << 9.96 << 10;
        QTest::newRow("below a point") << 0.5 << 0;
    }

    void fontDialog()
    {
        QFETCH(double, chosenSize);
        Control *dialog = newDialog();
        let(dialog, "FontName", Variant(QStringLiteral("Arial")));
        let(dialog, "FontSize", Variant::fromLong(12));
        let(dialog, "Bold", Variant::fromBool(true));
        let(dialog, "Underline", Variant::fromBool(true));
        let(dialog, "FontColor", Variant::fromColor(0xFF));
        let(dialog, "Flags", Variant::fromLong(0x4)); // adds nothing
        comdlg::FontChoice chosen;
        chosen.name = QStringLiteral("Times New Roman");
        chosen.size = chosenSize;
        chosen.italic = true;
        chosen.strikethru = true;
        chosen.color = 0xFF00;
        chosen.charset = 2;
        m_dialogs->push(Answer::chosenFont(chosen));
        dialog->call(QStringLiteral("ShowFont"));

        const ScriptedDialogs::Shown &shown = m_dialogs->shown().constFirst();
        QCOMPARE(shown.font.name, QStringLiteral("Arial"));
        QCOMPARE(shown.font.size, 12.0);
        QVERIFY(shown.font.bold && shown.font.underline && !shown.font.italic);
        QCOMPARE(shown.font.color, 0xFFu);
        QCOMPARE(shown.flags, 0x141);
        QTEST(int(get(dialog, "FontSize").toLong()), "fontSize");
        QCOMPARE(get(dialog, "FontName").toString(), QStringLiteral("Times New Roman"));
        QCOMPARE(get(dialog, "Bold").toBool(), false);
        QCOMPARE(get(dialog, "Italic").toBool(), true);
        QCOMPARE(get(dialog, "Underline").toBool(), false);
        QCOMPARE(get(dialog, "StrikeThru").toBool(), true);
        QCOMPARE(get(dialog, "color").toColor(), 0xFF00u);
        auto *font = dynamic_cast<StdFont *>(get(dialog, "Font").toObject());
        QVERIFY(font);
        QCOMPARE(font->name, QStringLiteral("Times New Roman"));
        QTEST(int(font->size), "fontSize");
        QVERIFY(font->italic && font->strikethrough && !font->bold && !font->underline);
        QCOMPARE(font->charset, int16_t(2));
    }

    // 32 characters fit the face name whole; a longer name is refused with
    // error 9 before any dialog. All flags set pass all flags.
    void fontFaceNameLimit()
    {
        Control *dialog = newDialog();
        let(dialog, "FontName", Variant(QString(32, u'f')));
        let(dialog, "Flags", Variant::fromLong(-1));
        dialog->call(QStringLiteral("ShowFont"));
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(m_dialogs->shown().constFirst().font.name, QString(32, u'f'));
        QCOMPARE(m_dialogs->shown().constFirst().flags, -1);
        let(dialog, "FontName", Variant(QString(33, u'f')));
        let(dialog, "Cancel", Variant::fromBool(true));
        QCOMPARE(errorOf([&] { dialog->call(QStringLiteral("ShowFont")); }), int(ErrSubscript));
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(get(dialog, "Cancel").toBool(), false);
    }

    void printerSetupNeedsAPrinter()
    {
        Control *dialog = newDialog();
        let(dialog, "CancelError", Variant::fromBool(true));
        dialog->call(QStringLiteral("ShowPrinter"));
        let(dialog, "Action", Variant::fromLong(5));
        QVERIFY(m_dialogs->shown().isEmpty());
        QCOMPARE(get(dialog, "Number").toLong(), 0);
        QCOMPARE(get(dialog, "Cancel").toBool(), false);
    }

    // The chosen printer is found by its whole name, whatever its letter
    // case, becomes the current printer and keeps the chosen settings.
    void printerSetup()
    {
        Control *dialog = newDialog();
        let(dialog, "PrinterExist", Variant::fromBool(true));
        let(dialog, "Copies", Variant::fromInteger(3));
        let(dialog, "Flags", Variant::fromLong(int32_t(0xFFFFFFFF)));
        m_printers->printerList[0].duplex = 2;
        m_printers->log.clear();
        spooler::DeviceMode chosen;
        chosen.deviceName = m_printers->printerList[1].name.toUpper();
        chosen.copies = 4;
        chosen.orientation = 2;
        chosen.duplex = 3;
        m_dialogs->push(Answer::printerSettings(chosen));
        dialog->call(QStringLiteral("ShowPrinter"));

        const ScriptedDialogs::Shown &shown = m_dialogs->shown().constFirst();
        QCOMPARE(shown.kind, QStringLiteral("printer"));
        QCOMPARE(shown.flags, 0x1C0FFF);
        QCOMPARE(shown.printer.deviceName, QStringLiteral("Laser"));
        QCOMPARE(shown.printer.copies, int16_t(3));
        QCOMPARE(shown.printer.orientation, int16_t(1));
        QCOMPARE(shown.printer.duplex, int16_t(2));
        QCOMPARE(shown.printer.fields, 0x1001u);

        QCOMPARE(m_printers->current, 1);
        const spooler::FakePrinterSystem::Printer &office = m_printers->printerList[1];
        QCOMPARE(office.copies, int16_t(4));
        QCOMPARE(office.orientation, 2);
        QCOMPARE(office.duplex, int16_t(1)); // the stored settings' duplex is applied last
        QCOMPARE(office.stored.orientation, int16_t(2));
        QCOMPARE(office.stored.duplex, int16_t(1));
        QCOMPARE(get(dialog, "Copies").toInteger(), int16_t(4));
        QCOMPARE(get(dialog, "Orientation").toLong(), 2);
        QVERIFY(m_printers->log.contains(QStringLiteral("metrics")));
        QCOMPARE(get(dialog, "HorizSize").toString(), QStringLiteral("203"));
    }

    void printerSetupWithoutCurrentPrinterSaysSo()
    {
        Control *dialog = newDialog();
        let(dialog, "PrinterExist", Variant::fromBool(true));
        m_printers->current = -1;
        QString boxTitle, boxText;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            boxTitle = box->windowTitle();
            boxText = box->text();
            box->accept();
        });
        dialog->call(QStringLiteral("ShowPrinter")); // cancelled by the script
        QCOMPARE(boxTitle, QStringLiteral("Printer Error"));
        QVERIFY(boxText.startsWith(QStringLiteral("Fehler beim Abrufen der Druckerinformationen")));
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(m_dialogs->shown().constFirst().printer.deviceName, QString());
    }

    void printerProperties_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("result");
        QTest::newRow("accepted") << true << true << "True";
        QTest::newRow("cancelled") << true << false << "False";
        QTest::newRow("printer cannot be opened") << false << true << "Empty";
    }

    void printerProperties()
    {
        QFETCH(bool, opens);
        QFETCH(bool, accept);
        Control *dialog = newDialog();
        QCOMPARE(dialog->call(QStringLiteral("ShowPrinterProp")).display(), QStringLiteral("Empty"));
        let(dialog, "PrinterExist", Variant::fromBool(true));
        m_printers->printerList[0].copies = 6; // changed behind the control's back
        m_printers->printerList[0].orientation = 2;
        if (!opens)
            m_printers->failAt = spooler::FakePrinterSystem::FailAt::Open;
        spooler::DeviceMode settled;
        settled.deviceName = QStringLiteral("Laser");
        settled.orientation = 2;
        m_dialogs->push(accept ? Answer::printerSettings(settled) : Answer::cancelled());
        m_printers->log.clear();
        QTEST(dialog->call(QStringLiteral("ShowPrinterProp")).display(), "result");
        QCOMPARE(m_dialogs->shown().size(), opens ? 1 : 0);
        QCOMPARE(get(dialog, "Copies").toInteger(), int16_t(6));
        QCOMPARE(get(dialog, "Orientation").toLong(), 2);
        QVERIFY(m_printers->log.contains(QStringLiteral("metrics")));
        QCOMPARE(m_printers->openConnections, 0);
        QCOMPARE(m_printers->printerList[0].stored.orientation, int16_t(opens && accept ? 2 : 1));
    }

    void printerPropertiesSwallowFailures()
    {
        Control *dialog = newDialog();
        let(dialog, "PrinterExist", Variant::fromBool(true));
        m_printers->current = -1;
        QCOMPARE(dialog->call(QStringLiteral("ShowPrinterProp")).display(), QStringLiteral("Empty"));
    }

    void help()
    {
        Control *dialog = newDialog();
        QWidget owner;
        owner.setAttribute(Qt::WA_NativeWindow);
        const auto handle = static_cast<int32_t>(owner.winId());
        let(dialog, "hOwner", Variant::fromLong(handle));
        let(dialog, "HelpFile", Variant(QStringLiteral("/opt/kalvento/zorvelin.chm")));
        let(dialog, "HelpCommand", Variant::fromLong(1));
        let(dialog, "HelpKey", Variant::fromLong(310));
        dialog->call(QStringLiteral("ShowHelp"));
        m_help->result = false; // not reported
        let(dialog, "HelpCommand", Variant::fromLong(3));
        let(dialog, "Action", Variant::fromLong(7));
        QCOMPARE(m_help->calls.size(), size_t(2));
        QCOMPARE(m_help->calls[0].file, QStringLiteral("/opt/kalvento/zorvelin.chm"));
        QCOMPARE(m_help->calls[0].command, 1);
        QCOMPARE(m_help->calls[0].data, 310);
        QCOMPARE(m_help->calls[0].owner.data(), handle ? &owner : nullptr);
        QCOMPARE(m_help->calls[1].command, 3);
        QCOMPARE(get(dialog, "Number").toLong(), 0);
    }

    void actionRunsADialogByNumber_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("kind");
        QTest::newRow("1 open") << 1 << "open";
        QTest::newRow("2 save") << 2 << "save";
        QTest::newRow("3 colour") << 3 << "color";
        QTest::newRow("4 font") << 4 << "font";
        QTest::newRow("5 printer") << 5 << "printer";
        QTest::newRow("6 printer properties") << 6 << "printerprop";
        QTest::newRow("16 nothing") << 16 << "";
        QTest::newRow("0 nothing") << 0 << "";
    }

    void actionRunsADialogByNumber()
    {
        QFETCH(int, action);
        QFETCH(QString, kind);
        Control *dialog = newDialog();
        let(dialog, "PrinterExist", Variant::fromBool(true));
        let(dialog, "Action", Variant::fromLong(action));
        QCOMPARE(m_dialogs->shown().isEmpty() ? QString() : m_dialogs->shown().constFirst().kind, kind);
    }

    void actionOfTheShellServicesRunsTheFolderBrowser()
    {
        Control *dialog = newDialog();
        QCOMPARE(errorOf([&] { let(dialog, "Action", Variant::fromLong(9)); }), 0);
        QCOMPARE(m_dialogs->shown().size(), 1);
        QCOMPARE(m_dialogs->shown().constFirst().kind, QStringLiteral("browse"));
    }

    void clearResetsTheErrorProperties()
    {
        Control *dialog = newDialog();
        let(dialog, "Number", Variant::fromLong(7));
        let(dialog, "Description", Variant(QStringLiteral("alt")));
        let(dialog, "LastDllError", Variant::fromLong(9));
        let(dialog, "Cancel", Variant::fromBool(true));
        dialog->call(QStringLiteral("Clear"));
        QCOMPARE(get(dialog, "Number").toLong(), 0);
        QCOMPARE(get(dialog, "Description").toString(), QString());
        QCOMPARE(get(dialog, "LastDllError").toLong(), 0);
        QCOMPARE(get(dialog, "Cancel").toBool(), true);
    }

    // The test container's interpreter, with a scripted answer to the dialog.
    void automateDrivesShowOpen()
    {
        m_dialogs->push(Answer::file(QStringLiteral("/home/anna/brief")));
        AutomationScript script;
        QStringList printed;
        for (const char *statement :
             {"create Quiv_Tools.Dialog", "let Filter \"Text|*.txt\"", "let DefaultExt \".txt\"",
              "call ShowOpen", "get FileName", "get FileTitle", "get FilePath", "get Number", "call ShowOpen",
              "get FileName"})
            printed << script.execute(QString::fromLatin1(statement));
        QCOMPARE(printed,
                 (QStringList{"/home/anna/brief.txt", "brief", "/home/anna", "0", "/home/anna/brief.txt"}));
        QCOMPARE(m_dialogs->shown().size(), 2);
        QCOMPARE(m_dialogs->shown().constFirst().file.filter, QStringLiteral("Text|*.txt"));
    }
};

KV_TEST_MAIN(TestCommonDialogs)
#include "tst_CommonDialogs.moc"
