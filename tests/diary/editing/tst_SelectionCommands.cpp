#include "diary/editing/SelectionCommands.h"
#include "platform/comdlg/CommonDialog.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/runtime/Clipboard.h"
#include "platform/runtime/FontSubstitutes.h"
#include "tests/support/DiaryHome.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/ScriptedDialogs.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontDialog>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>

using comdlg::ScriptedDialogs;
using kalvento::SelectionCommands;
using richtext::RichTextBox;
using Answer = comdlg::ScriptedDialogs::Answer;

namespace
{

// "Ein " bold "fettes" ", a picture, " Wort" in plain text.
QString formattedBody()
{
    return QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Ein {\\b fettes} Bild ") +
           testsupport::pictureRtf(3, 2, Qt::red) + QStringLiteral(" und Wort\\par}");
}

int pictures(const QString &rtf)
{
    return int(rtf.count(QStringLiteral("{\\pict")));
}

} // namespace

class TestSelectionCommands : public QObject
{
    Q_OBJECT
private:
    ScriptedDialogs *m_dialogs = nullptr; // owned by the backend slot
    std::unique_ptr<QWidget> m_window;
    RichTextBox *m_box = nullptr;
    comdlg::CommonDialog *m_dialog = nullptr;
    QLabel *m_pic1 = nullptr;
    std::unique_ptr<SelectionCommands> m_commands;
    QTemporaryDir m_files;

    void select(int start, int length)
    {
        m_box->setSelStart(start);
        m_box->setSelLength(length);
    }
    QString pictureFile(const char *format, const QString &name)
    {
        QImage image(5, 4, QImage::Format_RGB32);
        image.fill(Qt::blue);
        const QString path = m_files.filePath(name);
        if (!image.save(path, format))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void init()
    {
        auto dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs = dialogs.get();
        rt::ServiceSlot<comdlg::DialogBackend>::install(std::move(dialogs));
        m_window = std::make_unique<QWidget>();
        m_box = new RichTextBox(m_window.get());
        m_dialog = new comdlg::CommonDialog(m_window.get());
        m_pic1 = new QLabel(m_window.get());
        m_commands = std::make_unique<SelectionCommands>(*m_box, *m_dialog);
        rt::Clipboard::clear();
    }

    void cleanup()
    {
        m_commands.reset();
        m_window.reset();
        rt::ServiceSlot<comdlg::DialogBackend>::reset();
    }

    void characterTogglesTurnAMixedSelectionOn_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("bold") << 0;
        QTest::newRow("italic") << 1;
        QTest::newRow("underline") << 2;
        QTest::newRow("strike-through") << 3;
    }
    void characterTogglesTurnAMixedSelectionOn()
    {
        QFETCH(int, which);
        using Getter = com::Variant (RichTextBox::*)() const;
        using Setter = void (RichTextBox::*)(bool);
        using Toggle = void (SelectionCommands::*)();
        const Getter getters[] = {&RichTextBox::selBold, &RichTextBox::selItalic, &RichTextBox::selUnderline,
                                  &RichTextBox::selStrikeThru};
        const Setter setters[] = {&RichTextBox::setSelBold, &RichTextBox::setSelItalic,
                                  &RichTextBox::setSelUnderline, &RichTextBox::setSelStrikeThru};
        const Toggle toggles[] = {&SelectionCommands::toggleBold, &SelectionCommands::toggleItalic,
                                  &SelectionCommands::toggleUnderline, &SelectionCommands::toggleStrikeThru};
        const Getter get = getters[which];
        const Setter set = setters[which];
        const Toggle toggle = toggles[which];
        m_box->setText(QStringLiteral("halb und halb"));
        select(0, 4);
        (m_box->*set)(true);
        select(0, 13);
        QVERIFY((m_box->*get)().isNull());
        (m_commands.get()->*toggle)();
        QCOMPARE((m_box->*get)().toBool(), true);
        (m_commands.get()->*toggle)();
        QCOMPARE((m_box->*get)().toBool(), false);
        (m_commands.get()->*toggle)();
        QCOMPARE((m_box->*get)().toBool(), true);
    }

    void bulletsGoOnWithIndentsAndOffKeepingTheHangingIndent()
    {
        m_box->setText(QStringLiteral("eins\r\nzwei"));
        select(0, 3);
        m_commands->toggleBullet();
        QCOMPARE(m_box->selBullet().toBool(), true);
        QCOMPARE(m_box->selHangingIndent().toDouble(), 0.5 * SelectionCommands::IndentUnit);
        QCOMPARE(m_box->selIndent().toDouble(), 1.5 * SelectionCommands::IndentUnit);
        // Partly bulleted reads Null, which counts as off.
        select(0, int(m_box->text().length()));
        QVERIFY(m_box->selBullet().isNull());
        m_commands->toggleBullet();
        QCOMPARE(m_box->selBullet().toBool(), true);
        m_commands->toggleBullet();
        QCOMPARE(m_box->selBullet().toBool(), false);
        QCOMPARE(m_box->selIndent().toDouble(), 0.0);
        QCOMPARE(m_box->selHangingIndent().toDouble(), 0.5 * SelectionCommands::IndentUnit);
    }

    void alignmentTakesTheBoxValues()
    {
        m_box->setText(QStringLiteral("Zeile"));
        for (int value : {RichTextBox::AlignCenter, RichTextBox::AlignRight, RichTextBox::AlignLeft}) {
            m_commands->align(value);
            QCOMPARE(m_box->selAlignment().toLong(), value);
        }
    }

    void fontDialogStartsFromTheSelectionAndCancelKeepsIt()
    {
        m_box->setTextRTF(
            QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;"
                           "\\red255\\green0\\blue0;}\\f0\\fs24 {\\b\\i\\ul\\strike\\cf1 ab}"
                           "\\f1\\fs40 cd\\par}"));
        select(0, 4);
        const QString before = m_box->textRTF();
        m_commands->chooseFont(QStringLiteral("Titel")); // no answer: cancelled
        QCOMPARE(m_dialogs->shown().size(), 1);
        const auto &shown = m_dialogs->shown()[0];
        QCOMPARE(shown.kind, QStringLiteral("font"));
        QCOMPARE(shown.flags, 257);
        QCOMPARE(shown.font.bold, false);
        QCOMPARE(shown.font.italic, false);
        QCOMPARE(shown.font.underline, false);
        QCOMPARE(shown.font.strikethru, false);
        QCOMPARE(shown.font.color, 0u);
        QCOMPARE(shown.font.name, QString());
        QCOMPARE(shown.font.size, 0.0);
        QCOMPARE(m_box->textRTF(), before);

        select(0, 2); // all alike: the dialog shows them
        m_commands->chooseFont(QStringLiteral("Titel"));
        const auto &alike = m_dialogs->shown()[1].font;
        QVERIFY(alike.bold && alike.italic && alike.underline && alike.strikethru);
        QCOMPARE(alike.color, 0x0000FFu);
        QCOMPARE(alike.name, QStringLiteral("Arial"));
        QCOMPARE(alike.size, 12.0);
    }

    void confirmedFontGoesToTheWholeSelection()
    {
        m_box->setTextRTF(QStringLiteral("{\\rtf1\\ansi\\f0 {\\b ab}cd\\par}"));
        select(0, 4);
        comdlg::FontChoice font;
        font.name = QStringLiteral("Courier New");
        font.size = 20;
        font.bold = true;
        font.underline = true;
        font.color = 0x00FF00;
        m_dialogs->push(Answer::chosenFont(font));
        m_commands->chooseFont(QStringLiteral("Titel"));
        QCOMPARE(m_box->selBold().toBool(), true);
        QCOMPARE(m_box->selItalic().toBool(), false);
        QCOMPARE(m_box->selUnderline().toBool(), true);
        QCOMPARE(m_box->selStrikeThru().toBool(), false);
        QCOMPARE(m_box->selColor().toColor(), 0x00FF00u);
        QCOMPARE(m_box->selFontName().toString(), QStringLiteral("Courier New"));
        QCOMPARE(m_box->selFontSize().toDouble(), 20.0);
    }

    // Qt's own font dialog, confirmed with Return: untouched, it gives back
    // the face, size and style the selection had, even where the face is
    // drawn by a substitute; a face picked in it is stored by its own name.
    void fontDialogConfirmedUnchangedKeepsTheSelection_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("attributes");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QString>("picked");
        QTest::newRow("Arial") << "Arial"
                               << "" << 12.0 << false << false << "";
        QTest::newRow("Times New Roman bold") << "Times New Roman"
                                              << "\\b" << 10.0 << true << false << "";
        QTest::newRow("Courier New bold italic") << "Courier New"
                                                 << "\\b\\i" << 14.0 << true << true << "";
        QTest::newRow("installed face italic") << "DejaVu Serif"
                                               << "\\i" << 11.0 << false << true << "";
        QTest::newRow("face picked") << "Arial"
                                     << "" << 12.0 << false << false << "DejaVu Serif";
    }
    void fontDialogConfirmedUnchangedKeepsTheSelection()
    {
        QFETCH(QString, face);
        QFETCH(QString, attributes);
        QFETCH(double, size);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(QString, picked);
        rt::ServiceSlot<comdlg::DialogBackend>::reset(); // Qt's dialogs
        m_box->setTextRTF(QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 %1;}}\\f0\\fs%2%3 Wort\\par}")
                              .arg(face)
                              .arg(int(size * 2))
                              .arg(attributes));
        select(0, 4);
        m_window->show();
        QString shownFace, shownStyle;
        bool closedByReturn = false;
        testsupport::acceptWhenDialogShown([&](QDialog *shown) {
            auto *fonts = qobject_cast<QFontDialog *>(shown);
            QVERIFY(fonts);
            shownFace = fonts->currentFont().family();
            shownStyle = fonts->currentFont().styleName();
            if (!picked.isEmpty()) {
                QFont chosen(picked, int(size));
                chosen.setStyleName(QStringLiteral("Book")); // its upright regular face
                fonts->setCurrentFont(chosen);
            }
            QTest::keyClick(fonts->focusWidget() ? fonts->focusWidget() : fonts, Qt::Key_Return);
            closedByReturn = !fonts->isVisible();
        });
        m_commands->chooseFont(QStringLiteral("Titel"));
        QCOMPARE(shownFace, rt::FontSubstitutes::drawnFace(face));
        QCOMPARE(QFontDatabase::bold(shownFace, shownStyle), bold);
        QCOMPARE(QFontDatabase::italic(shownFace, shownStyle), italic);
        QVERIFY(closedByReturn);
        QCOMPARE(m_box->selFontName().toString(), picked.isEmpty() ? face : picked);
        QCOMPARE(m_box->selFontSize().toDouble(), size);
        QCOMPARE(m_box->selBold().toBool(), bold);
        QCOMPARE(m_box->selItalic().toBool(), italic);
    }

    void coloursApplyOnConfirmAndCancelIsNormal()
    {
        m_box->setText(QStringLiteral("Farbe"));
        select(0, 5);
        m_dialogs->push(Answer::colour(0x0000FF));
        m_commands->chooseColor();
        QCOMPARE(m_dialogs->shown().last().kind, QStringLiteral("color"));
        QCOMPARE(m_dialogs->shown().last().flags, 1);
        QCOMPARE(m_box->selColor().toColor(), 0x0000FFu);
        // The next colour dialog starts from the last choice.
        m_dialogs->push(Answer::cancelled());
        m_commands->chooseColor();
        QCOMPARE(m_dialogs->shown().last().color, 0x0000FFu);
        QCOMPARE(m_box->selColor().toColor(), 0x0000FFu);

        m_dialogs->push(Answer::colour(0xC0FFFF));
        m_commands->chooseBackground();
        QCOMPARE(m_box->backColor(), 0xC0FFFFu);
        m_dialogs->push(Answer::cancelled());
        m_commands->chooseBackground();
        QCOMPARE(m_box->backColor(), 0xC0FFFFu);
    }

    void picturesAreInsertedThroughTheClipboard_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("stored");
        QTest::newRow("JPG") << "JPG"
                             << "\\jpegblip";
        QTest::newRow("BMP stored as PNG") << "BMP"
                                           << "\\pngblip";
    }
    void picturesAreInsertedThroughTheClipboard()
    {
        QFETCH(QString, format);
        QFETCH(QString, stored);
        m_box->setText(QStringLiteral("vor nach"));
        m_box->setSelStart(4);
        rt::Clipboard::setText(QStringLiteral("vorher"));
        m_dialogs->push(Answer::file(pictureFile(qPrintable(format), QStringLiteral("bild.") + format)));
        m_commands->insertPicture(*m_pic1);
        const auto &shown = m_dialogs->shown().last();
        QCOMPARE(shown.kind, QStringLiteral("open"));
        QCOMPARE(shown.filter, QStringLiteral("JPG (*.JPG)|*.JPG|BMP (*.BMP)|*.BMP"));
        QCOMPARE(shown.flags, 6148);
        QCOMPARE(pictures(m_box->textRTF()), 1);
        QVERIFY(m_box->textRTF().contains(stored));
        QCOMPARE(m_box->text().length(), 9); // the picture counts as one character
        QCOMPARE(rt::Clipboard::image().size(), QSize(5, 4));
        QCOMPARE(m_pic1->pixmap().size(), QSize(5, 4));
    }

    void aCancelledOrUnreadablePictureChangesNothing()
    {
        m_box->setText(QStringLiteral("Text"));
        rt::Clipboard::setText(QStringLiteral("vorher"));
        m_commands->insertPicture(*m_pic1); // cancelled
        QCOMPARE(m_box->text(), QStringLiteral("Text"));
        QCOMPARE(rt::Clipboard::text(), QStringLiteral("vorher"));

        // A good picture first, so an old one would be at hand to paste again.
        m_dialogs->push(Answer::file(pictureFile("PNG", QStringLiteral("gut.JPG"))));
        m_commands->insertPicture(*m_pic1);
        QCOMPARE(pictures(m_box->textRTF()), 1);
        rt::Clipboard::setText(QStringLiteral("vorher"));
        QFile broken(m_files.filePath(QStringLiteral("kaputt.JPG")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("kein Bild");
        broken.close();
        m_dialogs->push(Answer::file(broken.fileName()));
        testsupport::Driver driver;
        QString message, title;
        driver.on("MsgBox", [&](QWidget *w) {
            message = qobject_cast<QMessageBox *>(w)->text();
            title = w->windowTitle();
            testsupport::press(w, QMessageBox::Ok);
        });
        m_commands->insertPicture(*m_pic1);
        QVERIFY(driver.done());
        QVERIFY(message.contains(QStringLiteral("kaputt.JPG")));
        QVERIFY(message.contains(QStringLiteral("nicht als Grafik geladen")));
        QCOMPARE(title, QStringLiteral("Grafik einfügen"));
        QCOMPARE(pictures(m_box->textRTF()), 1);
        QCOMPARE(rt::Clipboard::text(), QStringLiteral("vorher"));
    }

    void cutAndDeleteRemoveOnlyTheSelection_data()
    {
        QTest::addColumn<bool>("cut");
        QTest::newRow("cut") << true;
        QTest::newRow("delete") << false;
    }
    void cutAndDeleteRemoveOnlyTheSelection()
    {
        QFETCH(bool, cut);
        m_box->setTextRTF(formattedBody());
        rt::Clipboard::setText(QStringLiteral("vorher"));
        const int start = int(m_box->text().indexOf(QStringLiteral("und ")));
        select(start, 4);
        if (cut)
            m_commands->cut();
        else
            m_commands->deleteSelection();
        QCOMPARE(m_box->text(),
                 QStringLiteral("Ein fettes Bild \uFFFC Wort").replace(QChar(0xFFFC), m_box->text().at(16)));
        QCOMPARE(m_box->selStart(), start);
        QCOMPARE(m_box->selLength(), 0);
        QCOMPARE(pictures(m_box->textRTF()), 1);
        select(4, 6);
        QCOMPARE(m_box->selBold().toBool(), true);
        QCOMPARE(rt::Clipboard::text(), cut ? QStringLiteral("und ") : QStringLiteral("vorher"));
    }

    void copyPasteAndSelectAll()
    {
        m_box->setText(QStringLiteral("eins\r\nzwei"));
        m_commands->selectAll();
        QCOMPARE(m_box->selStart(), 0);
        QCOMPARE(m_box->selLength(), 10);
        select(6, 4);
        m_commands->copy();
        QCOMPARE(rt::Clipboard::text(), QStringLiteral("zwei"));
        select(0, 4);
        m_commands->pasteText();
        QCOMPARE(m_box->text(), QStringLiteral("zwei\r\nzwei"));
        SelectionCommands::clearClipboard();
        select(0, 4);
        m_commands->pasteText(); // nothing there: the selection goes
        QCOMPARE(m_box->text(), QStringLiteral("\r\nzwei"));
    }
};

KV_TEST_MAIN(TestSelectionCommands)
#include "tst_SelectionCommands.moc"
