#include "controls/button/Button.h"
#include "controls/button/propgButton.h"
#include "platform/com/ControlHost.h"
#include "platform/com/StdFont.h"
#include "platform/runtime/Timer.h"
#include "tests/support/Automation.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

using com::Variant;
using ostrevo::Button;
using ostrevo::propgButton;
using testsupport::errorOf;

namespace
{

QStringList entriesOf(QWidget *list)
{
    QStringList entries;
    if (auto *combo = qobject_cast<QComboBox *>(list))
        for (int i = 0; i < combo->count(); ++i)
            entries << combo->itemText(i);
    if (auto *box = qobject_cast<QListWidget *>(list))
        for (int i = 0; i < box->count(); ++i)
            entries << box->item(i)->text();
    return entries;
}

// The entry a list shows as chosen; "-" when none is.
QString choiceOf(QWidget *list)
{
    if (auto *combo = qobject_cast<QComboBox *>(list))
        return combo->currentIndex() < 0 ? QStringLiteral("-") : combo->currentText();
    auto *box = qobject_cast<QListWidget *>(list);
    const QListWidgetItem *item = box ? box->currentItem() : nullptr;
    return item && item->isSelected() ? item->text() : QStringLiteral("-");
}

void sendMouse(QWidget *widget, QEvent::Type type)
{
    const QPoint at(10, 10);
    QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestButtonPage : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QWidget> m_form;
    std::unique_ptr<propgButton> m_page;
    QStringList m_events;

    Button *newButton(const QString &name)
    {
        com::Control *control = testsupport::createRecorded(QStringLiteral("Quiv_Tools.Button"), m_form.get(),
                                                            name, m_events, QSize(120, 40));
        auto *button = dynamic_cast<Button *>(control);
        button->pollTimer().setEnabled(false);
        return button;
    }
    // The twelve properties the page edits, as the button gives them.
    static QString stateOf(com::AutomationObject *button)
    {
        QStringList shown;
        for (const char *name :
             {"Value", "EnabledB", "FocusRect", "IconSize", "Gradient", "ToolTipText", "Caption",
              "ButtonShow", "BorderStyle", "TextAlignment", "Font3D", "OptionMode"})
            shown << button->get(QString::fromLatin1(name)).display();
        return shown.join(QLatin1Char(' '));
    }
    QWidget *field(const QString &name) const { return m_page->findChild<QWidget *>(name); }
    // What a person does to one field: choose an entry, click a box, type a text.
    void act(const QString &name, const QString &choice)
    {
        QWidget *widget = field(name);
        QVERIFY2(widget, qPrintable(name));
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            combo->setCurrentIndex(choice.toInt());
        else if (auto *list = qobject_cast<QListWidget *>(widget))
            list->setCurrentRow(choice.toInt());
        else if (auto *box = qobject_cast<QCheckBox *>(widget))
            box->click();
        else if (auto *text = qobject_cast<QLineEdit *>(widget))
            text->setText(choice);
    }

private slots:
    void initTestCase() { QVERIFY(testsupport::registerControls()); }

    void init()
    {
        m_form = std::make_unique<QWidget>();
        m_form->resize(400, 300);
        m_form->show();
        m_page = std::make_unique<propgButton>();
        m_page->show();
        m_events.clear();
    }

    void cleanup()
    {
        m_page.reset();
        m_form.reset();
    }

    // Each list holds the constants of its enumeration, "value - name", in declaration order.
    void lists_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("BorderStyle") << "cbBorStyle"
                                     << QStringList{"0 - nOff",  "1 - Cool",    "2 - Flat",   "3 - nStandard",
                                                    "4 - extra", "5 - XPStyle", "6 - XPcool", "7 - XPflat"};
        QTest::newRow("OptionMode") << "cbMode"
                                    << QStringList{"0 - optButton", "1 - optSwitch", "2 - optGroup"};
        QTest::newRow("Font3D") << "cbFont3D"
                                << QStringList{"0 - pTop", "1 - pTopOver", "2 - pDown", "3 - pDownOver",
                                               "4 - pStandard"};
        QTest::newRow("TextAlignment")
            << "cbAlign" << QStringList{"0 - tOff", "1 - Arrow", "2 - tRight", "3 - tBottom"};
    }

    void lists()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, expected);
        QCOMPARE(entriesOf(field(list)), expected);
        QCOMPARE(choiceOf(field(list)), QStringLiteral("-"));
    }

    void buttonShowListsAllFiftyTwoIcons()
    {
        const QStringList entries = entriesOf(m_page->ConstList());
        QCOMPARE(entries.size(), 52);
        QCOMPARE(entries.first(), QStringLiteral("0 - Benutzerdefiniert"));
        QCOMPARE(entries.at(21), QStringLiteral("21 - btnOK"));
        QCOMPARE(entries.at(42), QStringLiteral("42 - CheckBox"));
        QCOMPARE(entries.last(), QStringLiteral("51 - pOff"));
    }

    void selectionFillsThePageAndThePreview()
    {
        Button *button = newButton(QStringLiteral("xpCheck1"));
        button->let(QStringLiteral("OptionMode"), Variant::fromLong(1));
        button->let(QStringLiteral("Value"), Variant::fromBool(true));
        button->let(QStringLiteral("FocusRect"), Variant::fromBool(true));
        button->let(QStringLiteral("IconSize"), Variant::fromBool(true));
        button->let(QStringLiteral("Gradient"), Variant::fromBool(false));
        button->let(QStringLiteral("ToolTipText"), Variant(QStringLiteral("Speichert alles")));
        button->let(QStringLiteral("Caption"), Variant(QStringLiteral("Sichern")));
        button->let(QStringLiteral("ButtonShow"), Variant::fromLong(27));
        button->let(QStringLiteral("BorderStyle"), Variant::fromLong(5));
        button->let(QStringLiteral("TextAlignment"), Variant::fromLong(1));
        button->let(QStringLiteral("Font3D"), Variant::fromLong(3));
        button->let(QStringLiteral("BackColorB"), Variant::fromColor(0x0000FF));
        button->let(QStringLiteral("ButtonColor"), Variant::fromColor(0x00FF00));
        button->let(QStringLiteral("FontColor"), Variant::fromColor(0xFF0000));
        auto font = std::make_shared<com::StdFont>();
        font->name = QStringLiteral("Arial");
        font->size = 14;
        font->bold = true;
        button->set(QStringLiteral("Font"), Variant::fromObject(font));
        const QString before = stateOf(button);

        m_page->setSelectedControls({button});

        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(m_page->chkPress()->isChecked())
                     .arg(m_page->chkEnab()->isChecked())
                     .arg(m_page->bcFocusRect()->isChecked())
                     .arg(m_page->chk32()->isChecked())
                     .arg(m_page->chkGradient()->isChecked()),
                 QStringLiteral("1 1 1 1 0"));
        QCOMPARE(m_page->txtCaption()->text(), QStringLiteral("Sichern"));
        QCOMPARE(m_page->txtToolTipText()->text(), QStringLiteral("Speichert alles"));
        QCOMPARE(choiceOf(m_page->ConstList()), QStringLiteral("27 - btnSave"));
        QCOMPARE(choiceOf(m_page->cbBorStyle()), QStringLiteral("5 - XPStyle"));
        QCOMPARE(choiceOf(m_page->cbAlign()), QStringLiteral("1 - Arrow"));
        QCOMPARE(choiceOf(m_page->cbFont3D()), QStringLiteral("3 - pDownOver"));
        QCOMPARE(choiceOf(m_page->cbMode()), QStringLiteral("1 - optSwitch"));
        QVERIFY(m_page->chkPress()->isEnabled());

        // The button shows its own ToolTipText, so that is where the preview's tip goes.
        Button *demo = m_page->DemoButton();
        QCOMPARE(stateOf(demo), before);
        QVERIFY(demo->get(QStringLiteral("ToolTip")).toBool());
        QCOMPARE(demo->get(QStringLiteral("BackColorB")).toColor(), 0x0000FFu);
        QCOMPARE(demo->get(QStringLiteral("ButtonColor")).toColor(), 0x00FF00u);
        QCOMPARE(demo->get(QStringLiteral("FontColor")).toColor(), 0xFF0000u);
        // The face only, in a font object of the preview's own.
        auto *demoFont = dynamic_cast<com::StdFont *>(demo->get(QStringLiteral("Font")).toObject());
        QVERIFY(demoFont && demoFont != font.get());
        QCOMPARE(demoFont->name, QStringLiteral("Arial"));
        QCOMPARE(demoFont->size, 8.25);
        QVERIFY(!demoFont->bold);
        // Filling the fields ran their handlers; nothing was written back.
        QVERIFY(m_page->changed());
        QCOMPARE(stateOf(button), before);
    }

    void aButtonShowingOKSelectsItsEntryAndThePreviewShowsIt()
    {
        Button *other = newButton(QStringLiteral("xpCheck1"));
        other->let(QStringLiteral("ButtonShow"), Variant::fromLong(9));
        Button *ok = newButton(QStringLiteral("xpCheck2"));
        ok->let(QStringLiteral("ButtonShow"), Variant::fromLong(21));
        m_page->setSelectedControls({other});
        QCOMPARE(m_page->DemoButton()->iconGroup(), other->iconGroup());
        QVERIFY(other->iconGroup() != ok->iconGroup());

        m_page->setSelectedControls({ok});
        QCOMPARE(choiceOf(m_page->ConstList()), QStringLiteral("21 - btnOK"));
        QCOMPARE(m_page->DemoButton()->get(QStringLiteral("ButtonShow")).toLong(), 21);
        QCOMPARE(m_page->DemoButton()->iconGroup(), ok->iconGroup());
    }

    // Every field sets its property on the preview at once and marks the page changed.
    void previewFollowsEveryChoice_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ButtonShow") << "ConstList"
                                    << "33"
                                    << "ButtonShow"
                                    << "33";
        QTest::newRow("BorderStyle") << "cbBorStyle"
                                     << "6"
                                     << "BorderStyle"
                                     << "6";
        QTest::newRow("TextAlignment") << "cbAlign"
                                       << "3"
                                       << "TextAlignment"
                                       << "3";
        QTest::newRow("Font3D") << "cbFont3D"
                                << "4"
                                << "Font3D"
                                << "4";
        QTest::newRow("OptionMode") << "cbMode"
                                    << "2"
                                    << "OptionMode"
                                    << "2";
        QTest::newRow("Value") << "chkPress"
                               << ""
                               << "Value"
                               << "True";
        QTest::newRow("IconSize") << "chk32"
                                  << ""
                                  << "IconSize"
                                  << "True";
        QTest::newRow("Gradient") << "chkGradient"
                                  << ""
                                  << "Gradient"
                                  << "False";
        QTest::newRow("EnabledB") << "chkEnab"
                                  << ""
                                  << "EnabledB"
                                  << "False";
        QTest::newRow("FocusRect") << "bcFocusRect"
                                   << ""
                                   << "FocusRect"
                                   << "True";
        QTest::newRow("Caption") << "txtCaption"
                                 << "Neu"
                                 << "Caption"
                                 << "Neu";
        QTest::newRow("tool tip") << "txtToolTipText"
                                  << "Hilfe"
                                  << "ToolTipText"
                                  << "Hilfe";
    }

    void previewFollowsEveryChoice()
    {
        QFETCH(QString, name);
        QFETCH(QString, choice);
        QFETCH(QString, property);
        QFETCH(QString, expected);
        Button *button = newButton(QStringLiteral("xpCheck1"));
        button->let(QStringLiteral("OptionMode"), Variant::fromLong(1)); // Value can be ticked
        const QString before = stateOf(button);
        m_page->setSelectedControls({button});
        m_page->setChanged(false);

        act(name, choice);

        Button *demo = m_page->DemoButton();
        QCOMPARE(demo->get(property).display(), expected);
        QVERIFY(m_page->changed());
        QCOMPARE(stateOf(button), before);
    }

    void optButtonModeDisablesValue_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("optSwitch") << 1 << true;
        QTest::newRow("optButton") << 0 << false;
        QTest::newRow("optGroup") << 2 << true;
    }

    void optButtonModeDisablesValue()
    {
        QFETCH(int, mode);
        QFETCH(bool, enabled);
        m_page->cbMode()->setCurrentIndex(mode == 1 ? 0 : 1);
        m_page->cbMode()->setCurrentIndex(mode);
        QCOMPARE(m_page->chkPress()->isEnabled(), enabled);
    }

    // A stored value no entry stands for: that list stays unchosen, the rest
    // fills, and applying leaves that property as it was.
    void outOfRangeValueLeavesItsListAlone_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("list");
        QTest::newRow("ButtonShow") << "ButtonShow" << 52 << "ConstList";
        QTest::newRow("BorderStyle") << "BorderStyle" << 99 << "cbBorStyle";
        QTest::newRow("TextAlignment") << "TextAlignment" << -1 << "cbAlign";
        QTest::newRow("Font3D") << "Font3D" << 5 << "cbFont3D";
        QTest::newRow("OptionMode") << "OptionMode" << 3 << "cbMode";
    }

    void outOfRangeValueLeavesItsListAlone()
    {
        QFETCH(QString, property);
        QFETCH(int, value);
        QFETCH(QString, list);
        Button *plain = newButton(QStringLiteral("xpCheck1"));
        Button *odd = newButton(QStringLiteral("xpCheck2"));
        odd->let(property, Variant::fromLong(value));
        odd->let(QStringLiteral("Caption"), Variant(QStringLiteral("Sonderfall")));
        m_page->setSelectedControls({plain});
        QVERIFY(choiceOf(field(list)) != QStringLiteral("-"));
        const QString previewBefore = m_page->DemoButton()->get(property).display();

        QCOMPARE(errorOf([&] { m_page->setSelectedControls({odd}); }), 0);
        QCOMPARE(choiceOf(field(list)), QStringLiteral("-"));
        QCOMPARE(m_page->txtCaption()->text(), QStringLiteral("Sonderfall"));
        for (QWidget *other :
             {static_cast<QWidget *>(m_page->ConstList()), static_cast<QWidget *>(m_page->cbBorStyle()),
              static_cast<QWidget *>(m_page->cbAlign()), static_cast<QWidget *>(m_page->cbFont3D()),
              static_cast<QWidget *>(m_page->cbMode())})
            if (other->objectName() != list)
                QVERIFY2(choiceOf(other) != QStringLiteral("-"), qPrintable(other->objectName()));
        QCOMPARE(m_page->DemoButton()->get(property).display(), previewBefore);

        m_page->txtCaption()->setText(QStringLiteral("Geändert"));
        QCOMPARE(errorOf([this] { m_page->apply(); }), 0);
        QCOMPARE(odd->get(property).toLong(), value);
        QCOMPARE(odd->get(QStringLiteral("Caption")).toString(), QStringLiteral("Geändert"));
    }

    void applyWritesTheFirstSelectedButtonOnly()
    {
        Button *first = newButton(QStringLiteral("xpCheck1"));
        Button *second = newButton(QStringLiteral("xpCheck2"));
        const QString untouched = stateOf(second);
        m_page->setSelectedControls({first, second});
        m_page->txtCaption()->setText(QStringLiteral("Erster"));
        m_page->txtToolTipText()->setText(QStringLiteral("Nur hier"));
        m_page->ConstList()->setCurrentRow(40);
        m_page->cbBorStyle()->setCurrentIndex(7);
        m_page->cbAlign()->setCurrentIndex(3);
        m_page->cbFont3D()->setCurrentIndex(2);
        m_page->cbMode()->setCurrentIndex(2);
        m_page->chkPress()->click();
        m_page->chk32()->click();
        m_page->chkGradient()->click();
        m_page->bcFocusRect()->click();
        QVERIFY(m_page->changed());

        m_page->apply();

        QCOMPARE(stateOf(first), QStringLiteral("True True True True False Nur hier Erster 40 7 3 2 2"));
        QCOMPARE(stateOf(second), untouched);
        QVERIFY(!m_page->changed());
    }

    // The preview reports its own presses; the Value box keeps what was set in it.
    void pressingThePreviewShowsItsState()
    {
        Button *button = newButton(QStringLiteral("xpCheck1"));
        button->let(QStringLiteral("OptionMode"), Variant::fromLong(1));
        m_page->setSelectedControls({button});
        Button *demo = m_page->DemoButton();
        demo->pollTimer().setEnabled(false);
        m_page->setChanged(false);

        const auto shown = [this] {
            return QStringLiteral("%1 %2 | %3 %4")
                .arg(m_page->Label2()->text(), m_page->Label5()->text(), m_page->Label6()->text(),
                     m_page->Label7()->text());
        };
        // The press latches the switch; the release that follows only clicks.
        sendMouse(demo, QEvent::MouseButtonPress);
        QCOMPARE(shown(), QStringLiteral("False 1 |  "));
        sendMouse(demo, QEvent::MouseButtonRelease);
        QCOMPARE(shown(), QStringLiteral("False 1 | True 1"));
        // The second press lets go; its release clicks, then reports the mouse up.
        sendMouse(demo, QEvent::MouseButtonPress);
        QCOMPARE(shown(), QStringLiteral("True 1 | True 1"));
        sendMouse(demo, QEvent::MouseButtonRelease);
        QCOMPARE(shown(), QStringLiteral("False 0 | False 0"));
        sendMouse(demo, QEvent::MouseButtonPress);
        sendMouse(demo, QEvent::MouseButtonRelease);
        QCOMPARE(demo->get(QStringLiteral("Value")).toBool(), true);
        QVERIFY(!m_page->chkPress()->isChecked());
        QVERIFY(!m_page->changed());

        m_page->apply();
        QCOMPARE(button->get(QStringLiteral("Value")).toBool(), false);
    }

    void ticksOfValueShowThePreviewsState()
    {
        Button *button = newButton(QStringLiteral("xpCheck1"));
        button->let(QStringLiteral("OptionMode"), Variant::fromLong(1));
        m_page->setSelectedControls({button});
        m_page->chkPress()->click();
        const QString shown = QStringLiteral("%1 %2 %3 %4")
                                  .arg(m_page->Label2()->text(), m_page->Label5()->text(),
                                       m_page->Label6()->text(), m_page->Label7()->text());
        QCOMPARE(shown, QStringLiteral("True 0 True 0"));
    }

    void withoutASelectionThePageDoesNothing()
    {
        m_page->txtCaption()->setText(QStringLiteral("Niemand"));
        QCOMPARE(errorOf([this] { m_page->setSelectedControls({}); }), 0);
        QCOMPARE(errorOf([this] { m_page->apply(); }), 0);
        QCOMPARE(m_page->txtCaption()->text(), QStringLiteral("Niemand"));
    }

    // Hosts find the page by the button's page list, through the registry.
    void theButtonsFirstPageIsThisOne()
    {
        QCOMPARE(Button::staticTypeInfo().propertyPages, Button::propertyPages());
        const QString name = Button::propertyPages().value(0);
        QCOMPARE(name, QStringLiteral("propgButton"));
        std::unique_ptr<com::AutomationObject> page =
            com::ControlHost::createObject(QStringLiteral("Quiv_Tools.") + name);
        auto *created = dynamic_cast<propgButton *>(page.get());
        QVERIFY(created);
        QCOMPARE(created->windowTitle(), QStringLiteral("&Allgemein"));
        QCOMPARE(page->typeInfo().clsid, QStringLiteral("{A2C1E105-26D2-4C08-9DB7-B5C548D00655}"));
    }
};

KV_TEST_MAIN(TestButtonPage)
#include "tst_ButtonPage.moc"
