#include "platform/richtext/PrintProgressWindow.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace richtext
{

PrintProgress::~PrintProgress() = default;

PrintProgressWindow::PrintProgressWindow(QWidget *parent, int showAfterMs)
    : m_parent(parent), m_showAfterMs(showAfterMs)
{
    m_clock.start();
}

PrintProgressWindow::~PrintProgressWindow()
{
    // The window has no parent while it may outlive the print's caller.
    if (m_window)
        m_window->deleteLater();
}

void PrintProgressWindow::show()
{
    m_window = new QDialog(m_parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_window->setAttribute(Qt::WA_DeleteOnClose, false);
    m_window->setWindowTitle(QStringLiteral("Drucken"));
    m_window->setWindowModality(m_parent ? Qt::WindowModal : Qt::ApplicationModal);
    auto *layout = new QVBoxLayout(m_window);
    m_text = new QLabel(m_window);
    m_text->setMinimumWidth(320);
    m_bar = new QProgressBar(m_window);
    m_bar->setTextVisible(false);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), m_window);
    cancel->setDefault(true);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    // Escape rejects the dialog as the button does; either stops the print.
    QObject::connect(cancel, &QPushButton::clicked, m_window, &QDialog::reject);
    QObject::connect(m_window, &QDialog::rejected, m_window, [this] { m_cancelled = true; });
    m_window->show();
    cancel->setFocus();
}

bool PrintProgressWindow::advance(int page, int pages)
{
    if (m_cancelled)
        return false;
    if (!m_window && m_clock.elapsed() >= m_showAfterMs)
        show();
    if (m_window) {
        if (pages > 0) {
            m_text->setText(QStringLiteral("Seite %1 von %2 wird gedruckt …").arg(page + 1).arg(pages));
            m_bar->setRange(0, pages);
            m_bar->setValue(page);
        } else {
            m_text->setText(QStringLiteral("Der Ausdruck wird vorbereitet …"));
            m_bar->setRange(0, 0);
        }
    }
    // Until the modal window stands, the user's input waits: a click must
    // not start a second print or change the entry being printed.
    QCoreApplication::processEvents(m_window ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    if (m_cancelled && m_window)
        m_window->hide();
    return !m_cancelled;
}

} // namespace richtext
