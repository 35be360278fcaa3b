#include "diary/update/nuvreldate1.h"

#include "diary/forms/FormControls.h"
#include "diary/forms/MessageRoutine.h"
#include "diary/forms/MsgBox.h"
#include "diary/program/ProgramEnd.h"
#include "diary/update/BrowseFolder.h"
#include "diary/update/OpenWebsite.h"
#include "diary/update/ReadURL.h"
#include "diary/update/ShellOpen.h"
#include "diary/update/UpdateDescription.h"
#include "diary/update/clsDownload.h"
#include "platform/com/Control.h"
#include "platform/com/EventHandlers.h"
#include "platform/runtime/App.h"
#include "platform/runtime/GermanLocale.h"
#include "platform/runtime/Twips.h"
#include "platform/shell/OpenAddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QStyle>

#include <cmath>

namespace kalvento
{

const QString nuvreldate1::DescriptionPath = QStringLiteral("/update/kalvento/nuvrel.inf");
const QString nuvreldate1::DefaultUpdateServer = QStringLiteral("https://update.kalvento.de");
const QString nuvreldate1::WebSite = QStringLiteral("https://www.kalvento.de");

namespace
{

const QRect Picture1Rect(120, 120, 900, 900);
const QRect Label2Rect(1140, 120, 6000, 300);
const QRect Label3Rect(1140, 450, 6000, 500);
const QRect Label8Rect(1140, 1020, 2400, 255);
const QRect Label9Rect(3600, 1020, 3540, 255);
const QRect Frame2Rect(120, 1380, 7020, 1560);
const QRect LabelColumn(300, 1700, 1800, 255);
const QRect TextColumn(2160, 1700, 4860, 255);
constexpr int RowTwips = 285;
const QRect Label1Rect(120, 3090, 1680, 255);
const QRect TxtFolderRect(1860, 3045, 4620, 330);
const QRect Command2Rect(6540, 3030, 600, 360);
const QRect InfoColumn(120, 3540, 1680, 255);
const QRect StatusColumn(1860, 3540, 3000, 255);
const QRect PRBRect(120, 4440, 7020, 300);
const QRect StatusLineRect(120, 4830, 7020, 255);
const QRect Command1Rect(120, 5280, 1920, 420);
const QRect Command4Rect(3180, 5280, 1920, 420);
const QRect Command5Rect(5220, 5280, 1920, 420);
const QRect HiddenRect(0, 0, 480, 480);
const QSize FormSize(7380, 5880);

// lblInfo and lblStatus are control arrays; these are the indices the window has.
constexpr std::array<int, 3> InfoIndices{0, 1, 5};
constexpr std::array<int, 4> StatusIndices{0, 1, 5, 6};
constexpr int StatusLine = 6;

constexpr int ShowNormal = 1;
const QString Yes = QStringLiteral("6");

QRect row(const QRect &first, int index)
{
    return first.translated(0, index * RowTwips);
}

template <std::size_t N> int slot(const std::array<int, N> &indices, int index)
{
    for (std::size_t i = 0; i < N; ++i)
        if (indices[i] == index)
            return int(i);
    return -1;
}

// The folder text ends with a separator, as the download expects; "\" from a stored text is ours.
QString withSeparator(QString folder)
{
    folder = rt::App::fromStoredPath(folder);
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

// A downloaded program keeps whatever it had and may now be run by those who may read it.
bool makeExecutable(const QString &file)
{
    QFile::Permissions permissions = QFile::permissions(file);
    if (permissions & QFile::ReadOwner)
        permissions |= QFile::ExeOwner;
    if (permissions & QFile::ReadUser)
        permissions |= QFile::ExeUser;
    if (permissions & QFile::ReadGroup)
        permissions |= QFile::ExeGroup;
    if (permissions & QFile::ReadOther)
        permissions |= QFile::ExeOther;
    return QFile::setPermissions(file, permissions) && QFileInfo(file).isExecutable();
}

} // namespace

nuvreldate1::nuvreldate1(QString updateServer) : m_updateServer(std::move(updateServer))
{
    setObjectName(QStringLiteral("nuvreldate1"));
    setWindowTitle(QStringLiteral("Nuvrel"));
    auto place = [this](QWidget *widget, const QString &name, const QRect &twips) {
        widget->setParent(this);
        widget->setObjectName(name);
        placeControl(widget, name, twips);
        return widget;
    };
    auto label = [&](const QString &text, const QString &name, const QRect &twips) {
        auto *l = new QLabel(text);
        // Some of these show what the update server sent: never read as markup.
        l->setTextFormat(Qt::PlainText);
        place(l, name, twips);
        return l;
    };
    auto holder = std::make_unique<HandlerHolder>();
    m_handlers = &holder->handlers;
    auto bind = [this](const QString &name, void (nuvreldate1::*handler)()) {
        m_handlers->on(name, [this, handler, alive = m_alive](com::Args &) {
            if (*alive)
                (this->*handler)();
        });
    };
    bind(QStringLiteral("Command1_Click"), &nuvreldate1::Command1_Click);
    bind(QStringLiteral("Command2_Click"), &nuvreldate1::Command2_Click);
    bind(QStringLiteral("Command4_Click"), &nuvreldate1::Command4_Click);
    bind(QStringLiteral("Command5_Click"), &nuvreldate1::Command5_Click);

    auto *picture = label(QString(), QStringLiteral("Picture1"), Picture1Rect);
    picture->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(48, 48));
    picture->setAlignment(Qt::AlignCenter);

    QLabel *welcome =
        label(QStringLiteral("Herzlich willkommen bei Nuvrel."), QStringLiteral("Label2"), Label2Rect);
    QFont bold = welcome->font();
    bold.setBold(true);
    welcome->setFont(bold);
    label(QStringLiteral("Nuvrel wird nun prüfen, ob ein neues Update zu diesem Produkt im Internet "
                         "verfügbar ist."),
          QStringLiteral("Label3"), Label3Rect)
        ->setWordWrap(true);
    label(QStringLiteral("Nuvrel V2.5"), QStringLiteral("Label8"), Label8Rect);
    m_label9 = label(QStringLiteral("www.kalvento.de"), QStringLiteral("Label9"), Label9Rect);
    m_label9->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label9->setStyleSheet(QStringLiteral("color: #0000ff; text-decoration: underline;"));
    m_label9->setCursor(Qt::PointingHandCursor);
    m_label9->installEventFilter(this);

    // The frame first: what it surrounds lies above it.
    place(new QGroupBox(QStringLiteral("Updatebericht")), QStringLiteral("Frame2"), Frame2Rect)->lower();
    label(QStringLiteral("Name:"), QStringLiteral("Label4"), row(LabelColumn, 0));
    label(QStringLiteral("Version:"), QStringLiteral("Label5"), row(LabelColumn, 1));
    label(QStringLiteral("Größe der Datei:"), QStringLiteral("Label6"), row(LabelColumn, 2));
    for (int line = 1; line <= UpdateDescription::LineCount; ++line) {
        // Line 1 is the description's own header and line 5 the address the download takes from it.
        const int at = line == 1 ? 0 : line - 2;
        m_text[line - 1] = label(QString(), QStringLiteral("Text%1").arg(line), row(TextColumn, at));
    }
    m_text[0]->hide();
    m_text[4]->setTextInteractionFlags(Qt::TextSelectableByMouse);

    label(QStringLiteral("Pfad zum Update:"), QStringLiteral("Label1"), Label1Rect);
    m_txtFolder = new QLineEdit;
    place(m_txtFolder, QStringLiteral("txtFolder"), TxtFolderRect);
    m_txturl = new QLineEdit;
    place(m_txturl, QStringLiteral("txturl"), HiddenRect);
    m_txturl->hide();

    const std::array<QString, 3> infoTexts{QStringLiteral("Größe in Bytes:"), QStringLiteral("Empfangen:"),
                                           QStringLiteral("Geschwindigkeit:")};
    for (std::size_t i = 0; i < InfoIndices.size(); ++i) {
        m_lblInfo[i] =
            label(infoTexts[i], QStringLiteral("lblInfo(%1)").arg(InfoIndices[i]), row(InfoColumn, int(i)));
        m_lblStatus[i] = label(QString(), QStringLiteral("lblStatus(%1)").arg(StatusIndices[i]),
                               row(StatusColumn, int(i)));
    }
    m_lblStatus[3] = label(QString(), QStringLiteral("lblStatus(6)"), StatusLineRect);

    // The window speaks of percentages: the bar is full at 100.
    m_prb = addShownControl(*this, QStringLiteral("Quiv_Tools.ProgressBar"), QStringLiteral("PRB"), PRBRect,
                            QStringLiteral("Max = 100"));
    m_command1 =
        addShownControl(*this, QStringLiteral("Quiv_Tools.Button"), QStringLiteral("Command1"), Command1Rect,
                        QStringLiteral("Caption = \" Über&prüfen\"\nButtonShow = 30\n"
                                       "ToolTipText = \"Prüfen ob bereits ein Update vorhanden ist.\""),
                        m_handlers);
    m_command2 = addShownControl(
        *this, QStringLiteral("Quiv_Tools.Button"), QStringLiteral("Command2"), Command2Rect,
        QStringLiteral("Caption = \"...\"\nButtonShow = 51\nToolTipText = \"Verzeichnis wählen\""),
        m_handlers);
    m_command4 = addShownControl(
        *this, QStringLiteral("Quiv_Tools.Button"), QStringLiteral("Command4"), Command4Rect,
        QStringLiteral("Caption = \" &Update\"\nButtonShow = 37\nToolTipText = \"Online-Update starten\""),
        m_handlers);
    m_command5 = addShownControl(
        *this, QStringLiteral("Quiv_Tools.Button"), QStringLiteral("Command5"), Command5Rect,
        QStringLiteral("Caption = \" &Abbrechen\"\nButtonShow = 1\nToolTip = False"), m_handlers);
    m_dialog1 =
        addShownControl(*this, QStringLiteral("Quiv_Tools.Dialog"), QStringLiteral("Dialog1"), HiddenRect);
    m_dialog1->hide();
    holder.release()->setParent(this);
    resize(rt::Twips::toPixelsX(FormSize.width()), rt::Twips::toPixelsY(FormSize.height()));
}

nuvreldate1::~nuvreldate1()
{
    *m_alive = false;
}

QLabel *nuvreldate1::Text(int line) const
{
    return line >= 1 && line <= UpdateDescription::LineCount ? m_text[line - 1] : nullptr;
}

QLabel *nuvreldate1::lblInfo(int index) const
{
    const int at = slot(InfoIndices, index);
    return at < 0 ? nullptr : m_lblInfo[at];
}

QLabel *nuvreldate1::lblStatus(int index) const
{
    const int at = slot(StatusIndices, index);
    return at < 0 ? nullptr : m_lblStatus[at];
}

com::AutomationObject &nuvreldate1::Dialog1() const
{
    return *m_dialog1;
}

QString nuvreldate1::ShowMessage(const QString &prompt, const QString &flags, const QString &title)
{
    return kalvento::ShowMessage(Dialog1(), prompt, flags, title);
}

void nuvreldate1::setStatus(const QString &text)
{
    lblStatus(StatusLine)->setText(text);
}

void nuvreldate1::showDownloadInfo(bool visible)
{
    m_prb->setVisible(visible);
    for (QLabel *info : m_lblInfo)
        info->setVisible(visible);
}

void nuvreldate1::onLoad()
{
    m_dl = std::make_unique<clsDownload>();
    connect(m_dl.get(), &clsDownload::Update, this, &nuvreldate1::dl_Update);
    m_command4->let(QStringLiteral("EnabledB"), com::Variant::fromBool(false));
    m_version =
        QStringLiteral("%1.%2.%3").arg(rt::App::major()).arg(rt::App::minor()).arg(rt::App::revision());
    showDownloadInfo(false);
    m_txtFolder->setText(rt::App::path() + QStringLiteral("/temp/"));
}

void nuvreldate1::Command1_Click()
{
    const QString text = ReadURL(m_updateServer + DescriptionPath, this).toString();
    // Each check shows what the server says now, never beside what it said before.
    const UpdateDescription description = UpdateDescription::fromText(text);
    for (int line = 1; line <= UpdateDescription::LineCount; ++line)
        Text(line)->setText(description.lines[line - 1]);

    if (text.isEmpty()) {
        setStatus(QStringLiteral("Status: Der Update-Server ist nicht erreichbar oder meldet einen Fehler."));
        return;
    }
    if (description.version().isEmpty()) {
        setStatus(QStringLiteral("Status: Die Antwort des Update-Servers ist keine Updatebeschreibung."));
        return;
    }
    const std::optional<int> order = compareVersions(description.version(), m_version);
    if (!order) {
        setStatus(QStringLiteral("Status: Die Version des Updates ist nicht lesbar."));
        return;
    }
    setStatus(QString());
    if (*order > 0) {
        setStatus(QStringLiteral("Es ist eine neue Version vorhanden!"));
        m_command4->let(QStringLiteral("EnabledB"), com::Variant::fromBool(true));
        m_command1->let(QStringLiteral("EnabledB"), com::Variant::fromBool(false));
    } else if (*order == 0) {
        ShowMessage(QStringLiteral("Es ist kein neues Update verfügbar!"), QStringLiteral("112"),
                    QStringLiteral("Online-Update"));
        setStatus(QStringLiteral("Es ist kein neues Update verfügbar!"));
    }
}

void nuvreldate1::Command2_Click()
{
    const QString folder = BrowseFolder(this, QStringLiteral("Bitte wählen Sie einen Ordner:"));
    if (!folder.isEmpty())
        m_txtFolder->setText(withSeparator(folder));
}

void nuvreldate1::Command4_Click()
{
    if (m_downloading)
        return;
    m_txturl->setText(Text(5)->text());
    showDownloadInfo(true);
    const QString folder = withSeparator(m_txtFolder->text());
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        MsgBox(QStringLiteral("Bitte ein gültiges, vorhandenes Verzeichnis angeben."), 0, rt::App::title());
        return;
    }
    m_command4->let(QStringLiteral("EnabledB"), com::Variant::fromBool(false));
    m_command2->let(QStringLiteral("EnabledB"), com::Variant::fromBool(false));
    setStatus(QStringLiteral("Status: Download wird gestartet. Bitte warten ..."));

    // The file gets its final name and no other: whatever the URL ends in, nothing else in the
    // folder is created, replaced or removed.
    const QString name = QStringLiteral("zorvelin_update_%1_%2_%3.exe")
                             .arg(rt::App::major())
                             .arg(rt::App::minor())
                             .arg(rt::App::revision());
    const QString program = QDir(folder).filePath(name);
    {
        // Cleared however Download ends, an error from a handler beneath it included.
        const QScopedValueRollback<bool> downloading(m_downloading, true);
        m_dl->Download(m_txturl->text(), folder, name);
    }
    const bool complete = completedDownload(program);
    if (m_closeWhenDownloadEnds) {
        // A stopped transfer keeps its part under the name; a part is no program to be found later.
        if (!complete)
            QFile::remove(program);
        unload();
        return;
    }
    if (!complete) {
        // Nothing to start: the user may choose another folder and try again.
        m_command4->let(QStringLiteral("EnabledB"), com::Variant::fromBool(true));
        m_command2->let(QStringLiteral("EnabledB"), com::Variant::fromBool(true));
        return;
    }
    setStatus(QStringLiteral("Status: Update ist runtergeladen!"));
    offerToStart(program);
}

bool nuvreldate1::completedDownload(const QString &program)
{
    // A failure with its number is in the status line already, from dl_Update.
    if (m_dl->ErrorNumber() != 0)
        return false;
    if (!m_dl->ErrorDescription().isEmpty()) {
        setStatus(QStringLiteral("Status: Fehler 0, ") + m_dl->ErrorDescription());
        return false;
    }
    // Only the whole program may be offered: the download is silent when it could not create its file.
    if (m_dl->Size() <= 0 || m_dl->ReceivedBytes() != m_dl->Size() || !QFileInfo(program).isFile() ||
        QFileInfo(program).size() != m_dl->Size()) {
        setStatus(QStringLiteral("Status: Fehler, das Update konnte nicht im Ordner gespeichert werden."));
        return false;
    }
    return true;
}

void nuvreldate1::offerToStart(const QString &program)
{
    const QString answer = ShowMessage(QStringLiteral("Das Update wurde runtergeladen.\r"
                                                      "Möchten Sie dieses jetzt starten?\r\r"
                                                      "Wenn ja, dann wird das Programm\r"
                                                      "beendet und das Update geöffnet."),
                                       QStringLiteral("36"), QStringLiteral("Update"));
    m_command1->let(QStringLiteral("EnabledB"), com::Variant::fromBool(false));
    m_command2->let(QStringLiteral("EnabledB"), com::Variant::fromBool(false));
    m_command4->let(QStringLiteral("EnabledB"), com::Variant::fromBool(false));
    if (answer != Yes)
        return;
    if (makeExecutable(program) && ShellOpen(program, ShowNormal, QStringLiteral("open"))) {
        ProgramEnd::end();
        return;
    }
    ShowMessage(QStringLiteral("Das Update konnte nicht gestartet werden:\r\r") + program +
                    QStringLiteral("\r\rBitte starten Sie es selbst."),
                QStringLiteral("16"), QStringLiteral("Update"));
}

void nuvreldate1::Command5_Click()
{
    unload();
}

void nuvreldate1::Label9_Click()
{
    if (OpenWebsite(WebSite) <= 32)
        shell::reportUnopenedAddress(this, WebSite);
}

void nuvreldate1::dl_Update()
{
    if (m_dl->ErrorNumber() != 0) {
        setStatus(
            QStringLiteral("Status: Fehler %1, %2").arg(m_dl->ErrorNumber()).arg(m_dl->ErrorDescription()));
        return;
    }
    const qint64 size = m_dl->Size();
    const qint64 received = m_dl->ReceivedBytes();
    lblStatus(0)->setText(QString::number(size) + QStringLiteral(" Bytes"));
    lblStatus(1)->setText(QString::number(received) + QStringLiteral(" Bytes"));
    const QLocale german = rt::GermanLocale::locale();
    lblStatus(5)->setText(german.toString(m_dl->Speed() / 1024.0, 'f', 2) + QStringLiteral(" KB/s"));
    // A failed status query reports progress with no size: nothing to divide by.
    const double percent = size > 0 ? double(received) * 100.0 / double(size) : 0.0;
    setStatus(QStringLiteral("Status: Download läuft ") + german.toString(percent, 'f', 1) +
              QStringLiteral("% empfangen"));
    m_prb->let(QStringLiteral("Value"), com::Variant::fromSingle(float(std::nearbyint(percent))));
    QCoreApplication::processEvents();
}

void nuvreldate1::onUnload(bool &cancel)
{
    if (m_downloading) {
        // Download is still on the stack: it ends after its current chunk, and the window closes
        // once it has returned.
        cancel = true;
        m_closeWhenDownloadEnds = true;
        if (m_dl)
            m_dl->StopDownload(true);
        return;
    }
    if (m_dl) {
        m_dl->StopDownload(true);
        m_dl.reset();
    }
}

bool nuvreldate1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_label9 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        Label9_Click();
    return rt::Form::eventFilter(watched, event);
}

} // namespace kalvento
