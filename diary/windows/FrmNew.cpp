#include "diary/windows/FrmNew.h"

#include "diary/editing/FormatButtons.h"
#include "diary/editing/SelectionCommands.h"
#include "diary/editing/ToolGlyphs.h"
#include "diary/forms/FormControls.h"
#include "diary/forms/InputBox.h"
#include "diary/forms/MessageRoutine.h"
#include "diary/forms/MsgBox.h"
#include "diary/outsidecontrols/CommandButton.h"
#include "diary/outsidecontrols/DayList.h"
#include "diary/outsidecontrols/KeyedToolBar.h"
#include "diary/outsidecontrols/MenuArea.h"
#include "diary/outsidecontrols/MonthView.h"
#include "diary/outsidecontrols/OfficeMenu.h"
#include "diary/windows/FrmMain.h"
#include "diary/windows/frmScreen.h"
#include "platform/com/AutomationError.h"
#include "platform/com/Control.h"
#include "platform/com/FormHosting.h"
#include "platform/comdlg/CommonDialog.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/runtime/App.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/GermanLocale.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Twips.h"
#include "platform/screen/ScreenPointer.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <algorithm>
#include <functional>
#include <utility>

namespace kalvento
{

namespace
{

const QChar CR(13);
constexpr int OutOfMemory = 7;

const QString NewHeading = QStringLiteral("Neuen Tag eingeben...");
const QString NewHelp = QStringLiteral(
    "Sie können jetzt damit beginnen einen neuen Tag anzulegen. Schreiben Sie einfach in das untere "
    "Textfeld. "
    "Wenn Sie in den Vollbildmodus wechseln möchten, dann klicken Sie im Menü auf >Vollbild<. Mit ESC "
    "gelangen "
    "Sie wieder zur normalen Ansicht zurück. Wenn Sie fertig sind, klicken Sie auf den Button >Neuen Tag "
    "eintragen< um diesen zu speichern.");
const QString EditHeading = QStringLiteral("Vorhandenen Eintrag editieren...");
const QString EditHelp = QStringLiteral("Hier haben Sie die Möglichkeit einen vorhandenen Eintrag zu "
                                        "ergänzen. Wählen Sie einfach die Stelle aus, "
                                        "an der Sie eine Ergänzung vornehmen möchten und setzen Sie den "
                                        "Textcursor durch einen Mausklick (links) an "
                                        "diese Stelle. Wenn Sie fertig sind, klicken Sie auf den Button "
                                        ">Eintrag editieren< um diesen zu speichern.");

QString longDate(const QDate &day)
{
    return rt::GermanLocale::longDate(day);
}

// Design-time layout of the inner area, in twips.
const QRect Label1Rect(120, 120, 9360, 600);
const QRect Label2Rect(120, 780, 9360, 840);
const QRect CoolbarRect(120, 1680, 9360, 420);
const QRect Txt0Rect(120, 2160, 9360, 420);
const QRect Ruler1Rect(120, 2640, 9360, 300);
const QRect Txt1Rect(120, 2940, 9360, 3900);
const QRect MonthViewRect(5640, 2640, 3840, 2880);
const QRect CmdOkRect(120, 6960, 2400, 495);
const QRect Command3Rect(2640, 6960, 2400, 495);
const QRect CmdCancelRect(7680, 6960, 1800, 495);
const QRect Dialog1Rect(0, 0, 480, 480);
const QRect Pic1Rect(0, 0, 480, 480);
// An area lower than designed (a small or magnified screen) takes up to this much from the entry's
// text, keeping the buttons clear of the calendar above them; what is missing beyond, it scrolls.
const int TextGive = CmdOkRect.top() - MonthViewRect.bottom() - 120;
const QSize AreaSize(9600, 7560);
const QSize SmallestArea(Txt1Rect.right(), AreaSize.height() - TextGive);

} // namespace

FrmNew::FrmNew(FrmMain &main) : m_main(main)
{
    setObjectName(QStringLiteral("FrmNew"));
    buildMenus();
    buildControls();
}

FrmNew::~FrmNew() = default;

void FrmNew::buildMenus()
{
    const MenuArea menuArea = addMenuArea(*this, rt::Twips::toPixels(SmallestArea));
    m_menuBar = menuArea.menuBar;
    m_area = menuArea.area;

    auto menu = [this](const char *name, const QString &caption) {
        QMenu *m = m_menuBar->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto entry = [](QMenu *m, const char *name, const QString &caption, const QKeySequence &keys = {}) {
        QAction *a = m->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        return a;
    };
    auto separator = [](QMenu *m, const char *name) {
        m->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    QMenu *dat = menu("dat", QStringLiteral("&Datei"));
    m_neusp = entry(dat, "neusp", QStringLiteral("&Neuen Eintrag speichern"));
    connect(m_neusp, &QAction::triggered, this, &FrmNew::CmdOk_Click);
    m_editierter = entry(dat, "editierter", QStringLiteral("&Bearbeiteten Eintrag speichern"));
    connect(m_editierter, &QAction::triggered, this, &FrmNew::Command3_Click);
    separator(dat, "step1");
    connect(entry(dat, "schloe", QStringLiteral("Schließen ohne Änderung")), &QAction::triggered, this,
            &FrmNew::schloe_Click);

    QMenu *bear = menu("bear", QStringLiteral("&Bearbeiten"));
    connect(entry(bear, "ausschneiden", QStringLiteral("&Ausschneiden"), QKeySequence(Qt::CTRL | Qt::Key_X)),
            &QAction::triggered, this, &FrmNew::ausschneiden_Click);
    connect(entry(bear, "kopier", QStringLiteral("&Kopieren"), QKeySequence(Qt::CTRL | Qt::Key_C)),
            &QAction::triggered, this, &FrmNew::kopier_Click);
    connect(entry(bear, "einfuegennn", QStringLiteral("&Text einfügen"), QKeySequence(Qt::CTRL | Qt::Key_V)),
            &QAction::triggered, this, &FrmNew::einfuegennn_Click);
    connect(entry(bear, "graf", QStringLiteral("&Grafik einfügen"), QKeySequence(Qt::CTRL | Qt::Key_G)),
            &QAction::triggered, this, &FrmNew::graf_Click);
    connect(entry(bear, "loesch", QStringLiteral("&Löschen"), QKeySequence(Qt::CTRL | Qt::Key_D)),
            &QAction::triggered, this, &FrmNew::loesch_Click);
    separator(bear, "step2");
    connect(entry(bear, "allesausw", QStringLiteral("Alles a&uswählen"), QKeySequence(Qt::CTRL | Qt::Key_A)),
            &QAction::triggered, this, &FrmNew::allesausw_Click);
    separator(bear, "step3");
    connect(entry(bear, "zwischenleer", QStringLiteral("&Zwischenablage leeren")), &QAction::triggered, this,
            &FrmNew::zwischenleer_Click);
    separator(bear, "step4");
    connect(entry(bear, "suechennn", QStringLiteral("Suchen...")), &QAction::triggered, this,
            &FrmNew::Suchen);

    QMenu *formattt = menu("formattt", QStringLiteral("&Format"));
    connect(entry(formattt, "schrift", QStringLiteral("Schrift&art wählen...")), &QAction::triggered, this,
            &FrmNew::schrift_Click);
    connect(entry(formattt, "schriftfarbe", QStringLiteral("Schrift&farbe wählen")), &QAction::triggered,
            this, &FrmNew::schriftfarbe_Click);
    connect(entry(formattt, "vollbild", QStringLiteral("&Vollbild")), &QAction::triggered, this,
            &FrmNew::vollbild_Click);

    m_officeMenu1 = new OfficeMenu(m_menuBar, this);
    m_officeMenu1->setObjectName(QStringLiteral("OfficeMenu1"));
    m_officeMenu1->setStyle(OfficeMenu::XP);
}

void FrmNew::buildControls()
{
    auto place = [this](QWidget *widget, const QString &name, const QRect &twips) {
        widget->setObjectName(name);
        placeControl(widget, name, twips);
        widget->setParent(m_area);
        widget->setGeometry(rt::Twips::toPixels(twips));
    };
    auto library = [this](const QString &progId, const QString &name, const QRect &twips,
                          const QString &saved = QString()) {
        return addAreaControl(*this, m_area, progId, name, twips, saved);
    };

    m_label1 = library(QStringLiteral("Quiv_Tools.Label3D"), QStringLiteral("Label1"), Label1Rect);
    m_label2 = new QLabel(m_area);
    m_label2->setWordWrap(true);
    place(m_label2, QStringLiteral("Label2"), Label2Rect);

    m_coolbar = new KeyedToolBar(m_area);
    place(m_coolbar, QStringLiteral("Coolbar1"), CoolbarRect);
    buildToolBar();

    for (int i = 0; i < 2; ++i) {
        auto *box = new richtext::RichTextBox(m_area);
        box->setProperty("Index", i);
        place(box, QStringLiteral("Txt(%1)").arg(i), i == 0 ? Txt0Rect : Txt1Rect);
        box->setObjectName(QStringLiteral("Txt"));
        m_txt[size_t(i)] = box;
    }
    // Only its design-time look: horizontal, in the tool tip colours.
    m_ruler1 = library(QStringLiteral("Quiv_Tools.Ruler"), QStringLiteral("Ruler1"), Ruler1Rect,
                       QStringLiteral("Orientation = 0\nBackColorR = &H80000018\nForeColor = &H80000012"));

    m_cmdOk = new CommandButton(QStringLiteral("&Neuen Tag eintragen"), m_area);
    place(m_cmdOk, QStringLiteral("CmdOk"), CmdOkRect);
    connect(m_cmdOk, &QPushButton::clicked, this, &FrmNew::CmdOk_Click);
    m_command3 = new CommandButton(QStringLiteral("&Eintrag editieren"), m_area);
    place(m_command3, QStringLiteral("Command3"), Command3Rect);
    connect(m_command3, &QPushButton::clicked, this, &FrmNew::Command3_Click);
    m_cmdCancel = new CommandButton(QStringLiteral("&Abbrechen"), m_area);
    place(m_cmdCancel, QStringLiteral("CmdCancel"), CmdCancelRect);
    connect(m_cmdCancel, &QPushButton::clicked, this, &FrmNew::CmdCancel_Click);

    m_monthView = new MonthView(m_area);
    place(m_monthView, QStringLiteral("sevMonthView1"), MonthViewRect);
    connect(m_monthView, &MonthView::DateChosen, this, &FrmNew::sevMonthView1_DateChosen);

    // The date line is the entry's key: one line, no tab. Tab goes in reading
    // order from it to the body, the calendar when shown and the buttons;
    // the heading and the ruler are no stops.
    Txt(0)->setMultiLine(false);
    Txt(1)->setTabMovesFocus(true);
    m_label1->setFocusPolicy(Qt::NoFocus);
    m_ruler1->setFocusPolicy(Qt::NoFocus);
    QWidget *const order[] = {Txt(0), Txt(1), m_monthView, m_cmdOk, m_command3, m_cmdCancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    m_pic1 = new QLabel(m_area);
    place(m_pic1, QStringLiteral("pic1"), Pic1Rect);
    m_pic1->hide();
    m_dialog1 = library(QStringLiteral("Quiv_Tools.Dialog"), QStringLiteral("Dialog1"), Dialog1Rect);
    m_dialog1->hide();
    m_commonDialog1 = new comdlg::CommonDialog(this);
    m_commonDialog1->setObjectName(QStringLiteral("CommonDialog1"));
    m_commands = std::make_unique<SelectionCommands>(*Txt(1), *m_commonDialog1);

    resize(rt::Twips::toPixelsX(AreaSize.width()),
           rt::Twips::toPixelsY(AreaSize.height()) + m_menuBar->sizeHint().height());
    m_area->installEventFilter(this);
}

void FrmNew::fitToArea()
{
    const int cut = std::clamp(rt::Twips::toPixelsY(AreaSize.height()) - m_area->height(), 0,
                               rt::Twips::toPixelsY(TextGive));
    Txt(1)->setGeometry(rt::Twips::toPixels(Txt1Rect).adjusted(0, 0, 0, -cut));
    for (const auto &[button, twips] : {std::pair<QWidget *, QRect>(m_cmdOk, CmdOkRect),
                                        {m_command3, Command3Rect},
                                        {m_cmdCancel, CmdCancelRect}})
        button->move(rt::Twips::toPixels(twips).topLeft() - QPoint(0, cut));
}

bool FrmNew::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_area && event->type() == QEvent::Resize)
        fitToArea();
    return rt::Form::eventFilter(watched, event);
}

void FrmNew::buildToolBar()
{
    using Kind = KeyedToolBar::Kind;
    addFormatButtons(*m_coolbar);
    m_coolbar->addSeparator();
    m_coolbar->addButton(QStringLiteral("einfuegen"), toolGlyph(QStringLiteral("einfuegen")),
                         QStringLiteral("Einfügen"));
    m_coolbar->addSeparator();
    m_coolbar->addButton(QStringLiteral("suchen"), QStringLiteral("Suchen"), QString(), Kind::Push);
    m_coolbar->addSeparator();
    m_coolbar->addButton(QStringLiteral("datumaendern"), QStringLiteral("Datum ändern"));
    m_coolbar->addSeparator();
    m_coolbar->addButton(QStringLiteral("vollbild"), QStringLiteral("Vollbildmodus"));
    connect(m_coolbar, &KeyedToolBar::ButtonClick, this, &FrmNew::Coolbar1_ButtonClick);
}

QAction *FrmNew::menuEntry(const QString &name) const
{
    return findChild<QAction *>(name);
}

void FrmNew::onLoad()
{
    m_monthView->hide();
    Txt(0)->setSelAlignment(richtext::RichTextBox::AlignRight);
    Txt(0)->setSelText(longDate(rt::SystemSources::clock().now().date()));
    setWindowTitle(QStringLiteral("Eingabe für ") + dateLine());
    Txt(1)->setFontName(QStringLiteral("Arial"));
    Txt(1)->setFontSize(12);
    for (int i = 0; i < 2; ++i)
        Txt(i)->setTextRTF(m_main.LblDbInfo(i)->textRTF());
    applyNewMode();
    Txt(0)->setSelAlignment(richtext::RichTextBox::AlignRight);

    // The mode follows from whether today already has an entry (exact text).
    const QString today = m_main.Text3()->text();
    if (m_main.List()->contains(today))
        applyEditMode();
    // The first keystrokes go into the entry.
    Txt(1)->setFocus();
}

void FrmNew::onUnload(bool &cancel)
{
    Q_UNUSED(cancel);
    m_main.RefreshList();
}

void FrmNew::applyNewMode()
{
    m_command3->setEnabled(true);
    m_cmdOk->setEnabled(true);
    m_neusp->setEnabled(true);
    m_editierter->setEnabled(false);
    setHeading(NewHeading, NewHelp);
}

void FrmNew::applyEditMode()
{
    m_command3->setEnabled(true);
    m_cmdOk->setEnabled(false);
    m_neusp->setEnabled(false);
    m_editierter->setEnabled(true);
    setHeading(EditHeading, EditHelp);
}

void FrmNew::setHeading(const QString &caption, const QString &help)
{
    m_label1->let(QStringLiteral("BackColorL"), com::Variant::fromColor(0xFFFFFF));
    m_label1->let(QStringLiteral("Caption"), caption);
    m_label2->setText(help);
}

QString FrmNew::dateLine() const
{
    // The rich-text round trip may end the line with a paragraph break; the
    // stored day must equal the list's text exactly.
    QString text = Txt(0)->text();
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

void FrmNew::CmdOk_Click()
{
    save(true);
}

void FrmNew::Command3_Click()
{
    save(false);
}

void FrmNew::save(bool append)
{
    if (dateLine().isEmpty() || Txt(1)->isTextEmpty()) {
        MsgBox(QStringLiteral("Please fill in all textfields..."), 64, QStringLiteral("Incomplete..."));
        return;
    }
    if (!append && m_entryGone) {
        offerSavingAsNew();
        return;
    }
    try {
        QString entry;
        {
            const screen::WaitPointer busy; // a large entry takes seconds to write
            entry = Txt(1)->textRTF();
        }
        if (append)
            m_main.AddUser(dateLine(), entry);
        else
            m_main.EditUser(dateLine(), entry);
    } catch (const std::exception &error) {
        if (!append && FrmMain::recordGone(error)) {
            m_entryGone = true;
            offerSavingAsNew();
        }
        // Otherwise the main window has told the user; stay open so nothing
        // typed is lost.
        return;
    }
    m_main.RefreshList();
    unload();
    m_main.show();
}

void FrmNew::offerSavingAsNew()
{
    // The list still shows the deleted day: show what the file holds now.
    m_main.RefreshList();
    const QString CRLF = QStringLiteral("\r\n");
    const QString answer =
        ShowMessage(m_main.Dialog1(),
                    FrmMain::goneText(dateLine()) + CRLF + CRLF +
                        QStringLiteral("Wollen Sie Ihren Text als neuen Eintrag speichern?"),
                    QStringLiteral("36"), QStringLiteral("Eintrag nicht mehr vorhanden"));
    if (answer == QLatin1String("6"))
        save(true);
}

void FrmNew::CmdCancel_Click()
{
    unload();
    m_main.show();
}

void FrmNew::schloe_Click()
{
    unload();
}

void FrmNew::Suchen()
{
    const QString term = InputBox(QStringLiteral("Geben Sie hier den Suchbegriff ein:"),
                                  QStringLiteral("Zorvelin Professional"));
    if (Txt(1)->find(term, -1, -1, richtext::RichTextBox::FindWholeWord) != -1) {
        Txt(1)->setFocus();
        return;
    }
    MsgBox(QStringLiteral("Das von Ihnen gesuchte Wort wurde leider") + CR +
               QStringLiteral("nicht gefunden."),
           64, QStringLiteral("Nicht gefunden"));
}

void FrmNew::Coolbar1_ButtonClick(const QString &key)
{
    // Compared exactly, in this order; any other key does nothing.
    const std::pair<const char *, std::function<void()>> commands[] = {
        {"fett",
         [this] {
             m_commands->toggleBold();
             Txt(1)->setFocus();
         }},
        {"kursiv", [this] { m_commands->toggleItalic(); }},
        {"unterstrichen", [this] { m_commands->toggleUnderline(); }},
        {"durchgestrichen", [this] { m_commands->toggleStrikeThru(); }},
        {"schriftfarbe", [this] { schriftfarbe_Click(); }},
        {"hintergrund", [this] { m_commands->chooseBackground(); }},
        {"aufzaehlung", [this] { m_commands->toggleBullet(); }},
        {"links", [this] { m_commands->align(richtext::RichTextBox::AlignLeft); }},
        {"mitte", [this] { m_commands->align(richtext::RichTextBox::AlignCenter); }},
        {"rechts", [this] { m_commands->align(richtext::RichTextBox::AlignRight); }},
        {"einfuegen", [this] { einfuegennn_Click(); }},
        {"suchen", [this] { Suchen(); }},
        {"schriftart", [this] { schrift_Click(); }},
        {"vollbild", [this] { vollbild_Click(); }},
        {"datumaendern", [this] { DatumAendern(); }},
    };
    for (const auto &[name, command] : commands)
        if (key == QLatin1String(name)) {
            command();
            return;
        }
}

void FrmNew::ausschneiden_Click()
{
    m_commands->cut();
}

void FrmNew::kopier_Click()
{
    m_commands->copy();
}

void FrmNew::einfuegennn_Click()
{
    m_commands->pasteText();
}

void FrmNew::graf_Click()
{
    m_commands->insertPicture(*m_pic1);
}

void FrmNew::loesch_Click()
{
    m_commands->deleteSelection();
}

void FrmNew::allesausw_Click()
{
    m_commands->selectAll();
}

void FrmNew::zwischenleer_Click()
{
    SelectionCommands::clearClipboard();
}

void FrmNew::schrift_Click()
{
    m_commands->chooseFont(windowTitle());
}

void FrmNew::schriftfarbe_Click()
{
    m_commands->chooseColor();
}

void FrmNew::vollbild_Click()
{
    try {
        QPointer<frmScreen> screen = rt::Form::create<frmScreen>(*this);
        screen->load();
        screen->showModal();
    } catch (const std::bad_alloc &) {
        MsgBox(QStringLiteral("Datei ist zu groß!!!"), 48, rt::App::title());
    } catch (const com::AutomationError &error) {
        if (error.number() == OutOfMemory)
            MsgBox(QStringLiteral("Datei ist zu groß!!!"), 48, rt::App::title());
        else
            MsgBox(error.description(), 16, rt::App::title());
    }
}

void FrmNew::DatumAendern()
{
    const QString prompt =
        QStringList{QStringLiteral("Wollen Sie wirklich ein anderes Datum als das oben "),
                    QStringLiteral("angezeigte eingeben?"),
                    QString(),
                    QStringLiteral("Wenn JA, dann klicken Sie bitte auf >JA<."),
                    QString(),
                    QStringLiteral("Achten Sie bitte darauf, dass keine Eintragung zum von"),
                    QStringLiteral("Ihnen gewählten Datum vorliegt!")}
            .join(CR);
    if (MsgBox(prompt, 308, QStringLiteral("VORSICHT!!!")) == 6)
        m_monthView->show();
}

void FrmNew::sevMonthView1_DateChosen(const com::Variant &date)
{
    // The new text replaces the whole line, formatting included.
    Txt(0)->setText(QString());
    Txt(0)->setSelAlignment(richtext::RichTextBox::AlignRight);
    Txt(0)->setSelText(longDate(date.toDateTime().date()));
    m_monthView->hide();
}

} // namespace kalvento
