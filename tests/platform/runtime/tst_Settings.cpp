#include "platform/runtime/App.h"
#include "platform/runtime/Settings.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

using rt::Settings;

namespace
{
const char SettingsVariable[] = "PROBE_SETTINGS";
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void missingGivesDefault_data();
    void missingGivesDefault();
    void namesIgnoreCase();
    void deletes_data();
    void deletes();
    void rejectsEmptyNames();
    void unwritableFileReportsFailure();
    void filePathFollowsIdentity_data();
    void filePathFollowsIdentity();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    rt::ApplicationIdentity m_saved;
};

void TestSettings::init()
{
    m_saved = rt::App::identity();
    rt::App::configure({{}, {}, QString::fromLatin1(SettingsVariable), QStringLiteral("probe")});
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv(SettingsVariable, m_dir->filePath(QStringLiteral("settings.ini")).toLocal8Bit());
}

void TestSettings::cleanup()
{
    qunsetenv(SettingsVariable);
    rt::App::configure(m_saved);
}

void TestSettings::roundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("number") << QStringLiteral("9000");
    QTest::newRow("empty") << QString();
    QTest::newRow("umlauts") << QStringLiteral("Größe für Ärzte");
    QTest::newRow("comma list") << QStringLiteral("1, 2, 3");
    QTest::newRow("at sign") << QStringLiteral("@Variant(x)");
    QTest::newRow("quotes and semicolon") << QStringLiteral("\"a\"; b = c");
    QTest::newRow("spaces kept") << QStringLiteral("  rund  ");
    QTest::newRow("windows path") << QStringLiteral("C:\\Tagebuch\\data");
}

void TestSettings::roundTrip()
{
    QFETCH(QString, value);
    QVERIFY(Settings::saveSetting("Kalvento", "Optionen", "Wert", value));
    QVERIFY(QFile::exists(m_dir->filePath(QStringLiteral("settings.ini"))));
    QCOMPARE(Settings::getSetting("Kalvento", "Optionen", "Wert", "default"), value);
}

void TestSettings::missingGivesDefault_data()
{
    QTest::addColumn<QString>("app");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::newRow("other key") << "Kalvento"
                               << "Optionen"
                               << "Fehlt";
    QTest::newRow("other section") << "Kalvento"
                                   << "Fehlt"
                                   << "Wert";
    QTest::newRow("other program") << "Fehlt"
                                   << "Optionen"
                                   << "Wert";
}

void TestSettings::missingGivesDefault()
{
    QFETCH(QString, app);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QVERIFY(Settings::saveSetting("Kalvento", "Optionen", "Wert", "da"));
    QCOMPARE(Settings::getSetting(app, section, key, "vorgabe"), QStringLiteral("vorgabe"));
    QCOMPARE(Settings::getSetting(app, section, key), QString());
}

void TestSettings::namesIgnoreCase()
{
    QVERIFY(Settings::saveSetting("Kalvento", "Optionen", "Farbe", "rot"));
    QCOMPARE(Settings::getSetting("KALVENTO", "optionen", "FARBE"), QStringLiteral("rot"));
    // Saving under another spelling replaces the value rather than adding a twin.
    QVERIFY(Settings::saveSetting("kalvento", "OPTIONEN", "farbe", "blau"));
    QCOMPARE(Settings::getSetting("Kalvento", "Optionen", "Farbe"), QStringLiteral("blau"));
    QFile file(Settings::filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QCOMPARE(text.count("blau"), 1);
    QCOMPARE(text.count("rot"), 0);
}

void TestSettings::deletes_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QStringList>("remaining"); // of A/a, A/b, B/c
    QTest::newRow("key") << "A"
                         << "a" << true << QStringList{"b", "c"};
    QTest::newRow("key, other case") << "a"
                                     << "B" << true << QStringList{"a", "c"};
    QTest::newRow("section") << "A" << QString() << true << QStringList{"c"};
    QTest::newRow("whole program") << QString() << QString() << true << QStringList();
    QTest::newRow("missing key") << "A"
                                 << "x" << false << QStringList{"a", "b", "c"};
    QTest::newRow("missing section") << "X" << QString() << false << QStringList{"a", "b", "c"};
}

void TestSettings::deletes()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(bool, removed);
    QFETCH(QStringList, remaining);
    const QString app = QStringLiteral("Kalvento");
    QVERIFY(Settings::saveSetting(app, "A", "a", "1"));
    QVERIFY(Settings::saveSetting(app, "A", "b", "2"));
    QVERIFY(Settings::saveSetting(app, "B", "c", "3"));
    QVERIFY(Settings::saveSetting("Andere", "A", "a", "4"));
    QCOMPARE(Settings::deleteSetting(app, section, key), removed);
    QStringList present;
    const QList<std::pair<QString, QString>> stored{{"A", "a"}, {"A", "b"}, {"B", "c"}};
    for (const auto &[group, name] : stored) {
        if (!Settings::getSetting(app, group, name).isEmpty())
            present.append(name);
    }
    QCOMPARE(present, remaining);
    QCOMPARE(Settings::getSetting("Andere", "A", "a"), QStringLiteral("4"));
}

void TestSettings::rejectsEmptyNames()
{
    QVERIFY(!Settings::saveSetting(QString(), "A", "a", "1"));
    QVERIFY(!Settings::saveSetting("Kalvento", QString(), "a", "1"));
    QVERIFY(!Settings::saveSetting("Kalvento", "A", QString(), "1"));
    QVERIFY(!Settings::deleteSetting(QString()));
    QVERIFY(!Settings::deleteSetting("Kalvento", QString(), "a"));
    QCOMPARE(Settings::getSetting("Kalvento", "A", QString(), "d"), QStringLiteral("d"));
    QVERIFY(!QFile::exists(Settings::filePath()));
}

void TestSettings::unwritableFileReportsFailure()
{
    // A regular file where the settings folder should be.
    const QString blocker = m_dir->filePath(QStringLiteral("blocker"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv(SettingsVariable, (blocker + QStringLiteral("/settings.ini")).toLocal8Bit());
    QVERIFY(!Settings::saveSetting("Kalvento", "A", "a", "1"));
    QCOMPARE(Settings::getSetting("Kalvento", "A", "a", "d"), QStringLiteral("d"));
}

void TestSettings::filePathFollowsIdentity_data()
{
    const QDir config(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("variable set") << QString::fromLatin1(SettingsVariable) << QStringLiteral("probe")
                                  << QStringLiteral("/tmp/probe/settings.ini");
    QTest::newRow("own folder") << QString() << QStringLiteral("probe")
                                << config.filePath(QStringLiteral("probe/settings.ini"));
    QTest::newRow("neutral") << QString() << QString()
                             << config.filePath(QCoreApplication::applicationName() +
                                                QStringLiteral("/settings.ini"));
}

// Only the file the program names; no other program's variable or folder.
void TestSettings::filePathFollowsIdentity()
{
    QFETCH(QString, variable);
    QFETCH(QString, folder);
    QFETCH(QString, path);
    const QByteArray previous = qgetenv("KALVENTO_SETTINGS");
    qputenv("KALVENTO_SETTINGS", "/tmp/not-this.ini");
    qputenv(SettingsVariable, "/tmp/probe/settings.ini");
    rt::App::configure({{}, {}, variable, folder});
    const QString filePath = Settings::filePath();
    qputenv("KALVENTO_SETTINGS", previous);
    QCOMPARE(filePath, path);
}

KV_TEST_MAIN(TestSettings)
#include "tst_Settings.moc"
