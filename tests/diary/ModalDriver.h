#pragma once

#include "platform/com/Control.h"
#include "platform/runtime/Form.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace testsupport {

// The window that waits modally on top: a plain box, or else one of our forms.
inline QWidget *topModal()
{
    if (QWidget *w = QApplication::activeModalWidget())
        return w;
    return rt::Form::activeModalForm();
}

// Answers the modal windows in the order they appear. Each step names the
// kind of window it expects ("MsgBox", "InputBox", "balloon" for the
// library's messages, or else a form's name such as "FrmNew") and acts on
// it; a window nobody expected fails the test and is closed, so nothing hangs.
class Driver
{
public:
    using Action = std::function<void(QWidget *)>;
    Driver()
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this] { poll(); });
        m_poll.start(10);
    }
    Driver &on(const QString &kind, Action action)
    {
        m_steps.push_back({kind, std::move(action)});
        return *this;
    }
    QStringList unexpected;
    bool done() const { return m_steps.empty(); }

private:
    static QString kindOf(QWidget *w)
    {
        if (qobject_cast<QMessageBox *>(w))
            return QStringLiteral("MsgBox");
        if (qobject_cast<QInputDialog *>(w))
            return QStringLiteral("InputBox");
        if (w->objectName() == QLatin1String("msgFrm"))
            return QStringLiteral("balloon");
        return w->objectName();
    }
    void poll()
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
    QTimer m_poll;
    std::vector<std::pair<QString, Action>> m_steps;
    QList<QPointer<QWidget>> m_handled;
};

inline void press(QWidget *box, QMessageBox::StandardButton which)
{
    auto *mb = qobject_cast<QMessageBox *>(box);
    mb->button(which)->click();
}

inline void answer(QWidget *box, const QString &text)
{
    auto *input = qobject_cast<QInputDialog *>(box);
    input->setTextValue(text);
    input->accept();
}

// The balloon's visible texts, then its button at this position pressed
// (0 = leftmost, -1 = the last one).
inline QString pressBalloon(QWidget *w, int position)
{
    QString texts;
    for (QLabel *label : w->findChildren<QLabel *>())
        if (label->isVisible())
            texts += label->text() + QLatin1Char('|');
    QList<com::Control *> buttons;
    for (com::Control *c : w->findChildren<com::Control *>())
        if (c->isVisible())
            buttons << c;
    std::sort(buttons.begin(), buttons.end(), [](QWidget *a, QWidget *b) {
        return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
    });
    if (!buttons.isEmpty())
        QTest::mouseClick(position < 0 || position >= buttons.size() ? buttons.last() : buttons.at(position),
                          Qt::LeftButton, {}, QPoint(5, 5));
    return texts;
}

// The balloon's visible texts, then its last button pressed.
inline QString closeBalloon(QWidget *w)
{
    return pressBalloon(w, -1);
}

} // namespace testsupport
