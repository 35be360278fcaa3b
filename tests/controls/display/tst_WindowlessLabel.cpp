#include "controls/display/WindowlessLabel.h"
#include "platform/com/StdFont.h"
#include "tests/support/Canvas.h"
#include "tests/support/TestMain.h"

#include <QPainter>

using ostrevo::WindowlessLabel;
using testsupport::colours::Black;
using testsupport::colours::White;

class TestWindowlessLabel : public QObject
{
    Q_OBJECT
private:
    static std::shared_ptr<com::StdFont> labelFont()
    {
        auto font = std::make_shared<com::StdFont>();
        font->name = QStringLiteral("MS Sans Serif");
        font->size = 8.25;
        return font;
    }

    static QImage painted(const WindowlessLabel &label)
    {
        QImage image = testsupport::canvas(220, 30, White);
        gdi::DeviceContext dc(&image);
        label.paint(dc);
        return image;
    }

private slots:
    // Each row: the caption, whether the label takes "&" as the access-key
    // mark, whether it sizes itself, the text it shows and the index of the
    // shown character that is underlined (-1 for none).
    void showsTheTextWithoutItsMarks_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("mnemonic");
        QTest::addColumn<bool>("autoSize");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("key");
        QTest::newRow("key first") << QStringLiteral("&Datum zur Sicherung hinzufügen") << true << true
                                   << QStringLiteral("Datum zur Sicherung hinzufügen") << 0;
        QTest::newRow("key inside a word")
            << QStringLiteral(" Über&prüfen") << true << true << QStringLiteral(" Überprüfen") << 5;
        QTest::newRow("doubled mark alone")
            << QStringLiteral("&&") << true << true << QStringLiteral("&") << -1;
        QTest::newRow("doubled mark between words") << QStringLiteral("Daten && Sicherung") << true << true
                                                    << QStringLiteral("Daten & Sicherung") << -1;
        QTest::newRow("doubled mark and a key")
            << QStringLiteral("A && &B") << true << true << QStringLiteral("A & B") << 4;
        QTest::newRow("fixed size wraps the shown text")
            << QStringLiteral("&Datum zur Sicherung") << true << false
            << QStringLiteral("Datum zur Sicherung") << 0;
        QTest::newRow("without mnemonic the mark is text")
            << QStringLiteral("&Datum") << false << true << QStringLiteral("&Datum") << -1;
    }
    void showsTheTextWithoutItsMarks()
    {
        QFETCH(QString, caption);
        QFETCH(bool, mnemonic);
        QFETCH(bool, autoSize);
        QFETCH(QString, shown);
        QFETCH(int, key);
        const auto font = labelFont();
        WindowlessLabel label(caption, font);
        label.useMnemonic = mnemonic;
        WindowlessLabel plain(shown, font);
        plain.useMnemonic = false;
        for (WindowlessLabel *each : {&label, &plain}) {
            each->autoSize = autoSize;
            each->foreColor = 0;
            each->move(3, 2, 200, 20);
        }

        // An autosized label is as large as what it shows.
        QCOMPARE(label.textSize(), plain.textSize());
        if (autoSize)
            QCOMPARE(label.pixelRect(), QRect(QPoint(3, 2), plain.textSize()));
        QVERIFY(label.textSize().width() > 0);

        QImage expected = painted(plain);
        if (key >= 0) {
            const QRect underline =
                testsupport::accessKeyUnderline(font->toQFont(), shown, key, QPoint(3, 2));
            QVERIFY(underline.width() > 0);
            QPainter(&expected).fillRect(underline, Qt::black);
        }
        const QImage drawn = painted(label);
        QCOMPARE(drawn, expected);
        QVERIFY(!testsupport::pixelsOf(drawn, Black).empty());
    }
};

KV_TEST_MAIN(TestWindowlessLabel)
#include "tst_WindowlessLabel.moc"
