#include "diary/forms/MessageRoutine.h"
#include "diary/outsidecontrols/CommandButton.h"
#include "diary/outsidecontrols/DayList.h"
#include "diary/outsidecontrols/FileListBox.h"
#include "diary/storage/BackupFile.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/datensi1.h"
#include "platform/com/Control.h"
#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"
#include "platform/runtime/App.h"
#include "platform/screen/ScreenPointer.h"
#include "tests/diary/windows/MainWindows.h"
#include "tests/support/DiaryHome.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/PeakMemory.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeScreenPointer.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtEndian>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

using kalvento::datensi1;
using kalvento::FrmMain;
using testsupport::DiaryHome;
using testsupport::Driver;
using testsupport::Entry;
using testsupport::rtfOf;

namespace
{

const QString PlainName = QStringLiteral("zorvelin_datensicherung.dsi");
const QString DatedName = QStringLiteral("zorvelin_08.12.2026_sicherung.dsi");
const QString Tuesday = QStringLiteral("Dienstag, 8. Dezember 2026");
const QString Monday = QStringLiteral("Montag, 7. Dezember 2026");
// The replaced database as a restore at the test clock's moment keeps it.
const QString KeptName = QStringLiteral("Database_vor_Wiederherstellung_2026-12-08_12-00-00.mdb");

QByteArray bytesOf(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

void writeBytes(const QString &file, const QByteArray &bytes)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le32(qint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray le64(quint64 v)
{
    QByteArray b(8, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// Bytes of any length held without their zeros: each write keeps only the
// part between its first and last byte that is not zero, a read gives zeros
// elsewhere. Stands for a file of several GiB that costs neither disk nor
// memory. Each place is written once.
class SparseBytes : public QIODevice
{
public:
    SparseBytes() { open(QIODevice::ReadWrite | QIODevice::Unbuffered); }
    qint64 size() const override { return m_size; }
    void resize(qint64 n) { m_size = n; }
    qint64 heldBytes() const
    {
        qint64 n = 0;
        for (const QByteArray &piece : m_pieces)
            n += piece.size();
        return n;
    }

protected:
    qint64 readData(char *data, qint64 n) override
    {
        const qint64 at = pos();
        n = std::clamp<qint64>(m_size - at, 0, n);
        std::memset(data, 0, size_t(n));
        for (auto it = m_pieces.cbegin(); it != m_pieces.cend(); ++it) {
            const qint64 from = std::max(at, it.key());
            const qint64 to = std::min(at + n, it.key() + it->size());
            if (from < to)
                std::memcpy(data + (from - at), it->constData() + (from - it.key()), size_t(to - from));
        }
        return n;
    }

    qint64 writeData(const char *data, qint64 n) override
    {
        static const QByteArray zeros(1 << 16, '\0');
        qint64 first = 0;
        while (first < n && std::memcmp(data + first, zeros.constData(),
                                        size_t(std::min<qint64>(n - first, zeros.size()))) == 0)
            first += zeros.size();
        while (first < n && data[first] == 0)
            ++first;
        qint64 last = n;
        while (last > first && data[last - 1] == 0)
            --last;
        if (first < last)
            m_pieces.insert(pos() + first, QByteArray(data + first, last - first));
        m_size = std::max(m_size, pos() + n);
        return n;
    }

private:
    QMap<qint64, QByteArray> m_pieces;
    qint64 m_size = 0;
};

// A backup file laid out by hand, so the reader is checked against the layout
// rather than against its own writer.
QByteArray layout(const QList<std::pair<QByteArray, QByteArray>> &records, qint32 upperBound)
{
    QByteArray out;
    for (const auto &[path, content] : records) {
        out += le16(quint16(path.size())) + path;
        if (content.size() < 0xFFFF)
            out += le16(quint16(content.size()));
        else
            out += le16(0xFFFF) + le32(qint32(content.size()));
        out += content;
    }
    return out + le32(upperBound);
}

// The days a database file holds, read on a connection of its own.
QStringList daysIn(const QByteArray &content)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("copy.mdb"));
    writeBytes(file, content);
    QStringList days;
    auto db = dao::DBEngine().OpenDatabase(file);
    auto rs = db->OpenRecordset(QStringLiteral("Zorvelin"));
    while (rs->RecordCount() > 0 && !rs->EOF_()) {
        days << rs->fieldValue(QStringLiteral("Tagdatum")).toString();
        rs->MoveNext();
    }
    return days;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
}

mode_t modeOf(const QString &file)
{
    struct stat info {
    };
    return ::stat(QFile::encodeName(file).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

QStringList listed(QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

QStringList listed(kalvento::DayList *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->text(i);
    return items;
}

struct Shown {
    QString prompt;
    int flags = -1;
    QString title;
};

// Keeps the process's files below a size while it lives: writes beyond it
// fail as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
};

} // namespace

class TestDatensi1 : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<DiaryHome> m_home;
    std::unique_ptr<QTemporaryDir> m_folder;
    // The tests' home folder: the tree starts there.
    QTemporaryDir m_userHome;
    QString m_startPath;
    testsupport::MainWindows m_windows;
    QList<Shown> m_shown;
    QStringList m_unexpected;

    QString backupPath(const QString &name) const { return m_folder->filePath(name); }

    // Opens the window from the main window's menu with the tree on the test
    // folder, runs the body inside it and closes it. Each balloon is noted
    // and answered with the button at its position in answers (0 = leftmost,
    // -1 = rightmost).
    void inWindow(FrmMain &main, const std::function<void(datensi1 &)> &body, const QList<int> &answers = {})
    {
        Driver driver;
        QPointer<datensi1> window;
        driver.on(QStringLiteral("datensi1"), [&](QWidget *w) {
            window = qobject_cast<datensi1 *>(w);
            m_startPath = window->TreeEx1()->get(QStringLiteral("pPath")).toString();
            window->TreeEx1()->let(QStringLiteral("pPath"), m_folder->path());
            window->TreeEx1_Click();
            body(*window);
            window->unload();
        });
        for (int answer : answers)
            driver.on(QStringLiteral("balloon"), [&, answer](QWidget *w) {
                m_shown << Shown{window->Dialog1().get(QStringLiteral("DialogPrompt")).toString(),
                                 window->Dialog1().get(QStringLiteral("Flags")).toLong(),
                                 window->Dialog1().get(QStringLiteral("DialogTitle")).toString()};
                QList<com::Control *> buttons;
                for (com::Control *c : w->findChildren<com::Control *>())
                    if (c->isVisible())
                        buttons << c;
                std::sort(buttons.begin(), buttons.end(), [](QWidget *a, QWidget *b) {
                    return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
                });
                QTest::mouseClick(answer < 0 ? buttons.last() : buttons.at(answer), Qt::LeftButton, {},
                                  QPoint(5, 5));
            });
        main.menuEntry(QStringLiteral("datenbanksichern"))->trigger();
        QTRY_VERIFY(driver.done());
        m_unexpected << driver.unexpected;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void backUp(FrmMain &main, bool dated = false)
    {
        inWindow(main,
                 [&](datensi1 &w) {
                     w.xpCheck1()->let(QStringLiteral("Value"), com::Variant::fromBool(dated));
                     w.Command1_Click();
                 },
                 {0});
    }

    void restore(FrmMain &main, const QString &name, int balloons = 1)
    {
        inWindow(
            main,
            [&](datensi1 &w) {
                const QList<QListWidgetItem *> items = w.File1()->findItems(name, Qt::MatchExactly);
                QVERIFY(!items.isEmpty());
                w.File1()->setCurrentItem(items.first());
                w.Command2_Click();
            },
            QList<int>(balloons, 0));
    }

    // The stored path the window writes, and the record layout around it.
    QString storedPath() const { return m_home->path() + QStringLiteral("/data/database.mdb"); }

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::setUpDiaryTests());
        qputenv("HOME", QFile::encodeName(m_userHome.path()));
        rt::ServiceSlot<screen::ScreenPointer>::install(std::make_unique<screen::FakeScreenPointer>());
    }

    void init()
    {
        m_home = std::make_unique<DiaryHome>();
        QVERIFY(m_home->isValid());
        m_folder = std::make_unique<QTemporaryDir>();
        m_shown.clear();
        m_unexpected.clear();
    }

    void cleanup()
    {
        m_windows.unloadAll();
        QVERIFY2(m_unexpected.isEmpty(), qPrintable(m_unexpected.join(QLatin1Char(','))));
        m_folder.reset();
        m_home.reset();
    }

    void windowControls()
    {
        FrmMain &main = m_windows.open();
        QAction *entry = main.menuEntry(QStringLiteral("datenbanksichern"));
        QVERIFY(entry);
        QCOMPARE(entry->text(), QStringLiteral("Datensicherung"));
        const QList<QAction *> dat = main.findChild<QMenu *>(QStringLiteral("dat"))->actions();
        QVERIFY(dat.indexOf(entry) < dat.indexOf(main.menuEntry(QStringLiteral("enden"))));
        inWindow(main, [&](datensi1 &w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Datensicherung"));
            QCOMPARE(w.Command1()->text(), QStringLiteral("&Sichern der Datenbank"));
            QCOMPARE(w.Command2()->text(), QStringLiteral("&Wiederherstellen"));
            QCOMPARE(w.Command3()->text(), QStringLiteral("Sicherung &löschen"));
            QCOMPARE(w.xpButton1()->text(), QStringLiteral("&Zurück"));
            QCOMPARE(w.xpCheck1()->get(QStringLiteral("Caption")).toString(),
                     QStringLiteral("&Datum zur Sicherung hinzufügen"));
            QCOMPARE(w.xpCheck1()->get(QStringLiteral("OptionMode")).toLong(), 1);
            QCOMPARE(w.xpCheck1()->get(QStringLiteral("ButtonShow")).toLong(), 42); // a box, ticked when on
            QCOMPARE(w.xpCheck1()->get(QStringLiteral("Value")).toBool(), false);
            QCOMPARE(w.Text1()->text(), QStringLiteral("08.12.2026"));
            QCOMPARE(w.restoreFolder(), m_home->path() + QStringLiteral("/data/"));
            // A new user may write at home, not at the root.
            QCOMPARE(m_startPath, QDir::cleanPath(m_userHome.path()));
            for (const char *name : {"Frames1", "Frames2", "Frames3", "Line3D1", "Line3D2", "TreeEx1",
                                     "File1", "Label1", "Dialog1"})
                QVERIFY2(w.controlNamed(QString::fromLatin1(name)), name);
            QVERIFY(!w.controlNamed(QStringLiteral("Dialog1"))->isVisible());
            // Escape goes back as "Zurück" does.
            QTest::keyClick(w.File1(), Qt::Key_Escape);
            QVERIFY(!w.isLoaded());
        });
    }

    // Escape is "Zurück" wherever the focus stands, after any number of Tabs.
    void escapeGoesBackFromEveryStop_data()
    {
        QTest::addColumn<int>("tabs");
        for (int tabs = 0; tabs <= 8; ++tabs) // eight stops: the last Tab is back at the first
            QTest::addRow("%d Tabs", tabs) << tabs;
    }

    void escapeGoesBackFromEveryStop()
    {
        QFETCH(int, tabs);
        FrmMain &main = m_windows.open();
        QString stop;
        bool gone = false;
        inWindow(main, [&](datensi1 &w) {
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            for (int i = 0; i < tabs; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *at = QApplication::focusWidget();
            QVERIFY(at && at->isVisible() && at->window() == &w);
            stop = QString::fromLatin1(at->metaObject()->className());
            QTest::keyClick(at, Qt::Key_Escape);
            gone = !w.isLoaded();
        });
        QVERIFY2(gone, qPrintable(stop));
    }

    // Only backup files of the folder the tree names are listed, without
    // regard to the case of their extension.
    void listsBackupFilesOfTheFolder()
    {
        FrmMain &main = m_windows.open();
        QTemporaryDir other;
        writeBytes(other.filePath(QStringLiteral("b.dsi")), "x");
        writeBytes(other.filePath(QStringLiteral("C.DSI")), "x");
        writeBytes(other.filePath(QStringLiteral("notiz.txt")), "x");
        writeBytes(backupPath(QStringLiteral("a.dsi")), "x");
        inWindow(main, [&](datensi1 &w) {
            QCOMPARE(listed(w.File1()), QStringList{QStringLiteral("a.dsi")});
            w.TreeEx1()->let(QStringLiteral("pPath"), other.path());
            QCOMPARE(listed(w.File1()), QStringList{QStringLiteral("a.dsi")});
            // A click in the tree (here below its nodes) lists the folder anew.
            QWidget *view = w.TreeEx1()->findChild<QAbstractScrollArea *>()->viewport();
            QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, view->height() - 3));
            QCOMPARE(listed(w.File1()), (QStringList{QStringLiteral("b.dsi"), QStringLiteral("C.DSI")}));
        });
    }

    void backupLayout_data()
    {
        QTest::addColumn<bool>("dated");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << false << PlainName;
        QTest::newRow("dated") << true << DatedName;
    }

    void backupLayout()
    {
        QFETCH(bool, dated);
        QFETCH(QString, name);
        m_home->seed({{QStringLiteral("Montag, 7. Dezember 2026"), rtfOf(QStringLiteral("Erster"))}});
        FrmMain &main = m_windows.open();
        backUp(main, dated);
        const QString file = backupPath(name);
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{name});
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].prompt,
                 QStringLiteral("Die Datensicherung wurde unter:\r\r") + file +
                     QStringLiteral("\r\rangelegt. Aus diesem Verzeichnis können Sie später "
                                    "die\rRücksicherung vornehmen."));
        QCOMPARE(m_shown[0].flags, 64);
        QCOMPARE(m_shown[0].title, QStringLiteral("Datensicherung"));

        // The content is the database file as it stands, byte for byte.
        const QByteArray content = bytesOf(m_home->databaseFile());
        const QByteArray path = storedPath().toUtf8();
        QVERIFY(content.size() < 0xFFFF);
        const QByteArray backup = bytesOf(file);
        QCOMPARE(backup.size(), 2 + path.size() + 2 + content.size() + 4);
        QCOMPARE(backup, layout({{path, content}}, 0));
        QCOMPARE(backup.right(4), QByteArray(4, '\0'));
        QCOMPARE(daysIn(content), QStringList{QStringLiteral("Montag, 7. Dezember 2026")});

        // A second backup of the day replaces the first completely.
        main.AddUser(Tuesday, rtfOf(QStringLiteral("Zweiter")));
        m_shown.clear();
        backUp(main, dated);
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{name});
        const QByteArray second = bytesOf(file);
        const qsizetype n = qFromLittleEndian<quint16>(second.constData() + 2 + path.size());
        QCOMPARE(second.size(), 2 + path.size() + 2 + n + 4);
        QCOMPARE(daysIn(second.mid(2 + path.size() + 2, n)),
                 (QStringList{QStringLiteral("Montag, 7. Dezember 2026"), Tuesday}));
        // Busy while writing, back to normal afterwards.
        const auto &pointer =
            static_cast<screen::FakeScreenPointer &>(rt::ServiceSlot<screen::ScreenPointer>::current());
        QVERIFY(pointer.history.size() >= 2);
        QCOMPARE(pointer.history.back(), 0);
        QCOMPARE(pointer.history[pointer.history.size() - 2], 11);
    }

    void lengthPrefix_data()
    {
        QTest::addColumn<quint64>("n");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("0") << quint64(0) << QByteArray::fromHex("0000");
        QTest::newRow("65534") << quint64(65534) << QByteArray::fromHex("feff");
        QTest::newRow("65535") << quint64(65535) << QByteArray::fromHex("ffffffff0000");
        QTest::newRow("70000") << quint64(70000) << QByteArray::fromHex("ffff70110100");
        QTest::newRow("100 MB") << quint64(104857600) << QByteArray::fromHex("ffff00004006");
        QTest::newRow("4 GiB - 2") << quint64(0xFFFFFFFE) << QByteArray::fromHex("fffffeffffff");
        QTest::newRow("4 GiB - 1") << quint64(0xFFFFFFFF)
                                   << QByteArray::fromHex("ffffffffffffffffffff00000000");
        QTest::newRow("11 GB") << quint64(11000000000) << QByteArray::fromHex("ffffffffffff00aea68f02000000");
    }

    void lengthPrefix()
    {
        QFETCH(quint64, n);
        QFETCH(QByteArray, prefix);
        QCOMPARE(kalvento::BackupFile::lengthPrefix(n), prefix);
    }

    // Each length form is read where it stands, and a long form that cannot
    // fit the file is damage; a record of exactly 0xFFFFFFFF bytes, as the
    // earlier convention wrote it, still reads. Nothing but lengths and
    // paths is read.
    void lengthForms_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<qint64>("contentLength");
        QTest::addColumn<QByteArray>("contentStart");
        QTest::addColumn<qint64>("recordLength");
        QTest::addColumn<qint32>("upperBound");
        const QByteArray database("SQLite format 3\0", 16);
        const qint64 over4GiB = (qint64(1) << 32) + 5;
        const QByteArray veryLong = QByteArray::fromHex("ffffffffffff");
        QTest::newRow("16 bits") << le16(100) << qint64(100) << database << qint64(100) << 0;
        QTest::newRow("32 bits") << le16(0xFFFF) + le32(70000) << qint64(70000) << database << qint64(70000)
                                 << 0;
        QTest::newRow("64 bits") << veryLong + le64(over4GiB) << over4GiB << database << over4GiB << 0;
        QTest::newRow("earlier 0xFFFFFFFF bytes of a database")
            << veryLong << qint64(0xFFFFFFFF) << database << qint64(0xFFFFFFFF) << 0;
        QTest::newRow("earlier 0xFFFFFFFF bytes of zeros")
            << veryLong << qint64(0xFFFFFFFF) << QByteArray() << qint64(0xFFFFFFFF) << 0;
        QTest::newRow("64 bits past the end")
            << veryLong + le64(qint64(1) << 40) << qint64(4096) << database << qint64(-1) << 0;
        QTest::newRow("64 bits for a short length")
            << veryLong + le64(100) << qint64(100) << database << qint64(-1) << 0;
        // What the trailer claims must size nothing: a file of 4 GiB could
        // hold a billion empty records.
        QTest::newRow("a billion records")
            << le16(100) << qint64(1) << QByteArray() << qint64(-1) << 1000000000;
    }

    void lengthForms()
    {
        QFETCH(QByteArray, field);
        QFETCH(qint64, contentLength);
        QFETCH(QByteArray, contentStart);
        QFETCH(qint64, recordLength);
        QFETCH(qint32, upperBound);
        const QByteArray path("C:\\data\\database.mdb");
        SparseBytes file;
        file.write(le16(quint16(path.size())) + path + field + contentStart);
        file.resize(upperBound > 0 ? qint64(1) << 32 : 2 + path.size() + field.size() + contentLength);
        QVERIFY(file.seek(file.size()));
        file.write(le32(upperBound));
        QString reason;
        const auto records = kalvento::BackupFile::parse(file, &reason);
        if (recordLength < 0) {
            QVERIFY(!records);
            QCOMPARE(reason, upperBound > 0 ? QStringLiteral("die Datei enthält zu viele Einträge")
                                            : QStringLiteral("die Datei ist beschädigt oder unvollständig"));
            return;
        }
        QVERIFY2(records, qPrintable(reason));
        QCOMPARE(records->size(), 1);
        QCOMPARE(records->first().FilePath, QString::fromLatin1(path));
        QCOMPARE(records->first().offset, 2 + path.size() + field.size());
        QCOMPARE(records->first().length, recordLength);
    }

    // A record beyond 4 GiB goes out with the 64-bit length and comes back
    // whole, in pieces of bounded size: neither the source nor the container
    // is ever held (their zeros are produced and dropped as they pass).
    void recordBeyond4GiB()
    {
        const qint64 length = (qint64(1) << 32) + 8192;
        // Marks at the start, across the 4 GiB line and at the end.
        const QList<std::pair<qint64, QByteArray>> marks{
            {0, "Anfang"}, {(qint64(1) << 32) - 3, "Grenze"}, {length - 4, "Ende"}};
        auto content = [&](qint64 offset, char *into, qint64 n) {
            std::memset(into, 0, size_t(n));
            for (const auto &[at, text] : marks)
                for (qsizetype i = 0; i < text.size(); ++i)
                    if (at + i >= offset && at + i < offset + n)
                        into[at + i - offset] = text[i];
        };
        const qint64 peakBefore = testsupport::peakMemoryKb();
        const QByteArray path("C:\\data\\database.mdb");
        SparseBytes container;
        QString reason;
        QVERIFY(kalvento::BackupFile::write(
            [&](const char *data, qint64 n, QString *) { return container.write(data, n) == n; },
            {{QString::fromLatin1(path), length,
              [&](qint64 offset, char *into, qint64 n, QString *) {
                  content(offset, into, n);
                  return true;
              }}},
            &reason));
        QCOMPARE(container.size(), 2 + path.size() + 14 + length + 4);
        QVERIFY(container.seek(0));
        QCOMPARE(container.read(2 + path.size() + 14),
                 le16(quint16(path.size())) + path + QByteArray::fromHex("ffffffffffff") + le64(length));
        QVERIFY2(container.heldBytes() < 64 * 1024, qPrintable(QString::number(container.heldBytes())));

        const auto records = kalvento::BackupFile::parse(container, &reason);
        QVERIFY2(records, qPrintable(reason));
        QCOMPARE(records->size(), 1);
        QCOMPARE(records->first().length, length);
        qint64 seen = 0;
        qint64 pieces = 0;
        bool same = true;
        QByteArray expected;
        QVERIFY(kalvento::BackupFile::readContent(
            container, records->first(),
            [&](const char *data, qint64 n) {
                expected.resize(n);
                content(seen, expected.data(), n);
                same = same && std::memcmp(data, expected.constData(), size_t(n)) == 0;
                seen += n;
                ++pieces;
                return true;
            },
            &reason));
        QCOMPARE(seen, length);
        QVERIFY(same);
        QVERIFY2(pieces > 100, qPrintable(QString::number(pieces)));
        QVERIFY2(testsupport::peakMemoryKb() - peakBefore < 64 * 1024,
                 qPrintable(QString::number(testsupport::peakMemoryKb() - peakBefore)));
    }

    // A backup as the earlier program wrote it, byte for byte, in either
    // length form, restores.
    void earlierBackupRestores_data()
    {
        QTest::addColumn<int>("bodySize");
        QTest::newRow("16-bit length") << 10;
        QTest::newRow("32-bit length") << 300000;
    }

    void earlierBackupRestores()
    {
        QFETCH(int, bodySize);
        m_home->seed({{Monday, rtfOf(QString(bodySize, QLatin1Char('a')))}});
        FrmMain &main = m_windows.open();
        const QByteArray database = bytesOf(m_home->databaseFile());
        QCOMPARE(database.size() >= 0xFFFF, bodySize > 0xFFFF);
        writeBytes(backupPath(QStringLiteral("alt.dsi")), layout({{storedPath().toUtf8(), database}}, 0));
        main.AddUser(Tuesday, rtfOf(QStringLiteral("neu")));
        main.RefreshList();
        m_shown.clear();
        restore(main, QStringLiteral("alt.dsi"));
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].flags, 64);
        QCOMPARE(bytesOf(m_home->databaseFile()), database);
        QCOMPARE(listed(main.List()), QStringList{Monday});
        QCOMPARE(m_home->storedDays(), QStringList{Monday});
    }

    void fileNameOf_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("backslashes") << QStringLiteral("C:\\Programme\\Kalvento\\data\\database.mdb")
                                     << QStringLiteral("database.mdb");
        QTest::newRow("slashes") << QStringLiteral("/home/a/data/database.mdb")
                                 << QStringLiteral("database.mdb");
        QTest::newRow("mixed") << QStringLiteral("a/b\\c") << QStringLiteral("c");
        QTest::newRow("none") << QStringLiteral("database.mdb") << QStringLiteral("database.mdb");
        QTest::newRow("trailing") << QStringLiteral("data\\") << QString();
        QTest::newRow("climbing") << QStringLiteral("data/..") << QStringLiteral("..");
    }

    void fileNameOf()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(kalvento::FileNameOf(path), name);
    }

    // A database of any size goes out and comes back byte for byte, and the
    // main window lists what came back.
    void restoreRoundTrip_data()
    {
        QTest::addColumn<int>("bodySize");
        QTest::addColumn<bool>("longLength");
        QTest::newRow("small") << 10 << false;
        QTest::newRow("beyond 16 bits") << 300000 << true;
    }

    void restoreRoundTrip()
    {
        QFETCH(int, bodySize);
        QFETCH(bool, longLength);
        m_home->seed(
            {{QStringLiteral("Montag, 7. Dezember 2026"), rtfOf(QString(bodySize, QLatin1Char('a')))}});
        FrmMain &main = m_windows.open();
        backUp(main);
        const QByteArray backup = bytesOf(backupPath(PlainName));
        const qsizetype p = storedPath().toUtf8().size();
        QCOMPARE(quint16(qFromLittleEndian<quint16>(backup.constData() + 2 + p)) == 0xFFFF, longLength);
        const qsizetype n = longLength ? qFromLittleEndian<quint32>(backup.constData() + 2 + p + 2)
                                       : qFromLittleEndian<quint16>(backup.constData() + 2 + p);
        const qsizetype start = 2 + p + (longLength ? 6 : 2);
        QCOMPARE(backup.size(), start + n + 4);
        const QByteArray content = backup.mid(start, n);

        // The diary changes, grows and shrinks after the backup.
        main.AddUser(Tuesday, rtfOf(QString(2 * bodySize + 70000, QLatin1Char('b'))));
        main.RefreshList();
        QCOMPARE(main.List()->count(), 2);
        m_shown.clear();
        restore(main, PlainName);
        QCOMPARE(bytesOf(m_home->databaseFile()), content);
        QCOMPARE(listed(main.List()), QStringList{QStringLiteral("Montag, 7. Dezember 2026")});
        QCOMPARE(m_home->storedDays(), QStringList{QStringLiteral("Montag, 7. Dezember 2026")});
        QCOMPARE(QDir(m_home->path() + QStringLiteral("/data")).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("Database.mdb"), KeptName}));
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].prompt,
                 QStringLiteral("Die Rücksicherung Ihrer Daten aus der Datei:\r\n\r\n") +
                     backupPath(PlainName) +
                     QStringLiteral("\r\n\r\nist vollendet. Bitte beenden Sie nun das komplette "
                                    "Programm. Erst nach\r\neinem Programmneustart können Sie "
                                    "auf die wiederhergestellten Daten\r\nzugreifen.\r\n\r\nDie ersetzte "
                                    "Datenbank bleibt erhalten als:\r\n") +
                     kalvento::brokenPath(m_home->path() + QStringLiteral("/data/") + KeptName));
        QCOMPARE(m_shown[0].flags, 64);
        QCOMPARE(m_shown[0].title, QStringLiteral("Wiederherstellung"));

        // The store works on the restored file: a new entry lands there.
        main.AddUser(Tuesday, rtfOf(QStringLiteral("neu")));
        QCOMPARE(m_home->storedDays(), (QStringList{QStringLiteral("Montag, 7. Dezember 2026"), Tuesday}));
    }

    // Whatever is wrong with the file, the database stays as it is and the
    // user is told so.
    void restoreRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("empty") << "empty";
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("cut before trailer") << "cut";
        QTest::newRow("bytes after records") << "extra";
        QTest::newRow("too many records") << "count";
        QTest::newRow("negative count") << "negative";
        QTest::newRow("length past end") << "length";
        QTest::newRow("foreign") << "foreign";
        QTest::newRow("climbing path") << "climbing";
        QTest::newRow("dot dot name") << "dotdot";
        QTest::newRow("empty name") << "noname";
        QTest::newRow("other file") << "other";
        QTest::newRow("two records") << "two";
        QTest::newRow("not sqlite") << "text";
        QTest::newRow("no diary table") << "notable";
        QTest::newRow("missing field") << "nofield";
        QTest::newRow("damaged database") << "damaged";
    }

    void restoreRefused()
    {
        QFETCH(QString, kind);
        m_home->seed({{QStringLiteral("Montag, 7. Dezember 2026"), rtfOf(QStringLiteral("bleibt"))}});
        // The file as the open window keeps it (opening gives it its index).
        FrmMain &main = m_windows.open();
        const QByteArray database = bytesOf(m_home->databaseFile());
        const QByteArray path = storedPath().toUtf8();
        QTemporaryDir scratch;
        auto sqliteFile = [&](const char *schema) {
            const QString file = scratch.filePath(QStringLiteral("x.mdb"));
            QFile::remove(file);
            testsupport::SqliteCalls sqlite;
            if (!sqlite.run(file, schema))
                qFatal("could not build the test database");
            return bytesOf(file);
        };
        QByteArray bytes;
        const QByteArray good = layout({{path, database}}, 0);
        if (kind == "empty")
            bytes = QByteArray();
        else if (kind == "truncated")
            bytes = good.left(good.size() - 100);
        else if (kind == "cut")
            bytes = good.left(good.size() - 4 - 10) + le32(0);
        else if (kind == "extra")
            bytes = layout({{path, database}}, 0).insert(good.size() - 4, "xyz");
        else if (kind == "count")
            bytes = layout({{path, database}}, 1);
        else if (kind == "negative")
            bytes = layout({{path, database}}, -7);
        else if (kind == "length")
            bytes = le16(quint16(path.size())) + path + le16(0xFFFF) + le32(0x7FFFFFF0) + database + le32(0);
        else if (kind == "foreign")
            bytes = "Dies ist eine ganz andere Datei.\r\n";
        else if (kind == "climbing")
            bytes = layout({{"..\\..\\..\\evil.mdb", database}}, 0);
        else if (kind == "dotdot")
            bytes = layout({{"data/..", database}}, 0);
        else if (kind == "noname")
            bytes = layout({{"C:\\data\\", database}}, 0);
        else if (kind == "other")
            bytes = layout({{"C:\\data\\notiz.txt", database}}, 0);
        else if (kind == "two")
            bytes = layout({{path, database}, {path, database}}, 1);
        else if (kind == "text")
            bytes = layout({{path, "keine Datenbank, nur Text"}}, 0);
        else if (kind == "notable")
            bytes = layout({{path, sqliteFile("CREATE TABLE Andere (Tagdatum TEXT, Tagtext TEXT)")}}, 0);
        else if (kind == "nofield")
            bytes = layout(
                {{path, sqliteFile("CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY, Tagdatum TEXT)")}}, 0);
        else if (kind == "damaged") {
            QByteArray broken = sqliteFile("CREATE TABLE Zorvelin (Tagdatum TEXT, Tagtext TEXT);"
                                           "CREATE INDEX i ON Zorvelin (Tagdatum);"
                                           "INSERT INTO Zorvelin VALUES ('a', 'b');");
            // Page 2 (the table) overwritten: the header still says database.
            for (qsizetype i = 4096; i < 4096 + 200 && i < broken.size(); ++i)
                broken[i] = char(0x5A);
            bytes = layout({{path, broken}}, 0);
        }
        writeBytes(backupPath(QStringLiteral("kaputt.dsi")), bytes);
        const QStringList homeBefore = QDir(m_home->path()).entryList(QDir::AllEntries | QDir::Hidden);

        restore(main, QStringLiteral("kaputt.dsi"));
        QCOMPARE(bytesOf(m_home->databaseFile()), database);
        QCOMPARE(listed(main.List()), QStringList{QStringLiteral("Montag, 7. Dezember 2026")});
        QCOMPARE(QDir(m_home->path() + QStringLiteral("/data")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Database.mdb")});
        QCOMPARE(QDir(m_home->path()).entryList(QDir::AllEntries | QDir::Hidden), homeBefore);
        for (const char *up : {"/../evil.mdb", "/../../evil.mdb", "/data/../../../evil.mdb"})
            QVERIFY(!QFile::exists(m_home->path() + QLatin1String(up)));
        QCOMPARE(m_shown.size(), 1);
        QVERIFY2(m_shown[0].prompt.startsWith(QStringLiteral("Die Datei:\r\n\r\n") +
                                              backupPath(QStringLiteral("kaputt.dsi")) +
                                              QStringLiteral("\r\n\r\nist keine gültige Datensicherung (")),
                 qPrintable(m_shown[0].prompt));
        QVERIFY(m_shown[0].prompt.endsWith(QStringLiteral("Ihre Daten bleiben unverändert.")));
        QCOMPARE(m_shown[0].flags, 16);
        QCOMPARE(m_shown[0].title, QStringLiteral("Wiederherstellung"));
        QVERIFY(main.recordset());
    }

    // Restore and delete without a chosen file say so and do nothing.
    void nothingSelected_data()
    {
        QTest::addColumn<bool>("deleting");
        QTest::newRow("restore") << false;
        QTest::newRow("delete") << true;
    }

    void nothingSelected()
    {
        QFETCH(bool, deleting);
        FrmMain &main = m_windows.open();
        backUp(main);
        const QByteArray database = bytesOf(m_home->databaseFile());
        m_shown.clear();
        inWindow(main,
                 [&](datensi1 &w) {
                     QCOMPARE(w.File1()->FileName(), QString());
                     deleting ? w.Command3_Click() : w.Command2_Click();
                 },
                 {0});
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].flags, 64);
        QCOMPARE(m_shown[0].title, QStringLiteral("Keine Sicherungsdatei markiert"));
        QVERIFY(QFile::exists(backupPath(PlainName)));
        QCOMPARE(bytesOf(m_home->databaseFile()), database);
    }

    void deleteAnswered_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("gone");
        QTest::addColumn<bool>("byKey"); // the list takes the focus and Down chooses the first file
        QTest::newRow("yes") << 0 << true << false;
        QTest::newRow("no") << 1 << false << false;
        QTest::newRow("yes, the first file chosen by Down") << 0 << true << true;
    }

    void deleteAnswered()
    {
        QFETCH(int, button);
        QFETCH(bool, gone);
        QFETCH(bool, byKey);
        const QString other = QStringLiteral("andere.dsi"); // listed first
        const QString chosen = byKey ? other : PlainName;
        const QString kept = byKey ? PlainName : other;
        FrmMain &main = m_windows.open();
        backUp(main);
        writeBytes(backupPath(other), "x");
        m_shown.clear();
        QStringList after;
        inWindow(main,
                 [&](datensi1 &w) {
                     if (byKey) {
                         w.activateWindow();
                         QVERIFY(QTest::qWaitForWindowActive(&w));
                         w.File1()->setFocus();
                         QTRY_COMPARE(QApplication::focusWidget(), w.File1());
                         QCOMPARE(w.File1()->currentRow(), -1);
                         QTest::keyClick(w.File1(), Qt::Key_Down);
                     } else {
                         w.File1()->setCurrentItem(w.File1()->findItems(PlainName, Qt::MatchExactly).first());
                     }
                     w.Command3_Click();
                     after = listed(w.File1());
                 },
                 {button});
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].prompt, QStringLiteral("Sind Sie sicher, dass Sie die Datei:\r\n\r\n") +
                                        backupPath(chosen) +
                                        QStringLiteral("\r\n\r\nvon Ihrem Datenträger löschen wollen?"));
        QCOMPARE(m_shown[0].flags, 36);
        QCOMPARE(m_shown[0].title, QStringLiteral("Sicherungsdatei löschen"));
        QCOMPARE(QFile::exists(backupPath(chosen)), !gone);
        QVERIFY(QFile::exists(backupPath(kept)));
        QCOMPARE(after, gone ? QStringList{kept} : (QStringList{other, PlainName}));
    }

    // The main window keeps the database open, in write-ahead mode, so the
    // newest entry lives beside the file: the backup still holds it.
    void backupWhileOpen()
    {
        m_home->seed({{QStringLiteral("Montag, 7. Dezember 2026"), rtfOf(QStringLiteral("alt"))}});
        testsupport::SqliteCalls sqlite;
        QVERIFY(sqlite.run(m_home->databaseFile(), "PRAGMA journal_mode=WAL"));
        FrmMain &main = m_windows.open();
        dao::Recordset &rs = *main.recordset();
        rs.AddNew();
        rs.Fields(QStringLiteral("Tagdatum")).setValue(com::Variant(Tuesday));
        rs.Fields(QStringLiteral("Tagtext")).setValue(com::Variant(rtfOf(QStringLiteral("neu"))));
        backUp(main);
        rs.Update();
        main.RefreshList();
        // The new entry is not in the file itself yet.
        QVERIFY(!bytesOf(m_home->databaseFile()).contains(Tuesday.toUtf8()));
        QVERIFY(QFile::exists(m_home->databaseFile() + QStringLiteral("-wal")));
        const QByteArray before = bytesOf(backupPath(PlainName));
        const qsizetype p = storedPath().toUtf8().size();
        QCOMPARE(daysIn(before.mid(2 + p + 2, before.size() - (2 + p + 2 + 4))),
                 QStringList{QStringLiteral("Montag, 7. Dezember 2026")});

        m_shown.clear();
        backUp(main);
        const QByteArray backup = bytesOf(backupPath(PlainName));
        const QByteArray content = backup.mid(2 + p + 2, backup.size() - (2 + p + 2 + 4));
        QCOMPARE(daysIn(content), (QStringList{QStringLiteral("Montag, 7. Dezember 2026"), Tuesday}));
        // A copy is a single file: no write-ahead flag in its header.
        QCOMPARE(int(content.at(18)), 1);
        QCOMPARE(listed(main.List()), (QStringList{QStringLiteral("Montag, 7. Dezember 2026"), Tuesday}));
    }

    // A backup that cannot be written completely leaves an earlier one of
    // that name as it was and reports the file.
    void backupFails()
    {
        FrmMain &main = m_windows.open();
        backUp(main);
        const QByteArray earlier = bytesOf(backupPath(PlainName));
        main.AddUser(Tuesday, rtfOf(QString(400000, QLatin1Char('z'))));
        m_shown.clear();
        {
            const FileSizeLimit full(200000);
            backUp(main);
        }
        QCOMPARE(bytesOf(backupPath(PlainName)), earlier);
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files | QDir::Hidden), QStringList{PlainName});
        QCOMPARE(m_shown.size(), 1);
        QVERIFY2(m_shown[0].prompt.startsWith(QStringLiteral("Die Datensicherung in die Datei:\r\r") +
                                              backupPath(PlainName) +
                                              QStringLiteral("\r\rkonnte nicht angelegt werden:")),
                 qPrintable(m_shown[0].prompt));
        QCOMPARE(m_shown[0].flags, 16);

        // A folder that has gone meanwhile.
        m_shown.clear();
        inWindow(main,
                 [&](datensi1 &w) {
                     QDir gone(m_folder->filePath(QStringLiteral("weg")));
                     QVERIFY(gone.mkpath(QStringLiteral(".")));
                     w.TreeEx1()->let(QStringLiteral("pPath"), gone.path());
                     QVERIFY(gone.removeRecursively());
                     w.Command1_Click();
                 },
                 {0});
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].flags, 16);
        QVERIFY(m_shown[0].prompt.contains(m_folder->filePath(QStringLiteral("weg/")) + PlainName));
        // The system's reason in German.
        QVERIFY2(
            m_shown[0].prompt.contains(QStringLiteral("konnte nicht angelegt werden:\rDie Datei oder der "
                                                      "Ordner ist nicht vorhanden.\r")),
            qPrintable(m_shown[0].prompt));
    }

    // A restore that cannot finish leaves the live database as it was.
    void restoreFails_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk full") << "full" << QStringLiteral("Die Datei ist zu groß.\r\n");
        QTest::newRow("file vanished")
            << "vanished" << QStringLiteral("Die Datei oder der Ordner ist nicht vorhanden.\r\n");
        // Told before anything is written.
        QTest::newRow("no room") << "room"
                                 << QStringLiteral("Auf dem Ziellaufwerk ist nicht genug Platz frei: "
                                                   "benötigt werden 1.048.576,0 MB, frei sind ");
    }

    void restoreFails()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        m_home->seed(
            {{QStringLiteral("Montag, 7. Dezember 2026"), rtfOf(QString(300000, QLatin1Char('y')))}});
        FrmMain &main = m_windows.open();
        backUp(main);
        main.AddUser(Tuesday, rtfOf(QStringLiteral("neu")));
        main.RefreshList();
        const QByteArray database = bytesOf(m_home->databaseFile());
        m_shown.clear();
        inWindow(main,
                 [&](datensi1 &w) {
                     w.File1()->setCurrentItem(w.File1()->findItems(PlainName, Qt::MatchExactly).first());
                     if (kind == "vanished") {
                         QVERIFY(QFile::remove(backupPath(PlainName)));
                     } else if (kind == "room") {
                         // A database of 1 TiB, the file sparse.
                         const QByteArray path = storedPath().toUtf8();
                         QFile file(backupPath(PlainName));
                         QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                         file.write(le16(quint16(path.size())) + path + QByteArray::fromHex("ffffffffffff") +
                                    le64(quint64(1) << 40) + QByteArray("SQLite format 3\0", 16));
                         if (!file.resize(2 + path.size() + 14 + (qint64(1) << 40) + 4))
                             QSKIP("the file system takes no file of 1 TiB");
                         QVERIFY(file.seek(file.size() - 4));
                         file.write(le32(0));
                     }
                     const FileSizeLimit full(kind == "full" ? 100000 : RLIM_INFINITY);
                     w.Command2_Click();
                 },
                 {0});
        QCOMPARE(bytesOf(m_home->databaseFile()), database);
        QCOMPARE(QDir(m_home->path() + QStringLiteral("/data")).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("Database.mdb")}));
        QCOMPARE(listed(main.List()), (QStringList{QStringLiteral("Montag, 7. Dezember 2026"), Tuesday}));
        QCOMPARE(m_shown.size(), 1);
        QVERIFY2(m_shown[0].prompt.startsWith(QStringLiteral("Die Rücksicherung aus der Datei:\r\n\r\n") +
                                              backupPath(PlainName) +
                                              QStringLiteral("\r\n\r\nist fehlgeschlagen:\r\n") + reason),
                 qPrintable(m_shown[0].prompt));
        QCOMPARE(m_shown[0].flags, 16);
        QCOMPARE(m_shown[0].title, QStringLiteral("Wiederherstellung"));
    }

    // Databases that would run code on a read or a write, never end a read,
    // or refuse, drop or bloat the diary's writes: a restore refuses them and
    // leaves the diary byte for byte; put in place by hand, they end the start
    // at once with the database error. What a static look cannot tell, the
    // restore's trial of the store's work refuses ("tried"). Every database
    // that is accepted takes two new entries through the store, which read
    // back, and starts again; one the start opens but a restore refuses is
    // "kept out".
    void craftedDatabasesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("schema");
        // refused (with the reason said at restore and start after "refused: "),
        // too long, damaged, newer format, schema format, tried, kept out or accepted
        QTest::addColumn<QString>("verdict");
        const QByteArray table =
            "CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY AUTOINCREMENT, Tagdatum TEXT, "
            "Tagtext TEXT);";
        const QByteArray withExtra =
            "CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY AUTOINCREMENT, Tagdatum TEXT, "
            "Tagtext TEXT, Extra ";
        const QString refused = QStringLiteral("refused");
        QTest::newRow("endless view")
            << QByteArray(
                   "CREATE VIEW Zorvelin AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) "
                   "SELECT i AS ID, 'Tag' AS Tagdatum, 'Text' AS Tagtext FROM n")
            << refused;
        QTest::newRow("insert ignored")
            << table + "CREATE TRIGGER t BEFORE INSERT ON Zorvelin BEGIN SELECT RAISE(IGNORE); END"
            << refused;
        QTest::newRow("update ignored")
            << table + "CREATE TRIGGER t BEFORE UPDATE ON Zorvelin BEGIN SELECT RAISE(IGNORE); END"
            << refused;
        QTest::newRow("delete ignored")
            << table + "CREATE TRIGGER t BEFORE DELETE ON Zorvelin BEGIN SELECT RAISE(IGNORE); END"
            << refused;
        QTest::newRow("others deleted") << table + "CREATE TRIGGER t AFTER INSERT ON Zorvelin BEGIN DELETE "
                                                   "FROM Zorvelin WHERE ID <> NEW.ID; END"
                                        << refused;
        QTest::newRow("without rowid") << QByteArray("CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY, "
                                                     "Tagdatum TEXT, Tagtext TEXT) WITHOUT ROWID")
                                       << refused;
        QTest::newRow("extra NOT NULL column") << withExtra + "TEXT NOT NULL)" << refused;
        QTest::newRow("check on the body")
            << QByteArray("CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY AUTOINCREMENT, Tagdatum TEXT, "
                          "Tagtext TEXT CHECK (length(Tagtext) < 5))")
            << refused;
        QTest::newRow("extra column dropping each add")
            << withExtra + "TEXT NOT NULL ON CONFLICT IGNORE DEFAULT NULL)" << refused;
        QTest::newRow("extra column failing each add")
            << withExtra + "INTEGER NOT NULL DEFAULT (abs(-9223372036854775807 - 1)))" << refused;
        QTest::newRow("extra column of 500 MB")
            << withExtra + "BLOB DEFAULT (zeroblob(500000000)))" << refused;
        QTest::newRow("counter at its end")
            << table + "INSERT INTO sqlite_sequence VALUES ('Zorvelin', 9223372036854775807)" << refused;
        QTest::newRow("counter with a third column")
            << table + "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = 'CREATE TABLE "
                       "sqlite_sequence(name,seq,extra)' WHERE name = 'sqlite_sequence'"
            << refused;
        QTest::newRow("row numbers at their end")
            << QByteArray("CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY, Tagdatum TEXT, Tagtext TEXT);"
                          "INSERT INTO Zorvelin VALUES (9223372036854775807, 'Tag', 'Text')")
            << refused;
        QTest::newRow("strict table")
            << QByteArray("CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY AUTOINCREMENT, Tagdatum TEXT, "
                          "Tagtext TEXT) STRICT")
            << refused;
        QTest::newRow("unique index of our name")
            << table + "CREATE UNIQUE INDEX Zorvelin_Tagdatum ON Zorvelin (Tagdatum)" << refused;
        QTest::newRow("partial index of our name")
            << table + "CREATE INDEX Zorvelin_Tagdatum ON Zorvelin (Tagdatum) WHERE Tagdatum <> ''"
            << refused;
        QTest::newRow("extra column of 300 kB")
            << withExtra + "TEXT DEFAULT '" + QByteArray(300000, 'x') + "')" << refused;
        QTest::newRow("extra column hiding the row number")
            << QByteArray("CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY AUTOINCREMENT, Tagdatum TEXT, "
                          "Tagtext TEXT, RowId INTEGER DEFAULT 1)")
            << refused;
        // Each default is short, together they fill every new record.
        const auto manyDefaults = [&table](int columns) {
            QByteArray sql = table.chopped(2);
            for (int i = 0; i < columns; ++i)
                sql += ", Extra" + QByteArray::number(i) + " TEXT DEFAULT '" + QByteArray(1000, 'x') + "'";
            return sql + ")";
        };
        QTest::newRow("extra columns of 60 kB") << manyDefaults(60) << refused;
        // The trial's allowance grows with the page, the shape's does not.
        QTest::newRow("extra columns of 200 kB on large pages")
            << "PRAGMA page_size = 65536;" + manyDefaults(200) << refused;
        QTest::newRow("header for a newer format") << table << QStringLiteral("newer format");
        QTest::newRow("header for schema format 5") << table << QStringLiteral("schema format");
        // Read and parsed at every opening of the file, whatever it holds.
        const auto paddedBefore = [&table](const QByteArray &padding) {
            return table +
                   "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(sql, "
                   "'Tagtext', " +
                   padding + " || 'Tagtext') WHERE name = 'Zorvelin'";
        };
        const QString tooLongEntry =
            QStringLiteral("refused: ihr Aufbau enthält eine Angabe von mehr als 1.000.000 Bytes");
        QTest::newRow("statement of 10 MB") << paddedBefore("printf('%.*c', 10000000, ' ')") << tooLongEntry;
        QTest::newRow("comment of 2 MB in the statement")
            << paddedBefore("'/*' || printf('%.*c', 2000000, ' ') || '*/'") << tooLongEntry;
        QTest::newRow("key kept apart from the row number")
            << QByteArray("CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY DESC, Tagdatum TEXT, Tagtext TEXT)")
            << QStringLiteral("refused: die Spalte 'ID' ist ein fremder Schlüssel");
        // The engine reads the first counter of the table's own name as a number.
        QTest::newRow("counter stored as text")
            << table + "INSERT INTO sqlite_sequence VALUES ('Zorvelin', '5')" << QStringLiteral("accepted");
        QTest::newRow("second counter in another case")
            << table + "INSERT INTO sqlite_sequence VALUES ('ZORVELIN', 9223372036854775807), ('Zorvelin', 5)"
            << QStringLiteral("accepted");
        QTest::newRow("table name in lower case")
            << QByteArray(table).replace("Zorvelin", "zorvelin") + "INSERT INTO zorvelin (Tagdatum, Tagtext) "
                                                                   "VALUES ('Montag', 'klein')"
            << QStringLiteral("accepted");
        // A day name longer than any line the diary writes would be read at
        // every start.
        QTest::newRow("day name above the bound")
            << table +
                   "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES ('Montag', 'a'), (printf('%.*c', 1001, "
                   "'x'), 'b')"
            << QStringLiteral("too long");
        QTest::newRow("day name above the bound in the day index")
            << table + "CREATE INDEX Zorvelin_Tagdatum ON Zorvelin (Tagdatum);"
                       "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES (printf('%.*c', 1001, 'x'), 'b')"
            << QStringLiteral("too long");
        // The start measures the index it lists from, so the index must not
        // hide behind the table.
        QTest::newRow("day index holding a longer name than the table")
            << table + "CREATE INDEX Zorvelin_Tagdatum ON Zorvelin (Tagdatum);"
                       "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES (printf('%.*c', 1001, 'x'), 'b');"
                       "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = 'CREATE INDEX "
                       "Zorvelin_Tagdatum ON Zorvelin (Tagtext)' WHERE name = 'Zorvelin_Tagdatum';"
                       "PRAGMA writable_schema = RESET; UPDATE Zorvelin SET Tagdatum = 'kurz';"
                       "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = 'CREATE INDEX "
                       "Zorvelin_Tagdatum ON Zorvelin (Tagdatum)' WHERE name = 'Zorvelin_Tagdatum'"
            << QStringLiteral("damaged");
        // Restored at the restore's bound, a diary still starts after as many
        // adds as the start leaves room for; at the start's bound it is one
        // the start opens but a restore does not take in.
        const QByteArray restoreBound = "9223372032559808513";
        const QByteArray startBound = "9223372034707292160";
        const auto counterAt = [&table](const QByteArray &n) {
            return table + "INSERT INTO sqlite_sequence VALUES ('Zorvelin', " + n + ")";
        };
        const auto rowNumberAt = [](const QByteArray &n) {
            return "CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY, Tagdatum TEXT, Tagtext TEXT);"
                   "INSERT INTO Zorvelin VALUES (" +
                   n + ", 'Tag', 'Text')";
        };
        QTest::newRow("counter at the restore's bound")
            << counterAt(restoreBound) << QStringLiteral("accepted");
        QTest::newRow("row numbers at the restore's bound")
            << rowNumberAt(restoreBound) << QStringLiteral("accepted");
        QTest::newRow("counter at the start's bound") << counterAt(startBound) << QStringLiteral("kept out");
        QTest::newRow("row numbers at the start's bound")
            << rowNumberAt(startBound) << QStringLiteral("kept out");
        const QString accepted = QStringLiteral("accepted");
        QTest::newRow("the diary's own shape") << table << accepted;
        QTest::newRow("UTF-16")
            << "PRAGMA encoding = 'UTF-16le';" + table +
                   "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES ('Montag, 7. Dezember "
                   "2026', 'Grüße')"
            << accepted;
        QTest::newRow("odd dates") << table + "INSERT INTO Zorvelin (Tagdatum, Tagtext) VALUES ('', 'a'), "
                                              "('31.02.2026', 'c'), (42, 'd')"
                                   << accepted;
        QTest::newRow("NOT NULL on the diary's columns")
            << QByteArray(
                   "CREATE TABLE Zorvelin (ID INTEGER PRIMARY KEY AUTOINCREMENT, Tagdatum TEXT NOT NULL, "
                   "Tagtext TEXT NOT NULL)")
            << accepted;
        QTest::newRow("extra column with a plain default")
            << withExtra + "INTEGER NOT NULL DEFAULT -1)" << accepted;
    }

    void craftedDatabasesAreRefused()
    {
        QFETCH(QByteArray, schema);
        QFETCH(QString, verdict);
        m_home->seed({{Monday, rtfOf(QStringLiteral("bleibt"))}});
        FrmMain &main = m_windows.open();
        const QByteArray database = bytesOf(m_home->databaseFile());
        QTemporaryDir scratch;
        const QString crafted = scratch.filePath(QStringLiteral("fremd.mdb"));
        QVERIFY(testsupport::SqliteCalls().run(crafted, schema.constData()));
        if (verdict == QLatin1String("newer format")) {
            // A format the engine may read but not write, as its header
            // says, kept with a write-ahead log.
            QByteArray bytes = bytesOf(crafted);
            bytes[18] = 3;
            bytes[19] = 2;
            writeBytes(crafted, bytes);
        }
        if (verdict == QLatin1String("schema format")) {
            QByteArray bytes = bytesOf(crafted);
            bytes[47] = 5;
            writeBytes(crafted, bytes);
        }
        writeBytes(backupPath(QStringLiteral("fremd.dsi")),
                   layout({{storedPath().toUtf8(), bytesOf(crafted)}}, 0));

        restore(main, QStringLiteral("fremd.dsi"));
        QCOMPARE(m_shown.size(), 1);
        // A start on the diary as it stands, within two seconds: the days it
        // lists, or the one message that ends it.
        QStringList started;
        QString ended;
        const auto start = [&] {
            m_windows.unloadAll();
            testsupport::BalloonAnswerer answerer({0});
            QElapsedTimer clock;
            clock.start();
            QPointer<FrmMain> form = rt::Form::create<FrmMain>();
            form->load();
            QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
            QCOMPARE(answerer.seen.size(), form && form->isLoaded() ? 0 : 1);
            started = form && form->isLoaded() ? listed(form->List()) : QStringList();
            ended = answerer.seen.isEmpty() ? QString() : answerer.seen[0].texts;
            if (form)
                form->unload();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        if (verdict == QLatin1String("accepted")) {
            QCOMPARE(m_shown[0].flags, 64);
            const QList<Entry> restored = m_home->stored();
            const QList<Entry> added{{Tuesday, rtfOf(QStringLiteral("neu"))},
                                     {Tuesday, rtfOf(QStringLiteral("noch einmal"))}};
            for (const auto &[day, body] : added)
                main.AddUser(day, body);
            QCOMPARE(m_home->stored(), restored + added);
            start();
            QCOMPARE(ended, QString());
            QCOMPARE(started, m_home->storedDays());
            return;
        }
        QCOMPARE(bytesOf(m_home->databaseFile()), database);
        QCOMPARE(filesIn(m_home->path() + QStringLiteral("/data")),
                 QStringList{QStringLiteral("Database.mdb")});
        QCOMPARE(listed(main.List()), QStringList{Monday});
        // The restore's reason, and the start's for a file no longer of
        // another shape.
        const QString tooLong =
            QStringLiteral("einen übergroßen Wert: in der Spalte 'Tagdatum' stehen 1.001 Bytes, "
                           "zulässig sind höchstens 1.000");
        const QString newer =
            QStringLiteral("die Datei hat ein neueres Datenbankformat (Version 3), das dieses "
                           "Programm nur lesen, aber nicht schreiben kann");
        const QString newerSchema =
            QStringLiteral("die Datei hat ein neueres Format ihres Aufbaus (Version 5), "
                           "das dieses Programm nicht lesen kann");
        const QString named = verdict.startsWith(QLatin1String("refused: ")) ? verdict.mid(9) : QString();
        const QString foreign =
            QStringLiteral("die gesicherte Datenbank ist anders aufgebaut als die dieses Programms: ");
        const QString reason =
            verdict == QLatin1String("tried")
                ? QStringLiteral(
                      "in der gesicherten Datenbank lassen sich keine Einträge speichern: ein Eintrag "
                      "belegt dort weit mehr Platz")
            : verdict == QLatin1String("too long")
                ? QStringLiteral("die gesicherte Datenbank enthält ") + tooLong
            : verdict == QLatin1String("damaged") ? QStringLiteral("die gesicherte Datenbank ist beschädigt")
            : verdict == QLatin1String("newer format")  ? foreign + newer
            : verdict == QLatin1String("schema format") ? foreign + newerSchema
                                                        : foreign + named;
        QVERIFY2(m_shown[0].prompt.contains(QStringLiteral("ist keine gültige Datensicherung (") + reason),
                 qPrintable(m_shown[0].prompt));
        QCOMPARE(m_shown[0].flags, 16);
        if (verdict == QLatin1String("tried"))
            return;

        // The same file put in place by hand.
        m_windows.unloadAll();
        writeBytes(m_home->databaseFile(), bytesOf(crafted));
        start();
        if (verdict == QLatin1String("kept out")) {
            // Opened, it still leaves the room a file taken in must leave,
            // and no save takes it past what the start opens.
            QCOMPARE(started, m_home->storedDays());
            {
                testsupport::BalloonAnswerer answerer({0});
                FrmMain &again = m_windows.open();
                QVERIFY_THROWS_EXCEPTION(std::exception,
                                         again.AddUser(Tuesday, rtfOf(QStringLiteral("neu"))));
                QCOMPARE(answerer.seen.size(), 1);
                QVERIFY2(answerer.seen[0].texts.contains(QStringLiteral("keine freien Zeilennummern mehr")),
                         qPrintable(answerer.seen[0].texts));
            }
            start();
            QCOMPARE(ended, QString());
            QCOMPARE(started, m_home->storedDays());
            return;
        }
        QCOMPARE(started, QStringList());
        for (const char *text :
             {"Datenbankfehler", "kann nicht geöffnet werden", "Das Programm wird beendet."})
            QVERIFY2(ended.contains(QString::fromUtf8(text)), qPrintable(ended));
        const QString said =
            QString(ended).replace(QRegularExpression(QStringLiteral("\r?\n")), QStringLiteral(" "));
        if (verdict == QLatin1String("too long"))
            QVERIFY2(said.contains(QStringLiteral("Die Datenbank enthält ") + tooLong), qPrintable(said));
        if (verdict == QLatin1String("newer format"))
            QVERIFY2(said.contains(QStringLiteral("Die Datenbank ist nicht benutzbar: ") + newer),
                     qPrintable(said));
        if (verdict == QLatin1String("schema format"))
            QVERIFY2(said.contains(QStringLiteral("Die Datenbank ist nicht benutzbar: ") + newerSchema),
                     qPrintable(said));
        QVERIFY2(said.contains(named), qPrintable(said));
        QCOMPARE(bytesOf(m_home->databaseFile()), bytesOf(crafted));
    }

    // A restore keeps the database it replaces, byte for byte and an earlier
    // kept copy with it; the restored file has the replaced one's mode; the
    // main window counts and offers New as the restored days say.
    void restoreKeepsTheReplacedDatabase_data()
    {
        QTest::addColumn<QStringList>("days");
        QTest::newRow("empty backup") << QStringList();
        QTest::newRow("backup without today") << QStringList{Monday};
    }

    void restoreKeepsTheReplacedDatabase()
    {
        QFETCH(QStringList, days);
        for (const QString &day : days)
            m_home->seed({{day, rtfOf(day)}});
        QVERIFY(QFile::setPermissions(m_home->databaseFile(),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ReadGroup | QFileDevice::ReadOther));
        FrmMain &main = m_windows.open();
        backUp(main);
        main.AddUser(Tuesday, rtfOf(QStringLiteral("nach der Sicherung")));
        main.RefreshList();
        QVERIFY(!main.Command2()->isEnabled());
        const QByteArray replaced = bytesOf(m_home->databaseFile());
        m_shown.clear();
        restore(main, PlainName);
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].flags, 64);
        const QString data = m_home->path() + QStringLiteral("/data/");
        QCOMPARE(filesIn(data), (QStringList{QStringLiteral("Database.mdb"), KeptName}));
        QCOMPARE(bytesOf(data + KeptName), replaced);
        QCOMPARE(modeOf(m_home->databaseFile()), mode_t(0644));
        QCOMPARE(m_home->storedDays(), days);
        QCOMPARE(listed(main.List()), days);
        QCOMPARE(main.xpFrame1()->get(QStringLiteral("Caption")).toString().trimmed(),
                 QStringLiteral("%1 eingetragene Tage").arg(days.size()));
        QVERIFY(main.Command2()->isEnabled());

        main.AddUser(Tuesday, rtfOf(QStringLiteral("zweiter Versuch")));
        const QByteArray second = bytesOf(m_home->databaseFile());
        restore(main, PlainName);
        const QString secondName =
            QString(KeptName).replace(QStringLiteral(".mdb"), QStringLiteral("_2.mdb"));
        QCOMPARE(filesIn(data), (QStringList{QStringLiteral("Database.mdb"), KeptName, secondName}));
        QCOMPARE(bytesOf(data + KeptName), replaced);
        QCOMPARE(bytesOf(data + secondName), second);
    }

    // What killed runs left behind goes when the window opens or a backup
    // starts in its folder, and the work leaves nothing of its own; a
    // database saved with a write-ahead log comes back running with the
    // store's journal and no log files beside it.
    void nothingIsLeftBehind()
    {
        QTemporaryDir temp;
        const QByteArray tmpdir = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        const auto restoreTmpdir = qScopeGuard([&] {
            if (tmpdir.isNull())
                qunsetenv("TMPDIR");
            else
                qputenv("TMPDIR", tmpdir);
        });
        const QString data = m_home->path() + QStringLiteral("/data/");
        // No process has this id; process 1 always runs.
        const QString gone = QStringLiteral("99999999");
        QVERIFY(QDir(temp.path())
                    .mkdir(QStringLiteral("kalvento-sicherung-") + gone + QStringLiteral("-a1b2c3")));
        writeBytes(
            temp.filePath(QStringLiteral("kalvento-sicherung-") + gone + QStringLiteral("-a1b2c3/s.mdb")),
            "alt");
        writeBytes(temp.filePath(QStringLiteral("kalvento-sicherung-1-lebt")), "läuft");
        writeBytes(temp.filePath(QStringLiteral("fremd.txt")), "x");
        writeBytes(data + QStringLiteral(".wiederherstellung-Ab12Cd"), "alt");
        writeBytes(data + QStringLiteral(".wiederherstellung-") + gone + QStringLiteral("-x1y2z3"), "alt");
        writeBytes(backupPath(QStringLiteral(".kalvento-sicherung-") + gone + QStringLiteral("-q1w2e3")),
                   "alt");
        // The user's own, however close its name comes to a scratch name.
        const QStringList usersOwn{QStringLiteral(".KALVENTO-SICHERUNG-") + gone + QStringLiteral("-Q1W2E3"),
                                   QStringLiteral(".kalvento-sicherung-") + gone +
                                       QStringLiteral("-q1w2e3.txt"),
                                   QStringLiteral(".Kalvento-Sicherung-alt")};
        QVERIFY(QDir(m_folder->path()).mkpath(usersOwn[2] + QStringLiteral("/Briefe")));
        writeBytes(backupPath(usersOwn[2] + QStringLiteral("/Briefe/brief.txt")), "bleibt");
        writeBytes(backupPath(usersOwn[0]), "bleibt");
        writeBytes(backupPath(usersOwn[1]), "bleibt");
        const QStringList tempKept{QStringLiteral("fremd.txt"), QStringLiteral("kalvento-sicherung-1-lebt")};

        m_home->seed({{Monday, rtfOf(QStringLiteral("mit Protokoll"))}});
        const testsupport::SqliteCalls sqlite;
        QVERIFY(sqlite.run(m_home->databaseFile(), "PRAGMA journal_mode=WAL"));
        const QByteArray walDatabase = bytesOf(m_home->databaseFile());
        QCOMPARE(int(walDatabase.at(18)), 2);
        writeBytes(backupPath(QStringLiteral("protokoll.dsi")),
                   layout({{storedPath().toUtf8(), walDatabase}}, 0));
        QVERIFY(sqlite.run(m_home->databaseFile(), "PRAGMA journal_mode=DELETE"));

        FrmMain &main = m_windows.open();
        inWindow(main, [&](datensi1 &) {
            QCOMPARE(filesIn(temp.path()), tempKept);
            QCOMPARE(filesIn(data), QStringList{QStringLiteral("Database.mdb")});
        });
        backUp(main);
        QCOMPARE(filesIn(m_folder->path()),
                 (usersOwn + QStringList{QStringLiteral("protokoll.dsi"), PlainName}));
        QCOMPARE(bytesOf(backupPath(usersOwn[2] + QStringLiteral("/Briefe/brief.txt"))),
                 QByteArray("bleibt"));
        QCOMPARE(filesIn(temp.path()), tempKept);

        // An empty log or journal a crash left beside the live diary holds nothing.
        writeBytes(m_home->databaseFile() + QStringLiteral("-wal"), QByteArray());
        writeBytes(m_home->databaseFile() + QStringLiteral("-journal"), QByteArray());
        m_shown.clear();
        restore(main, QStringLiteral("protokoll.dsi"));
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].flags, 64);
        QCOMPARE(int(bytesOf(m_home->databaseFile()).at(18)), 1);
        main.AddUser(Tuesday, rtfOf(QStringLiteral("neu")));
        QCOMPARE(filesIn(data), (QStringList{QStringLiteral("Database.mdb"), KeptName}));
        QCOMPARE(m_home->storedDays(), (QStringList{Monday, Tuesday}));
        QCOMPARE(filesIn(temp.path()), tempKept);
    }

    // The stored name is lower-case, the diary's file is not: the restore
    // finds the one file without regard to case.
    void restoreMatchesNameWithoutCase()
    {
        FrmMain &main = m_windows.open();
        backUp(main);
        const QByteArray backup = bytesOf(backupPath(PlainName));
        QVERIFY(backup.mid(2, storedPath().toUtf8().size()).endsWith("/data/database.mdb"));
        main.AddUser(Tuesday, rtfOf(QStringLiteral("neu")));
        m_shown.clear();
        restore(main, PlainName);
        QCOMPARE(QDir(m_home->path() + QStringLiteral("/data")).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("Database.mdb"), KeptName}));
        QCOMPARE(main.List()->count(), 0);
    }
};

KV_TEST_MAIN(TestDatensi1)
#include "tst_datensi1.moc"
