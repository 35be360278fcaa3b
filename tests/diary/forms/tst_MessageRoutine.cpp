#include "diary/forms/MessageRoutine.h"
#include "platform/com/Dispatcher.h"
#include "tests/support/TestMain.h"

using namespace com;

namespace
{

// Stands in for a window's Dialog1: records every call in order and answers
// ShowMsg with a prepared code.
class RecordingDialog : public AutomationObject
{
public:
    QStringList calls;
    int32_t answer = 6;
    const TypeInfo &typeInfo() const override
    {
        static const TypeInfo info;
        return info;
    }
    Variant invoke(int32_t dispid, Accessor kind, Args &args) override
    {
        if (kind == Method) {
            calls << QStringLiteral("call %1").arg(dispid, 0, 16);
            return Variant::fromLong(answer);
        }
        calls << QStringLiteral("%1=%2").arg(dispid, 0, 16).arg(args.back().display());
        return Variant();
    }
};

} // namespace

class TestMessageRoutine : public QObject
{
    Q_OBJECT
private slots:
    void showMessageSetsEveryMemberInOrder()
    {
        RecordingDialog dialog;
        dialog.answer = 106;
        QCOMPARE(kalvento::ShowMessage(dialog, QStringLiteral("Frage?"), QStringLiteral("36"),
                                       QStringLiteral("Titel")),
                 QStringLiteral("106"));
        QCOMPARE(dialog.calls, (QStringList{"68030027=Titel", "68030026=Frage?", "68030028=36",
                                            "6803000b=True", "68030015=13434879", "68030009=OK",
                                            "68030008=JA", "68030007=Nein", "68030003=50", "call 6003005c"}));
    }

    void showMessage2HasNoPointerAndItsOwnCaptions()
    {
        RecordingDialog dialog;
        dialog.answer = 3;
        QCOMPARE(
            kalvento::ShowMessage2(dialog, QStringLiteral("p"), QStringLiteral("70"), QStringLiteral("t")),
            QStringLiteral("3"));
        QCOMPARE(dialog.calls.mid(3, 5), (QStringList{"6803000b=False", "68030015=13434879", "68030009=Okay",
                                                      "68030008=Abbrechen", "68030007=Hilfe"}));
    }
};

KV_TEST_MAIN(TestMessageRoutine)
#include "tst_MessageRoutine.moc"
