#include "diary/windows/toolbarr1.h"

#include "diary/editing/FormatButtons.h"
#include "diary/editing/SelectionCommands.h"
#include "diary/editing/ToolGlyphs.h"
#include "diary/outsidecontrols/KeyedToolBar.h"
#include "diary/windows/frmScreen.h"
#include "platform/comdlg/CommonDialog.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/runtime/Twips.h"

#include <QAction>
#include <QKeyEvent>
#include <QToolButton>
#include <functional>
#include <tuple>

namespace kalvento
{

namespace
{
const QRect Coolbar1Rect(0, 0, 6060, 465);
const QSize InnerSize(6060, 465);
} // namespace

toolbarr1::toolbarr1(frmScreen &screen)
    : m_coolbar(new KeyedToolBar(this)), m_commonDialog1(new comdlg::CommonDialog(this)),
      m_commands(std::make_unique<SelectionCommands>(*screen.txtScreen(), *m_commonDialog1))
{
    setObjectName(QStringLiteral("toolbarr1"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    m_commonDialog1->setObjectName(QStringLiteral("CommonDialog1"));
    placeControl(m_coolbar, QStringLiteral("Coolbar1"), Coolbar1Rect);
    addFormatButtons(*m_coolbar);
    m_coolbar->addSeparator();
    m_coolbar->addButton(QStringLiteral("einfuegen"), toolGlyph(QStringLiteral("einfuegen")),
                         QStringLiteral("Einfügen"));
    m_coolbar->addSeparator();
    m_coolbar->addButton(QStringLiteral("schlie"), toolGlyph(QStringLiteral("schlie")),
                         QStringLiteral("Toolbar schließen"));
    connect(m_coolbar, &KeyedToolBar::ButtonClick, this, &toolbarr1::Coolbar1_ButtonClick);
    resize(rt::Twips::toPixels(InnerSize));
    // A tool bar's buttons take no focus of their own; here they are all the
    // window has, so Tab and the arrows go through them.
    QWidget *first = nullptr;
    for (QAction *action : m_coolbar->actions()) {
        QWidget *button = action->isSeparator() ? nullptr : m_coolbar->widgetForAction(action);
        if (!button)
            continue;
        button->setFocusPolicy(Qt::TabFocus);
        if (!first)
            first = button;
    }
    if (first)
        first->setFocus();
    setCancelButton(qobject_cast<QAbstractButton *>(
        m_coolbar->widgetForAction(m_coolbar->button(QStringLiteral("schlie")))));
}

toolbarr1::~toolbarr1() = default;

void toolbarr1::Coolbar1_ButtonClick(const QString &key)
{
    enum Then { Close, StayOpen };
    SelectionCommands &c = *m_commands;
    // Compared exactly, in this order; any other key does nothing.
    const std::tuple<const char *, std::function<void()>, Then> commands[] = {
        {"fett", [&c] { c.toggleBold(); }, Close},
        {"kursiv", [&c] { c.toggleItalic(); }, Close},
        {"unterstrichen", [&c] { c.toggleUnderline(); }, Close},
        {"durchgestrichen", [&c] { c.toggleStrikeThru(); }, Close},
        {"schriftfarbe", [&c] { c.chooseColor(); }, Close},
        {"hintergrund", [&c] { c.chooseBackground(); }, Close},
        {"aufzaehlung", [&c] { c.toggleBullet(); }, StayOpen},
        {"links", [&c] { c.align(richtext::RichTextBox::AlignLeft); }, StayOpen},
        {"mitte", [&c] { c.align(richtext::RichTextBox::AlignCenter); }, StayOpen},
        {"rechts", [&c] { c.align(richtext::RichTextBox::AlignRight); }, StayOpen},
        {"einfuegen", [&c] { c.pasteText(); }, Close},
        {"schriftart", [this] { schrift(); }, StayOpen}, // closes on its own first
        {"schlie", [] {}, Close},
    };
    for (const auto &[name, command, then] : commands)
        if (key == QLatin1String(name)) {
            command();
            if (then == Close)
                unload();
            return;
        }
}

void toolbarr1::keyPressEvent(QKeyEvent *event)
{
    // A tool button takes Space and the left and right arrows itself, but
    // leaves Return and the up and down arrows to its window.
    auto *button = qobject_cast<QToolButton *>(focusWidget());
    if (button && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            if (!event->isAutoRepeat()) // a key held down acts once
                button->click();
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
            event->accept();
            focusNextPrevChild(event->key() == Qt::Key_Down);
            return;
        default:
            break;
        }
    }
    rt::Form::keyPressEvent(event);
}

void toolbarr1::schrift()
{
    unload();
    m_commands->chooseFont(windowTitle());
}

} // namespace kalvento
