#include "diary/program/ProgramEnd.h"
#include "diary/program/ProgramStart.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/FrmNew.h"
#include "platform/com/Variant.h"
#include "platform/runtime/GermanLocale.h"
#include "platform/runtime/SystemSources.h"
#include "tests/diary/windows/MainWindows.h"
#include "tests/support/DiaryHome.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakeClock.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <cstdio>

using kalvento::FrmMain;

namespace
{

// Started again as a child under another locale, this program prints what the
// diary shows there instead of running the tests.
const char ProbeVariable[] = "KV_LOCALE_PROBE";

int runLocaleProbe(int argc, char **argv)
{
    QApplication app(argc, argv);
    kalvento::prepareProgram(app, 2, 5, 17);
    rt::SystemSources::setClock(std::make_unique<rt::FakeClock>());
    {
        QPointer<FrmMain> form = rt::Form::create<FrmMain>();
        form->load();
        if (!form || !form->isLoaded())
            return 2;
        QMessageBox box;
        const QDateTime lastOfSeptember(QDate(2026, 9, 30), QTime(0, 0));
        const QString lines = QStringList{form->Text3()->text(),
                                          QLocale().toString(lastOfSeptember.date(), QLocale::LongFormat),
                                          com::Variant::fromDate(lastOfSeptember).toString(),
                                          com::Variant(QStringLiteral("Mittwoch, 30. September 2026"))
                                              .toDateTime()
                                              .date()
                                              .toString(Qt::ISODate),
                                          box.addButton(QMessageBox::Yes)->text()}
                                  .join(QLatin1Char('\n'));
        std::fputs(lines.toUtf8().constData(), stdout);
        form->unload();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

// Files of this process that are open on the given one.
int openHandlesOn(const QString &file)
{
    const QString target = QFileInfo(file).canonicalFilePath();
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
        count += fd.symLinkTarget() == target;
    return count;
}

// The program's end as a counter, and the program's end-with-the-last-form
// rule only for as long as a test needs it.
class EndWatch
{
public:
    EndWatch()
    {
        kalvento::ProgramEnd::setHook([this] { ++ends; });
        kalvento::ProgramEnd::endWithLastForm();
    }
    ~EndWatch()
    {
        rt::Form::setWhenAllUnloaded({});
        kalvento::ProgramEnd::setHook({});
    }
    EndWatch(const EndWatch &) = delete;
    EndWatch &operator=(const EndWatch &) = delete;
    int ends = 0;
};

} // namespace

class TestProgramStart : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(testsupport::setUpDiaryTests()); }

    void datesAreGermanUnderEveryLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("C") << QStringLiteral("C");
        QTest::newRow("C.UTF-8") << QStringLiteral("C.UTF-8");
        QTest::newRow("en_US") << QStringLiteral("en_US.UTF-8");
        QTest::newRow("de_DE") << QStringLiteral("de_DE.UTF-8");
    }

    void datesAreGermanUnderEveryLocale()
    {
        QFETCH(QString, locale);
        testsupport::DiaryHome home;
        QVERIFY(home.isValid());
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(ProbeVariable), QStringLiteral("1"));
        env.insert(QStringLiteral("LANG"), locale);
        env.insert(QStringLiteral("LC_ALL"), locale);
        env.insert(QStringLiteral("LANGUAGE"), locale.section(QLatin1Char('.'), 0, 0));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), 0);
        const QStringList shown = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
        QCOMPARE(shown, (QStringList{"Dienstag, 8. Dezember 2026", "Mittwoch, 30. September 2026",
                                     "30.09.2026", "2026-09-30", "&Ja"}));
    }

    void standardDialogsSpeakGerman()
    {
        QVERIFY(rt::GermanLocale::install());
        QMessageBox box;
        QCOMPARE(box.addButton(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
        QCOMPARE(box.addButton(QMessageBox::No)->text(), QStringLiteral("&Nein"));
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    }

    void closeBoxEndsTheProgramWithTheDatabaseClosed()
    {
        testsupport::DiaryHome home;
        QVERIFY(home.isValid());
        home.seed(
            {{QStringLiteral("Montag, 7. Dezember 2026"), testsupport::rtfOf(QStringLiteral("Gestern"))}});
        EndWatch watch;
        QPointer<FrmMain> form = rt::Form::create<FrmMain>();
        form->showModeless();
        QVERIFY(form->isVisible());
        QVERIFY(openHandlesOn(home.databaseFile()) > 0);
        form->close();
        QTRY_COMPARE(watch.ends, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form);
        QCOMPARE(openHandlesOn(home.databaseFile()), 0);
        QCOMPARE(rt::Form::loadedForms().size(), 0);
    }

    void closingTheEditorLeavesTheMainWindow()
    {
        testsupport::DiaryHome home;
        QVERIFY(home.isValid());
        EndWatch watch;
        QPointer<FrmMain> form = rt::Form::create<FrmMain>();
        form->showModeless();
        QPointer<kalvento::FrmNew> editor = rt::Form::create<kalvento::FrmNew>(*form);
        editor->showModeless();
        editor->close();
        QTRY_VERIFY(!editor);
        QTest::qWait(20);
        QCOMPARE(watch.ends, 0);
        QVERIFY(form->isVisible());
        form->close();
        QTRY_COMPARE(watch.ends, 1);
    }
};

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(ProbeVariable))
        return runLocaleProbe(argc, argv);
    testsupport::prepareTestEnvironment();
    QApplication app(argc, argv);
    TestProgramStart test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ProgramStart.moc"
