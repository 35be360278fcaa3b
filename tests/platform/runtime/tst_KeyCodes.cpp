#include "platform/runtime/KeyCodes.h"
#include "tests/support/TestMain.h"

#include <QKeyEvent>

using rt::KeyCodes;

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)
Q_DECLARE_METATYPE(Qt::MouseButtons)

class TestKeyCodes : public QObject
{
    Q_OBJECT
private slots:
    void keyCode_data();
    void keyCode();
    void shiftBits_data();
    void shiftBits();
    void mouseButtons_data();
    void mouseButtons();
    void keyAscii_data();
    void keyAscii();
};

void TestKeyCodes::keyCode_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("code");
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    QTest::newRow("A") << int(Qt::Key_A) << none << 65;
    QTest::newRow("A with shift") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 65;
    QTest::newRow("lower-case q") << int('q') << none << 81;
    QTest::newRow("0") << int(Qt::Key_0) << none << 48;
    QTest::newRow("9") << int(Qt::Key_9) << none << 57;
    QTest::newRow("pad 0") << int(Qt::Key_0) << pad << 96;
    QTest::newRow("pad ,") << int(Qt::Key_Comma) << pad << 110;
    QTest::newRow("pad enter") << int(Qt::Key_Enter) << pad << 13;
    QTest::newRow("pad left") << int(Qt::Key_Left) << pad << 37;
    QTest::newRow("F1") << int(Qt::Key_F1) << none << 112;
    QTest::newRow("F12") << int(Qt::Key_F12) << none << 123;
    QTest::newRow("F17 has none") << int(Qt::Key_F17) << none << 0;
    QTest::newRow("Left") << int(Qt::Key_Left) << none << 37;
    QTest::newRow("Down") << int(Qt::Key_Down) << none << 40;
    QTest::newRow("PageUp") << int(Qt::Key_PageUp) << none << 33;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << 46;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << 27;
    QTest::newRow("Return") << int(Qt::Key_Return) << none << 13;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 9;
    QTest::newRow("Shift") << int(Qt::Key_Shift) << none << 16;
    QTest::newRow("unknown") << int(Qt::Key_Adiaeresis) << none << 0;
}

void TestKeyCodes::keyCode()
{
    QFETCH(int, qtKey);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, code);
    QCOMPARE(KeyCodes::keyCode(qtKey, modifiers), code);
    const QKeyEvent event(QEvent::KeyPress, qtKey, modifiers);
    QCOMPARE(KeyCodes::keyCode(event), code);
}

void TestKeyCodes::shiftBits_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("bits");
    QTest::newRow("none") << Qt::KeyboardModifiers(Qt::NoModifier) << 0;
    QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << 1;
    QTest::newRow("ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier) << 2;
    QTest::newRow("alt") << Qt::KeyboardModifiers(Qt::AltModifier) << 4;
    QTest::newRow("all three") << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier) << 7;
    QTest::newRow("keypad and meta ignored") << (Qt::KeypadModifier | Qt::MetaModifier) << 0;
}

void TestKeyCodes::shiftBits()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, bits);
    QCOMPARE(KeyCodes::shiftBits(modifiers), bits);
}

void TestKeyCodes::mouseButtons_data()
{
    QTest::addColumn<Qt::MouseButtons>("buttons");
    QTest::addColumn<int>("code");
    QTest::newRow("none") << Qt::MouseButtons(Qt::NoButton) << 0;
    QTest::newRow("left") << Qt::MouseButtons(Qt::LeftButton) << 1;
    QTest::newRow("left+middle") << (Qt::LeftButton | Qt::MiddleButton) << 5;
    QTest::newRow("back ignored") << (Qt::BackButton | Qt::RightButton) << 2;
}

void TestKeyCodes::mouseButtons()
{
    QFETCH(Qt::MouseButtons, buttons);
    QFETCH(int, code);
    QCOMPARE(KeyCodes::mouseButtons(buttons), code);
}

void TestKeyCodes::keyAscii_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("ascii");
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    QTest::newRow("a") << int(Qt::Key_A) << none << "a" << 97;
    QTest::newRow("A") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier) << "A" << 65;
    QTest::newRow("ä") << int(Qt::Key_Adiaeresis) << none << QStringLiteral("ä") << 0xE4;
    QTest::newRow("€") << int(Qt::Key_E) << Qt::KeyboardModifiers(Qt::AltModifier) << QStringLiteral("€")
                       << 0x80;
    QTest::newRow("not in code page") << int(Qt::Key_unknown) << none << QStringLiteral("Ω") << 63;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << "\x1b" << 27;
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ControlModifier) << "" << 1;
    QTest::newRow("Left types nothing") << int(Qt::Key_Left) << none << "" << 0;
    QTest::newRow("Delete types nothing") << int(Qt::Key_Delete) << none << "\x7f" << 0;
}

void TestKeyCodes::keyAscii()
{
    QFETCH(int, qtKey);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(int, ascii);
    QCOMPARE(KeyCodes::keyAscii(qtKey, modifiers, text), ascii);
    const QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, text);
    QCOMPARE(KeyCodes::keyAscii(event), ascii);
}

KV_TEST_MAIN(TestKeyCodes)
#include "tst_KeyCodes.moc"
