#include "tests/support/ModalWindows.h"

#include "platform/com/Control.h"
#include "platform/runtime/Form.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <limits>
#include <memory>

namespace testsupport
{

namespace
{

constexpr int PollMs = 10;

void clickButton(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
}

QString kindOf(QWidget *w)
{
    if (qobject_cast<QMessageBox *>(w))
        return QStringLiteral("MsgBox");
    if (qobject_cast<QInputDialog *>(w))
        return QStringLiteral("InputBox");
    if (w->objectName() == QLatin1String("msgFrm"))
        return QStringLiteral("balloon");
    return w->objectName();
}

} // namespace

QWidget *topModal()
{
    if (QWidget *w = QApplication::activeModalWidget())
        return w;
    return rt::Form::activeModalForm();
}

QList<com::Control *> visibleButtons(QWidget *window)
{
    QList<com::Control *> buttons;
    for (com::Control *c : window->findChildren<com::Control *>())
        if (c->isVisible())
            buttons << c;
    std::sort(buttons.begin(), buttons.end(), [](QWidget *a, QWidget *b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    return buttons;
}

QString labelTexts(QWidget *window)
{
    QString texts;
    for (QLabel *label : window->findChildren<QLabel *>())
        if (label->isVisible())
            texts += label->text() + QLatin1Char('|');
    return texts;
}

void pressButtonAt(QWidget *window, int position)
{
    const QList<com::Control *> buttons = visibleButtons(window);
    if (!buttons.isEmpty())
        clickButton(buttons.at(std::clamp<qsizetype>(position, 0, buttons.size() - 1)));
}

void pressButtonAtLater(QWidget *window, int position)
{
    QTimer::singleShot(0, window, [window, position] { pressButtonAt(window, position); });
}

bool pressButtonCaptioned(QWidget *window, const QString &caption)
{
    for (com::Control *button : visibleButtons(window)) {
        if (button->get(QStringLiteral("Caption")).toString() == caption) {
            clickButton(button);
            return true;
        }
    }
    return false;
}

void tickCheckBoxes(QWidget *window)
{
    for (QCheckBox *check : window->findChildren<QCheckBox *>())
        if (check->isVisible())
            check->setChecked(true);
}

// --- ModalWatcher ----------------------------------------------------------------

ModalWatcher::ModalWatcher(Act act, int giveUpTicks) : m_act(std::move(act)), m_giveUpTicks(giveUpTicks)
{
    QObject::connect(&m_poll, &QTimer::timeout, [this] { poll(); });
    m_poll.start(PollMs);
}

ModalWatcher::~ModalWatcher() = default;

void ModalWatcher::poll()
{
    rt::Form *form = rt::Form::activeModalForm();
    if (!form || form == m_answered)
        return;
    if (form != m_waiting) {
        m_waiting = form;
        m_ticks = 0;
    }
    if (m_act(form)) {
        m_answered = form;
        return;
    }
    if (m_giveUpTicks > 0 && ++m_ticks > m_giveUpTicks) {
        m_answered = form;
        form->close();
    }
}

// --- BalloonAnswerer -------------------------------------------------------------

BalloonAnswerer::BalloonAnswerer(QList<int> answers, std::function<bool(rt::Form *)> other)
    : m_answers(std::move(answers)), m_other(std::move(other)),
      m_watcher([this](rt::Form *form) { return answer(form); })
{
}

bool BalloonAnswerer::answer(rt::Form *form)
{
    if (form->objectName() != QLatin1String("msgFrm"))
        return m_other && m_other(form);
    const QList<com::Control *> buttons = visibleButtons(form);
    if (buttons.isEmpty())
        return false; // not laid out yet
    seen << SeenBalloon{labelTexts(form), int(buttons.size())};
    const int position = m_answers.isEmpty() ? int(buttons.size()) - 1 : m_answers.takeFirst();
    pressButtonAt(form, position);
    return true;
}

// --- whenModalShown --------------------------------------------------------------

void whenModalShown(std::function<void(rt::Form *)> act)
{
    // The application owns the poll: a form that never comes leaves it running
    // to the end of the test.
    auto *poll = new QTimer(QCoreApplication::instance());
    auto ticks = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, act, ticks] {
        rt::Form *form = rt::Form::activeModalForm();
        if (form && *ticks == 0) {
            *ticks = 1;
            act(form);
        } else if (form && ++*ticks > 500) {
            form->close();
        }
        if (!rt::Form::activeModalForm() && *ticks > 0) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(PollMs);
}

void acceptWhenDialogShown(std::function<void(QDialog *)> act)
{
    auto *poll = new QTimer(QCoreApplication::instance()); // may outlast the test function
    auto ticks = std::make_shared<int>(0);
    auto answered = std::make_shared<QPointer<QDialog>>();
    auto seen = std::make_shared<bool>(false);
    QObject::connect(poll, &QTimer::timeout, [poll, act, ticks, answered, seen] {
        bool finished = false;
        if (!*seen) {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                *seen = true;
                *answered = dialog;
                *ticks = 0;
                if (act)
                    act(dialog);
                dialog->accept();
            } else {
                finished = ++*ticks > 500; // nothing came
            }
        } else if (!*answered || !(*answered)->isVisible()) {
            finished = true;
        } else if (++*ticks > 500) {
            (*answered)->reject(); // the act left it open
        }
        if (finished) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(PollMs);
}

// --- Driver ----------------------------------------------------------------------

Driver::Driver()
{
    QObject::connect(&m_poll, &QTimer::timeout, [this] { poll(); });
    m_poll.start(PollMs);
}

Driver &Driver::on(const QString &kind, Action action)
{
    m_steps.push_back({kind, std::move(action)});
    return *this;
}

void Driver::poll()
{
    QWidget *w = topModal();
    if (!w || !w->isVisible() || m_handled.contains(w))
        return;
    if (kindOf(w) == QLatin1String("balloon") && w->findChildren<com::Control *>().isEmpty())
        return; // not built yet
    m_handled << w;
    if (m_steps.empty() || m_steps.front().first != kindOf(w)) {
        unexpected << kindOf(w);
        if (auto *form = qobject_cast<rt::Form *>(w))
            form->unload();
        else
            w->close();
        return;
    }
    // Act from a fresh event: an action that opens the next modal window
    // waits there, and this timer does not fire again inside its own slot.
    auto action = std::make_shared<Action>(std::move(m_steps.front().second));
    m_steps.erase(m_steps.begin());
    QTimer::singleShot(0, w, [action, w] { (*action)(w); });
}

// --- the plain boxes -------------------------------------------------------------

void press(QWidget *box, QMessageBox::StandardButton which)
{
    auto *mb = qobject_cast<QMessageBox *>(box);
    mb->button(which)->click();
}

void answer(QWidget *box, const QString &text)
{
    auto *input = qobject_cast<QInputDialog *>(box);
    input->setTextValue(text);
    input->accept();
}

QString pressBalloon(QWidget *balloon, int position)
{
    const QString texts = labelTexts(balloon);
    pressButtonAt(balloon, position < 0 ? std::numeric_limits<int>::max() : position);
    return texts;
}

QString closeBalloon(QWidget *balloon)
{
    return pressBalloon(balloon, -1);
}

} // namespace testsupport
