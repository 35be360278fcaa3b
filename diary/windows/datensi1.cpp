#include "diary/windows/datensi1.h"

#include "diary/forms/FormControls.h"
#include "diary/forms/MessageRoutine.h"
#include "diary/outsidecontrols/CommandButton.h"
#include "diary/outsidecontrols/FileListBox.h"
#include "platform/com/AutomationError.h"
#include "platform/runtime/App.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/GermanLocale.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Twips.h"
#include "platform/screen/ScreenPointer.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>

#include <optional>
#include <tuple>

namespace kalvento
{

namespace
{

const QString CR = QStringLiteral("\r");
const QString CRLF = QStringLiteral("\r\n");
const QString Pattern = QStringLiteral("*.dsi");

const QRect Frames1Rect(120, 60, 9600, 1020);
const QRect Label1Rect(240, 180, 9360, 840);
const QRect Frames2Rect(120, 1140, 5880, 3900);
const QRect TreeRect(240, 1440, 2160, 3480);
const QRect File1Rect(2460, 1440, 3420, 3480);
const QRect Frames3Rect(6120, 1140, 3600, 3900);
const QRect Command1Rect(6240, 1440, 3360, 420);
const QRect Command2Rect(6240, 1920, 3360, 420);
const QRect Command3Rect(6240, 2400, 3360, 420);
const QRect Line3D1Rect(6240, 2940, 3360, 30);
const QRect Check1Rect(6240, 3060, 3360, 420);
const QRect Text1Rect(6240, 3540, 3360, 330);
const QRect Line3D2Rect(6240, 4020, 3360, 30);
const QRect Button1Rect(6240, 4500, 3360, 420);
const QRect HiddenRect(0, 0, 480, 480);
const QSize FormSize(9840, 5160);

QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

datensi1::datensi1(EntryStore store) : m_store(std::move(store))
{
    setObjectName(QStringLiteral("datensi1"));
    setWindowTitle(QStringLiteral("Datensicherung"));
    auto place = [this](QWidget *widget, const QString &name, const QRect &twips) {
        widget->setParent(this);
        widget->setObjectName(name);
        placeControl(widget, name, twips);
    };
    auto holder = std::make_unique<HandlerHolder>();
    m_handlers = &holder->handlers;
    m_handlers->on(QStringLiteral("TreeEx1_Click"), [this, alive = m_alive](com::Args &) {
        if (*alive)
            TreeEx1_Click();
    });

    // Frames first: whatever they surround lies above them. They only group;
    // Tab passes them by.
    for (const auto &[name, rect, caption] : {std::tuple{"Frames1", Frames1Rect, ""},
                                              {"Frames2", Frames2Rect, " Medien "},
                                              {"Frames3", Frames3Rect, " Steuerung "}})
        addShownControl(*this, QStringLiteral("Quiv_Tools.Frames"), QString::fromLatin1(name), rect,
                        QStringLiteral("Caption = \"%1\"").arg(QString::fromLatin1(caption)))
            ->setFocusPolicy(Qt::NoFocus);

    m_label1 = new QLabel(QStringLiteral(
        "Wählen Sie links den Ordner, in dem die Sicherung angelegt werden soll, und klicken Sie auf "
        "\"Sichern der Datenbank\". Zum Wiederherstellen markieren Sie eine Sicherungsdatei (*.dsi) "
        "in der Liste und klicken auf \"Wiederherstellen\"."));
    m_label1->setWordWrap(true);
    place(m_label1, QStringLiteral("Label1"), Label1Rect);

    m_treeEx1 = addShownControl(*this, QStringLiteral("Quiv_Tools.TreeEx"), QStringLiteral("TreeEx1"),
                                TreeRect, QString(), m_handlers);
    m_file1 = new FileListBox;
    place(m_file1, QStringLiteral("File1"), File1Rect);

    m_command1 = new CommandButton(QStringLiteral("&Sichern der Datenbank"));
    place(m_command1, QStringLiteral("Command1"), Command1Rect);
    connect(m_command1, &QPushButton::clicked, this, &datensi1::Command1_Click);
    m_command2 = new CommandButton(QStringLiteral("&Wiederherstellen"));
    place(m_command2, QStringLiteral("Command2"), Command2Rect);
    connect(m_command2, &QPushButton::clicked, this, &datensi1::Command2_Click);
    m_command3 = new CommandButton(QStringLiteral("Sicherung &löschen"));
    place(m_command3, QStringLiteral("Command3"), Command3Rect);
    connect(m_command3, &QPushButton::clicked, this, &datensi1::Command3_Click);

    addShownControl(*this, QStringLiteral("Quiv_Tools.Line3D"), QStringLiteral("Line3D1"), Line3D1Rect);
    // The switch shows where the focus is, and Escape there leaves as
    // anywhere else: the switch itself only reports the key.
    m_handlers->on(QStringLiteral("xpCheck1_KeyDown"), [this, alive = m_alive](com::Args &args) {
        if (*alive && args.at(0).toLong() == rt::KeyCodes::KeyEscape)
            xpButton1_Click();
    });
    m_xpCheck1 =
        addShownControl(*this, QStringLiteral("Quiv_Tools.Button"), QStringLiteral("xpCheck1"), Check1Rect,
                        QStringLiteral("Caption = \"&Datum zur Sicherung hinzufügen\"\nOptionMode = 1\n"
                                       "ButtonShow = 42\nFocusRect = True"),
                        m_handlers);
    m_text1 = new QLineEdit;
    // The text goes into a file name: it is the date, never typed.
    m_text1->setReadOnly(true);
    place(m_text1, QStringLiteral("Text1"), Text1Rect);
    addShownControl(*this, QStringLiteral("Quiv_Tools.Line3D"), QStringLiteral("Line3D2"), Line3D2Rect);

    m_xpButton1 = new CommandButton(QStringLiteral("&Zurück"));
    place(m_xpButton1, QStringLiteral("xpButton1"), Button1Rect);
    connect(m_xpButton1, &QPushButton::clicked, this, &datensi1::xpButton1_Click);
    setCancelButton(m_xpButton1);

    m_dialog1 =
        addShownControl(*this, QStringLiteral("Quiv_Tools.Dialog"), QStringLiteral("Dialog1"), HiddenRect);
    m_dialog1->hide();
    holder.release()->setParent(this);
    resize(rt::Twips::toPixelsX(FormSize.width()), rt::Twips::toPixelsY(FormSize.height()));
}

datensi1::~datensi1()
{
    *m_alive = false;
}

com::AutomationObject &datensi1::Dialog1() const
{
    return *m_dialog1;
}

void datensi1::onLoad()
{
    // The user's own folder, where a new user may write; the roots stay in
    // the tree. A home that cannot be listed leaves the tree where it was.
    try {
        m_treeEx1->let(QStringLiteral("pPath"), QDir::homePath());
    } catch (const com::AutomationError &) {
    }
    listBackups();
    m_restoreFolder = joined(rt::App::path(), QStringLiteral("data/"));
    work().removeLeftovers();
    // Always the German form: the text is part of a file name, and other
    // regional forms may hold "/".
    m_text1->setText(rt::GermanLocale::shortDate(rt::SystemSources::clock().now().date()));
}

QString datensi1::folder()
{
    return m_treeEx1->get(QStringLiteral("pPath")).toString();
}

QString datensi1::selectedFilePath()
{
    const QString name = m_file1->FileName();
    return name.isEmpty() ? QString() : joined(folder(), name);
}

void datensi1::listBackups()
{
    m_file1->setPath(folder());
    m_file1->setPattern(Pattern);
}

void datensi1::TreeEx1_Click()
{
    listBackups();
}

QString datensi1::backupFilePath()
{
    const bool dated = m_xpCheck1->get(QStringLiteral("Value")).toBool();
    return joined(folder(),
                  dated ? QStringLiteral("zorvelin_") + m_text1->text() + QStringLiteral("_sicherung.dsi")
                        : QStringLiteral("zorvelin_datensicherung.dsi"));
}

void datensi1::Command1_Click()
{
    const QString target = backupFilePath();
    if (!PackFiles(target))
        return;
    ShowMessage(Dialog1(),
                QStringLiteral("Die Datensicherung wurde unter:") + CR + CR + target + CR + CR +
                    QStringLiteral("angelegt. Aus diesem Verzeichnis können Sie später die") + CR +
                    QStringLiteral("Rücksicherung vornehmen."),
                QStringLiteral("64"), QStringLiteral("Datensicherung"));
    m_file1->Refresh();
    m_file1->setPattern(Pattern);
}

bool datensi1::PackFiles(const QString &target)
{
    std::optional<screen::WaitPointer> busy(std::in_place);
    const BackupResult result = work().backUp(target);
    busy.reset();
    if (result.done())
        return true;
    ShowMessage(Dialog1(),
                QStringLiteral("Die Datensicherung in die Datei:") + CR + CR + target + CR + CR +
                    QStringLiteral("konnte nicht angelegt werden:") + CR + result.reason + CR + CR +
                    QStringLiteral("Eine frühere Sicherung dieses Namens bleibt unverändert."),
                QStringLiteral("16"), QStringLiteral("Datensicherung"));
    return false;
}

void datensi1::Command2_Click()
{
    const QString backupFile = selectedFilePath();
    if (backupFile.isEmpty()) {
        ShowMessage(
            Dialog1(),
            QStringLiteral("Bitte markieren Sie zuerst in der Liste die Sicherungsdatei, aus der Sie Ihre "
                           "Daten wiederherstellen möchten."),
            QStringLiteral("64"), QStringLiteral("Keine Sicherungsdatei markiert"));
        return;
    }
    UnpackFiles(backupFile);
}

void datensi1::refuseRestore(const QString &backupFile, const QString &reason)
{
    ShowMessage(Dialog1(),
                QStringLiteral("Die Datei:") + CRLF + CRLF + backupFile + CRLF + CRLF +
                    QStringLiteral("ist keine gültige Datensicherung (") + reason + QStringLiteral(").") +
                    CRLF +
                    QStringLiteral("Es wurde nichts wiederhergestellt; Ihre Daten bleiben unverändert."),
                QStringLiteral("16"), QStringLiteral("Wiederherstellung"));
}

void datensi1::failRestore(const QString &backupFile, const QString &reason)
{
    ShowMessage(Dialog1(),
                QStringLiteral("Die Rücksicherung aus der Datei:") + CRLF + CRLF + backupFile + CRLF + CRLF +
                    QStringLiteral("ist fehlgeschlagen:") + CRLF + reason + CRLF + CRLF +
                    QStringLiteral("Ihre bisherigen Daten bleiben unverändert."),
                QStringLiteral("16"), QStringLiteral("Wiederherstellung"));
}

bool datensi1::UnpackFiles(const QString &backupFile)
{
    std::optional<screen::WaitPointer> busy(std::in_place);
    const BackupResult result = work().restore(backupFile);
    busy.reset();
    switch (result.outcome) {
    case BackupResult::Outcome::Refused:
        refuseRestore(backupFile, result.reason);
        return false;
    case BackupResult::Outcome::Failed:
        failRestore(backupFile, result.reason);
        return false;
    case BackupResult::Outcome::Done:
        break;
    }
    ShowMessage(
        Dialog1(),
        QStringLiteral("Die Rücksicherung Ihrer Daten aus der Datei:") + CRLF + CRLF + backupFile + CRLF +
            CRLF + QStringLiteral("ist vollendet. Bitte beenden Sie nun das komplette Programm. Erst nach") +
            CRLF + QStringLiteral("einem Programmneustart können Sie auf die wiederhergestellten Daten") +
            CRLF + QStringLiteral("zugreifen.") +
            // Where the replaced diary went, so the user can take it back.
            (result.keptCopy.isEmpty()
                 ? QString()
                 : CRLF + CRLF + QStringLiteral("Die ersetzte Datenbank bleibt erhalten als:") + CRLF +
                       brokenPath(result.keptCopy)),
        QStringLiteral("64"), QStringLiteral("Wiederherstellung"));
    return true;
}

void datensi1::Command3_Click()
{
    const QString backupFile = selectedFilePath();
    if (backupFile.isEmpty()) {
        ShowMessage(
            Dialog1(),
            QStringLiteral("Bitte markieren Sie zuerst in der Liste die Sicherungsdatei, die Sie löschen "
                           "möchten."),
            QStringLiteral("64"), QStringLiteral("Keine Sicherungsdatei markiert"));
        return;
    }
    const QString answer =
        ShowMessage(Dialog1(),
                    QStringLiteral("Sind Sie sicher, dass Sie die Datei:") + CRLF + CRLF + backupFile + CRLF +
                        CRLF + QStringLiteral("von Ihrem Datenträger löschen wollen?"),
                    QStringLiteral("36"), QStringLiteral("Sicherungsdatei löschen"));
    if (answer != QLatin1String("6"))
        return;
    const BackupResult result = work().remove(backupFile);
    if (!result.done())
        ShowMessage(Dialog1(),
                    QStringLiteral("Die Datei:") + CRLF + CRLF + backupFile + CRLF + CRLF +
                        QStringLiteral("konnte nicht gelöscht werden:") + CRLF + result.reason,
                    QStringLiteral("16"), QStringLiteral("Sicherungsdatei löschen"));
    m_file1->Refresh();
    m_file1->setPattern(Pattern);
}

void datensi1::xpButton1_Click()
{
    unload();
}

} // namespace kalvento
