#pragma once

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace com
{
class Control;
}
namespace rt
{
class Form;
}

// Driving the modal windows a test opens: our forms (balloons, prompts,
// editors) and the plain message and input boxes. Nothing here waits on a
// person: every driver closes what it did not expect, so no test can hang.
namespace testsupport
{

// The window that waits modally on top: a plain box, or else one of our forms.
QWidget *topModal();

// The visible buttons of our library in a window, left to right.
QList<com::Control *> visibleButtons(QWidget *window);
// Every visible label's text, each followed by "|".
QString labelTexts(QWidget *window);
// Clicks the visible button at `position` from the left; the last one when
// there are fewer.
void pressButtonAt(QWidget *window, int position);
// Clicks the visible button captioned `caption`; false when none is.
bool pressButtonCaptioned(QWidget *window, const QString &caption);
// Ticks every visible check box of the window.
void tickCheckBoxes(QWidget *window);

// Answers our modal forms as they appear. `act` gets each new one and
// returns false while it is not ready (not laid out yet); it is then asked
// again. A form left waiting for `giveUpTicks` polls of 10 ms is closed.
class ModalWatcher
{
public:
    using Act = std::function<bool(rt::Form *)>;
    explicit ModalWatcher(Act act, int giveUpTicks = 500);
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher &) = delete;
    ModalWatcher &operator=(const ModalWatcher &) = delete;

private:
    void poll();
    Act m_act;
    int m_giveUpTicks;
    int m_ticks = 0;
    QTimer m_poll;
    QPointer<rt::Form> m_answered;
    QPointer<rt::Form> m_waiting;
};

// One balloon as a test saw it.
struct SeenBalloon {
    QString texts; // every visible label, each followed by "|"
    int buttons = 0;
};

// Answers the balloons in turn: each answer is the position of the button to
// press (0 = leftmost); a balloon beyond the answers gets its last button.
// `other` sees every form that is no balloon first and may take it (true).
class BalloonAnswerer
{
public:
    explicit BalloonAnswerer(QList<int> answers = {}, std::function<bool(rt::Form *)> other = {});
    QList<SeenBalloon> seen;

private:
    bool answer(rt::Form *form);
    QList<int> m_answers;
    std::function<bool(rt::Form *)> m_other;
    ModalWatcher m_watcher;
};

// Runs `act` once on the next modal form of ours; closes the form after five
// seconds should `act` leave it open.
void whenModalShown(std::function<void(rt::Form *)> act);

// Runs `act` once on the next modal Qt dialog (a file, colour, font or print
// dialog) and then accepts it; rejects it after five seconds should it still
// be open.
void acceptWhenDialogShown(std::function<void(QDialog *)> act = {});

// Answers the modal windows in the order they appear. Each step names the
// kind of window it expects ("MsgBox", "InputBox", "balloon" for the
// library's messages, or else a form's name such as "FrmNew") and acts on
// it; a window nobody expected is recorded in `unexpected` and closed.
class Driver
{
public:
    using Action = std::function<void(QWidget *)>;
    Driver();
    Driver &on(const QString &kind, Action action);
    QStringList unexpected;
    bool done() const { return m_steps.empty(); }

private:
    void poll();
    QTimer m_poll;
    std::vector<std::pair<QString, Action>> m_steps;
    QList<QPointer<QWidget>> m_handled;
};

// The plain boxes: press a standard button, or type an answer and accept.
void press(QWidget *box, QMessageBox::StandardButton which);
void answer(QWidget *box, const QString &text);
// The balloon's visible texts, then its button at `position` from the left
// pressed (the last one when there are fewer).
QString pressBalloon(QWidget *balloon, int position);
// The balloon's visible texts, then its last button pressed.
QString closeBalloon(QWidget *balloon);

} // namespace testsupport
