#include "platform/sound/DesktopSound.h"
#include "platform/sound/SilentSound.h"
#include "platform/sound/SoundFlags.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

using namespace sound;

namespace
{

QByteArray smallWave()
{
    QByteArray b("RIFF");
    auto put32 = [&b](uint32_t v) { b.append(reinterpret_cast<const char *>(&v), 4); };
    auto put16 = [&b](uint16_t v) { b.append(reinterpret_cast<const char *>(&v), 2); };
    put32(36 + 4);
    b += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(11025);
    put32(11025);
    put16(1);
    put16(8);
    b += "data";
    put32(4);
    b += QByteArray("\x80\x90\x70\x80", 4);
    return b;
}

} // namespace

// The desktop backend against a stand-in player: a script that keeps a copy
// of what it was given. No sound is played.
class TestDesktopSound : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_log;

    QString writePlayer(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QFile script(path);
        script.open(QIODevice::WriteOnly);
        script.write(QStringLiteral("#!/bin/sh\n"
                                    "n=$(wc -l < '%1' 2>/dev/null || echo 0)\n"
                                    "cp \"$1\" '%1'.$n\n"
                                    "echo \"$1\" >> '%1'\n")
                         .arg(m_log)
                         .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    QStringList played() const
    {
        QFile log(m_log);
        if (!log.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QString themeFile(const QString &name)
    {
        const QString folder = m_dir.filePath(QStringLiteral("share/sounds/freedesktop/stereo"));
        QDir().mkpath(folder);
        QFile file(folder + QLatin1Char('/') + name);
        file.open(QIODevice::WriteOnly);
        file.write("OggS");
        return file.fileName();
    }

    EventSoundTheme theme() const { return EventSoundTheme({m_dir.filePath(QStringLiteral("share"))}); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_log = m_dir.filePath(QStringLiteral("played"));
        themeFile(QStringLiteral("dialog-error.oga"));
        themeFile(QStringLiteral("dialog-information.oga"));
        themeFile(QStringLiteral("bell.oga"));
    }

    void init() { QFile::remove(m_log); }

    void withoutScreenTheDefaultOutputIsSilent()
    {
        rt::ServiceSlot<SoundOutput>::reset();
        QVERIFY(dynamic_cast<SilentSound *>(&rt::ServiceSlot<SoundOutput>::current()));
    }

    void memoryWaveGoesToThePlayerAsAFile()
    {
        QString path;
        {
            DesktopSound desktop(writePlayer(QStringLiteral("player")), theme());
            QVERIFY(desktop.playMemory(smallWave(), SndNoDefault));
            QCOMPARE(played().size(), 1);
            path = played().first();
            QVERIFY(path.endsWith(QLatin1String(".wav")));
            QFile copy(m_log + QLatin1String(".0"));
            QVERIFY(copy.open(QIODevice::ReadOnly));
            QCOMPARE(copy.readAll(), smallWave());
        }
        // The file lives only as long as its sound.
        QVERIFY(!QFile::exists(path));
    }

    void dataThatIsNoSoundStartsNothing()
    {
        DesktopSound desktop(writePlayer(QStringLiteral("player")), theme());
        QVERIFY(!desktop.playMemory(QByteArray("not a sound"), SndNoDefault));
        QVERIFY(!desktop.playMemory(smallWave().left(30), SndNoDefault));
        QVERIFY(played().isEmpty());
    }

    void namedSounds_data()
    {
        QTest::addColumn<QString>("sound");
        QTest::addColumn<uint>("flags");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("file"); // under the theme folder; empty: nothing plays

        QTest::newRow("event with a theme sound")
            << "SystemHand" << uint(SndNoDefault) << true << "dialog-error.oga";
        QTest::newRow("aliases ignore case")
            << "systemhand" << uint(SndNoDefault) << true << "dialog-error.oga";
        QTest::newRow("second choice of the theme")
            << "SystemQuestion" << uint(SndNoDefault) << true << "dialog-information.oga";
        QTest::newRow("event without a sound") << "Maximize" << uint(SndNoDefault | SndAsync) << false << "";
        QTest::newRow("unknown name, no default")
            << "ResoreUp" << uint(SndApplication | SndNoDefault) << false << "";
        QTest::newRow("unknown name plays the default") << "ResoreUp" << uint(0) << true << "bell.oga";
        QTest::newRow("file flag skips aliases")
            << "SystemHand" << uint(SndFilename | SndNoDefault) << false << "";
        QTest::newRow("empty name only stops") << "" << uint(0) << true << "";
        QTest::newRow("purge only stops") << "SystemHand" << uint(SndPurge) << true << "";
    }

    void namedSounds()
    {
        QFETCH(QString, sound);
        QFETCH(uint, flags);
        QFETCH(QString, file);
        DesktopSound desktop(writePlayer(QStringLiteral("player")), theme());
        QTEST(desktop.playSound(sound, 1, flags), "result");
        const QStringList expected =
            file.isEmpty()
                ? QStringList()
                : QStringList{m_dir.filePath(QStringLiteral("share/sounds/freedesktop/stereo/")) + file};
        QCOMPARE(played(), expected);
    }

    void aFileIsPlayedByItsPathUnlessOnlyAliasesCount()
    {
        const QString file = m_dir.filePath(QStringLiteral("tune.wav"));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(smallWave());
        out.close();
        DesktopSound desktop(writePlayer(QStringLiteral("player")), theme());
        QVERIFY(!desktop.playSound(file, 1, SndAlias | SndNoDefault));
        QVERIFY(desktop.playSound(file, 1, SndNoDefault));
        QCOMPARE(played(), QStringList{file});
    }

    void theAlsaPlayerIsGivenWaveFilesOnly()
    {
        DesktopSound desktop(writePlayer(QStringLiteral("aplay")), theme());
        QVERIFY(!desktop.playSound(QStringLiteral("SystemHand"), 1, SndNoDefault));
        QVERIFY(desktop.playMemory(smallWave(), SndNoDefault));
        QCOMPARE(played().size(), 1);
    }

    void withoutPlayerEverythingStaysSilent()
    {
        DesktopSound desktop(QString(), theme());
        QVERIFY(!desktop.playSound(QStringLiteral("SystemHand"), 1, SndNoDefault));
        QVERIFY(!desktop.playMemory(smallWave(), SndAsync | SndNoDefault));
        QVERIFY(desktop.playSound(QString(), 1, SndPurge));
    }

    void aLoopRepeatsUntilStopped()
    {
        DesktopSound desktop(writePlayer(QStringLiteral("player")), theme());
        QVERIFY(desktop.playMemory(smallWave(), SndAsync | SndLoop | SndNoDefault));
        QTRY_VERIFY_WITH_TIMEOUT(played().size() >= 3, 10000);
        QVERIFY(desktop.playSound(QString(), 1, SndPurge));
        QVERIFY(!desktop.isPlaying());
        const int count = played().size();
        QTest::qWait(200);
        QCOMPARE(played().size(), count);
    }
};

KV_TEST_MAIN(TestDesktopSound)
#include "tst_DesktopSound.moc"
