#pragma once

#include "platform/richtext/PrintProgress.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace richtext
{

// Shows how far a print has come, with "Abbrechen", once it has taken longer
// than `showAfterMs`; a quick print shows nothing. Between steps it serves the
// event loop, so the windows behind it keep painting while it waits modally
// in front of them.
class PrintProgressWindow : public PrintProgress
{
public:
    explicit PrintProgressWindow(QWidget *parent, int showAfterMs = 500);
    ~PrintProgressWindow() override;
    PrintProgressWindow(const PrintProgressWindow &) = delete;
    PrintProgressWindow &operator=(const PrintProgressWindow &) = delete;

    bool advance(int page, int pages) override;

    // The window, once shown; for tests.
    QDialog *window() const { return m_window; }
    bool cancelled() const { return m_cancelled; }

private:
    void show();

    QPointer<QWidget> m_parent;
    int m_showAfterMs;
    QElapsedTimer m_clock;
    QPointer<QDialog> m_window;
    QLabel *m_text = nullptr;
    QProgressBar *m_bar = nullptr;
    bool m_cancelled = false;
};

} // namespace richtext
