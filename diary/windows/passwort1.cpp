#include "diary/windows/passwort1.h"

#include "diary/forms/MessageRoutine.h"
#include "diary/outsidecontrols/CommandButton.h"
#include "diary/storage/CodePassword.h"
#include "diary/storage/PasswordFile.h"
#include "platform/com/FormHosting.h"
#include "platform/runtime/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace kalvento
{

namespace
{
const QRect FrameRect(120, 120, 5280, 2400);
const QRect ExplainRect(240, 360, 5040, 480);
const QRect Label1Rect(240, 900, 5040, 300);
const QRect Text1Rect(240, 1200, 5040, 375);
const QRect Label2Rect(240, 1680, 5040, 300);
const QRect Text2Rect(240, 1980, 5040, 375);
const QRect Label4Rect(120, 2640, 5280, 300);
const QRect Command2Rect(120, 3060, 1680, 420);
const QRect Command3Rect(1920, 3060, 1680, 420);
const QRect Button2Rect(3720, 3060, 1680, 420);
const QRect HiddenRect(0, 0, 480, 300);
const QSize FormSize(5520, 3720);
} // namespace

passwort1::passwort1()
{
    setObjectName(QStringLiteral("passwort1"));
    setWindowTitle(QStringLiteral("Passwort eingeben / ändern"));
    auto place = [this](QWidget *widget, const QString &name, const QRect &twips) {
        widget->setParent(this);
        widget->setObjectName(name);
        placeControl(widget, name, twips);
    };
    place(new QGroupBox(QStringLiteral(" Eingabe ")), QStringLiteral("Frame1"), FrameRect);
    auto *explain =
        new QLabel(QStringLiteral("Ein leeres Passwort schaltet die Abfrage beim Programmstart ab."));
    explain->setWordWrap(true);
    place(explain, QStringLiteral("Label3"), ExplainRect);
    place(new QLabel(QStringLiteral("Bitte geben Sie hier Ihr Passwort ein:")), QStringLiteral("Label1"),
          Label1Rect);
    m_text1 = new QLineEdit;
    place(m_text1, QStringLiteral("Text1"), Text1Rect);
    place(new QLabel(QStringLiteral("Bitte wiederholen Sie die Eingabe:")), QStringLiteral("Label2"),
          Label2Rect);
    m_text2 = new QLineEdit;
    place(m_text2, QStringLiteral("Text2"), Text2Rect);
    m_text3 = new QLineEdit(PasswordKey);
    place(m_text3, QStringLiteral("Text3"), HiddenRect);
    m_label4 = new QLabel;
    place(m_label4, QStringLiteral("Label4"), Label4Rect);

    m_command2 = new CommandButton(QStringLiteral("PW &speichern"));
    place(m_command2, QStringLiteral("Command2"), Command2Rect);
    connect(m_command2, &QPushButton::clicked, this, &passwort1::Command2_Click);
    m_command3 = new CommandButton(QStringLiteral("PW &löschen"));
    place(m_command3, QStringLiteral("Command3"), Command3Rect);
    connect(m_command3, &QPushButton::clicked, this, &passwort1::Command3_Click);
    m_xpButton2 = new CommandButton(QStringLiteral("&Zurück"));
    place(m_xpButton2, QStringLiteral("xpButton2"), Button2Rect);
    connect(m_xpButton2, &QPushButton::clicked, this, &passwort1::xpButton2_Click);
    setDefaultButton(m_command2);
    setCancelButton(m_xpButton2);

    m_dialog1 =
        com::addControl(*this, QStringLiteral("Quiv_Tools.Dialog"), QStringLiteral("Dialog1"), HiddenRect);
    m_dialog1->hide();
    resize(rt::Twips::toPixelsX(FormSize.width()), rt::Twips::toPixelsY(FormSize.height()));
}

passwort1::~passwort1() = default;

com::AutomationObject &passwort1::Dialog1() const
{
    return *m_dialog1;
}

void passwort1::onLoad()
{
    m_text3->hide();
    m_text1->setFocus();
    const std::optional<QString> stored = PasswordFile::read();
    if (!stored) {
        ShowMessage(Dialog1(), PasswordFile::unusableText(), QStringLiteral("16"),
                    QStringLiteral("Passwortdatei"));
        return;
    }
    m_text1->setText(m_text1->text() + *stored);
    bool ok = true;
    m_text1->setText(CodePassword(m_text1->text(), m_text3->text(), false, &ok));
    if (!ok)
        // Left empty: saving or deleting here writes a sound file again.
        ShowMessage(Dialog1(),
                    PasswordFile::damagedText() +
                        QStringLiteral("\r\n\r\nBitte geben Sie ein neues Passwort ein oder löschen Sie es."),
                    QStringLiteral("16"), QStringLiteral("Passwortdatei beschädigt"));
}

bool passwort1::store(const QString &line)
{
    if (PasswordFile::write(line))
        return true;
    ShowMessage(Dialog1(), PasswordFile::unusableText(), QStringLiteral("16"),
                QStringLiteral("Passwortdatei"));
    return false;
}

void passwort1::Command2_Click()
{
    if (m_text2->text() != m_text1->text()) {
        ShowMessage(Dialog1(),
                    QStringLiteral("Das von Ihnen zum Abgleich eingegebene Passwort\r"
                                   "stimmt nicht mit dem zuerst eingegeben überein.\r\r"
                                   "Bitte wiederholen Sie die Eingabe."),
                    QStringLiteral("16"), QStringLiteral("Passwortabgleich fehlerhaft"));
        return;
    }
    bool ok = true;
    const QString scrambled = CodePassword(m_text1->text(), m_text3->text(), true, &ok);
    if (!ok) {
        // Such a character could never be typed back at the prompt.
        ShowMessage(Dialog1(),
                    QStringLiteral("Das Passwort enthält ein Zeichen, das nicht gespeichert werden kann.\r\r"
                                   "Bitte verwenden Sie nur Buchstaben, Ziffern und gängige Sonderzeichen."),
                    QStringLiteral("16"), QStringLiteral("Ungültiges Zeichen"));
        return;
    }
    m_text1->setText(scrambled);
    m_text2->setText(scrambled);
    m_label4->setText(QStringLiteral("Passwort wurde verschlüsselt."));
    if (!store(scrambled))
        return;
    ShowMessage(Dialog1(),
                QStringLiteral("Das von Ihnen eingegebene Passwort wurde \rgespeichert.\r\r"
                               "Wenn Sie jetzt das Programm beenden und es \r"
                               "anschließend neu aufrufen, wird das eingegebene \rPasswort abgefragt."),
                QStringLiteral("96"), QStringLiteral("Passwortabgleich korrekt"));
}

void passwort1::Command3_Click()
{
    m_text1->clear();
    m_text2->clear();
    if (!store(m_text1->text()))
        return;
    ShowMessage(
        Dialog1(),
        QStringLiteral("Ihr Passwort wurde gelöscht.\rEs erscheint keine Abfrage mehr beim Programmstart."),
        QStringLiteral("64"), QStringLiteral("Passwort gelöscht"));
    m_label4->setText(QStringLiteral("Passwort wurde gelöscht."));
}

void passwort1::xpButton2_Click()
{
    unload();
}

} // namespace kalvento
