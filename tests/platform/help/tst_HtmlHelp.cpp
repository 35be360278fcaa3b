#include "platform/help/HtmlHelp.h"
#include "platform/runtime/ScopedService.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/RecordingHelpViewer.h"

#include <QWidget>

using help::HelpViewer;
using help::RecordingHelpViewer;

namespace
{

const QString HelpPath = QStringLiteral("/programm/zorvelin.chm");

} // namespace

// The diary's help calls reach the help viewer as its own commands.
class tst_HtmlHelp : public QObject
{
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void viewerAnswerIsTheResult();
};

void tst_HtmlHelp::commands_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("data");
    QTest::addColumn<bool>("reaches");
    QTest::addColumn<int>("viewerCommand");
    QTest::addColumn<int>("viewerData");

    QTest::newRow("default topic") << 0x00 << 0 << true << int(HelpViewer::Contents) << 0;
    QTest::newRow("context 310") << 0x0F << 310 << true << int(HelpViewer::Context) << 310;
    QTest::newRow("context 0") << 0x0F << 0 << true << int(HelpViewer::Context) << 0;
    QTest::newRow("close all") << 0x12 << 0 << true << int(HelpViewer::Quit) << 0;
    QTest::newRow("topic by address") << 0x00 << 4711 << false << 0 << 0;
    QTest::newRow("keyword lookup") << 0x0D << 0 << false << 0 << 0;
    QTest::newRow("winhelp context number") << 0x01 << 310 << false << 0 << 0;
}

void tst_HtmlHelp::commands()
{
    QFETCH(int, command);
    QFETCH(int, data);
    QFETCH(bool, reaches);
    QFETCH(int, viewerCommand);
    QFETCH(int, viewerData);

    rt::ScopedService<HelpViewer, RecordingHelpViewer> scoped;
    auto &viewer = *scoped;
    QWidget owner;
    QCOMPARE(help::htmlHelp(&owner, HelpPath, command, data), reaches);
    QCOMPARE(int(viewer.calls.size()), reaches ? 1 : 0);
    if (!reaches)
        return;
    const RecordingHelpViewer::Call &call = viewer.calls.front();
    QCOMPARE(call.owner.data(), &owner);
    QCOMPARE(call.file, HelpPath);
    QCOMPARE(call.command, viewerCommand);
    QCOMPARE(call.data, viewerData);
}

void tst_HtmlHelp::viewerAnswerIsTheResult()
{
    rt::ScopedService<HelpViewer, RecordingHelpViewer> scoped;
    scoped->result = false;
    QVERIFY(!help::htmlHelp(nullptr, HelpPath, 0x0F, 310));
    QVERIFY(!help::htmlHelp(nullptr, HelpPath, 0x00, 0));
    QCOMPARE(int(scoped->calls.size()), 2);
    QVERIFY(scoped->calls.front().owner.isNull());
}

KV_TEST_MAIN(tst_HtmlHelp)
#include "tst_HtmlHelp.moc"
