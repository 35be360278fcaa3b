#include "platform/com/StdFont.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/runtime/FontSubstitutes.h"
#include "tests/support/TestMain.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTextEdit>

// The faces forms and entries name draw in the installed faces of the one
// table, while every font keeps the name it was given.
class TestFontSubstitutes : public QObject
{
    Q_OBJECT
private:
    // The face a painter on an image really draws with (as the controls draw).
    static QString drawnWith(const QFont &font)
    {
        QImage image(4, 4, QImage::Format_RGB32);
        QPainter painter(&image);
        QFont f = font;
        f.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(f);
        return painter.fontInfo().family();
    }

private slots:
    void initTestCase() { rt::FontSubstitutes::installForForms(); }

    void facesDrawInTheirSubstitutes_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("drawn");
        QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                       << "Liberation Sans";
        QTest::newRow("Tahoma") << "Tahoma"
                                << "Liberation Sans";
        QTest::newRow("Arial") << "Arial"
                               << "Liberation Sans";
        QTest::newRow("Times New Roman") << "Times New Roman"
                                         << "Liberation Serif";
        QTest::newRow("Courier New") << "Courier New"
                                     << "Liberation Mono";
        QTest::newRow("letter case") << "arial"
                                     << "Liberation Sans";
        QTest::newRow("no face: the forms' face") << ""
                                                  << "Liberation Sans";
    }

    void facesDrawInTheirSubstitutes()
    {
        QFETCH(QString, face);
        QFETCH(QString, drawn);
        QCOMPARE(rt::FontSubstitutes::drawnFace(face.isEmpty() ? QStringLiteral("MS Sans Serif") : face),
                 drawn);
        const QFont font = rt::FontSubstitutes::font(face, 8.25);
        QCOMPARE(QFontInfo(font).family(), drawn);
        QCOMPARE(drawnWith(font), drawn);
        // The control library's font object takes the same road.
        com::StdFont stdFont;
        stdFont.name = face;
        QCOMPARE(drawnWith(stdFont.toQFont()), drawn);
        if (!face.isEmpty())
            QCOMPARE(stdFont.toQFont().family(), face); // the stored name stays
    }

    void formsDrawInTheDesignFont()
    {
        const QFont font = QApplication::font();
        QCOMPARE(font.family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(font.pointSizeF(), 8.25);
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
        const com::StdFont ambient(font);
        QCOMPARE(ambient.name, QStringLiteral("MS Sans Serif"));
    }

    void richTextKeepsTheNamedFace()
    {
        richtext::RichTextBox box;
        box.setFontName(QStringLiteral("Arial"));
        box.setFontSize(12);
        QCOMPARE(box.fontName(), QStringLiteral("Arial"));
        QCOMPARE(QFontInfo(box.editor()->document()->defaultFont()).family(),
                 QStringLiteral("Liberation Sans"));
        box.setTextRTF(QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\f0 Text\\par}"));
        box.setSelStart(0);
        box.setSelLength(4);
        QCOMPARE(box.selFontName().toString(), QStringLiteral("Times New Roman"));
        QTextCursor cursor(box.editor()->document());
        cursor.setPosition(1);
        QCOMPARE(QFontInfo(cursor.charFormat().font()).family(), QStringLiteral("Liberation Serif"));
        QVERIFY(box.textRTF().contains(QStringLiteral("Times New Roman")));
    }
};

KV_TEST_MAIN(TestFontSubstitutes)
#include "tst_FontSubstitutes.moc"
