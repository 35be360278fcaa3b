#include "controls/tree/MoveControls.h"
#include "platform/com/ControlHost.h"
#include "tests/support/Automation.h"
#include "tests/support/HostForm.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

using com::Variant;
using ostrevo::MoveControls;

class TestMoveControlsPage : public QObject
{
    Q_OBJECT
private:
    testsupport::HostForm m_form;
    std::unique_ptr<MoveControls> m_page;

    // A shown box with one control at 4 pixels (60 twips) from its top.
    com::Control *newBox(const QString &name, QWidget **content)
    {
        com::Control *box =
            com::ControlHost::createControl(QStringLiteral("Quiv_Tools.ScrollBox"), m_form.get(), name);
        *content = new QWidget(box);
        (*content)->setGeometry(10, 4, 50, 20);
        box->resize(200, 100);
        box->show();
        return box;
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_form.open(QSize(500, 300));
        m_page = std::make_unique<MoveControls>();
    }

    void cleanup()
    {
        m_page.reset();
        m_form.reset();
    }

    void designLook()
    {
        QCOMPARE(m_page->windowTitle(), QStringLiteral("MoveControls"));
        QCOMPARE(m_page->cmdDown()->text(), QStringLiteral("Move Down"));
        QCOMPARE(m_page->CmdUp()->text(), QStringLiteral("Move Up"));
        QCOMPARE(m_page->cmdDown()->parentWidget()->objectName(), QStringLiteral("Frame1"));
        QCOMPARE(m_page->Label1()->text(), QStringLiteral("Benutzen Sie die Aufwärts- und Abwärtstasten, um "
                                                          "dieScrollBox nach Oben oder Unten zu erweitern."));
        // Created by name, as the designer creates its pages.
        std::unique_ptr<com::AutomationObject> page =
            com::ControlHost::createObject(QStringLiteral("Quiv_Tools.MoveControls"));
        QVERIFY(dynamic_cast<com::PropertyPage *>(page.get()));
    }

    void buttonsMoveFirstSelectedBoxOnly()
    {
        QWidget *first = nullptr, *second = nullptr;
        com::Control *box1 = newBox(QStringLiteral("ScrollBox1"), &first);
        com::Control *box2 = newBox(QStringLiteral("ScrollBox2"), &second);
        m_page->setSelectedControls({box1, box2});
        QSignalSpy changed(m_page.get(), &com::PropertyPage::changedChanged);

        QTest::mouseClick(m_page->cmdDown(), Qt::LeftButton);
        QCOMPARE(first->y(), 24);
        QCOMPARE(second->y(), 4);
        QTest::mouseClick(m_page->CmdUp(), Qt::LeftButton);
        QTest::mouseClick(m_page->CmdUp(), Qt::LeftButton);
        QCOMPARE(first->y(), -16);
        QCOMPARE(second->y(), 4);

        // No limit: the contents can leave the box entirely.
        for (int i = 0; i < 10; ++i)
            m_page->cmdDown()->click();
        QCOMPARE(first->y(), 184);
        // The move is done at once; the page has nothing to apply.
        QVERIFY(!m_page->changed());
        QCOMPARE(changed.count(), 0);
        m_page->apply();
        QCOMPARE(first->y(), 184);
        QCOMPARE(box1->get(QStringLiteral("Value")).toString(), QString());
    }

    void clicksWithoutAScrollBoxDoNothing()
    {
        m_page->cmdDown()->click(); // nothing selected
        com::Control *label = com::ControlHost::createControl(QStringLiteral("Quiv_Tools.Label3D"),
                                                              m_form.get(), QStringLiteral("L"));
        const QPoint before = label->pos();
        m_page->setSelectedControls({label});
        m_page->CmdUp()->click(); // the late-bound call fails inside the page
        QCOMPARE(label->pos(), before);
        QVERIFY(!m_page->changed());
    }
};

KV_TEST_MAIN(TestMoveControlsPage)
#include "tst_MoveControlsPage.moc"
