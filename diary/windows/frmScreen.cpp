#include "diary/windows/frmScreen.h"

#include "diary/editing/SelectionCommands.h"
#include "diary/forms/MsgBox.h"
#include "diary/windows/FrmNew.h"
#include "diary/windows/toolbarr1.h"
#include "platform/com/AutomationError.h"
#include "platform/comdlg/CommonDialog.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/runtime/App.h"
#include "platform/runtime/SystemSources.h"
#include "platform/runtime/Twips.h"
#include "platform/runtime/WindowPlacement.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTextCursor>
#include <QTextEdit>

namespace kalvento
{

namespace
{

constexpr int KeyEscape = 27;
constexpr int KeyCtrlS = 19;
constexpr int KeyCtrlF = 6;
constexpr int KeyCtrlG = 7;
constexpr int RightButton = 2;
constexpr int OutOfMemory = 7;
// The window reaches this far beyond the screen's top and left edges.
constexpr int OverlapTwips = 30;

// The character code a key press types, for the keys the editor acts on.
int keyAsciiOf(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Escape)
        return KeyEscape;
    if (event.modifiers() & Qt::ControlModifier) {
        switch (event.key()) {
        case Qt::Key_S:
            return KeyCtrlS;
        case Qt::Key_F:
            return KeyCtrlF;
        case Qt::Key_G:
            return KeyCtrlG;
        default:
            break;
        }
    }
    return 0;
}

// The caret and selection go along with the text, so typing goes on where
// it stood; a selection made backwards keeps its caret at its start.
void placeCaretAs(richtext::RichTextBox &to, richtext::RichTextBox &from)
{
    const QTextCursor made = from.editor()->textCursor();
    const int length = from.selLength();
    to.setSelStart(from.selStart());
    to.setSelLength(length);
    if (made.position() < made.anchor()) {
        QTextCursor back = to.editor()->textCursor();
        const int start = back.selectionStart();
        back.setPosition(back.selectionEnd());
        back.setPosition(start, QTextCursor::KeepAnchor);
        to.editor()->setTextCursor(back);
    }
}

// The keys that open the floating tool bar where the caret is, as the right
// button does where the mouse is.
bool asksForToolBar(const QKeyEvent &event)
{
    return event.key() == Qt::Key_Menu ||
           (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

int shiftOf(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

frmScreen::frmScreen(FrmNew &editor)
    : m_editor(editor), m_txtScreen(new richtext::RichTextBox(this)), m_pic1(new QLabel(this)),
      m_commonDialog1(new comdlg::CommonDialog(this))
{
    setObjectName(QStringLiteral("frmScreen"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    rt::coversScreen(*this);
    m_txtScreen->setObjectName(QStringLiteral("txtScreen"));
    m_pic1->setObjectName(QStringLiteral("pic1"));
    m_commonDialog1->setObjectName(QStringLiteral("CommonDialog1"));
    m_commands = std::make_unique<SelectionCommands>(*m_txtScreen, *m_commonDialog1);
    m_txtScreen->editor()->installEventFilter(this);
    m_txtScreen->editor()->viewport()->installEventFilter(this);
    m_txtScreen->editor()->setContextMenuPolicy(Qt::NoContextMenu);
}

frmScreen::~frmScreen() = default;

void frmScreen::onLoad()
{
    m_pic1->hide();
    setWindowTitle(m_editor.windowTitle());
    Form_Resize();
    m_txtScreen->setBackColor(m_editor.Txt(1)->backColor());
    // Text without a font of its own looks as in the body, and an untouched
    // body comes back exactly as it went.
    m_txtScreen->setFontName(m_editor.Txt(1)->fontName());
    m_txtScreen->setFontSize(m_editor.Txt(1)->fontSize());
    m_txtScreen->setTextRTF(m_editor.Txt(1)->textRTF());
    placeCaretAs(*m_txtScreen, *m_editor.Txt(1));
    m_txtScreen->setFocus();
}

void frmScreen::resizeEvent(QResizeEvent *event)
{
    rt::Form::resizeEvent(event);
    Form_Resize();
}

void frmScreen::Form_Resize()
{
    if (m_resizing)
        return;
    m_resizing = true;
    const QSize screen = rt::SystemSources::screen().size();
    const int overlapX = rt::Twips::toPixelsX(OverlapTwips);
    const int overlapY = rt::Twips::toPixelsY(OverlapTwips);
    setGeometry(-overlapX, -overlapY, screen.width() + overlapX, screen.height() + overlapY);
    m_txtScreen->setGeometry(0, 0, width() - overlapX, height() - overlapY);
    m_resizing = false;
}

void frmScreen::onUnload(bool &cancel)
{
    Q_UNUSED(cancel);
    // The whole rich text goes back, so formats and pictures stay.
    richtext::RichTextBox &body = *m_editor.Txt(1);
    const QString text = m_txtScreen->textRTF();
    try {
        if (text != body.textRTF())
            body.setTextRTF(text);
        placeCaretAs(body, *m_txtScreen);
        m_txtScreen->setText(QString());
    } catch (const std::bad_alloc &) {
        MsgBox(QStringLiteral("File is too large!!"), 48, rt::App::title());
    } catch (const com::AutomationError &error) {
        if (error.number() == OutOfMemory)
            MsgBox(QStringLiteral("File is too large!!"), 48, rt::App::title());
    }
}

bool frmScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == m_txtScreen->editor()) {
        const auto &key = *static_cast<QKeyEvent *>(event);
        if (asksForToolBar(key)) {
            rightButtonAt(m_txtScreen->editor()->cursorRect().bottomLeft(), key.modifiers());
            return true;
        }
        const int keyAscii = keyAsciiOf(key);
        return keyAscii != 0 && txtScreen_KeyPress(keyAscii);
    }
    if (event->type() == QEvent::MouseButtonPress && watched == m_txtScreen->editor()->viewport()) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            const QPointF at = mouse->position();
            rightButtonAt(QPoint(int(at.x()), int(at.y())), mouse->modifiers());
            return true;
        }
    }
    return rt::Form::eventFilter(watched, event);
}

void frmScreen::rightButtonAt(QPoint viewportPixels, Qt::KeyboardModifiers modifiers)
{
    txtScreen_MouseDown(RightButton, shiftOf(modifiers), rt::Twips::fromPixelsX(viewportPixels.x()),
                        rt::Twips::fromPixelsY(viewportPixels.y()));
}

bool frmScreen::txtScreen_KeyPress(int keyAscii)
{
    switch (keyAscii) {
    case KeyEscape:
        unload();
        return true;
    case KeyCtrlS:
        fontt();
        return true;
    case KeyCtrlF:
        schfarbe();
        return true;
    case KeyCtrlG:
        grafikeinfuegen();
        return true;
    default:
        return false;
    }
}

void frmScreen::txtScreen_MouseDown(int button, int shift, double x, double y)
{
    Q_UNUSED(shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    if (button != RightButton)
        return;
    QPointer<toolbarr1> bar = rt::Form::create<toolbarr1>(*this);
    bar->showModal();
    // Typing goes on in the text once the tool bar is gone.
    activateWindow();
    m_txtScreen->setFocus();
}

void frmScreen::fontt()
{
    m_commands->chooseFont(windowTitle());
}

void frmScreen::schfarbe()
{
    m_commands->chooseColor();
}

void frmScreen::grafikeinfuegen()
{
    m_commands->insertPicture(*m_pic1);
}

} // namespace kalvento
