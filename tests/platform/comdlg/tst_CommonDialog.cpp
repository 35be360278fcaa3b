#include "platform/com/AutomationError.h"
#include "platform/comdlg/CommonDialog.h"
#include "platform/comdlg/QtDialogs.h"
#include "platform/gdi/SystemColors.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/ScriptedDialogs.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QVariantList>

using comdlg::CommonDialog;
using comdlg::DialogBackend;
using comdlg::FontChoice;
using comdlg::QtDialogs;
using comdlg::ScriptedDialogs;
using Answer = ScriptedDialogs::Answer;

namespace
{

// Every setting and result of a dialog object, to prove that nothing moved.
QVariantList settingsOf(const CommonDialog &dialog)
{
    return {dialog.CancelError(),   dialog.Filter(),   dialog.FilterIndex(),       dialog.Flags(),
            dialog.DialogTitle(),   dialog.FileName(), qulonglong(dialog.Color()), dialog.FontName(),
            dialog.FontSize(),      dialog.FontBold(), dialog.FontItalic(),        dialog.FontUnderline(),
            dialog.FontStrikethru()};
}

void fillSettings(CommonDialog &dialog)
{
    dialog.setFilter(QStringLiteral("Text (*.txt)|*.txt"));
    dialog.setFilterIndex(1);
    dialog.setDialogTitle(QStringLiteral("Eintrag"));
    dialog.setFileName(QStringLiteral("/daten/alt.txt"));
    dialog.setColor(0x00123456);
    dialog.setFontName(QStringLiteral("Serif"));
    dialog.setFontSize(11);
    dialog.setFontBold(true);
    dialog.setFontUnderline(true);
}

} // namespace

class TestCommonDialog : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void backendIsReplaceable();
    void fileDialogs_data();
    void fileDialogs();
    void cancelLeavesSettings_data();
    void cancelLeavesSettings();
    void settingsStayForTheNextDialog();
    void colourStartsFromColorOnlyWithFlag_data();
    void colourStartsFromColorOnlyWithFlag();
    void actionShowsItsDialog_data();
    void actionShowsItsDialog();
    void invalidActionRaises380_data();
    void invalidActionRaises380();
    void fontEffectsFlag_data();
    void fontEffectsFlag();
    void fileTitle_data();
    void fileTitle();
    void nameFilters_data();
    void nameFilters();
    void colourConversion();
    void printDialog_data();
    void printDialog();
    void aCancelledPrintDialogKeepsThePrinter();

private:
    ScriptedDialogs *m_dialogs = nullptr; // owned by the installed backend
};

void TestCommonDialog::init()
{
    auto scripted = std::make_unique<ScriptedDialogs>();
    m_dialogs = scripted.get();
    rt::ServiceSlot<DialogBackend>::install(std::move(scripted));
}

void TestCommonDialog::cleanup()
{
    m_dialogs = nullptr;
    rt::ServiceSlot<DialogBackend>::reset();
}

void TestCommonDialog::backendIsReplaceable()
{
    QCOMPARE(&rt::ServiceSlot<DialogBackend>::current(), m_dialogs);
    rt::ServiceSlot<DialogBackend>::reset();
    m_dialogs = nullptr;
    // The real one comes back and stays the same object.
    DialogBackend &real = rt::ServiceSlot<DialogBackend>::current();
    QVERIFY(dynamic_cast<QtDialogs *>(&real));
    QCOMPARE(&rt::ServiceSlot<DialogBackend>::current(), &real);
}

void TestCommonDialog::fileDialogs_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("kind");
    QTest::newRow("ShowOpen") << 1 << "open";
    QTest::newRow("ShowSave") << 2 << "save";
}

void TestCommonDialog::fileDialogs()
{
    QFETCH(int, action);
    QFETCH(QString, kind);
    auto show = [&](CommonDialog &dialog) { action == 1 ? dialog.ShowOpen() : dialog.ShowSave(); };

    CommonDialog dialog;
    const QString filter = QStringLiteral("Bilder (*.jpg)|*.jpg;*.bmp|Alle Dateien (*.*)|*.*");
    dialog.setFilter(filter);
    dialog.setFlags(CommonDialog::FileMustExist | CommonDialog::FileOverwritePrompt);
    dialog.setFileName(QStringLiteral("vorher.jpg"));
    m_dialogs->push(Answer::file(QStringLiteral("/daten/bilder/neu.jpg")));
    m_dialogs->push(Answer::cancelled());

    show(dialog);
    QCOMPARE(dialog.FileName(), QStringLiteral("/daten/bilder/neu.jpg"));
    QCOMPARE(dialog.FileTitle(), QStringLiteral("neu.jpg"));

    // A cancel keeps the last result.
    show(dialog);
    QCOMPARE(dialog.FileName(), QStringLiteral("/daten/bilder/neu.jpg"));

    const QList<ScriptedDialogs::Shown> &shown = m_dialogs->shown();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).kind, kind);
    QCOMPARE(shown.at(0).filter, filter);
    QCOMPARE(shown.at(0).flags, CommonDialog::FileMustExist | CommonDialog::FileOverwritePrompt);
    QCOMPARE(shown.at(0).fileName, QStringLiteral("vorher.jpg"));
    QCOMPARE(shown.at(1).kind, kind);
    QCOMPARE(shown.at(1).fileName, QStringLiteral("/daten/bilder/neu.jpg"));
}

void TestCommonDialog::cancelLeavesSettings_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("cancelError");
    const char *names[] = {"open", "save", "colour", "font"};
    for (int action = 1; action <= 4; ++action) {
        QTest::addRow("%s, CancelError on", names[action - 1]) << action << true;
        QTest::addRow("%s, CancelError off", names[action - 1]) << action << false;
    }
}

void TestCommonDialog::cancelLeavesSettings()
{
    QFETCH(int, action);
    QFETCH(bool, cancelError);
    CommonDialog dialog;
    fillSettings(dialog);
    dialog.setFlags(CommonDialog::ColorRgbInit | CommonDialog::FontEffects);
    dialog.setCancelError(cancelError);
    const QVariantList before = settingsOf(dialog);

    // No answer scripted: the person cancels.
    bool raised = false;
    try {
        dialog.setAction(action);
    } catch (const com::AutomationError &error) {
        raised = true;
        QCOMPARE(error.number(), 32755);
        QCOMPARE(error.description(), QStringLiteral("Abbrechen wurde gewählt."));
    }
    QCOMPARE(raised, cancelError);
    QCOMPARE(m_dialogs->shown().size(), 1);
    QCOMPARE(settingsOf(dialog), before);
}

void TestCommonDialog::settingsStayForTheNextDialog()
{
    CommonDialog dialog;
    const QString filter = QStringLiteral("RTF (*.rtf)|*.rtf");
    dialog.setFilter(filter);
    dialog.setFlags(CommonDialog::FileOverwritePrompt);
    m_dialogs->push(Answer::file(QStringLiteral("/daten/tag.rtf")));
    m_dialogs->push(Answer::file(QStringLiteral("/daten/tag2.rtf")));
    m_dialogs->push(Answer::colour(0x000080FF));
    m_dialogs->push(Answer::colour(0x00FF0000));
    m_dialogs->push(Answer::chosenFont({.name = QStringLiteral("Sans"), .size = 14, .color = 0x0000FF00}));

    dialog.ShowSave();
    // The open dialog gets the save dialog's filter, flags and result.
    dialog.ShowOpen();
    QCOMPARE(m_dialogs->shown().at(1).filter, filter);
    QCOMPARE(m_dialogs->shown().at(1).flags, int(CommonDialog::FileOverwritePrompt));
    QCOMPARE(m_dialogs->shown().at(1).fileName, QStringLiteral("/daten/tag.rtf"));
    QCOMPARE(dialog.FileName(), QStringLiteral("/daten/tag2.rtf"));

    dialog.setFlags(CommonDialog::ColorRgbInit);
    dialog.setColor(0x00336699);
    dialog.ShowColor();
    QCOMPARE(dialog.Color(), 0x000080FFu);
    dialog.ShowColor();
    QCOMPARE(m_dialogs->shown().at(3).color, 0x000080FFu);
    QCOMPARE(dialog.Color(), 0x00FF0000u);

    // The font dialog starts from the colour the colour dialog chose; the
    // colour dialog's answer did not touch the file name.
    dialog.setFlags(CommonDialog::FontEffects);
    dialog.ShowFont();
    QCOMPARE(m_dialogs->shown().at(4).font.color, 0x00FF0000u);
    QCOMPARE(dialog.Color(), 0x0000FF00u);
    QCOMPARE(dialog.FontName(), QStringLiteral("Sans"));
    QCOMPARE(dialog.FileName(), QStringLiteral("/daten/tag2.rtf"));
}

void TestCommonDialog::colourStartsFromColorOnlyWithFlag_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<uint>("color");
    QTest::addColumn<uint>("start");
    QTest::newRow("with flag") << int(CommonDialog::ColorRgbInit) << 0x00336699u << 0x00336699u;
    QTest::newRow("system colour as given") << int(CommonDialog::ColorRgbInit) << 0x8000000Fu << 0x8000000Fu;
    QTest::newRow("without flag: black") << 0 << 0x00336699u << 0u;
}

void TestCommonDialog::colourStartsFromColorOnlyWithFlag()
{
    QFETCH(int, flags);
    QFETCH(uint, color);
    QFETCH(uint, start);
    CommonDialog dialog;
    dialog.setFlags(flags);
    dialog.setColor(color);
    dialog.ShowColor();
    QCOMPARE(m_dialogs->shown().size(), 1);
    QCOMPARE(m_dialogs->shown().at(0).kind, QStringLiteral("color"));
    QCOMPARE(m_dialogs->shown().at(0).color, start);
    QCOMPARE(dialog.Color(), color);
}

void TestCommonDialog::actionShowsItsDialog_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("kind");
    QTest::newRow("1") << 1 << "open";
    QTest::newRow("2") << 2 << "save";
    QTest::newRow("3") << 3 << "color";
    QTest::newRow("4") << 4 << "font";
}

void TestCommonDialog::actionShowsItsDialog()
{
    QFETCH(int, action);
    QFETCH(QString, kind);
    CommonDialog dialog;
    dialog.setAction(action);
    QCOMPARE(dialog.Action(), action);
    QCOMPARE(m_dialogs->shown().size(), 1);
    QCOMPARE(m_dialogs->shown().at(0).kind, kind);
}

void TestCommonDialog::invalidActionRaises380_data()
{
    QTest::addColumn<int>("action");
    QTest::newRow("0") << 0;
    QTest::newRow("5") << 5;
    QTest::newRow("9") << 9;
    QTest::newRow("-1") << -1;
}

void TestCommonDialog::invalidActionRaises380()
{
    QFETCH(int, action);
    CommonDialog dialog;
    dialog.setColor(0x00FFFFFF);
    m_dialogs->push(Answer::colour(0x0000FF00));
    dialog.setAction(3);
    try {
        dialog.setAction(action);
        QFAIL("no error raised");
    } catch (const com::AutomationError &error) {
        QCOMPARE(error.number(), 380);
        QCOMPARE(error.description(), com::AutomationError::standardText(380));
    }
    QCOMPARE(m_dialogs->shown().size(), 1);
    QCOMPARE(dialog.Action(), 3);
    QCOMPARE(dialog.Color(), 0x0000FF00u);
}

void TestCommonDialog::fontEffectsFlag_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("effectsTaken");
    QTest::newRow("effects") << int(CommonDialog::FontEffects | CommonDialog::FontScreenFonts) << true;
    QTest::newRow("screen fonts only") << int(CommonDialog::FontScreenFonts) << false;
}

void TestCommonDialog::fontEffectsFlag()
{
    QFETCH(int, flags);
    QFETCH(bool, effectsTaken);
    CommonDialog dialog;
    fillSettings(dialog); // Serif 11, bold, underlined, colour 0x00123456
    dialog.setFlags(flags);
    m_dialogs->push(Answer::chosenFont({.name = QStringLiteral("Mono"),
                                        .size = 9.5,
                                        .italic = true,
                                        .strikethru = true,
                                        .color = 0x000000FF}));

    dialog.ShowFont();

    const FontChoice shown = m_dialogs->shown().at(0).font;
    QCOMPARE(shown.name, QStringLiteral("Serif"));
    QCOMPARE(shown.size, 11.0);
    QCOMPARE(shown.bold, true);
    QCOMPARE(shown.italic, false);
    QCOMPARE(shown.underline, true);
    QCOMPARE(shown.strikethru, false);
    QCOMPARE(shown.color, 0x00123456u);
    QCOMPARE(m_dialogs->shown().at(0).flags, flags);

    QCOMPARE(dialog.FontName(), QStringLiteral("Mono"));
    QCOMPARE(dialog.FontSize(), 9.5);
    QCOMPARE(dialog.FontBold(), false);
    QCOMPARE(dialog.FontItalic(), true);
    QCOMPARE(dialog.FontUnderline(), !effectsTaken);
    QCOMPARE(dialog.FontStrikethru(), effectsTaken);
    QCOMPARE(dialog.Color(), effectsTaken ? 0x000000FFu : 0x00123456u);
}

void TestCommonDialog::fileTitle_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("title");
    QTest::newRow("slashes") << "/home/anna/Tagebuch/eintrag.rtf"
                             << "eintrag.rtf";
    QTest::newRow("backslashes") << "C:\\Daten\\Bilder\\Urlaub.JPG"
                                 << "Urlaub.JPG";
    QTest::newRow("mixed, backslash last") << "/daten/alt\\bild.bmp"
                                           << "bild.bmp";
    QTest::newRow("mixed, slash last") << "C:\\daten/bild.bmp"
                                       << "bild.bmp";
    QTest::newRow("no folder") << "notiz.txt"
                               << "notiz.txt";
    QTest::newRow("folder only") << "/daten/"
                                 << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCommonDialog::fileTitle()
{
    QFETCH(QString, fileName);
    QFETCH(QString, title);
    CommonDialog dialog;
    dialog.setFileName(fileName);
    QCOMPARE(dialog.FileTitle(), title);
}

void TestCommonDialog::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("two pairs") << "JPG (*.JPG)|*.JPG|BMP (*.BMP)|*.BMP"
                               << QStringList{"JPG (*.JPG *.jpg)", "BMP (*.BMP *.bmp)"};
    QTest::newRow("several patterns, no brackets")
        << "Bilder|*.jpg; *.Png" << QStringList{"Bilder (*.jpg *.JPG *.Png *.png *.PNG)"};
    QTest::newRow("all files") << "Alle Dateien (*.*)|*.*" << QStringList{"Alle Dateien (*.*)"};
    QTest::newRow("brackets without pattern stay")
        << "Eintrag (RTF)|*.rtf" << QStringList{"Eintrag (RTF) (*.rtf *.RTF)"};
    QTest::newRow("description is only the pattern") << "(*.txt)|*.txt" << QStringList{"(*.txt *.TXT)"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("trailing bar") << "Text|*.txt|" << QStringList{"Text (*.txt *.TXT)"};
    QTest::newRow("description without pattern") << "Text" << QStringList{};
    QTest::newRow("odd count") << "Text|*.txt|RTF" << QStringList{"Text (*.txt *.TXT)"};
    QTest::newRow("empty pattern ends the list") << "A|*.a|B||C|*.c" << QStringList{"A (*.a *.A)"};
    QTest::newRow("empty description ends the list") << "|*.a|B|*.b" << QStringList{};
    QTest::newRow("only separators") << "|||;|" << QStringList{};
}

void TestCommonDialog::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(QtDialogs::nameFilters(filter), expected);
}

void TestCommonDialog::colourConversion()
{
    // Red sits in the low byte.
    QCOMPARE(QtDialogs::toQColor(0x00336699), QColor(0x99, 0x66, 0x33));
    QCOMPARE(QtDialogs::toOleColor(QColor(0x99, 0x66, 0x33)), 0x00336699u);
    QCOMPARE(QtDialogs::toOleColor(QColor(Qt::red)), 0x000000FFu);
    QCOMPARE(QtDialogs::toOleColor(QColor::fromHsv(240, 255, 255)), 0x00FF0000u);
    // A system colour starts the dialog from what it stands for.
    const gdi::ColorRef face = gdi::SystemColors::color(gdi::ColorBtnFace);
    QCOMPARE(QtDialogs::toOleColor(QtDialogs::toQColor(0x8000000F)), face);
}

void TestCommonDialog::printDialog_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("range");
    QTest::addColumn<bool>("offersSelection");
    QTest::newRow("all, no page numbers") << 0x108 << int(QPrinter::AllPages) << true;
    QTest::newRow("the selection chosen") << 0x109 << int(QPrinter::Selection) << true;
    QTest::newRow("no selection to offer") << 0x10C << int(QPrinter::AllPages) << false;
}

// Qt's own print dialog: titled, with the choices the flags offer, and the
// printer it was accepted with handed back to print on.
void TestCommonDialog::printDialog()
{
    QFETCH(int, flags);
    rt::ServiceSlot<DialogBackend>::reset();
    m_dialogs = nullptr;
    CommonDialog dialog;
    dialog.setDialogTitle(QStringLiteral("Eintrag drucken..."));
    dialog.setFlags(flags);
    dialog.setCancelError(true);
    QString title;
    bool pageRange = true;
    bool selection = false;
    testsupport::acceptWhenDialogShown([&](QDialog *shown) {
        auto *print = qobject_cast<QPrintDialog *>(shown);
        QVERIFY(print);
        title = print->windowTitle();
        pageRange = print->testOption(QAbstractPrintDialog::PrintPageRange);
        selection = print->testOption(QAbstractPrintDialog::PrintSelection);
    });
    dialog.ShowPrinter();
    QCOMPARE(title, QStringLiteral("Eintrag drucken..."));
    QVERIFY(!pageRange);
    QTEST(selection, "offersSelection");
    QVERIFY(dialog.Printer());
    QTEST(int(dialog.Printer()->printRange()), "range");
}

void TestCommonDialog::aCancelledPrintDialogKeepsThePrinter()
{
    CommonDialog dialog;
    m_dialogs->push(Answer::pdf(QStringLiteral("/tmp/nie.pdf")));
    dialog.ShowPrinter();
    QPrinter *first = dialog.Printer();
    QVERIFY(first);
    QCOMPARE(first->outputFileName(), QStringLiteral("/tmp/nie.pdf"));
    dialog.setCancelError(true);
    try {
        dialog.ShowPrinter();
        QFAIL("a cancelled print dialog must raise with CancelError on");
    } catch (const com::AutomationError &error) {
        QCOMPARE(error.number(), 32755);
    }
    QCOMPARE(dialog.Printer(), first);
    QCOMPARE(m_dialogs->shown().size(), 2);
    QCOMPARE(m_dialogs->shown()[1].kind, QStringLiteral("print"));
}

KV_TEST_MAIN(TestCommonDialog)
#include "tst_CommonDialog.moc"
