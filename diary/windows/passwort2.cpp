#include "diary/windows/passwort2.h"

#include "diary/forms/MessageRoutine.h"
#include "diary/outsidecontrols/CommandButton.h"
#include "diary/program/ProgramEnd.h"
#include "diary/storage/CodePassword.h"
#include "diary/storage/PasswordFile.h"
#include "diary/windows/MainWindowStart.h"
#include "platform/com/FormHosting.h"
#include "platform/runtime/Twips.h"

#include <QLabel>
#include <QLineEdit>

namespace kalvento
{

namespace
{
const QRect InstructionRect(240, 120, 4320, 480);
const QRect Label1Rect(240, 720, 1320, 300);
const QRect PwRect(1680, 660, 2880, 375);
const QRect Button1Rect(1680, 1260, 1380, 420);
const QRect Button2Rect(3180, 1260, 1380, 420);
const QRect HiddenRect(0, 0, 480, 300);
const QSize FormSize(4800, 1920);
} // namespace

passwort2::passwort2()
{
    setObjectName(QStringLiteral("passwort2"));
    setWindowTitle(QStringLiteral("Passwortabfrage"));
    auto place = [this](QWidget *widget, const QString &name, const QRect &twips) {
        widget->setParent(this);
        widget->setObjectName(name);
        placeControl(widget, name, twips);
    };
    // Two lines high by design: the instruction wraps at word ends, as labels do.
    auto *instruction =
        new QLabel(QStringLiteral("Bitte geben Sie Ihr Passwort ein, um das Tagebuch zu öffnen."));
    instruction->setWordWrap(true);
    place(instruction, QStringLiteral("Label2"), InstructionRect);
    place(new QLabel(QStringLiteral("Ihr Passwort:")), QStringLiteral("Label1"), Label1Rect);
    m_pw = new QLineEdit;
    m_pw->setEchoMode(QLineEdit::Password);
    place(m_pw, QStringLiteral("pw"), PwRect);
    m_text1 = new QLineEdit;
    place(m_text1, QStringLiteral("Text1"), HiddenRect);
    m_text2 = new QLineEdit;
    place(m_text2, QStringLiteral("Text2"), HiddenRect);
    m_text3 = new QLineEdit(PasswordKey);
    place(m_text3, QStringLiteral("Text3"), HiddenRect);

    m_xpButton1 = new CommandButton(QStringLiteral("&Okay"));
    place(m_xpButton1, QStringLiteral("xpButton1"), Button1Rect);
    setDefaultButton(m_xpButton1);
    connect(m_xpButton1, &QPushButton::clicked, this, &passwort2::xpButton1_Click);
    m_xpButton2 = new CommandButton(QStringLiteral("&Abbrechen"));
    place(m_xpButton2, QStringLiteral("xpButton2"), Button2Rect);
    m_xpButton2->setToolTip(QStringLiteral("<b>Vorsicht!!!</b><br>Programm wird beendet."));
    connect(m_xpButton2, &QPushButton::clicked, this, &passwort2::xpButton2_Click);
    setCancelButton(m_xpButton2);

    m_dialog1 =
        com::addControl(*this, QStringLiteral("Quiv_Tools.Dialog"), QStringLiteral("Dialog1"), HiddenRect);
    m_dialog1->hide();
    resize(rt::Twips::toPixelsX(FormSize.width()), rt::Twips::toPixelsY(FormSize.height()));
}

passwort2::~passwort2() = default;

com::AutomationObject &passwort2::Dialog1() const
{
    return *m_dialog1;
}

void passwort2::onLoad()
{
    m_text1->hide();
    m_text2->hide();
    m_text3->hide();
    const std::optional<QString> stored = PasswordFile::read();
    if (!stored) {
        ShowMessage(Dialog1(), PasswordFile::unusableText(), QStringLiteral("16"),
                    QStringLiteral("Passwortdatei"));
        endProgram();
        return;
    }
    m_text1->setText(m_text1->text() + *stored);
    m_pw->setFocus();
}

void passwort2::xpButton1_Click()
{
    bool ok = true;
    m_text2->setText(CodePassword(m_text1->text(), m_text3->text(), false, &ok));
    if (!ok) {
        // Guessing would lock the user out for good: say so and end.
        ShowMessage(Dialog1(),
                    PasswordFile::damagedText() + QStringLiteral("\r\n\r\nDas Programm wird beendet."),
                    QStringLiteral("16"), QStringLiteral("Passwortdatei beschädigt"));
        endProgram();
        return;
    }
    if (m_text2->text() == m_pw->text()) {
        m_done = true;
        // The prompt stays until the main window is there, so reading the days is not an empty
        // screen.
        showMainWindow();
        unload();
        return;
    }
    ShowMessage(
        Dialog1(),
        QStringLiteral("Sie haben ein falsches Passwort eingegeben.\rBitte wiederholen Sie die Eingabe."),
        QStringLiteral("16"), QStringLiteral("Falsches Passwort"));
    m_pw->clear();
    // Whatever was clicked, the next try is typed straight away.
    m_pw->setFocus();
}

void passwort2::xpButton2_Click()
{
    endProgram();
}

void passwort2::endProgram()
{
    if (!m_done) {
        m_done = true;
        ProgramEnd::end();
    }
    unload();
}

void passwort2::onUnload(bool &cancel)
{
    Q_UNUSED(cancel);
    // Closed by its close box: no window is left, so the program ends.
    if (!m_done) {
        m_done = true;
        ProgramEnd::end();
    }
}

} // namespace kalvento
