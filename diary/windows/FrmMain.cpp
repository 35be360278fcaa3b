#include "diary/windows/FrmMain.h"

#include "diary/forms/FormControls.h"
#include "diary/forms/MessageRoutine.h"
#include "diary/forms/WidgetForm.h"
#include "diary/outsidecontrols/CommandButton.h"
#include "diary/outsidecontrols/DayList.h"
#include "diary/outsidecontrols/MenuArea.h"
#include "diary/outsidecontrols/OfficeMenu.h"
#include "diary/program/Time.h"
#include "diary/program/TopicHELP.h"
#include "diary/program/shellexe_1.h"
#include "diary/windows/EntryLimits.h"
#include "diary/windows/FrmNew.h"
#include "diary/windows/copyright.h"
#include "diary/windows/datensi1.h"
#include "diary/windows/passwort1.h"
#include "platform/com/AutomationError.h"
#include "platform/com/Control.h"
#include "platform/com/FormHosting.h"
#include "platform/com/IgnoringErrors.h"
#include "platform/comdlg/CommonDialog.h"
#include "platform/dao/DaoError.h"
#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"
#include "platform/richtext/PrintProgressWindow.h"
#include "platform/richtext/PrinterTarget.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/richtext/RtfReader.h"
#include "platform/runtime/App.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/GermanLocale.h"
#include "platform/runtime/Settings.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Twips.h"
#include "platform/screen/ScreenPointer.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QTextEdit>

#include <algorithm>
#include <stdexcept>

namespace kalvento
{

namespace
{

const QString CRLF = QStringLiteral("\r\n");
const QString CR = QStringLiteral("\r");
const QString Table = QStringLiteral("Zorvelin");
const QString Tagdatum = QStringLiteral("Tagdatum");
const QString Tagtext = QStringLiteral("Tagtext");

// The four menu looks in menu order: entry name, stored value, style.
struct Look {
    const char *entry;
    const char *caption;
    const char *stored;
    int style;
};
constexpr std::array<Look, 4> Looks{{
    {"xpdesign", "&XP-Design", "XP", OfficeMenu::XP},
    {"office2003er", "Office 200&3 Design", "2003", OfficeMenu::Office2003},
    {"office2007er", "Office 200&7 Design", "2007", OfficeMenu::Office2007},
    {"vbstudio05", "Visual Studio 200&5 Design", "VS2005", OfficeMenu::VS2005},
}};

QString lookSetting()
{
    return rt::Settings::getSetting(QStringLiteral("Kalvento"), QStringLiteral("Einstellungen"),
                                    QStringLiteral("Menue"));
}

// The diary's database messages name the engine's error number.
QString describe(const std::exception &error)
{
    return com::AutomationError::describe(error, com::AutomationError::Number::Named);
}

// Design-time layout of the window's inner area, in twips.
const QRect Label1Rect(120, 120, 9360, 600);
const QRect Frame1Rect(120, 840, 3600, 5160);
const QRect ListRect(240, 1200, 3360, 4680);
const QRect Frame2Rect(3840, 840, 5640, 3960);
const QRect Preview0Rect(3960, 1200, 5400, 420);
const QRect Preview1Rect(3960, 1680, 5400, 2520);
const QRect PrintRect(7680, 4260, 1680, 420);
const QRect Frame3Rect(3840, 4920, 5640, 1080);
const QRect Command2Rect(3960, 5310, 1800, 495);
const QRect Command1Rect(5820, 5310, 1800, 495);
const QRect Command5Rect(7680, 5310, 1680, 495);
const QRect Label2Rect(120, 6180, 1080, 300);
const QRect Text3Rect(1200, 6120, 2520, 375);
const QRect DescriptionRect(3840, 6060, 4920, 540);
const QRect Image1Rect(8880, 6060, 480, 480);
const QRect Dialog1Rect(0, 0, 480, 480);
const QSize AreaSize(9600, 6720);

// Image1: a closed diary with its ribbon, in the window's corner.
QPixmap diaryPicture(QSize size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    const int w = size.width(), h = size.height();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf4, 0xf0, 0xe0));
    p.drawRect(w / 4, h / 8, w * 5 / 8, h * 6 / 8); // the pages
    p.setBrush(QColor(0x7a, 0x3b, 0x1c));
    p.drawRect(w / 5, h / 10, w * 5 / 8, h * 6 / 8); // the cover
    p.setBrush(QColor(0xc8, 0x9b, 0x3c));
    p.drawRect(w * 3 / 10, h / 4, w * 2 / 5, h / 8); // the label
    p.setBrush(QColor(0xb0, 0x10, 0x20));
    p.drawRect(w * 2 / 3, h * 3 / 4, w / 16, h / 6); // the ribbon
    return picture;
}

} // namespace

FrmMain::FrmMain() : m_programEnd([] { QCoreApplication::exit(0); })
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Zorvelin Professional"));
    buildMenus();
    buildControls();
}

FrmMain::~FrmMain() = default;

void FrmMain::buildMenus()
{
    const MenuArea menuArea = addMenuArea(*this);
    m_menuBar = menuArea.menuBar;
    m_area = menuArea.area;

    QMenu *dat = m_menuBar->addMenu(QStringLiteral("&Datei"));
    dat->setObjectName(QStringLiteral("dat"));
    dat->addAction(QStringLiteral("Datenbank bereinigen"), this, &FrmMain::reini_Click)
        ->setObjectName(QStringLiteral("reini"));
    QAction *datenbanksichern =
        dat->addAction(QStringLiteral("Datensicherung"), this, &FrmMain::datenbanksichern_Click);
    datenbanksichern->setObjectName(QStringLiteral("datenbanksichern"));
    dat->addSeparator();
    dat->addAction(QStringLiteral("&Online-Update..."), this, &FrmMain::updateee_Click)
        ->setObjectName(QStringLiteral("updateee"));
    dat->addSeparator();
    m_enden = dat->addAction(QStringLiteral("Programm &beenden..."), this, &FrmMain::enden_Click);
    m_enden->setObjectName(QStringLiteral("enden"));

    QMenu *einst = m_menuBar->addMenu(QStringLiteral("&Einstellungen"));
    einst->setObjectName(QStringLiteral("einst"));
    QAction *pwort = einst->addAction(QStringLiteral("&Passwort eingeben/ändern..."), this,
                                      [] { rt::Form::create<passwort1>()->showModal(); });
    pwort->setObjectName(QStringLiteral("pwort"));
    einst->addSeparator();
    QMenu *men = einst->addMenu(QStringLiteral("&Menü-Design"));
    men->setObjectName(QStringLiteral("men"));
    const std::array<void (FrmMain::*)(), 4> handlers{&FrmMain::xpdesign_Click, &FrmMain::office2003er_Click,
                                                      &FrmMain::office2007er_Click,
                                                      &FrmMain::vbstudio05_Click};
    for (size_t i = 0; i < Looks.size(); ++i) {
        m_looks[i] = men->addAction(QString::fromUtf8(Looks[i].caption), this, handlers[i]);
        m_looks[i]->setObjectName(QString::fromLatin1(Looks[i].entry));
        m_looks[i]->setCheckable(true);
    }

    QMenu *fragezeichen = m_menuBar->addMenu(QStringLiteral("&?"));
    fragezeichen->setObjectName(QStringLiteral("fragezeichen"));
    fragezeichen->addAction(QStringLiteral("Hilfe"), this, &FrmMain::helpp_Click)
        ->setObjectName(QStringLiteral("helpp"));
    fragezeichen->addSeparator();
    // The menu look reads the caption's markup: bold italic "&Copyright".
    fragezeichen->addAction(QStringLiteral("@B@I&Copyright"), this, &FrmMain::copyr_Click)
        ->setObjectName(QStringLiteral("copyr"));

    // Designed with the XP look; a stored look replaces it when the window loads.
    m_officeMenu1 = new OfficeMenu(m_menuBar, this);
    m_officeMenu1->setObjectName(QStringLiteral("OfficeMenu1"));
    m_officeMenu1->setStyle(OfficeMenu::XP);
}

void FrmMain::buildControls()
{
    auto place = [this](QWidget *widget, const QString &name, const QRect &twips) {
        widget->setObjectName(name);
        placeControl(widget, name, twips);
    };
    auto library = [this](const QString &progId, const QString &name, const QRect &twips,
                          const QString &saved = QString()) {
        return addAreaControl(*this, m_area, progId, name, twips, saved);
    };

    m_label1 = library(QStringLiteral("Quiv_Tools.Label3D"), QStringLiteral("Label1"), Label1Rect);
    m_xpFrame1 = library(QStringLiteral("Quiv_Tools.Frames"), QStringLiteral("xpFrame1"), Frame1Rect,
                         QStringLiteral("Caption = \" Eingetragene Tage \""));
    com::Control *xpFrame2 = library(QStringLiteral("Quiv_Tools.Frames"), QStringLiteral("xpFrame2"),
                                     Frame2Rect, QStringLiteral("Caption = \" Gewählter Eintrag \""));
    com::Control *xpFrame3 = library(QStringLiteral("Quiv_Tools.Frames"), QStringLiteral("xpFrame3"),
                                     Frame3Rect, QStringLiteral("Caption = \" Steuerung \""));
    // The heading only shows and the frames only group; Tab passes them by.
    for (com::Control *shown : {m_label1.data(), m_xpFrame1.data(), xpFrame2, xpFrame3})
        shown->setFocusPolicy(Qt::NoFocus);

    m_list = new DayList(m_area);
    place(m_list, QStringLiteral("List"), ListRect);
    connect(m_list, &DayList::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            List_Click();
    });

    for (int i = 0; i < 2; ++i) {
        auto *box = new richtext::RichTextBox(m_area);
        box->setProperty("Index", i);
        box->setObjectName(QStringLiteral("LblDbInfo"));
        // The previews only show: the editor alone changes an entry. Tab
        // moves on, and the keyboard may still select what is printed.
        box->editor()->setReadOnly(true);
        box->editor()->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setTabMovesFocus(true);
        placeControl(box, QStringLiteral("LblDbInfo(%1)").arg(i), i == 0 ? Preview0Rect : Preview1Rect);
        m_lblDbInfo[size_t(i)] = box;
    }

    m_command2 = new CommandButton(QStringLiteral("Neuen &Tag eintragen"), m_area);
    place(m_command2, QStringLiteral("Command2"), Command2Rect);
    m_command1 = new CommandButton(QStringLiteral("Eintrag &bearbeiten"), m_area);
    place(m_command1, QStringLiteral("Command1"), Command1Rect);
    connect(m_command2, &QPushButton::clicked, this, &FrmMain::Command2_Click);
    connect(m_command1, &QPushButton::clicked, this, &FrmMain::Command1_Click);
    m_command5 = new CommandButton(QStringLiteral("Eintrag &löschen"), m_area);
    place(m_command5, QStringLiteral("Command5"), Command5Rect);
    connect(m_command5, &QPushButton::clicked, this, &FrmMain::Command5_Click);
    m_xpButton1 = new CommandButton(QStringLiteral("Eintrag d&rucken"), m_area); // Alt+D is the file menu
    place(m_xpButton1, QStringLiteral("xpButton1"), PrintRect);
    connect(m_xpButton1, &QPushButton::clicked, this, &FrmMain::xpButton1_Click);
    m_commonDialog1 = new comdlg::CommonDialog(this);

    auto *description =
        new QLabel(QStringLiteral("Wählen Sie links einen Tag, um seinen Eintrag zu lesen, zu "
                                  "bearbeiten, zu löschen oder zu drucken."),
                   m_area);
    description->setWordWrap(true);
    place(description, QStringLiteral("Label3"), DescriptionRect);
    m_image1 = new QLabel(m_area);
    place(m_image1, QStringLiteral("Image1"), Image1Rect);
    m_image1->setPixmap(diaryPicture(rt::Twips::toPixels(Image1Rect).size()));
    m_image1->setScaledContents(true);
    m_image1->setCursor(Qt::PointingHandCursor);
    m_image1->setToolTip(QStringLiteral("Copyright"));
    m_image1->installEventFilter(this);

    place(new QLabel(QStringLiteral("Heute ist:"), m_area), QStringLiteral("Label2"), Label2Rect);
    m_text3 = new QLineEdit(m_area);
    place(m_text3, QStringLiteral("Text3"), Text3Rect);
    // Today's date, which New and a new day's entry read: shown, not typed.
    m_text3->setReadOnly(true);

    m_dialog1 = library(QStringLiteral("Quiv_Tools.Dialog"), QStringLiteral("Dialog1"), Dialog1Rect);
    m_dialog1->hide();

    // Reading order: the days, the chosen entry with its print button, the
    // commands below, today's date. The focus starts on the days.
    const std::array<QWidget *, 8> tabOrder{m_list,
                                            m_lblDbInfo[0]->editor(),
                                            m_lblDbInfo[1]->editor(),
                                            m_xpButton1,
                                            m_command2,
                                            m_command1,
                                            m_command5,
                                            m_text3};
    for (size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    m_list->setFocus();

    resize(rt::Twips::toPixelsX(AreaSize.width()),
           rt::Twips::toPixelsY(AreaSize.height()) + m_menuBar->sizeHint().height());
    m_area->installEventFilter(this);
}

com::AutomationObject &FrmMain::Dialog1() const
{
    return *m_dialog1;
}

QAction *FrmMain::menuEntry(const QString &name) const
{
    return findChild<QAction *>(name);
}

void FrmMain::onLoad()
{
    rt::App::setHelpFile(rt::App::path() + QStringLiteral("/zorvelin.chm"));
    applyStoredLook();
    if (!openDatabase()) {
        unload();
        return;
    }
    m_text3->setText(rt::GermanLocale::longDate(rt::SystemSources::clock().now().date()));
    RefreshList();
    m_lblDbInfo[0]->setText(m_text3->text());
    m_lblDbInfo[1]->setText(QString());
    setCountCaption();
    m_label1->let(QStringLiteral("BackColorL"), com::Variant::fromColor(0xFFFFFF));
    m_label1->let(QStringLiteral("Caption"), QStringLiteral("Zorvelin Professional V%1.%2.%3")
                                                 .arg(rt::App::major())
                                                 .arg(rt::App::minor())
                                                 .arg(rt::App::revision()));
    rightAlignDatePreview();
}

bool FrmMain::openDatabase()
{
    const QString file = rt::App::path() + QStringLiteral("/data/Database.mdb");
    try {
        // A first open indexes the days, seconds for a large diary; gone before any message.
        const screen::WaitPointer busy;
        m_db = dao::DBEngine().OpenDatabase(file);
        // Anyone may have put the file there: nothing in it may run on a
        // read or a write, nor make the program wait, before it is used.
        m_db->requireShape(entryTableShape());
        // Lets the list read the days without passing the bodies on disk.
        m_db->ensureIndex(Table, Tagdatum);
        m_rs = m_db->OpenRecordset(Table);
        // A table without the diary's columns would list nothing over rows
        // it holds: refuse it as a missing table is refused.
        m_rs->Fields(Tagdatum);
        m_rs->Fields(Tagtext);
        return true;
    } catch (const std::exception &error) {
        m_rs.reset();
        m_db.reset();
        // The path stands once, above; the reason need not repeat it. Both are broken into
        // lines, so the balloon stays on the screen wherever the pointer is.
        const QString reason = describe(error)
                                   .remove(QStringLiteral(" '%1'").arg(file))
                                   .replace(file, QStringLiteral("die Datei"));
        ShowMessage(Dialog1(),
                    QStringLiteral("Die Datenbank") + CRLF + CRLF + brokenPath(file) + CRLF + CRLF +
                        QStringLiteral("kann nicht geöffnet werden:") + CRLF + brokenIntoLines(reason) +
                        CRLF + CRLF + QStringLiteral("Das Programm wird beendet."),
                    QStringLiteral("16"), QStringLiteral("Datenbankfehler"));
        return false;
    }
}

void FrmMain::applyStoredLook()
{
    const QString stored = lookSetting();
    if (stored.isEmpty()) {
        xpdesign_Click();
        return;
    }
    for (size_t i = 0; i < Looks.size(); ++i)
        if (stored == QLatin1String(Looks[i].stored)) {
            chooseLook(int(i));
            return;
        }
    // Another value keeps the look the window was designed with.
}

void FrmMain::chooseLook(int entry)
{
    for (size_t i = 0; i < m_looks.size(); ++i)
        m_looks[i]->setChecked(int(i) == entry);
    m_officeMenu1->setStyle(Looks[size_t(entry)].style);
    rt::Settings::saveSetting(QStringLiteral("Kalvento"), QStringLiteral("Einstellungen"),
                              QStringLiteral("Menue"), QString::fromLatin1(Looks[size_t(entry)].stored));
}

void FrmMain::xpdesign_Click()
{
    chooseLook(0);
}
void FrmMain::office2003er_Click()
{
    chooseLook(1);
}
void FrmMain::office2007er_Click()
{
    chooseLook(2);
}
void FrmMain::vbstudio05_Click()
{
    chooseLook(3);
}

void FrmMain::RefreshList()
{
    m_list->clear();
    try {
        // Counts are 32-bit: the list is not limited to 32,767 days. A store
        // closed by Quit lists nothing.
        if (m_rs && m_rs->RecordCount() > 0) {
            // Only the day column is read, in one go: the bodies stay on disk.
            // A click finds its record by bookmark: another program's adds
            // and deletes move the records, not the rows listed.
            std::vector<int64_t> bookmarks;
            dao::TextColumn days = m_rs->columnTexts(Tagdatum, &bookmarks);
            m_list->setDays(std::move(days), std::move(bookmarks));
        }
    } catch (const std::exception &error) {
        showDatabaseError(QStringLiteral("Die Liste der Einträge konnte nicht gelesen werden:"), error);
    }
    // The list may have lost today's entry (a restore, another program).
    m_command2->setEnabled(!todayListed());
    setCountCaption();
}

void FrmMain::writeRecord(bool append, const QString &datum, const QString &text)
{
    // What is saved must show again; the caller keeps the text to shorten it.
    const QByteArray stored = text.toUtf8();
    if (const QString excess = EntryLimits::current().excess(stored.size(), QByteArrayView(stored), true);
        !excess.isEmpty()) {
        ShowMessage(Dialog1(),
                    brokenIntoLines(QStringLiteral("Der Eintrag vom ") + datum +
                                    QStringLiteral(" wurde nicht gespeichert: Er wäre ") + excess +
                                    QStringLiteral(". Bitte kürzen Sie ihn; Ihr Text bleibt im Editor.")),
                    QStringLiteral("48"), QStringLiteral("Eintrag nicht gespeichert"));
        throw std::length_error("entry too large to show again");
    }
    try {
        if (!m_rs)
            dao::raiseDaoError(dao::ErrObjectClosed);
        if (append)
            m_rs->AddNew();
        else
            m_rs->Edit();
        m_rs->Fields(Tagdatum).setValue(com::Variant(datum));
        m_rs->Fields(Tagtext).setValue(com::Variant(text));
        m_rs->Update();
    } catch (const std::exception &error) {
        // Nothing half-written stays behind; the caller still holds the text.
        if (m_rs && m_rs->editing())
            m_rs->CancelUpdate();
        if (recordGone(error))
            throw; // the editor offers to keep the text as a new entry
        showDatabaseError(QStringLiteral("Der Eintrag vom ") + datum +
                              QStringLiteral(" konnte nicht gespeichert werden:"),
                          error);
        throw;
    }
}

bool FrmMain::recordGone(const std::exception &error)
{
    const auto *automation = dynamic_cast<const com::AutomationError *>(&error);
    return automation && automation->number() == dao::ErrRecordDeleted;
}

QString FrmMain::goneText(const QString &day)
{
    return QStringLiteral("Der Eintrag vom ") + day + QStringLiteral(" ist nicht mehr vorhanden.") + CRLF +
           QStringLiteral("Er wurde inzwischen an anderer Stelle gelöscht.");
}

void FrmMain::tellGone(const QString &day)
{
    ShowMessage(Dialog1(),
                goneText(day) + CRLF + CRLF + QStringLiteral("Die Liste der Einträge wird neu eingelesen."),
                QStringLiteral("48"), QStringLiteral("Eintrag nicht mehr vorhanden"));
}

void FrmMain::AddUser(const QString &datum, const QString &text)
{
    writeRecord(true, datum, text);
}

void FrmMain::EditUser(const QString &datum, const QString &text)
{
    writeRecord(false, datum, text);
}

void FrmMain::List_Click()
{
    const int row = m_list->currentRow();
    if (row < 0 || !m_rs)
        return;
    m_unshown.clear();
    m_tight.clear();
    m_damaged = false;
    // Until the record is read the date names the day chosen in the list,
    // never the one shown before: the commands act on the chosen one.
    m_lblDbInfo[0]->setText(m_list->text(row));
    try {
        m_rs->setBookmark(m_list->bookmark(row));
        // The start bounded the day names the index lists; the table's own
        // may differ only in a damaged file, and is read no further than that.
        const qint64 longestName = entryTableShape().longestIndexedValue;
        qint64 nameSize = 0;
        const QByteArray name = m_rs->fieldBytes(Tagdatum, longestName, nameSize);
        if (nameSize > longestName)
            throw com::AutomationError(dao::ErrNotADatabase);
        m_lblDbInfo[0]->setText(QString::fromUtf8(name));
        // Only the stored bytes: the box converts what it shows as it reads.
        qint64 size = 0;
        const EntryLimits &limits = EntryLimits::current();
        const QByteArray body = m_rs->fieldBytes(Tagtext, limits.largestShown, size);
        if (const QString excess = limits.excess(size, QByteArrayView(body), false, &m_tight);
            !excess.isEmpty()) {
            showUnshown(QStringLiteral("Dieser Eintrag ist ") + excess +
                        QStringLiteral(". Er bleibt unverändert gespeichert."));
        } else {
            m_lblDbInfo[1]->setStoredRTF(body);
        }
    } catch (const std::exception &error) {
        const auto *automation = dynamic_cast<const com::AutomationError *>(&error);
        if (recordGone(error)) {
            showUnshown(QStringLiteral("Dieser Eintrag ist nicht mehr vorhanden."));
            tellGone(m_list->text(row));
            // Not while the list is still handling the click that chose the row.
            QMetaObject::invokeMethod(this, &FrmMain::RefreshList, Qt::QueuedConnection);
        } else if (automation && automation->number() == dao::ErrNotADatabase) {
            // The file opened and lists its days: this record's pages are damaged.
            showUnshown(QStringLiteral("Dieser Eintrag ist beschädigt und kann nicht angezeigt werden."));
            m_damaged = true;
            refuseUnshown();
        } else {
            showUnshown(QStringLiteral("Der Eintrag konnte nicht gelesen werden."));
            showDatabaseError(QStringLiteral("Der Eintrag konnte nicht gelesen werden:"), error);
        }
    }
    rightAlignDatePreview();
}

void FrmMain::showUnshown(const QString &why)
{
    m_unshown = why;
    m_lblDbInfo[1]->setText(why);
}

bool FrmMain::refuseUnshown()
{
    if (m_unshown.isEmpty())
        return false;
    ShowMessage(Dialog1(), brokenIntoLines(m_unshown), QStringLiteral("48"),
                QStringLiteral("Eintrag nicht angezeigt"));
    return true;
}

void FrmMain::Command2_Click()
{
    // The editor takes its boxes from the previews when it loads.
    m_lblDbInfo[0]->setText(m_text3->text());
    m_lblDbInfo[1]->setText(QString());
    m_unshown.clear();
    m_tight.clear();
    m_damaged = false;
    rightAlignDatePreview(); // new text starts a fresh, left-aligned paragraph
    QPointer<FrmNew> editor = rt::Form::create<FrmNew>(*this);
    editor->load();
    editor->Command3()->setEnabled(false);
    editor->showModal();
    // Saved, today's entry is listed and this button is off: typing goes on
    // in the days, not on a button that acts on a day nobody chose.
    if (!m_command2->isEnabled())
        m_list->setFocus();
}

void FrmMain::Command1_Click()
{
    if (m_list->currentRow() < 0) {
        ShowMessage(Dialog1(),
                    QStringLiteral("Bitte markieren Sie den Eintrag, welchen Sie editieren möchten."),
                    QStringLiteral("64"), QStringLiteral("Kein Eintrag markiert..."));
        return;
    }
    if (refuseUnshown())
        return;
    QPointer<FrmNew> editor = rt::Form::create<FrmNew>(*this);
    editor->load();
    editor->CmdOk()->setEnabled(false);
    // Saving through the menu must rewrite this record, never append a copy.
    editor->menuEntry(QStringLiteral("neusp"))->setEnabled(false);
    editor->menuEntry(QStringLiteral("editierter"))->setEnabled(true);
    editor->Label1()->let(QStringLiteral("Caption"), QStringLiteral("Bestehenden Eintrag bearbeiten"));
    editor->Label2()->setText(
        QStringLiteral("Sie können jetzt Änderungen an Ihrem Eintrag vornehmen oder einen "
                       "bestehenden Eintrag fortsetzen. Wenn Sie mit Ihrer Eingabe fertig "
                       "sind, dann klicken Sie bitte auf den Button \"Eintrag editieren\"."));
    editor->setWindowTitle(QStringLiteral("Eingabe für ") + editor->dateLine());
    // Said as it opens, not after the typing that could not be saved.
    if (!m_tight.isEmpty())
        ShowMessage(Dialog1(), brokenIntoLines(m_tight), QStringLiteral("48"),
                    QStringLiteral("Eintrag fast zu groß"));
    editor->showModal();
}

void FrmMain::Command5_Click()
{
    if (m_list->currentRow() < 0) {
        ShowMessage(Dialog1(), QStringLiteral("Bitte markieren Sie den zu entfernenden Eintrag!"),
                    QStringLiteral("64"), QStringLiteral("Kein Eintrag markiert"));
        return;
    }
    const QString day = m_lblDbInfo[0]->text();
    if (m_damaged) {
        // Writing into damaged pages could damage the entries around them too.
        ShowMessage(Dialog1(),
                    QStringLiteral("Der Eintrag vom: ") + CRLF + CRLF + day + CRLF + CRLF +
                        brokenIntoLines(QStringLiteral(
                            "ist beschädigt und wird nicht gelöscht: Ein Löschen in beschädigten Teilen "
                            "der Datenbank könnte auch andere Einträge beschädigen. Ihr Tagebuch bleibt "
                            "unverändert. Aus einer Datensicherung (Datei > Datensicherung) können Sie es "
                            "wiederherstellen.")),
                    QStringLiteral("48"), QStringLiteral("Eintrag löschen"));
        return;
    }
    const QString first = ShowMessage(Dialog1(),
                                      QStringLiteral("Wollen Sie den Eintrag vom: ") + CRLF + CRLF + day +
                                          CRLF + CRLF + QStringLiteral("wirklich löschen?"),
                                      QStringLiteral("36"), QStringLiteral("Eintrag löschen"));
    if (first == QLatin1String("6")) {
        const QString second = ShowMessage2(
            Dialog1(),
            QStringLiteral(
                "Achtung, wenn Sie jetzt auf JA klicken, dann wird der von Ihnen gewählte Eintrag") +
                CRLF + QStringLiteral("unwiderruflich gelöscht.") + CRLF + CRLF +
                QStringLiteral("Sind Sie sicher, dass der Eintrag gelöscht werden soll?"),
            QStringLiteral("324"), QStringLiteral("VORSICHT !!!"));
        if (second == QLatin1String("6")) {
            try {
                if (!m_rs)
                    dao::raiseDaoError(dao::ErrObjectClosed);
                m_rs->Delete();
                RefreshList();
            } catch (const std::exception &error) {
                if (recordGone(error)) {
                    tellGone(day);
                    RefreshList();
                } else {
                    showDatabaseError(QStringLiteral("Der Eintrag vom ") + day +
                                          QStringLiteral(" konnte nicht gelöscht werden:"),
                                      error);
                }
            }
            setCountCaption();
        }
    }
    if (!todayListed())
        m_command2->setEnabled(true);
}

void FrmMain::datenbanksichern_Click()
{
    // A restore replaces the file under the store: it lets go first and shows
    // the restored entries afterwards.
    EntryStore store{
        .database = [this]() -> const dao::Database * { return m_db.get(); },
        .close = [this] { closeDatabase(); },
        .reopen =
            [this] {
                if (openDatabase())
                    RefreshList();
            },
    };
    rt::Form::create<datensi1>(std::move(store))->showModal();
}

void FrmMain::enden_Click()
{
    if (ShowMessage2(Dialog1(), QStringLiteral("Wollen Sie das Programm wirklich beenden?"),
                     QStringLiteral("36"), QStringLiteral("Programm beenden")) != QLatin1String("6"))
        return;
    closeDatabase();
    m_programEnd();
}

void FrmMain::closeDatabase()
{
    m_rs.reset();
    if (m_db)
        m_db->Close();
    m_db.reset();
}

void FrmMain::xpButton1_Click()
{
    if (m_list->currentRow() < 0) {
        ShowMessage(Dialog1(),
                    QStringLiteral("Bitte markieren Sie den Eintrag, welchen Sie drucken möchten."),
                    QStringLiteral("64"), QStringLiteral("Kein Eintrag markiert..."));
        return;
    }
    if (refuseUnshown())
        return;
    // A missing printer, a cancelled dialog, a failing print or one cancelled
    // in its progress window leave nothing printed and need no message; an
    // entry too long to print is named.
    comdlg::CommonDialog &dialog = *m_commonDialog1;
    dialog.setDialogTitle(QStringLiteral("Eintrag drucken..."));
    dialog.setCancelError(true);
    int flags = comdlg::CommonDialog::PrintReturnDC | comdlg::CommonDialog::PrintNoPageNums;
    // Without a selection the dialog must not offer to print one.
    if (m_lblDbInfo[1]->selLength() != 0)
        flags += comdlg::CommonDialog::PrintSelection;
    else
        flags += comdlg::CommonDialog::PrintNoSelection;
    dialog.setFlags(flags);
    if (!com::ignoringErrors([&] { dialog.ShowPrinter(); }) || !dialog.Printer())
        return;
    // The print queue names the job after the entry's day.
    const QString day = m_lblDbInfo[0]->text().trimmed();
    try {
        richtext::PrinterTarget target(*dialog.Printer(), day);
        richtext::PrintProgressWindow progress(this);
        m_lblDbInfo[1]->selPrint(target, &progress);
    } catch (const com::AutomationError &error) {
        // A text too tall to lay out whole is not printed in part.
        if (error.number() == com::ErrOverflow)
            ShowMessage(Dialog1(),
                        brokenIntoLines(QStringLiteral("Der Eintrag vom ") + day +
                                        QStringLiteral(" ist zu lang, um vollständig gedruckt zu werden. Es "
                                                       "wurde nichts gedruckt. Markieren Sie einen Teil des "
                                                       "Eintrags, um diesen zu drucken.")),
                        QStringLiteral("48"), QStringLiteral("Eintrag nicht gedruckt"));
    }
}

void FrmMain::reini_Click()
{
    const QString answer = ShowMessage2(
        Dialog1(),
        QStringLiteral("Wenn Sie jetzt auf >OK< klicken, dann wird das Programm beendet und das "
                       "Datenbankbereinigungs-") +
            CR +
            QStringLiteral("Tool aufgerufen. Nachdem Sie dort die Datenbank bereinigt haben, kehren Sie "
                           "automatisch wieder zum") +
            CR + QStringLiteral("Hauptprogramm zurück."),
        QStringLiteral("70"), QStringLiteral("Datenbankbereinigung"));
    if (answer == QLatin1String("1"))
        handOverTo(QStringLiteral("datenbanktool"), QStringLiteral("Datenbankbereinigung"), true, true);
    else if (answer == QLatin1String("3"))
        TopicHELP::ShowHelpTopic(1, 310);
}

void FrmMain::updateee_Click()
{
    const QString answer =
        ShowMessage2(Dialog1(),
                     QStringLiteral("Um das Update-Modul nun aufzurufen, wird das Programm") + CR +
                         QStringLiteral("für diesen Vorgang kurz geschlossen.") + CR + CR +
                         QStringLiteral("Wenn ein Update vorhanden ist, wird dieses direkt installiert") +
                         CR + QStringLiteral("und das Hauptprogramm wird anschließend wieder aufgerufen.") +
                         CR + CR + QStringLiteral("Bitte sichern Sie zurvor Ihre eingegebenen Daten.") + CR +
                         CR + QStringLiteral("Soll das Update-Modul nun aufgerufen werden?"),
                     QStringLiteral("68"), QStringLiteral("Online-Update"));
    if (answer == QLatin1String("6"))
        handOverTo(QStringLiteral("update"), QStringLiteral("Online-Update"), false, false);
}

void FrmMain::handOverTo(const QString &program, const QString &title, bool closeFirst, bool pause)
{
    if (closeFirst)
        closeDatabase();
    const QString file = rt::App::path() + QLatin1Char('/') + program;
    if (!shellexe_1::ShellOpen(file, 1, QStringLiteral("open"))) {
        ShowMessage(Dialog1(),
                    QStringLiteral("Das Programm \"") + program +
                        QStringLiteral("\" konnte nicht gestartet werden:") + CRLF + CRLF + file + CRLF +
                        CRLF + QStringLiteral("Das Tagebuch bleibt geöffnet."),
                    QStringLiteral("16"), title);
        if (closeFirst && openDatabase())
            RefreshList();
        return;
    }
    if (pause)
        Time::Pause(1);
    // Ending releases the database; the started program may need the file.
    closeDatabase();
    m_programEnd();
}

void FrmMain::helpp_Click()
{
    TopicHELP::ShowContents();
}

void FrmMain::copyr_Click()
{
    rt::Form::create<copyright>()->showModal();
}

void FrmMain::setCountCaption()
{
    m_xpFrame1->let(QStringLiteral("Caption"),
                    QString::number(m_list->count()) + QStringLiteral(" eingetragene Tage"));
}

void FrmMain::rightAlignDatePreview()
{
    m_lblDbInfo[0]->setSelAlignment(richtext::RichTextBox::AlignRight);
}

bool FrmMain::todayListed() const
{
    return m_list->contains(m_text3->text());
}

void FrmMain::showDatabaseError(const QString &what, const std::exception &error)
{
    ShowMessage(Dialog1(), what + CRLF + CRLF + describe(error), QStringLiteral("16"),
                QStringLiteral("Datenbankfehler"));
}

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    // Only a shown window has its real inner size; the first one recorded
    // stays the reference for the run.
    if (watched == m_area && event->type() == QEvent::Resize && isVisible())
        ResizeForm(*this, m_area);
    if (watched == m_image1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        copyr_Click();
        return true;
    }
    return rt::Form::eventFilter(watched, event);
}

} // namespace kalvento
