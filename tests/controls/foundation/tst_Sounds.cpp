#include "controls/foundation/cSounds.h"
#include "platform/runtime/ScopedService.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/RecordingSound.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <climits>
#include <stdexcept>

using namespace ostrevo;
using sound::RecordingSound;

namespace
{

// An output that fails the hardest way it can.
class ThrowingSound : public sound::SoundOutput
{
public:
    bool playSound(const QString &, int32_t, uint32_t) override { throw std::runtime_error("no device"); }
    bool playMemory(const QByteArray &, uint32_t) override { throw std::runtime_error("no device"); }
};

} // namespace

class TestSounds : public QObject
{
    Q_OBJECT
private:
    RecordingSound *m_recorder = nullptr;

private slots:
    void init()
    {
        auto recorder = std::make_unique<RecordingSound>();
        m_recorder = recorder.get();
        rt::ServiceSlot<sound::SoundOutput>::install(std::move(recorder));
    }

    void cleanupTestCase() { rt::ServiceSlot<sound::SoundOutput>::reset(); }

    void systemSoundAsksForTheEventByName_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 0 << "AppGPFault";
        QTest::newRow("3") << 3 << "MailBeep";
        QTest::newRow("10 as the platform spells it") << 10 << "ResoreUp";
        QTest::newRow("12 as the platform spells it") << 12 << "Ringout";
        QTest::newRow("13") << 13 << "SystemExclamation";
        QTest::newRow("15") << 15 << "SystemHand";
        QTest::newRow("16") << 16 << "SystemQuestion";
        QTest::newRow("last") << 17 << "SystemStart";
        QTest::newRow("one past the table") << 18 << "";
        QTest::newRow("below the table") << -1 << "";
        QTest::newRow("far outside") << INT_MIN << "";
    }

    void systemSoundAsksForTheEventByName()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        int32_t value = index;
        cSounds sounds;
        sounds.SystemSound(value);
        QCOMPARE(value, index); // passed by reference, left alone
        QCOMPARE(m_recorder->calls.size(), size_t(1));
        const RecordingSound::Call &call = m_recorder->calls.front();
        QCOMPARE(call.kind, RecordingSound::Call::Named);
        QCOMPARE(call.sound, name);
        QVERIFY(!call.sound.isNull() || name.isEmpty());
        QCOMPARE(call.module, 1);
        QCOMPARE(call.flags, 0x83u); // application, no default, asynchronous
    }

    void soundStopPurges()
    {
        cSounds().SoundStop();
        QCOMPARE(m_recorder->calls.size(), size_t(1));
        QCOMPARE(m_recorder->calls[0].sound, QString());
        QCOMPARE(m_recorder->calls[0].module, 1);
        QCOMPARE(m_recorder->calls[0].flags, 0x42u);
    }

    void soundPlayFlags_data()
    {
        QTest::addColumn<bool>("async");
        QTest::addColumn<bool>("loop");
        QTest::addColumn<uint>("flags");
        QTest::newRow("waiting, once") << false << false << 0x2u;
        QTest::newRow("asynchronous") << true << false << 0x3u;
        QTest::newRow("loop alone") << false << true << 0xAu;
        QTest::newRow("asynchronous loop") << true << true << 0xBu;
    }

    void soundPlayFlags()
    {
        QFETCH(bool, async);
        QFETCH(bool, loop);
        QString file = QStringLiteral("/home/user/Klänge/tada.wav");
        cSounds().SoundPlay(file, async, loop);
        QCOMPARE(m_recorder->calls.size(), size_t(1));
        QCOMPARE(m_recorder->calls[0].sound, QStringLiteral("/home/user/Klänge/tada.wav"));
        QCOMPARE(m_recorder->calls[0].module, 1);
        QTEST(m_recorder->calls[0].flags, "flags");
    }

    void noFailureReachesTheCaller()
    {
        const rt::ScopedService<sound::SoundOutput, ThrowingSound> throwing;
        cSounds sounds;
        int32_t index = 15;
        QString file = QStringLiteral("x.wav");
        bool yes = true;
        sounds.SystemSound(index);
        sounds.SoundStop();
        sounds.SoundPlay(file, yes, yes);
    }

    void tempPathIsTheWholePathWithItsSlash_data()
    {
        QTest::addColumn<int>("depth"); // nested folders of 50 characters each
        QTest::newRow("short") << 1;
        QTest::newRow("longer than 255 characters") << 7;
    }

    void tempPathIsTheWholePathWithItsSlash()
    {
        QFETCH(int, depth);
        QTemporaryDir base;
        QString folder = base.path();
        for (int i = 0; i < depth; ++i)
            folder += QLatin1Char('/') + QString(49, QLatin1Char('a' + i));
        QVERIFY(QDir().mkpath(folder));
        const QByteArray saved = qgetenv("TMPDIR");
        qputenv("TMPDIR", folder.toLocal8Bit());
        const com::Variant path = cSounds().strTempPath();
        qputenv("TMPDIR", saved);
        QCOMPARE(path.type(), com::VarType::String);
        QCOMPARE(path.toString(), folder + QLatin1Char('/'));
    }

    void windowDirectoryHoldsTheSystemLibraries()
    {
        const com::Variant value = cSounds().strWindowDirectory();
        QCOMPARE(value.type(), com::VarType::String);
        const QString folder = value.toString();
        QVERIFY(QFileInfo(folder).isAbsolute());
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(!folder.endsWith(QLatin1Char('/')));
        QVERIFY(!QDir(folder).entryList({QStringLiteral("libc.so*")}, QDir::Files | QDir::System).isEmpty());
    }
};

KV_TEST_MAIN(TestSounds)
#include "tst_Sounds.moc"
