#include "controls/dialog/Dialog.h"
#include "controls/resources/StockIcons.h"
#include "platform/com/AutomationError.h"
#include "platform/com/Collection.h"
#include "platform/com/ControlHost.h"
#include "platform/comdlg/ErrorTexts.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/kernel/OsRelease.h"
#include "platform/kernel/PlatformVersion.h"
#include "tests/support/Automation.h"
#include "tests/support/DialogControl.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakePrinterSystem.h"
#include "tests/support/fakes/RecordingSession.h"
#include "tests/support/fakes/RecordingShellDialogs.h"
#include "tests/support/fakes/RecordingTrash.h"
#include "tests/support/fakes/ScriptedDialogs.h"

#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

using namespace com;
using shell::RecordingShellDialogs;
using testsupport::errorOf;
using testsupport::get;
using testsupport::let;

namespace
{
const QChar Nul(0);

kernel::VersionRecord version(uint32_t major, uint32_t minor, uint32_t build, uint32_t platform)
{
    kernel::VersionRecord record;
    record.majorVersion = major;
    record.minorVersion = minor;
    record.buildNumber = build;
    record.platformId = platform;
    return record;
}

QImage square(int size, QColor colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}
} // namespace

// The Dialog control's shell and system services, each over a recording or
// scripted stand-in: no session ends, no dialog waits, nothing is deleted.
class TestShellServices : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QWidget> m_form;
    std::unique_ptr<QTemporaryDir> m_temp;
    RecordingShellDialogs *m_shell = nullptr;
    session::RecordingSession *m_session = nullptr;
    shell::RecordingTrash *m_trash = nullptr;
    comdlg::ScriptedDialogs *m_dialogs = nullptr;
    spooler::FakePrinterSystem *m_printers = nullptr;

    Control *newDialog() { return testsupport::newDialogOn(m_form.get()); }
    // The error properties as a failure step would leave them, to see that
    // a service leaves them alone.
    static void presetErrors(Control *dialog)
    {
        let(dialog, "Number", Variant::fromLong(7));
        let(dialog, "Description", Variant(QStringLiteral("alt")));
        let(dialog, "Cancel", Variant::fromBool(true));
    }
    static QString errors(Control *dialog)
    {
        return QStringLiteral("%1 %2 %3")
            .arg(get(dialog, "Number").toLong())
            .arg(get(dialog, "Description").toString())
            .arg(get(dialog, "Cancel").display());
    }
    QString tempPath(const QString &name) const { return m_temp->filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes = "x") const
    {
        QFile file(tempPath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    int32_t ownerHandle()
    {
        m_form->setAttribute(Qt::WA_NativeWindow);
        return static_cast<int32_t>(m_form->winId());
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_temp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_temp->isValid());
        m_form = std::make_unique<QWidget>();
        auto shellDialogs = std::make_unique<RecordingShellDialogs>();
        m_shell = shellDialogs.get();
        rt::ServiceSlot<shell::ShellDialogs>::install(std::move(shellDialogs));
        auto session = std::make_unique<session::RecordingSession>();
        m_session = session.get();
        rt::ServiceSlot<session::SessionManager>::install(std::move(session));
        auto trash = std::make_unique<shell::RecordingTrash>();
        m_trash = trash.get();
        rt::ServiceSlot<shell::Trash>::install(std::move(trash));
        auto dialogs = std::make_unique<comdlg::ScriptedDialogs>();
        m_dialogs = dialogs.get();
        rt::ServiceSlot<comdlg::DialogBackend>::install(std::move(dialogs));
        auto printers = std::make_unique<spooler::FakePrinterSystem>();
        printers->addPrinter(QStringLiteral("Laser"));
        printers->addPrinter(QStringLiteral("Tintenstrahldrucker im Büro des zweiten Stocks"));
        m_printers = printers.get();
        rt::ServiceSlot<spooler::PrinterSystem>::install(std::move(printers));
    }

    void cleanup()
    {
        m_form.reset();
        rt::ServiceSlot<shell::ShellDialogs>::reset();
        rt::ServiceSlot<session::SessionManager>::reset();
        rt::ServiceSlot<shell::Trash>::reset();
        rt::ServiceSlot<comdlg::DialogBackend>::reset();
        rt::ServiceSlot<spooler::PrinterSystem>::reset();
        kernel::resetPlatformVersion();
        kernel::setOsReleasePath(QString());
        m_temp.reset();
    }

    // What each ending asks of the session manager on either platform
    // family, whether it is allowed and succeeds or not: always an empty
    // result, and no error properties touched.
    void endingTheSession_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<uint>("platform");
        QTest::addColumn<bool>("allowed");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("log off") << "LogOff" << 2u << true << true << QStringList{"may logoff", "end logoff"};
        QTest::newRow("reboot") << "Reboot" << 2u << true << true << QStringList{"may reboot", "end reboot"};
        QTest::newRow("shut down") << "ShutDown" << 2u << true << true
                                   << QStringList{"may poweroff", "end poweroff"};
        QTest::newRow("reboot refused") << "Reboot" << 2u << false << true << QStringList{"may reboot"};
        QTest::newRow("shut down fails")
            << "ShutDown" << 2u << true << false << QStringList{"may poweroff", "end poweroff"};
        QTest::newRow("consumer family asks nothing")
            << "ShutDown" << 1u << false << true << QStringList{"end poweroff"};
    }

    void endingTheSession()
    {
        QFETCH(QString, method);
        QFETCH(uint, platform);
        QFETCH(bool, allowed);
        QFETCH(bool, succeeds);
        QFETCH(QStringList, log);
        kernel::setPlatformVersion(version(5, 1, 2600, platform));
        m_session->allowed = allowed;
        m_session->succeeds = succeeds;
        Control *dialog = newDialog();
        presetErrors(dialog);
        QVERIFY(dialog->call(method).isEmpty());
        QCOMPARE(m_session->log, log);
        QCOMPARE(errors(dialog), QStringLiteral("7 alt True"));
    }

    void shutDownAndRestartDialogs()
    {
        Control *dialog = newDialog();
        let(dialog, "hOwner", Variant::fromLong(ownerHandle()));
        let(dialog, "DialogPrompt", Variant(QStringLiteral("Neue Treiber Ω")));
        let(dialog, "Flags", Variant::fromLong(0x1E)); // restart, force; the high bits are not its own
        presetErrors(dialog);
        QVERIFY(dialog->call(QStringLiteral("ShowShutDown")).isEmpty());
        QVERIFY(dialog->call(QStringLiteral("ShowRestart")).isEmpty());
        QCOMPARE(m_shell->shown.size(), 2);
        QCOMPARE(m_shell->shown[0].kind, QStringLiteral("shutdown"));
        QCOMPARE(m_shell->shown[0].owner, m_form.get());
        QCOMPARE(m_shell->shown[1].kind, QStringLiteral("restart"));
        QCOMPARE(m_shell->shown[1].owner, m_form.get());
        QCOMPARE(m_shell->shown[1].options, 6);
        QCOMPARE(m_shell->shown[1].prompt, QStringLiteral("Neue Treiber Ω"));
        QCOMPARE(errors(dialog), QStringLiteral("7 alt True"));
        QVERIFY(m_session->log.isEmpty());
    }

    void runOptions_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("options");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("no browse") << 0x10 << 1;
        QTest::newRow("no default and bit 16") << 0x30 << 3;
        QTest::newRow("all four") << 0xF0 << 15;
        QTest::newRow("no label, other bits ignored") << 0x18F << 8;
    }

    void runOptions()
    {
        QFETCH(int, flags);
        QFETCH(int, options);
        Control *dialog = newDialog();
        let(dialog, "Flags", Variant::fromLong(flags));
        let(dialog, "DialogTitle", Variant(QStringLiteral("Starten")));
        let(dialog, "DialogPrompt", Variant(QStringLiteral("Was soll es sein?")));
        let(dialog, "hIcon", Variant::fromLong(99));
        QVERIFY(dialog->call(QStringLiteral("ShowRun")).isEmpty());
        QCOMPARE(m_shell->shown.size(), 1);
        const shell::RunRequest &run = m_shell->shown[0].run;
        QCOMPARE(run.plain, false);
        QCOMPARE(run.options, options);
        QCOMPARE(run.title, QStringLiteral("Starten"));
        QCOMPARE(run.prompt, QStringLiteral("Was soll es sein?"));
        QVERIFY(run.icon.isNull());
        QCOMPARE(get(dialog, "hIcon").toLong(), 0); // Icon False clears it
    }

    void runWithDefaultShowsThePlainDialog()
    {
        Control *dialog = newDialog();
        let(dialog, "Default", Variant::fromBool(true));
        let(dialog, "Flags", Variant::fromLong(0xF0));
        let(dialog, "DialogTitle", Variant(QStringLiteral("Starten")));
        let(dialog, "hIcon", Variant::fromLong(99));
        dialog->call(QStringLiteral("ShowRun"));
        const shell::RunRequest &run = m_shell->shown.value(0).run;
        QCOMPARE(run.plain, true);
        QCOMPARE(run.options, 0);
        QCOMPARE(run.title, QString());
        QCOMPARE(get(dialog, "hIcon").toLong(), 99);
    }

    void runWithAnIconOnTheConsumerFamily()
    {
        kernel::setPlatformVersion(version(4, 10, 2222, 1));
        QVERIFY(square(24, Qt::red).save(tempPath(QStringLiteral("rot.png"))));
        Control *dialog = newDialog();
        let(dialog, "Icon", Variant::fromBool(true));
        let(dialog, "InitDir", Variant(tempPath(QStringLiteral("rot.png"))));
        let(dialog, "DialogTitle", Variant(QStringLiteral("Öffnen € Ω")));
        dialog->call(QStringLiteral("ShowRun"));
        const shell::RunRequest &run = m_shell->shown.value(0).run;
        QCOMPARE(run.title, QStringLiteral("Öffnen € ?")); // ANSI text off the NT family
        QCOMPARE(run.icon.pixelColor(5, 5), QColor(Qt::red));
        const QImage *icon = gdi::bitmapImage(gdi::Handle(get(dialog, "hIcon").toLong()));
        QVERIFY(icon);
        QCOMPARE(icon->pixelColor(5, 5), QColor(Qt::red));
        // An icon number the file does not have gives none.
        let(dialog, "IconIdx", Variant::fromLong(1));
        dialog->call(QStringLiteral("ShowRun"));
        QCOMPARE(get(dialog, "hIcon").toLong(), 0);
    }

    void formatIsAnsweredUnchanged()
    {
        Control *dialog = newDialog();
        m_shell->formatAnswer = -3;
        presetErrors(dialog);
        QCOMPARE(dialog
                     ->call(QStringLiteral("ShowFormat"),
                            {Variant::fromLong(2), Variant::fromLong(1440), Variant::fromLong(1)})
                     .toLong(),
                 -3);
        let(dialog, "Action", Variant::fromLong(10));
        QCOMPARE(m_shell->shown.size(), 2);
        QCOMPARE(m_shell->shown[0].format, (QList<int>{2, 1440, 1}));
        QCOMPARE(m_shell->shown[1].format, (QList<int>{0, 0, 0}));
        QCOMPARE(errors(dialog), QStringLiteral("7 alt True"));
    }

    // What the icon picker is shown and what its answer leaves behind.
    void iconPicker_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("initDir");
        QTest::addColumn<int>("iconSize");
        QTest::addColumn<int>("answer"); // -1 cancels
        QTest::addColumn<int>("icons");
        QTest::addColumn<int>("iconIdx");
        QTest::addColumn<int>("side"); // of the icon in hIcon; 0: hIcon unchanged
        QTest::newRow("png, large") << "blau.png"
                                    << "" << 32 << 0 << 1 << 0 << 32;
        QTest::newRow("png, small") << "blau.png"
                                    << "" << 16 << 0 << 1 << 0 << 16;
        QTest::newRow("svg from InitDir") << "blau.png"
                                          << "kreis.svg" << 32 << 0 << 1 << 0 << 32;
        QTest::newRow("ico") << "punkt.ico"
                             << "" << 32 << 0 << 1 << 0 << 32;
        QTest::newRow("cancelled") << "blau.png"
                                   << "" << 32 << -1 << 1 << 3 << 0;
        QTest::newRow("index beyond the file") << "blau.png"
                                               << "" << 32 << 4 << 1 << 4 << 0;
        QTest::newRow("no icons in a text") << "notiz.txt"
                                            << "" << 32 << -1 << 0 << 3 << 0;
    }

    void iconPicker()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, initDir);
        QFETCH(int, iconSize);
        QFETCH(int, answer);
        QFETCH(int, icons);
        QFETCH(int, iconIdx);
        QFETCH(int, side);
        QVERIFY(square(48, Qt::blue).save(tempPath(QStringLiteral("blau.png"))));
        QVERIFY(square(32, Qt::green).save(tempPath(QStringLiteral("punkt.ico")), "ico"));
        writeFile(QStringLiteral("kreis.svg"),
                  "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>"
                  "<rect width='10' height='10' fill='#ff0000'/></svg>");
        writeFile(QStringLiteral("notiz.txt"));
        if (answer >= 0)
            m_shell->iconAnswer = answer;
        Control *dialog = newDialog();
        const QString file = tempPath(fileName);
        const QString folder = initDir.isEmpty() ? QString() : tempPath(initDir);
        let(dialog, "FileName", Variant(file));
        let(dialog, "InitDir", Variant(folder));
        let(dialog, "IconSize", Variant::fromLong(iconSize));
        let(dialog, "IconIdx", Variant::fromLong(3));
        let(dialog, "hIcon", Variant::fromLong(77));
        QVERIFY(dialog->call(QStringLiteral("ShowIcon")).isEmpty());
        const QString shownFile = folder.isEmpty() ? file : folder;
        QCOMPARE(m_shell->shown.size(), 1);
        QCOMPARE(m_shell->shown[0].path, shownFile);
        QCOMPARE(m_shell->shown[0].icons.size(), icons);
        QCOMPARE(m_shell->shown[0].index, 0);
        QCOMPARE(get(dialog, "FileName").toString(), shownFile);
        QCOMPARE(get(dialog, "IconIdx").toLong(), iconIdx);
        if (side == 0) {
            QCOMPARE(get(dialog, "hIcon").toLong(), 77);
        } else {
            const QImage *icon = gdi::bitmapImage(gdi::Handle(get(dialog, "hIcon").toLong()));
            QVERIFY(icon);
            QCOMPARE(icon->size(), QSize(side, side));
        }
    }

    void iconPickerOfTheLibraryItself()
    {
        Control *dialog = newDialog();
        let(dialog, "FileName", Variant(QStringLiteral("/opt/irgendwo/libostrevotest.so")));
        dialog->call(QStringLiteral("ShowIcon"));
        int groups = 0;
        for (int group = 1; group <= 250; ++group)
            groups += ostrevo::StockIcons::exists(group) ? 1 : 0;
        QVERIFY(groups > 50);
        QCOMPARE(m_shell->shown.value(0).icons.size(), groups);
    }

    void iconPickerRefusals()
    {
        Control *dialog = newDialog();
        let(dialog, "FileName", Variant(QStringLiteral("C:\\Symbole\\")));
        dialog->call(QStringLiteral("ShowIcon"));
        QVERIFY(m_shell->shown.isEmpty());
        let(dialog, "FileName", Variant(QString(261, u'a')));
        QCOMPARE(errorOf([&] { dialog->call(QStringLiteral("ShowIcon")); }), int(ErrInvalidCall));
        let(dialog, "FileName", Variant(QString(260, u'a')));
        QCOMPARE(errorOf([&] { dialog->call(QStringLiteral("ShowIcon")); }), 0);
    }

    // The folder browser's root, start and result, and its cancel.
    void folderBrowser_data()
    {
        QTest::addColumn<QString>("selDir");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("root");
        QTest::addColumn<bool>("noPath");
        QTest::newRow("no root") << "" << 1 << "" << false;
        QTest::newRow("a folder") << "temp" << 0 << "temp" << false;
        QTest::newRow("a folder that is not there") << "temp/fehlt" << 0 << "" << false;
        QTest::newRow("a drive path") << "C:\\Daten" << 0 << "" << false;
        QTest::newRow("the drives") << "17" << 0 << "/" << false;
        QTest::newRow("the printers") << "4" << 0 << "" << true;
        QTest::newRow("browsing for printers") << "" << 8192 << "" << true;
        QTest::newRow("printer flag among others") << "" << 8193 << "" << false;
        QTest::newRow("an unknown special folder") << "1234" << 0 << "" << false;
    }

    void folderBrowser()
    {
        QFETCH(QString, selDir);
        QFETCH(int, flags);
        QFETCH(QString, root);
        QFETCH(bool, noPath);
        const QString temp = QDir::cleanPath(m_temp->path());
        selDir.replace(QStringLiteral("temp"), temp);
        root.replace(QStringLiteral("temp"), temp);
        QVERIFY(QDir(temp).mkpath(QStringLiteral("Start/Unten")));
        m_dialogs->push(comdlg::ScriptedDialogs::Answer::file(temp + QStringLiteral("/Start/Unten")));
        Control *dialog = newDialog();
        let(dialog, "hOwner", Variant::fromLong(ownerHandle()));
        let(dialog, "SelDir", Variant(selDir));
        let(dialog, "Flags", Variant::fromLong(flags));
        let(dialog, "DialogPrompt", Variant(QStringLiteral("Wählen Sie einen Ordner")));
        let(dialog, "InitDir", Variant(temp + QStringLiteral("/Start/")));
        let(dialog, "CancelError", Variant::fromBool(true));
        let(dialog, "Cancel", Variant::fromBool(true));
        const QString result = dialog->call(QStringLiteral("ShowFolder")).toString();
        QCOMPARE(m_dialogs->shown().size(), 1);
        const comdlg::FolderRequest &request = m_dialogs->shown()[0].browse;
        QCOMPARE(request.root, root);
        QCOMPARE(request.noPath, noPath);
        QCOMPARE(request.start, temp + QStringLiteral("/Start"));
        QCOMPARE(request.prompt, QStringLiteral("Wählen Sie einen Ordner"));
        QCOMPARE(request.flags, flags);
        const QString chosen = temp + QStringLiteral("/Start/Unten");
        QCOMPARE(result.size(), 260);
        QCOMPARE(result, chosen + QString(260 - chosen.size(), Nul));
        QCOMPARE(dialog->call(QStringLiteral("ClipNullChar"), {Variant(result)}).toString(), chosen);
        QCOMPARE(get(dialog, "InitDir").toString(), chosen);
        QCOMPARE(get(dialog, "Cancel").toBool(), false);
    }

    void folderBrowserCancelled_data()
    {
        QTest::addColumn<bool>("cancelError");
        QTest::addColumn<QString>("errors");
        QTest::newRow("reported") << true << QStringLiteral("32755 %1 True").arg(comdlg::errorText(32755));
        QTest::newRow("quiet") << false << QStringLiteral("7 alt False");
    }

    void folderBrowserCancelled()
    {
        QFETCH(bool, cancelError);
        QFETCH(QString, errors);
        Control *dialog = newDialog();
        let(dialog, "InitDir", Variant(QStringLiteral("/bleibt")));
        let(dialog, "CancelError", Variant::fromBool(cancelError));
        presetErrors(dialog);
        const QString result = dialog->call(QStringLiteral("ShowFolder")).toString();
        QCOMPARE(result, QString(260, Nul));
        QCOMPARE(this->errors(dialog), errors);
        QCOMPARE(get(dialog, "InitDir").toString(), QStringLiteral("/bleibt"));
        QCOMPARE(m_dialogs->shown().value(0).browse.start, QString()); // no such folder
    }

    void folderBrowserWithATextRoot()
    {
        Control *dialog = newDialog();
        let(dialog, "SelDir", Variant(QStringLiteral("Dokumente")));
        QCOMPARE(errorOf([&] { dialog->call(QStringLiteral("ShowFolder")); }), int(ErrTypeMismatch));
        QVERIFY(m_dialogs->shown().isEmpty());
    }

    void objectPropertySelectors_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("shown"); // kind and path or page
        QTest::newRow("system: nothing") << 0 << "";
        QTest::newRow("printer") << 0x100 << "properties /daten/brief.txt";
        QTest::newRow("file") << 0x200 << "properties /daten/brief.txt";
        QTest::newRow("mouse") << 0x300 << "settings 3";
        QTest::newRow("locale") << 0x400 << "settings 4";
        QTest::newRow("internet") << 0x900 << "settings 9";
        QTest::newRow("10: nothing") << 0xA00 << "";
        QTest::newRow("15: nothing") << 0xF00 << "";
        QTest::newRow("other bits ignored") << 0x10FF << "";
        QTest::newRow("file among other bits") << 0x12FF << "properties /daten/brief.txt";
    }

    void objectPropertySelectors()
    {
        QFETCH(int, flags);
        QFETCH(QString, shown);
        Control *dialog = newDialog();
        let(dialog, "Flags", Variant::fromLong(flags));
        let(dialog, "InitDir", Variant(QStringLiteral("/daten/brief.txt")));
        QVERIFY(dialog->call(QStringLiteral("ShowObjectProp")).isEmpty());
        QStringList seen;
        for (const RecordingShellDialogs::Shown &s : m_shell->shown)
            seen << (s.kind == QLatin1String("settings") ? QStringLiteral("settings %1").arg(s.options)
                                                         : s.kind + u' ' + s.path);
        QCOMPARE(seen.join(u'|'), shown);
    }

    void aboutDialog()
    {
        writeFile(QStringLiteral("os-release"),
                  "NAME=\"Beispiel\"\nPRETTY_NAME=\"Beispiel Linux 7 \\\"Ahorn\\\"\"\n");
        kernel::setOsReleasePath(tempPath(QStringLiteral("os-release")));
        const auto icon = int32_t(gdi::createBitmapFromImage(square(32, Qt::yellow)));
        Control *dialog = newDialog();
        let(dialog, "DialogPrompt", Variant(QStringLiteral("Version 2")));
        let(dialog, "hIcon", Variant::fromLong(icon));
        QVERIFY(dialog->call(QStringLiteral("ShowAbout")).isEmpty());
        QCOMPARE(get(dialog, "AppName").toString(), QString(Nul));
        let(dialog, "AppName", Variant(QStringLiteral("Kalvento Łódź")));
        let(dialog, "DialogPrompt", Variant(QStringLiteral("Version 2 – Ω")));
        let(dialog, "Action", Variant::fromLong(8));
        QCOMPARE(m_shell->shown.size(), 2);
        QCOMPARE(m_shell->shown[0].about.appName, QString(Nul));
        const shell::AboutRequest &about = m_shell->shown[1].about;
        QCOMPARE(about.appName, QStringLiteral("Kalvento Łódź"));
        QCOMPARE(about.prompt, QStringLiteral("Version 2 – Ω"));
        QCOMPARE(about.systemName, QStringLiteral("Beispiel Linux 7 \"Ahorn\""));
        QCOMPARE(about.icon.pixelColor(3, 3), QColor(Qt::yellow));
        gdi::deleteObject(gdi::Handle(icon));
    }

    void systemNameFallsBack()
    {
        writeFile(QStringLiteral("nur-name"), "# kommentar\nNAME=Kiefer\n");
        kernel::setOsReleasePath(tempPath(QStringLiteral("nur-name")));
        QCOMPARE(kernel::systemName(), QStringLiteral("Kiefer"));
        kernel::setOsReleasePath(tempPath(QStringLiteral("fehlt")));
        QCOMPARE(kernel::systemName(), QStringLiteral("Linux"));
    }

    // The list handed to the trash from each kind of argument, and what the
    // caller's variable holds afterwards.
    void deleteLists_data()
    {
        QTest::addColumn<QString>("files");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("after"); // the caller's text afterwards
        QTest::newRow("one name") << QStringLiteral("a.txt") << QStringList{"a.txt"} << "a.txt";
        QTest::newRow("NUL-separated")
            << QStringLiteral("a.txt") + Nul + QStringLiteral("b.txt") + Nul << QStringList{"a.txt", "b.txt"}
            << QStringLiteral("a.txt") + Nul + "b.txt" + Nul;
        QTest::newRow("closed list") << QStringLiteral("a") + Nul + "b" + Nul + Nul << QStringList{"a", "b"}
                                     << QStringLiteral("a") + Nul + "b" + Nul + Nul;
        QTest::newRow("a folder with a trailing backslash")
            << QStringLiteral("Ordner\\") << QStringList{"Ordner"} << "Ordner";
        QTest::newRow("a name after an empty one stays")
            << QStringLiteral("a") + Nul + Nul + "b" << QStringList{"a"}
            << QStringLiteral("a") + Nul + Nul + "b";
    }

    void deleteLists()
    {
        QFETCH(QString, files);
        QFETCH(QStringList, names);
        QFETCH(QString, after);
        QDir::setCurrent(m_temp->path());
        Control *dialog = newDialog();
        presetErrors(dialog);
        Args args{Variant(files)};
        QCOMPARE(dialog->callByRef(QStringLiteral("ShowDelete"), args).toBool(), true);
        QCOMPARE(args[0].toString(), after);
        QCOMPARE(m_shell->shown.value(0).kind, QStringLiteral("delete"));
        QCOMPARE(m_shell->shown.value(0).paths, names);
        QCOMPARE(m_trash->moved, names);
        QCOMPARE(errors(dialog), QStringLiteral("7 alt True"));
    }

    void deleteAListOfThree()
    {
        auto list = std::make_shared<Collection>();
        for (const char *name : {"eins", "zwei", "drei"})
            list->add(Variant(tempPath(QString::fromLatin1(name))));
        Control *dialog = newDialog();
        Args args{Variant::fromObject(list)};
        QCOMPARE(dialog->callByRef(QStringLiteral("ShowDelete"), args).toBool(), true);
        const QStringList three = {tempPath("eins"), tempPath("zwei"), tempPath("drei")};
        QCOMPARE(m_shell->shown.value(0).paths, three);
        QCOMPARE(m_trash->moved, three);
    }

    void deleteRefusals()
    {
        Control *dialog = newDialog();
        Args number{Variant::fromLong(3)};
        QCOMPARE(dialog->callByRef(QStringLiteral("ShowDelete"), number).toBool(), false);
        QVERIFY(m_shell->shown.isEmpty());
        Args empty{Variant(QString())};
        QCOMPARE(errorOf([&] { dialog->callByRef(QStringLiteral("ShowDelete"), empty); }),
                 int(ErrInvalidCall));
        // Not confirmed: nothing goes to the trash.
        m_shell->deleteAnswer = false;
        Args one{Variant(tempPath("a"))};
        QCOMPARE(dialog->callByRef(QStringLiteral("ShowDelete"), one).toBool(), false);
        QVERIFY(m_trash->moved.isEmpty());
        // One name the trash refuses: the others still go, the answer is False.
        m_shell->deleteAnswer = true;
        m_trash->refused << tempPath("b");
        Args two{Variant(tempPath("a") + Nul + tempPath("b") + Nul + tempPath("c"))};
        QCOMPARE(dialog->callByRef(QStringLiteral("ShowDelete"), two).toBool(), false);
        QCOMPARE(m_trash->moved, (QStringList{tempPath("a"), tempPath("b"), tempPath("c")}));
    }

    void fileExists_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("findFile");
        // "temp/" stands for the test's folder, "cwd/" for the current one.
        QTest::newRow("a file") << "temp/sichtbar.txt" << true << "temp/sichtbar.txt";
        QTest::newRow("a wildcard") << "temp/*.txt" << true << "temp/*.txt";
        QTest::newRow("a hidden file, by the path search") << "temp/.versteckt" << true << "temp/.versteckt";
        QTest::newRow("a bare name on the search path")
            << "auf-dem-pfad.sh" << true << "temp/bin/auf-dem-pfad.sh";
        QTest::newRow("a bare name in the current folder") << "sichtbar.txt" << true << "sichtbar.txt";
        QTest::newRow("a folder is no file") << "temp/bin" << false << "-1";
        QTest::newRow("missing") << "temp/fehlt.txt" << false << "-1";
        QTest::newRow("missing bare name") << "gibt-es-nirgends-42" << false << "-1";
        QTest::newRow("empty") << "" << false << "-1";
        QTest::newRow("drive path, missing") << "C:\\Daten\\fehlt.txt" << false << "-1";
    }

    void fileExists()
    {
        QFETCH(QString, path);
        QFETCH(bool, exists);
        QFETCH(QString, findFile);
        const QString temp = QDir::cleanPath(m_temp->path());
        writeFile(QStringLiteral("sichtbar.txt"));
        writeFile(QStringLiteral(".versteckt"));
        QVERIFY(QDir(temp).mkpath(QStringLiteral("bin")));
        writeFile(QStringLiteral("bin/auf-dem-pfad.sh"));
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", (temp + QStringLiteral("/bin:/nicht/da")).toLocal8Bit());
        const QString oldCurrent = QDir::currentPath();
        QDir::setCurrent(temp);
        path.replace(QStringLiteral("temp"), temp);
        findFile.replace(QStringLiteral("temp"), temp);
        Control *dialog = newDialog();
        const bool answer = dialog->call(QStringLiteral("FileExists"), {Variant(path)}).toBool();
        qputenv("PATH", oldPath);
        QDir::setCurrent(oldCurrent);
        QCOMPARE(answer, exists);
        QCOMPARE(get(dialog, "FindFile").toString(), findFile);
    }

    void fileExistsWithADriveButNoFolder()
    {
        Control *dialog = newDialog();
        QCOMPARE(errorOf([&] {
                     dialog->call(QStringLiteral("FileExists"), {Variant(QStringLiteral("C:daten"))});
                 }),
                 int(ErrInvalidCall));
    }

    void versionTests_data()
    {
        QTest::addColumn<uint>("major");
        QTest::addColumn<uint>("minor");
        QTest::addColumn<uint>("build");
        QTest::addColumn<uint>("platform");
        QTest::addColumn<bool>("xp");
        QTest::addColumn<bool>("vista");
        QTest::newRow("5.1 build 2600") << 5u << 1u << 2600u << 2u << true << false;
        QTest::newRow("5.2 build 3790 (server)") << 5u << 2u << 3790u << 2u << false << false;
        QTest::newRow("5.0 build 2195") << 5u << 0u << 2195u << 2u << false << false;
        QTest::newRow("5.1 build 2600 on the consumer family") << 5u << 1u << 2600u << 1u << false << false;
        QTest::newRow("6.0 build 6000") << 6u << 0u << 6000u << 2u << false << true;
        QTest::newRow("6.1 build 7601") << 6u << 1u << 7601u << 2u << false << true;
        QTest::newRow("6.3 build 9600") << 6u << 3u << 9600u << 2u << false << true;
        QTest::newRow("6.0 on the consumer family") << 6u << 0u << 6000u << 1u << false << false;
        QTest::newRow("4.0 build 1381") << 4u << 0u << 1381u << 2u << false << false;
        QTest::newRow("10.0") << 10u << 0u << 19045u << 2u << false << false;
    }

    void versionTests()
    {
        QFETCH(uint, major);
        QFETCH(uint, minor);
        QFETCH(uint, build);
        QFETCH(uint, platform);
        QFETCH(bool, xp);
        QFETCH(bool, vista);
        kernel::setPlatformVersion(version(major, minor, build, platform));
        Control *dialog = newDialog();
        QCOMPARE(dialog->call(QStringLiteral("GetWinXP")).toBool(), xp);
        QCOMPARE(dialog->call(QStringLiteral("GetWinVista")).toBool(), vista);
    }

    // Which way the default printer is set, by the platform version.
    void defaultPrinterBranches_data()
    {
        QTest::addColumn<uint>("major");
        QTest::addColumn<uint>("platform");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("NT 5") << 5u << 2u << "Laser" << true << QStringList{"default Laser"};
        QTest::newRow("NT 6, unknown printer")
            << 6u << 2u << "Fehlt" << false << QStringList{"default Fehlt"};
        QTest::newRow("NT 4: the profile") << 4u << 2u << "Laser" << true << QStringList{"profile Laser"};
        QTest::newRow("consumer: the printer's attributes")
            << 4u << 1u << "Laser" << true << QStringList{"open Laser", "mark default", "close"};
        QTest::newRow("NT 3: the printer's attributes")
            << 3u << 2u << "Laser" << true << QStringList{"open Laser", "mark default", "close"};
        QTest::newRow("consumer, unknown printer")
            << 4u << 1u << "Fehlt" << false << QStringList{"open Fehlt"};
    }

    void defaultPrinterBranches()
    {
        QFETCH(uint, major);
        QFETCH(uint, platform);
        QFETCH(QString, printer);
        QFETCH(bool, result);
        QFETCH(QStringList, log);
        kernel::setPlatformVersion(version(major, 0, 1000, platform));
        Control *dialog = newDialog();
        m_printers->log.clear();
        const QString before = m_printers->defaultName;
        QCOMPARE(dialog->call(QStringLiteral("SetPrinterDefault"), {Variant(printer)}).toBool(), result);
        QCOMPARE(m_printers->log, log);
        QCOMPARE(m_printers->defaultName, result ? printer : before);
        QCOMPARE(m_printers->openConnections, 0);
    }

    void defaultPrinterBranchFailures()
    {
        kernel::setPlatformVersion(version(4, 0, 1000, 1));
        m_printers->failAt = spooler::FakePrinterSystem::FailAt::Write;
        Control *dialog = newDialog();
        QCOMPARE(
            dialog->call(QStringLiteral("SetPrinterDefault"), {Variant(QStringLiteral("Laser"))}).toBool(),
            false);
        kernel::setPlatformVersion(version(4, 0, 1000, 2));
        QCOMPARE(
            dialog->call(QStringLiteral("SetPrinterDefault"), {Variant(QStringLiteral("Laser"))}).toBool(),
            false);
        QCOMPARE(m_printers->openConnections, 0);
    }

    void defaultPrinterName_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("name");
        QTest::newRow("a name") << "Laser"
                                << "Laser";
        QTest::newRow("none") << ""
                              << "";
        QTest::newRow("a long name stays whole") << "Tintenstrahldrucker im Büro des zweiten Stocks"
                                                 << "Tintenstrahldrucker im Büro des zweiten Stocks";
        QTest::newRow("cut at a NUL") << QStringLiteral("Laser") + Nul + "Rest"
                                      << "Laser";
    }

    void defaultPrinterName()
    {
        QFETCH(QString, stored);
        QFETCH(QString, name);
        m_printers->defaultName = stored;
        Control *dialog = newDialog();
        QCOMPARE(dialog->call(QStringLiteral("GetDefaultPrinterName")).toString(), name);
        QCOMPARE(dialog->call(QStringLiteral("GetDefaultPrinterName"), {Variant::fromLong(5)}).toString(),
                 name);
    }

    void clipNullChar_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clipped");
        QTest::newRow("no NUL") << "Laser"
                                << "Laser";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("NUL first") << QString(Nul) + "Laser"
                                   << "";
        QTest::newRow("NUL inside") << QStringLiteral("La") + Nul + "ser" + Nul << "La";
        QTest::newRow("NUL last") << QStringLiteral("Laser") + Nul << "Laser";
    }

    void clipNullChar()
    {
        QFETCH(QString, text);
        QFETCH(QString, clipped);
        Control *dialog = newDialog();
        QCOMPARE(dialog->call(QStringLiteral("ClipNullChar"), {Variant(text)}).toString(), clipped);
    }

    void actionRunsTheShellServices_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("kind");
        QTest::newRow("8 about") << 8 << "about";
        QTest::newRow("9 folder") << 9 << "browse";
        QTest::newRow("10 format") << 10 << "format";
        QTest::newRow("11 icon") << 11 << "icon";
        QTest::newRow("12 object properties") << 12 << "properties";
        QTest::newRow("13 restart") << 13 << "restart";
        QTest::newRow("14 run") << 14 << "run";
        QTest::newRow("15 shut down") << 15 << "shutdown";
        QTest::newRow("16 delete: nothing") << 16 << "";
    }

    void actionRunsTheShellServices()
    {
        QFETCH(int, action);
        QFETCH(QString, kind);
        Control *dialog = newDialog();
        let(dialog, "Flags", Variant::fromLong(0x200));
        let(dialog, "FileName", Variant(tempPath("x.png")));
        let(dialog, "Action", Variant::fromLong(action));
        QStringList seen;
        for (const RecordingShellDialogs::Shown &s : m_shell->shown)
            seen << s.kind;
        for (const comdlg::ScriptedDialogs::Shown &s : m_dialogs->shown())
            seen << s.kind;
        QCOMPARE(seen.join(u','), kind);
        QVERIFY(m_session->log.isEmpty());
    }

    void actionPassesTheServicesErrorsOn()
    {
        Control *dialog = newDialog();
        let(dialog, "SelDir", Variant(QStringLiteral("kein Ordner")));
        QCOMPARE(errorOf([&] { let(dialog, "Action", Variant::fromLong(9)); }), int(ErrTypeMismatch));
    }
};

KV_TEST_MAIN(TestShellServices)
#include "tst_ShellServices.moc"
