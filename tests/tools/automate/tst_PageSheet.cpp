#include "platform/com/AutomationScript.h"
#include "platform/com/PropertyPage.h"
#include "platform/com/PropertySheet.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/VisibleTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <functional>

using com::PropertySheet;

// The test container's "pages" statement over the shipped library: the sheet
// opens modally, a person changes fields and presses its buttons, and what
// was applied reads back with "get".
class TestPageSheet : public QObject
{
    Q_OBJECT
private:
    com::AutomationScript m_script;

    // Runs "pages" and acts on the sheet once it waits; a sheet the action
    // leaves open is cancelled, so no test can hang.
    QStringList pages(const std::function<void(PropertySheet *)> &act)
    {
        bool acted = false;
        QTimer poll;
        int ticks = 0;
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *sheet = qobject_cast<PropertySheet *>(QApplication::activeModalWidget());
            if (sheet && !acted) {
                acted = true;
                act(sheet);
            } else if (sheet && ++ticks > 100) {
                sheet->reject();
            }
        });
        poll.start(10);
        return m_script.execute(QStringLiteral("pages"));
    }
    QStringList run(const QString &statements)
    {
        QStringList printed;
        for (const QString &statement : statements.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            printed << m_script.execute(statement);
        return printed;
    }
    template <class W> static W *field(PropertySheet *sheet, const char *name)
    {
        W *widget = sheet->findChild<W *>(QString::fromLatin1(name));
        if (!widget)
            qWarning("no field %s", name);
        return widget;
    }
    static QStringList tabTexts(PropertySheet *sheet)
    {
        QStringList texts;
        for (int i = 0; i < sheet->tabs()->count(); ++i)
            texts << sheet->tabs()->tabText(i);
        return texts;
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerLibrary(QStringLiteral("libostrevo.so"))); }

    // The library's pages in the control's order; the platform's own colour,
    // font and picture pages are no part of this host.
    void theControlsPagesAsTabs_data()
    {
        QTest::addColumn<QString>("progId");
        QTest::addColumn<QStringList>("tabs");
        QTest::addColumn<QStringList>("clipped");
        QTest::newRow("Button") << "Quiv_Tools.Button" << QStringList{"&Allgemein", "Info"} << QStringList();
        QTest::newRow("ProgressBar") << "Quiv_Tools.ProgressBar" << QStringList{"Settings", "Info"}
                                     << QStringList();
        QTest::newRow("Label3D") << "Quiv_Tools.Label3D" << QStringList{"TextMode", "Info"} << QStringList();
        QTest::newRow("ScrollBox") << "Quiv_Tools.ScrollBox" << QStringList{"MoveControls", "Info"}
                                   << QStringList();
    }

    void theControlsPagesAsTabs()
    {
        QFETCH(QString, progId);
        QFETCH(QStringList, tabs);
        QFETCH(QStringList, clipped);
        QCOMPARE(run(QStringLiteral("create ") + progId), QStringList());
        QStringList seen;
        QStringList tooNarrow;
        const QStringList printed = pages([&](PropertySheet *sheet) {
            seen = tabTexts(sheet);
            seen << sheet->okButton()->text() << sheet->cancelButton()->text()
                 << sheet->applyButton()->text();
            for (int i = 0; i < sheet->tabs()->count(); ++i) {
                sheet->tabs()->setCurrentIndex(i);
                for (const testsupport::VisibleText &text : testsupport::visibleTexts(sheet))
                    if (!text.fits())
                        tooNarrow << text.text;
            }
            sheet->cancelButton()->click();
        });
        QCOMPARE(printed, QStringList());
        QCOMPARE(seen, (tabs + QStringList{"OK", "Abbrechen", "Übernehmen"}));
        QCOMPARE(tooNarrow, clipped);
    }

    void buttonAppliedThenCancelled()
    {
        run(QStringLiteral("create Quiv_Tools.Button"));
        bool applyLeftEnabled = true;
        pages([&](PropertySheet *sheet) {
            field<QLineEdit>(sheet, "txtCaption")->setText(QStringLiteral("Übernommen"));
            field<QComboBox>(sheet, "cbBorStyle")->setCurrentIndex(5);
            field<QListWidget>(sheet, "ConstList")->setCurrentRow(27);
            field<QCheckBox>(sheet, "chkGradient")->click();
            QVERIFY(sheet->applyButton()->isEnabled());
            sheet->applyButton()->click();
            applyLeftEnabled = sheet->applyButton()->isEnabled();
            // A change after Apply is not written when the sheet is cancelled.
            field<QLineEdit>(sheet, "txtCaption")->setText(QStringLiteral("Verworfen"));
            QVERIFY(sheet->applyButton()->isEnabled());
            sheet->cancelButton()->click();
        });
        QVERIFY(!applyLeftEnabled);
        QCOMPARE(run(QStringLiteral("get Caption\nget BorderStyle\nget ButtonShow\nget Gradient")),
                 (QStringList{"Übernommen", "5", "27", "False"}));
    }

    void progressBarChangedWithOK()
    {
        run(QStringLiteral("create Quiv_Tools.ProgressBar\nlet Style 0\nlet ShowText False"));
        pages([&](PropertySheet *sheet) {
            field<QListWidget>(sheet, "lstModes")->setCurrentRow(5);
            field<QCheckBox>(sheet, "chkShowText")->click();
            sheet->okButton()->click();
        });
        QCOMPARE(run(QStringLiteral("get Style\nget ShowText")), (QStringList{"5", "True"}));
    }

    void cancelWritesNothing()
    {
        run(QStringLiteral("create Quiv_Tools.Button"));
        pages([&](PropertySheet *sheet) {
            field<QLineEdit>(sheet, "txtCaption")->setText(QStringLiteral("Nie"));
            field<QComboBox>(sheet, "cbMode")->setCurrentIndex(2);
            sheet->cancelButton()->click();
        });
        QCOMPARE(run(QStringLiteral("get Caption\nget OptionMode")), (QStringList{"Caption", "0"}));
    }

    // A value the control refuses is shown; the sheet stays open until a good one is applied.
    void aRefusedValueKeepsTheSheetOpen()
    {
        QVERIFY(testsupport::registerLibrary(QStringLiteral("libkvtestcontrol.so")));
        run(QStringLiteral("create KvTest.Counter\nlet Step 4"));
        QString shown;
        bool openAfterRefusal = false;
        pages([&](PropertySheet *sheet) {
            auto *step = field<QLineEdit>(sheet, "txtStep");
            QCOMPARE(step->text(), QStringLiteral("4"));
            QVERIFY(!sheet->applyButton()->isEnabled());
            step->clear();
            QTest::keyClicks(step, QStringLiteral("0"));
            QVERIFY(sheet->applyButton()->isEnabled());
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (!box)
                    return;
                shown = box->text();
                box->accept();
            });
            sheet->okButton()->click();
            openAfterRefusal = sheet->isVisible();
            step->clear();
            QTest::keyClicks(step, QStringLiteral("3"));
            sheet->okButton()->click();
        });
        QCOMPARE(shown, QStringLiteral("Unzulässiger Eigenschaftswert"));
        QVERIFY(openAfterRefusal);
        QCOMPARE(run(QStringLiteral("get Step")), QStringList{QStringLiteral("3")});
    }

    void statementsWithoutASheet_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no pages of its own") << "create Quiv_Tools.Line3D\npages"
                                             << QStringList{"error 5: Line3D hat keine Eigenschaftenseiten"};
        QTest::newRow("a page has no pages")
            << "create Quiv_Tools.Info\npages" << QStringList{"error 5: Info hat keine Eigenschaftenseiten"};
    }

    void statementsWithoutASheet()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        QCOMPARE(run(script), expected);
    }

    void noObjectYet()
    {
        com::AutomationScript fresh;
        QCOMPARE(fresh.execute(QStringLiteral("pages")),
                 QStringList{QStringLiteral("error 91: Objektvariable nicht festgelegt")});
    }
};

KV_TEST_MAIN(TestPageSheet)
#include "tst_PageSheet.moc"
