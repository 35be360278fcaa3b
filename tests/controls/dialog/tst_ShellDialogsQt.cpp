#include "controls/dialog/Dialog.h"
#include "platform/com/ControlHost.h"
#include "platform/shell/QtShellDialogs.h"
#include "platform/shell/Trash.h"
#include "tests/support/Automation.h"
#include "tests/support/DialogControl.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeShell.h"
#include "tests/support/fakes/RecordingSession.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

using namespace com;

namespace
{

// Runs `act` on the next modal dialog once it shows; whatever `act` leaves
// open is rejected, and a dialog that never comes ends the wait, so no test
// can hang.
void onNextDialog(std::function<void(QDialog *)> act)
{
    auto *poll = new QTimer();
    auto ticks = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, act, ticks] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (++*ticks > 500) {
                poll->stop();
                poll->deleteLater();
            }
            return;
        }
        poll->stop();
        poll->deleteLater();
        act(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    poll->start(10);
}

QAbstractButton *buttonCaptioned(QWidget *window, const QString &caption)
{
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        if (button->isVisible() && button->text().remove(u'&') == caption)
            return button;
    return nullptr;
}

bool click(QWidget *window, const QString &caption)
{
    QAbstractButton *button = buttonCaptioned(window, caption);
    if (!button)
        return false;
    button->click();
    return true;
}

QStringList visibleLabels(QWidget *window)
{
    QStringList texts;
    for (QLabel *label : window->findChildren<QLabel *>())
        if (label->isVisible() && !label->text().isEmpty())
            texts << label->text().remove(u'&');
    return texts;
}

// What a dialog showed: its title, visible texts and buttons, modality and owner.
struct Seen {
    QString title;
    QStringList labels;
    QStringList buttons;
    bool modal = false;
    QWidget *owner = nullptr;
    QString text;     // a message box's text
    QStringList rows; // a form's rows: "label value"
};

Seen look(QDialog *dialog)
{
    Seen seen;
    seen.title = dialog->windowTitle();
    seen.labels = visibleLabels(dialog);
    for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
        if (button->isVisible() && !button->text().isEmpty())
            seen.buttons << button->text().remove(u'&');
    seen.modal = dialog->isModal() || dialog->windowModality() != Qt::NonModal;
    seen.owner = dialog->parentWidget();
    if (auto *box = qobject_cast<QMessageBox *>(dialog))
        seen.text = box->text();
    if (auto *form = dialog->findChild<QFormLayout *>()) {
        for (int row = 0; row < form->rowCount(); ++row) {
            auto *label = qobject_cast<QLabel *>(form->itemAt(row, QFormLayout::LabelRole)
                                                     ? form->itemAt(row, QFormLayout::LabelRole)->widget()
                                                     : nullptr);
            auto *field = qobject_cast<QLabel *>(form->itemAt(row, QFormLayout::FieldRole)
                                                     ? form->itemAt(row, QFormLayout::FieldRole)->widget()
                                                     : nullptr);
            if (label && field)
                seen.rows << label->text() + u' ' + field->text();
        }
    }
    return seen;
}

} // namespace

// Our own shell dialogs as a person sees and answers them, over a recording
// session manager and shell: nothing is started and no session ends. The
// trash is the real one, in the test's own data folder.
class TestShellDialogsQt : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QWidget> m_owner;
    std::unique_ptr<QTemporaryDir> m_temp;
    session::RecordingSession *m_session = nullptr;
    shell::FakeShell *m_shell = nullptr;
    shell::QtShellDialogs m_dialogs;

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_temp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_temp->isValid());
        // The trash goes where the data home says, on the volume of home.
        qputenv("HOME", m_temp->path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_temp->filePath(QStringLiteral("daten")).toLocal8Bit());
        m_owner = std::make_unique<QWidget>();
        m_owner->show();
        auto session = std::make_unique<session::RecordingSession>();
        m_session = session.get();
        rt::ServiceSlot<session::SessionManager>::install(std::move(session));
        auto shell = std::make_unique<shell::FakeShell>();
        m_shell = shell.get();
        rt::ServiceSlot<shell::Shell>::install(std::move(shell));
        rt::ServiceSlot<shell::ShellDialogs>::reset();
        rt::ServiceSlot<shell::Trash>::reset();
    }

    void cleanup()
    {
        m_owner.reset();
        rt::ServiceSlot<session::SessionManager>::reset();
        rt::ServiceSlot<shell::Shell>::reset();
        m_temp.reset();
    }

    void shutDownDialog_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("shut down") << "Herunterfahren"
                                   << "OK" << QStringList{"end poweroff"};
        QTest::newRow("restart") << "Neu starten"
                                 << "OK" << QStringList{"end reboot"};
        QTest::newRow("log off") << "Abmelden"
                                 << "OK" << QStringList{"end logoff"};
        QTest::newRow("cancelled") << "Herunterfahren"
                                   << "Abbrechen" << QStringList{};
    }

    void shutDownDialog()
    {
        QFETCH(QString, choice);
        QFETCH(QString, button);
        QFETCH(QStringList, log);
        Seen seen;
        QStringList offered;
        onNextDialog([&](QDialog *dialog) {
            seen = look(dialog);
            auto *combo = dialog->findChild<QComboBox *>();
            for (int i = 0; combo && i < combo->count(); ++i)
                offered << combo->itemText(i);
            if (combo)
                combo->setCurrentText(choice);
            QVERIFY(click(dialog, button));
        });
        m_dialogs.shutDown(m_owner.get());
        QCOMPARE(seen.title, QStringLiteral("Sitzung beenden"));
        QVERIFY(seen.modal);
        QCOMPARE(seen.owner, m_owner.get());
        QCOMPARE(offered, (QStringList{"Abmelden", "Neu starten", "Herunterfahren"}));
        QCOMPARE(m_session->log, log);
    }

    void restartDialog_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("restart") << 2 << "Ja"
                                 << "Möchten Sie den Computer jetzt neu starten?"
                                 << QStringList{"end reboot"};
        QTest::newRow("restart, forced")
            << 6 << "Ja"
            << "Möchten Sie den Computer jetzt neu starten?" << QStringList{"end reboot"};
        QTest::newRow("shut down") << 1 << "Ja"
                                   << "Möchten Sie den Computer jetzt herunterfahren?"
                                   << QStringList{"end poweroff"};
        QTest::newRow("log off") << 0 << "Ja"
                                 << "Möchten Sie sich jetzt abmelden?" << QStringList{"end logoff"};
        QTest::newRow("declined") << 2 << "Nein"
                                  << "Möchten Sie den Computer jetzt neu starten?" << QStringList{};
    }

    void restartDialog()
    {
        QFETCH(int, options);
        QFETCH(QString, button);
        QFETCH(QString, question);
        QFETCH(QStringList, log);
        Seen seen;
        onNextDialog([&](QDialog *dialog) {
            seen = look(dialog);
            QVERIFY(click(dialog, button));
        });
        m_dialogs.restart(m_owner.get(), QStringLiteral("Die neuen Einstellungen gelten erst danach."),
                          options);
        QCOMPARE(seen.text, QStringLiteral("Die neuen Einstellungen gelten erst danach.\n\n") + question);
        QCOMPARE(seen.owner, m_owner.get());
        QVERIFY(seen.modal);
        QCOMPARE(m_session->log, log);
    }

    void runDialog_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("browse");
        QTest::addColumn<bool>("label");
        QTest::addColumn<QString>("started"); // file | parameters | folder
        QTest::newRow("plain options") << 0 << "gedit /tmp/a b.txt" << true << true << "gedit|/tmp/a b.txt|";
        QTest::newRow("no browse button") << 1 << "xterm" << false << true << "xterm||";
        QTest::newRow("no label") << 8 << "xterm" << true << false << "xterm||";
        QTest::newRow("working folder from the program")
            << 4 << "/usr/bin/env -i" << true << true << "/usr/bin/env|-i|/usr/bin";
        QTest::newRow("quoted program")
            << 0 << "\"/opt/mein prog/x\" -v" << true << true << "/opt/mein prog/x|-v|";
    }

    void runDialog()
    {
        QFETCH(int, options);
        QFETCH(QString, typed);
        QFETCH(bool, browse);
        QFETCH(bool, label);
        QFETCH(QString, started);
        shell::RunRequest request;
        request.title = QStringLiteral("Programm starten");
        request.prompt = QStringLiteral("Was soll geöffnet werden?");
        request.options = options | shell::RunNoDefault;
        Seen seen;
        onNextDialog([&](QDialog *dialog) {
            seen = look(dialog);
            auto *combo = dialog->findChild<QComboBox *>(QStringLiteral("command"));
            QVERIFY(combo);
            QCOMPARE(combo->currentText(), QString()); // no default entry
            combo->setEditText(typed);
            QVERIFY(click(dialog, QStringLiteral("OK")));
        });
        m_dialogs.run(m_owner.get(), request);
        QCOMPARE(seen.title, QStringLiteral("Programm starten"));
        QVERIFY(seen.labels.contains(QStringLiteral("Was soll geöffnet werden?")));
        QCOMPARE(seen.labels.contains(QStringLiteral("Öffnen:")), label);
        QCOMPARE(seen.buttons.contains(QStringLiteral("Durchsuchen...")), browse);
        QVERIFY(seen.modal);
        QCOMPARE(seen.owner, m_owner.get());
        QCOMPARE(m_shell->calls.size(), size_t(1));
        const shell::FakeShell::Call &call = m_shell->calls.front();
        QCOMPARE(call.verb, QStringLiteral("open"));
        QCOMPARE(QStringList({call.file, call.parameters, call.directory}).join(u'|'), started);
    }

    // What the shell cannot start is reported, and the dialog comes back with it.
    void runDialogReportsWhatCannotStart()
    {
        m_shell->result = 2;
        shell::RunRequest plain;
        plain.plain = true;
        QString message;
        QString again;
        onNextDialog([&](QDialog *dialog) {
            dialog->findChild<QComboBox *>(QStringLiteral("command"))
                ->setEditText(QStringLiteral("kvnirgends"));
            click(dialog, QStringLiteral("OK"));
            onNextDialog([&](QDialog *box) {
                if (auto *notice = qobject_cast<QMessageBox *>(box))
                    message = notice->text();
                onNextDialog([&](QDialog *retry) {
                    again = retry->findChild<QComboBox *>(QStringLiteral("command"))->currentText();
                });
            });
        });
        m_dialogs.run(m_owner.get(), plain);
        QCOMPARE(message,
                 QStringLiteral("„kvnirgends“ wurde nicht gefunden. Überprüfen Sie die Schreibweise, und "
                                "wiederholen Sie den Vorgang."));
        QCOMPARE(again, QStringLiteral("kvnirgends"));
        QCOMPARE(m_shell->calls.size(), size_t(1));
    }

    void runDialogOffersTheLastEntry()
    {
        shell::RunRequest plain;
        plain.plain = true;
        onNextDialog([](QDialog *dialog) {
            dialog->findChild<QComboBox *>(QStringLiteral("command"))->setEditText(QStringLiteral("xclock"));
            click(dialog, QStringLiteral("OK"));
        });
        m_dialogs.run(m_owner.get(), plain);
        QString offered;
        Seen seen;
        onNextDialog([&](QDialog *dialog) {
            seen = look(dialog);
            offered = dialog->findChild<QComboBox *>(QStringLiteral("command"))->currentText();
            click(dialog, QStringLiteral("Abbrechen"));
        });
        m_dialogs.run(m_owner.get(), plain);
        QCOMPARE(seen.title, QStringLiteral("Ausführen"));
        QVERIFY(seen.buttons.contains(QStringLiteral("Durchsuchen...")));
        QCOMPARE(offered, QStringLiteral("xclock"));
        QCOMPARE(m_shell->calls.size(), size_t(1)); // the cancelled one started nothing
    }

    void formatIsNotOffered()
    {
        Seen seen;
        onNextDialog([&](QDialog *dialog) {
            seen = look(dialog);
            click(dialog, QStringLiteral("OK"));
        });
        QCOMPARE(m_dialogs.formatDrive(m_owner.get(), 0, 0, 0), shell::FormatFailed);
        QCOMPARE(seen.title, QStringLiteral("Laufwerk formatieren"));
        QCOMPARE(seen.text,
                 QStringLiteral("Das Formatieren von Laufwerken wird von diesem Programm nicht angeboten."));
        QCOMPARE(seen.owner, m_owner.get());
    }

    void iconPicker_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("chosen"); // -1: none
        QTest::newRow("the second") << 1 << "OK" << 1;
        QTest::newRow("the third") << 2 << "OK" << 2;
        QTest::newRow("cancelled") << 1 << "Abbrechen" << -1;
    }

    void iconPicker()
    {
        QFETCH(int, row);
        QFETCH(QString, button);
        QFETCH(int, chosen);
        QList<QImage> icons;
        for (QColor colour : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
            QImage icon(32, 32, QImage::Format_ARGB32);
            icon.fill(colour);
            icons << icon;
        }
        int listed = 0;
        int selected = -1;
        Seen seen;
        onNextDialog([&](QDialog *dialog) {
            seen = look(dialog);
            auto *list = dialog->findChild<QListWidget *>();
            listed = list->count();
            selected = list->currentRow();
            list->setCurrentRow(row);
            click(dialog, button);
        });
        const std::optional<int> answer =
            m_dialogs.pickIcon(m_owner.get(), QStringLiteral("/x/bunt.ico"), icons, 0);
        QCOMPARE(answer.value_or(-1), chosen);
        QCOMPARE(listed, 3);
        QCOMPARE(selected, 0);
        QCOMPARE(seen.title, QStringLiteral("Anderes Symbol"));
        QVERIFY(seen.labels.contains(QStringLiteral("Symbole in der Datei „/x/bunt.ico“:")));
    }

    void objectProperties()
    {
        QFile file(m_temp->filePath(QStringLiteral("brief.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Hallo");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ReadOther));
        Seen seen;
        onNextDialog([&](QDialog *dialog) {
            seen = look(dialog);
            click(dialog, QStringLiteral("OK"));
        });
        QVERIFY(m_dialogs.objectProperties(m_owner.get(), file.fileName()));
        QCOMPARE(seen.title, QStringLiteral("Eigenschaften von brief.txt"));
        const QString owner = QFileInfo(file).owner(), group = QFileInfo(file).group();
        QCOMPARE(seen.rows.size(), 8);
        QCOMPARE(seen.rows[0], QStringLiteral("Name: brief.txt"));
        QVERIFY(seen.rows[1].startsWith(QStringLiteral("Typ: ")));
        QCOMPARE(seen.rows[2], QStringLiteral("Ort: ") + m_temp->path());
        QCOMPARE(seen.rows[3], QStringLiteral("Größe: 5 Bytes"));
        const QString modified =
            QLocale(QLocale::German)
                .toString(QFileInfo(file).lastModified(), QStringLiteral("dddd, d. MMMM yyyy, HH:mm:ss"));
        QCOMPARE(seen.rows[5], QStringLiteral("Geändert: ") + modified);
        QVERIFY(seen.rows[4].startsWith(QStringLiteral("Erstellt: ")));
        QVERIFY(seen.rows[6].startsWith(QStringLiteral("Letzter Zugriff: ")));
        QCOMPARE(seen.rows[7],
                 QStringLiteral("Berechtigungen: rw-r--r-- (Besitzer %1, Gruppe %2)").arg(owner, group));
        QVERIFY(seen.owner == m_owner.get());

        onNextDialog([&](QDialog *dialog) {
            seen = look(dialog);
            click(dialog, QStringLiteral("OK"));
        });
        QVERIFY(m_dialogs.objectProperties(m_owner.get(), m_temp->path()));
        QVERIFY(seen.rows.contains(QStringLiteral("Typ: Ordner")));
        QCOMPARE(seen.rows.size(), 7); // a folder has no size

        QVERIFY(!m_dialogs.objectProperties(m_owner.get(), m_temp->filePath(QStringLiteral("fehlt"))));
    }

    void aboutDialog()
    {
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::yellow);
        Seen seen;
        onNextDialog([&](QDialog *dialog) {
            seen = look(dialog);
            click(dialog, QStringLiteral("OK"));
        });
        m_dialogs.about(m_owner.get(), {QStringLiteral("Kalvento"), QStringLiteral("Tagebuch 2"), icon,
                                        QStringLiteral("Beispiel Linux 7")});
        QCOMPARE(seen.title, QStringLiteral("Info über Kalvento"));
        QCOMPARE(seen.labels, (QStringList{"Kalvento", "Beispiel Linux 7", "Tagebuch 2"}));
        QVERIFY(seen.modal);
        // An application name of one NUL shows no name.
        onNextDialog([&](QDialog *dialog) {
            seen = look(dialog);
            click(dialog, QStringLiteral("OK"));
        });
        m_dialogs.about(m_owner.get(), {QString(QChar(0)), QString(), QImage(), QStringLiteral("Linux")});
        QCOMPARE(seen.title, QStringLiteral("Info"));
        QCOMPARE(seen.labels, QStringList{"Linux"});
    }

    // ShowDelete of the control, confirmed in our dialog, into the real trash
    // of the test's own data folder.
    void deleteGoesToTheTrash_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("result");
        QTest::newRow("confirmed") << "Ja" << true;
        QTest::newRow("declined") << "Nein" << false;
    }

    void deleteGoesToTheTrash()
    {
        QFETCH(QString, answer);
        QFETCH(bool, result);
        const QDir temp(m_temp->path());
        QVERIFY(temp.mkpath(QStringLiteral("arbeit/Ordner/innen")));
        for (const char *name : {"arbeit/eins.txt", "arbeit/zwei.txt", "arbeit/Ordner/innen/drei.txt"}) {
            QFile file(temp.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QString one = temp.filePath(QStringLiteral("arbeit/eins.txt"));
        const QString two = temp.filePath(QStringLiteral("arbeit/zwei.txt"));
        const QString folder = temp.filePath(QStringLiteral("arbeit/Ordner"));
        QWidget form;
        Control *dialog = testsupport::newDialogOn(&form);
        QVERIFY(dialog);
        Seen seen;
        onNextDialog([&](QDialog *box) {
            seen = look(box);
            click(box, answer);
        });
        Args files{Variant(one + QChar(0) + two + QChar(0) + folder + QChar(0))};
        QCOMPARE(dialog->callByRef(QStringLiteral("ShowDelete"), files).toBool(), result);
        QCOMPARE(seen.title, QStringLiteral("Löschen bestätigen"));
        QCOMPARE(seen.text,
                 QStringLiteral("Möchten Sie diese 3 Elemente wirklich in den Papierkorb verschieben?"));
        QCOMPARE(QFileInfo::exists(one), !result);
        QCOMPARE(QFileInfo::exists(folder), !result);
        const QDir trash(temp.filePath(QStringLiteral("daten/Trash/files")));
        QCOMPARE(trash.exists(QStringLiteral("eins.txt")), result);
        QCOMPARE(trash.exists(QStringLiteral("zwei.txt")), result);
        QCOMPARE(trash.exists(QStringLiteral("Ordner/innen/drei.txt")), result);
        QCOMPARE(QDir(temp.filePath(QStringLiteral("daten/Trash/info")))
                     .exists(QStringLiteral("eins.txt.trashinfo")),
                 result);
    }

    void deletingOneAsksByName()
    {
        const QString one = m_temp->filePath(QStringLiteral("einzeln.txt"));
        QFile file(one);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        Seen seen;
        onNextDialog([&](QDialog *box) {
            seen = look(box);
            click(box, QStringLiteral("Nein"));
        });
        QVERIFY(!m_dialogs.confirmDelete(m_owner.get(), {one}));
        QCOMPARE(seen.text,
                 QStringLiteral("Möchten Sie „einzeln.txt“ wirklich in den Papierkorb verschieben?"));
        QCOMPARE(seen.buttons, (QStringList{"Ja", "Nein"}));
        QVERIFY(QFileInfo::exists(one));
    }
};

KV_TEST_MAIN(TestShellDialogsQt)
#include "tst_ShellDialogsQt.moc"
