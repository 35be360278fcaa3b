#include "diary/windows/FrmSplash.h"

#include "diary/program/ProgramEnd.h"
#include "diary/storage/PasswordFile.h"
#include "diary/windows/MainWindowStart.h"
#include "diary/windows/passwort2.h"
#include "platform/com/FormHosting.h"
#include "platform/runtime/App.h"
#include "platform/runtime/Timer.h"
#include "platform/runtime/Twips.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>

namespace kalvento
{

namespace
{
const QRect Label1Rect(240, 240, 5520, 600);
const QRect Label6Rect(240, 900, 5520, 420);
const QRect Label4Rect(240, 1560, 5520, 300);
const QRect ProgressRect(240, 1920, 5520, 300);
const QSize FormSize(6000, 2520);
} // namespace

FrmSplash::FrmSplash()
{
    setObjectName(QStringLiteral("FrmSplash"));
    setWindowFlag(Qt::FramelessWindowHint);
    m_label1 =
        com::addControl(*this, QStringLiteral("Quiv_Tools.Label3D"), QStringLiteral("Label1"), Label1Rect);
    m_label6 =
        com::addControl(*this, QStringLiteral("Quiv_Tools.Label3D"), QStringLiteral("Label6"), Label6Rect);
    m_label4 = new QLabel(QStringLiteral("Datenbestand wird eingelesen..."), this);
    m_label4->setObjectName(QStringLiteral("Label4"));
    placeControl(m_label4, QStringLiteral("Label4"), Label4Rect);
    // Only for the look: nothing drives it.
    auto *progress = new QProgressBar(this);
    progress->setObjectName(QStringLiteral("ProgressBar1"));
    progress->setRange(0, 0);
    placeControl(progress, QStringLiteral("ProgressBar1"), ProgressRect);

    m_timer1 = new rt::Timer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(2900);
    m_timer1->setTickHandler([this] { Timer1_Timer(); });
    resize(rt::Twips::toPixelsX(FormSize.width()), rt::Twips::toPixelsY(FormSize.height()));
}

FrmSplash::~FrmSplash() = default;

void FrmSplash::onLoad()
{
    m_label1->let(QStringLiteral("BackColorL"), com::Variant::fromColor(0xFFFFFF));
    m_label6->let(QStringLiteral("BackColorL"), com::Variant::fromColor(0xFFFFFF));
    m_label1->let(QStringLiteral("Caption"), QStringLiteral("Zorvelin Professional"));
    m_label6->let(
        QStringLiteral("Caption"),
        QStringLiteral("V%1.%2.%3").arg(rt::App::major()).arg(rt::App::minor()).arg(rt::App::revision()));
    const std::optional<QString> stored = PasswordFile::read();
    if (!stored) {
        // The splash has no message control of its own.
        m_timer1->setEnabled(false);
        QMessageBox::critical(this, QStringLiteral("Passwortdatei"),
                              PasswordFile::unusableText() +
                                  QStringLiteral("\r\n\r\nDas Programm wird beendet."));
        ProgramEnd::end();
        unload();
        return;
    }
    m_storedPassword = *stored;
}

void FrmSplash::Timer1_Timer()
{
    // One hand-over only: the prompt below waits inside this tick.
    m_timer1->setEnabled(false);
    const QString stored = m_storedPassword;
    if (stored.isEmpty()) {
        // The splash says the data are being read in and stays until the main window is there:
        // a first open of a large diary takes seconds to index its days.
        showMainWindow();
        unload();
        return;
    }
    unload();
    QPointer<passwort2> prompt = rt::Form::create<passwort2>();
    prompt->showModal();
}

} // namespace kalvento
