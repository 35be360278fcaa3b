#include "platform/runtime/Form.h"

#include "platform/com/AutomationError.h"
#include "platform/runtime/Twips.h"
#include "platform/runtime/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace rt
{

namespace
{

constexpr int ErrFormAlreadyShown = 400;

// Neither list owns its forms; a form leaves both when it is destroyed.
std::vector<Form *> &loaded()
{
    static std::vector<Form *> forms;
    return forms;
}

std::vector<Form *> &modalStack()
{
    static std::vector<Form *> forms;
    return forms;
}

void forget(std::vector<Form *> &forms, Form *form)
{
    std::erase(forms, form);
}

std::function<void()> &whenAllUnloaded()
{
    static std::function<void()> handler;
    return handler;
}

QString key(const QString &name)
{
    return name.toCaseFolded();
}

// Clears the unloading mark on the way out, unless a handler ended the form.
class UnloadingMark
{
public:
    UnloadingMark(Form *form, bool &flag) : m_form(form), m_flag(flag) { m_flag = true; }
    ~UnloadingMark()
    {
        if (m_form)
            m_flag = false;
    }
    UnloadingMark(const UnloadingMark &) = delete;
    UnloadingMark &operator=(const UnloadingMark &) = delete;

private:
    QPointer<Form> m_form;
    bool &m_flag;
};

} // namespace

Form::Form() : QWidget(nullptr, Qt::Window) {}

Form::~Form()
{
    // Destroyed while still waiting modally: let showModal() return.
    endModalWait();
    const bool wasLoaded = std::erase(loaded(), this) > 0;
    forget(modalStack(), this);
    if (wasLoaded)
        noticeGone();
}

void Form::load()
{
    if (m_state != State::NotLoaded)
        return;
    m_state = State::Loaded;
    loaded().push_back(this);
    onLoad();
}

bool Form::unload(UnloadMode mode)
{
    if (m_state == State::Unloaded)
        return true;
    // Asked again from inside its own QueryUnload or Unload handler.
    if (m_unloading)
        return false;
    if (m_state == State::Loaded) {
        QPointer<Form> self(this);
        UnloadingMark mark(this, m_unloading);
        bool cancel = false;
        onQueryUnload(cancel, mode);
        if (!self)
            return true;
        if (!cancel)
            onUnload(cancel);
        if (!self)
            return true;
        if (cancel)
            return false;
    }
    hide(); // ends a modal wait as well
    m_state = State::Unloaded;
    forget(loaded(), this);
    deleteLater();
    noticeGone();
    return true;
}

void Form::setWhenAllUnloaded(std::function<void()> handler)
{
    whenAllUnloaded() = std::move(handler);
}

void Form::noticeGone()
{
    if (!loaded().empty() || !whenAllUnloaded() || !QCoreApplication::instance())
        return;
    // Queued: a handler that unloads one form and loads the next (the splash
    // handing over to the main window) does not end the program.
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        if (loaded().empty() && whenAllUnloaded())
            whenAllUnloaded()();
    });
}

void Form::placeIfUnpositioned()
{
    if (testAttribute(Qt::WA_Moved))
        return;
    QWidget *opener = activeModalForm();
    if (!opener || opener == this)
        opener = QApplication::activeWindow();
    if (opener == this || (opener && !opener->isVisible()))
        opener = nullptr;
    if (!opener) {
        for (Form *form : loaded())
            if (form != this && form->isVisible())
                opener = form;
    }
    QRect over;
    if (opener)
        over = opener->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        over = screen->availableGeometry();
    if (!over.isEmpty())
        move(centredOver(frameGeometry(), over));
    keepOnScreen(*this);
}

void Form::showModal()
{
    if (m_state == State::Unloaded)
        return;
    if (isVisible())
        com::raise(ErrFormAlreadyShown,
                   QStringLiteral("Formular wird bereits angezeigt; kann nicht modal angezeigt werden"));
    QPointer<Form> self(this);
    load();
    // onLoad may have unloaded the form again.
    if (!self || m_state != State::Loaded)
        return;

    QEventLoop loop;
    m_modalLoop = &loop;
    modalStack().push_back(this);
    setWindowModality(Qt::ApplicationModal);
    placeIfUnpositioned();
    show();
    // A quit before exec() would be lost, so only wait for a form still shown.
    if (self && isVisible() && m_state == State::Loaded)
        loop.exec();
    if (!self)
        return; // destroyed while waiting; its destructor cleaned up
    m_modalLoop = nullptr;
    forget(modalStack(), this);
    setWindowModality(Qt::NonModal);
}

void Form::showModeless()
{
    if (m_state == State::Unloaded)
        return;
    QPointer<Form> self(this);
    load();
    if (self && m_state == State::Loaded) {
        placeIfUnpositioned();
        show();
    }
}

QList<Form *> Form::loadedForms()
{
    return QList<Form *>(loaded().begin(), loaded().end());
}

Form *Form::activeModalForm()
{
    const std::vector<Form *> &stack = modalStack();
    const auto waiting = std::find_if(stack.rbegin(), stack.rend(), [](const Form *form) {
        return form->m_modalLoop && form->isLoaded() && form->isVisible();
    });
    return waiting == stack.rend() ? nullptr : *waiting;
}

void Form::placeControl(QWidget *widget, const QString &name, const QRect &twipsRect)
{
    if (!widget)
        return;
    if (!widget->parentWidget())
        widget->setParent(this);
    widget->setGeometry(Twips::toPixels(twipsRect));
    m_controls[key(name)] = PlacedControl{widget, twipsRect};
}

QWidget *Form::controlNamed(const QString &name) const
{
    const auto found = m_controls.find(key(name));
    return found == m_controls.end() ? nullptr : found->second.widget.data();
}

std::optional<QRect> Form::designRectTwips(const QString &name) const
{
    const auto found = m_controls.find(key(name));
    if (found == m_controls.end())
        return std::nullopt;
    return found->second.twips;
}

void Form::setSizeTwips(int width, int height)
{
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(Twips::toPixelsX(width) - frame.width(), Twips::toPixelsY(height) - frame.height());
}

int Form::widthTwips() const
{
    return Twips::fromPixelsX(frameGeometry().width());
}
int Form::heightTwips() const
{
    return Twips::fromPixelsY(frameGeometry().height());
}
int Form::scaleWidth() const
{
    return Twips::fromPixelsX(width());
}
int Form::scaleHeight() const
{
    return Twips::fromPixelsY(height());
}

void Form::setVisible(bool visible)
{
    QWidget::setVisible(visible);
    if (!visible)
        endModalWait();
}

void Form::setDefaultButton(QAbstractButton *button)
{
    m_defaultButton = button;
    // Drawn as the default; the key itself is handled here, as a plain
    // window gives a push button's default no meaning of its own.
    if (auto *push = qobject_cast<QPushButton *>(button))
        push->setDefault(true);
}

void Form::setCancelButton(QAbstractButton *button)
{
    m_cancelButton = button;
}

void Form::keyPressEvent(QKeyEvent *event)
{
    // Here come only the keys the focused control left alone.
    QAbstractButton *target = nullptr;
    if (!event->isAutoRepeat() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            target = qobject_cast<QPushButton *>(focusWidget());
            if (!target)
                target = m_defaultButton;
            break;
        case Qt::Key_Escape:
            target = m_cancelButton;
            break;
        default:
            break;
        }
    }
    if (target && target->isVisible() && target->isEnabled()) {
        event->accept();
        target->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form::closeEvent(QCloseEvent *event)
{
    // unload() hides the window itself, or keeps it when cancelled.
    event->ignore();
    unload(UnloadMode::ControlMenu);
}

void Form::endModalWait()
{
    if (m_modalLoop)
        m_modalLoop->quit();
}

} // namespace rt
