#include "platform/com/Collection.h"
#include "platform/com/ControlHost.h"
#include "platform/com/StdFont.h"
#include "platform/comdlg/DialogBackend.h"
#include "platform/runtime/ScreenSource.h"
#include "platform/runtime/SystemSources.h"
#include "tests/support/DialogControl.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/TempRegistry.h"
#include "tests/support/TestMain.h"
#include "tests/support/fakes/FakePrinterSystem.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <cmath>

using namespace com;
using testsupport::get;
using testsupport::let;

// Each common dialog of the Dialog control as Qt shows it, opened and
// accepted as a person would, with the printers faked.
class TestCommonDialogsQt : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QWidget> m_form;
    QTemporaryDir m_dir;
    spooler::FakePrinterSystem *m_printers = nullptr;

    Control *newDialog() { return testsupport::newDialogOn(m_form.get()); }
    void touch(const QString &name)
    {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(testsupport::registerControls());
        QVERIFY(m_dir.isValid());
        touch(QStringLiteral("brief.txt"));
    }

    void init()
    {
        m_form = std::make_unique<QWidget>();
        rt::ServiceSlot<comdlg::DialogBackend>::reset(); // Qt's dialogs
        auto printers = std::make_unique<spooler::FakePrinterSystem>();
        printers->addPrinter(QStringLiteral("Laser"), 2, 1);
        m_printers = printers.get();
        rt::ServiceSlot<spooler::PrinterSystem>::install(std::move(printers));
    }

    void cleanup()
    {
        m_form.reset();
        rt::ServiceSlot<spooler::PrinterSystem>::reset();
    }

    void openDialogIsCentredAndTitled()
    {
        Control *dialog = newDialog();
        let(dialog, "InitDir", Variant(m_dir.path()));
        let(dialog, "FileName", Variant(QStringLiteral("brief.txt")));
        let(dialog, "Filter", Variant(QStringLiteral("Text|*.txt|Alle|*.*")));
        let(dialog, "DialogTitle", Variant(QStringLiteral("Brief öffnen")));
        QString title, folder;
        QRect frame;
        testsupport::acceptWhenDialogShown([&](QDialog *shown) {
            auto *files = qobject_cast<QFileDialog *>(shown);
            QVERIFY(files);
            title = files->windowTitle();
            folder = files->directory().absolutePath();
            frame = files->frameGeometry();
        });
        dialog->call(QStringLiteral("ShowOpen"));
        QCOMPARE(title, QStringLiteral("Brief öffnen"));
        QCOMPARE(folder, QDir(m_dir.path()).absolutePath());
        const QSize screen = rt::SystemSources::screen().size();
        QCOMPARE(frame.left(), int(std::nearbyint((screen.width() - frame.width()) / 2.0)));
        QCOMPARE(frame.top(), int(std::nearbyint((screen.height() - frame.height()) / 2.0)));
        QCOMPARE(get(dialog, "FileName").toString(), m_dir.filePath(QStringLiteral("brief.txt")));
        QCOMPARE(get(dialog, "FileTitle").toString(), QStringLiteral("brief.txt"));
        QCOMPARE(get(dialog, "FilePath").toString(), QDir(m_dir.path()).absolutePath());
    }

    void saveDialogAddsTheDefaultExtension_data()
    {
        QTest::addColumn<QString>("defaultExt");
        QTest::addColumn<QString>("saved");
        QTest::newRow("DefaultExt") << ".txt"
                                    << "neu.txt";
        QTest::newRow("none, the name as typed") << ""
                                                 << "neu";
    }

    void saveDialogAddsTheDefaultExtension()
    {
        QFETCH(QString, defaultExt);
        QFETCH(QString, saved);
        Control *dialog = newDialog();
        let(dialog, "InitDir", Variant(m_dir.path()));
        let(dialog, "DefaultExt", Variant(defaultExt));
        QString title;
        testsupport::acceptWhenDialogShown([&](QDialog *shown) {
            auto *files = qobject_cast<QFileDialog *>(shown);
            QVERIFY(files);
            title = files->windowTitle();
            // Typed as a person would: selectFile() leaves a focused name field alone.
            auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(QStringLiteral("neu"));
        });
        dialog->call(QStringLiteral("ShowSave"));
        QCOMPARE(title, QStringLiteral("Speichern unter"));
        QCOMPARE(get(dialog, "FileName").toString(), m_dir.filePath(saved));
    }

    void openDialogWithMultipleSelection()
    {
        touch(QStringLiteral("a.txt"));
        touch(QStringLiteral("b.txt"));
        Control *dialog = newDialog();
        let(dialog, "InitDir", Variant(m_dir.path()));
        let(dialog, "Flags", Variant::fromLong(0x80200)); // Explorer style, several files
        testsupport::acceptWhenDialogShown([&](QDialog *shown) {
            auto *name = shown->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(QStringLiteral("\"b.txt\" \"a.txt\""));
        });
        dialog->call(QStringLiteral("ShowOpen"));
        QCOMPARE(get(dialog, "MultiSelect").toBool(), true);
        QCOMPARE(get(dialog, "FilePath").toString(), QDir(m_dir.path()).absolutePath());
        auto *list = dynamic_cast<Collection *>(get(dialog, "FileList").toObject());
        QVERIFY(list);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1).toString(), QStringLiteral("b.txt"));
        QCOMPARE(list->item(2).toString(), QStringLiteral("a.txt"));
    }

    void colourDialogAtItsPlace()
    {
        Control *dialog = newDialog();
        let(dialog, "DialogTitle", Variant(QStringLiteral("Farbe des Textes")));
        let(dialog, "color", Variant::fromColor(0x00FF00));
        let(dialog, "ColorNr", Variant::fromInteger(3));
        let(dialog, "CustomColors", Variant::fromColor(0x102030));
        QString title;
        QPoint at;
        QColor start, custom;
        testsupport::acceptWhenDialogShown([&](QDialog *shown) {
            auto *colours = qobject_cast<QColorDialog *>(shown);
            QVERIFY(colours);
            title = colours->windowTitle();
            at = colours->frameGeometry().topLeft();
            start = colours->currentColor();
            custom = QColorDialog::customColor(3);
            colours->setCurrentColor(QColor(0x11, 0x22, 0x33));
            QColorDialog::setCustomColor(4, QColor(0x44, 0x55, 0x66));
        });
        dialog->call(QStringLiteral("ShowColor"));
        QCOMPARE(title, QStringLiteral("Farbe des Textes"));
        QCOMPARE(at, QPoint(100, 100));
        QCOMPARE(start, QColor(0, 0xFF, 0));
        QCOMPARE(custom, QColor(0x30, 0x20, 0x10));
        QCOMPARE(get(dialog, "color").toColor(), 0x332211u);
        let(dialog, "ColorNr", Variant::fromInteger(4));
        QCOMPARE(get(dialog, "CustomColors").toColor(), 0x665544u);
    }

    void fontDialog()
    {
        const QString family = QFontDatabase::families().value(0);
        QVERIFY(!family.isEmpty());
        Control *dialog = newDialog();
        let(dialog, "FontName", Variant(family));
        let(dialog, "FontSize", Variant::fromLong(10));
        testsupport::acceptWhenDialogShown([&](QDialog *shown) {
            auto *fonts = qobject_cast<QFontDialog *>(shown);
            QVERIFY(fonts);
            QFont chosen(family);
            chosen.setPointSize(14);
            chosen.setItalic(true);
            fonts->setCurrentFont(chosen);
        });
        dialog->call(QStringLiteral("ShowFont"));
        QCOMPARE(get(dialog, "FontSize").toLong(), 14);
        QCOMPARE(get(dialog, "FontName").toString(), family);
        auto *font = dynamic_cast<StdFont *>(get(dialog, "Font").toObject());
        QVERIFY(font);
        QCOMPARE(font->size, 14.0);
    }

    void printSetupDialog()
    {
        Control *dialog = newDialog();
        let(dialog, "PrinterExist", Variant::fromBool(true));
        let(dialog, "CancelError", Variant::fromBool(true));
        bool shown = false;
        testsupport::acceptWhenDialogShown(
            [&](QDialog *d) { shown = qobject_cast<QPrintDialog *>(d) != nullptr; });
        dialog->call(QStringLiteral("ShowPrinter"));
        QVERIFY(shown);
        QCOMPARE(get(dialog, "Cancel").toBool(), false);
        QCOMPARE(get(dialog, "Number").toLong(), 0);
        QVERIFY(m_printers->log.contains(QStringLiteral("metrics")));
    }

    void printerPropertiesDialog()
    {
        Control *dialog = newDialog();
        let(dialog, "PrinterExist", Variant::fromBool(true));
        bool shown = false;
        testsupport::acceptWhenDialogShown(
            [&](QDialog *d) { shown = qobject_cast<QPageSetupDialog *>(d) != nullptr; });
        QCOMPARE(dialog->call(QStringLiteral("ShowPrinterProp")).display(), QStringLiteral("True"));
        QVERIFY(shown);
        QCOMPARE(m_printers->openConnections, 0);
    }

    // Qt's folder dialog opens on the start folder inside its root, and the
    // control hands back what was chosen in its 260-character buffer.
    void folderBrowserOpensOnTheStartFolder_data()
    {
        QTest::addColumn<QString>("initDir");
        QTest::addColumn<QString>("opened");
        QTest::newRow("start inside the root") << "Wurzel/Start"
                                               << "Wurzel/Start";
        QTest::newRow("start outside the root") << "Anderswo"
                                                << "Wurzel";
    }

    void folderBrowserOpensOnTheStartFolder()
    {
        QFETCH(QString, initDir);
        QFETCH(QString, opened);
        const QDir temp(m_dir.path());
        QVERIFY(temp.mkpath(QStringLiteral("Wurzel/Start")));
        QVERIFY(temp.mkpath(QStringLiteral("Anderswo")));
        Control *dialog = newDialog();
        let(dialog, "SelDir", Variant(temp.filePath(QStringLiteral("Wurzel"))));
        let(dialog, "InitDir", Variant(temp.filePath(initDir)));
        let(dialog, "DialogPrompt", Variant(QStringLiteral("Ordner für die Sicherung")));
        QString title, folder;
        testsupport::acceptWhenDialogShown([&](QDialog *shown) {
            auto *files = qobject_cast<QFileDialog *>(shown);
            QVERIFY(files);
            title = files->windowTitle();
            folder = files->directory().absolutePath();
        });
        const QString result = dialog->call(QStringLiteral("ShowFolder")).toString();
        const QString chosen = QDir::cleanPath(temp.absoluteFilePath(opened));
        QCOMPARE(title, QStringLiteral("Ordner für die Sicherung"));
        QCOMPARE(folder, chosen);
        QCOMPARE(result, chosen + QString(260 - chosen.size(), QChar(0)));
        QCOMPARE(get(dialog, "InitDir").toString(), chosen);
    }

    void folderBrowserForPrintersHasNoFolder()
    {
        Control *dialog = newDialog();
        let(dialog, "Flags", Variant::fromLong(8192));
        let(dialog, "CancelError", Variant::fromBool(true));
        bool shown = false;
        testsupport::acceptWhenDialogShown([&](QDialog *) { shown = true; });
        QCOMPARE(dialog->call(QStringLiteral("ShowFolder")).toString(), QString(260, QChar(0)));
        QVERIFY(!shown);
        QCOMPARE(get(dialog, "Number").toLong(), 32755);
        QCOMPARE(get(dialog, "Cancel").toBool(), true);
    }
};

KV_TEST_MAIN(TestCommonDialogsQt)
#include "tst_CommonDialogsQt.moc"
