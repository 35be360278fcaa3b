#include "platform/help/WindowHelpViewer.h"

#include "platform/runtime/WindowPlacement.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>

namespace help
{

WindowHelpViewer::~WindowHelpViewer()
{
    // At the program's end the application may already be gone; no window can be closed then.
    if (m_window && QCoreApplication::instance())
        m_window->close();
}

bool WindowHelpViewer::open(QWidget *owner, const QString &file, int32_t command, int32_t data)
{
    switch (command) {
    case Quit:
        if (m_window)
            m_window->close();
        return true;
    case Contents:
    case Context:
        break;
    default:
        return false;
    }
    HelpWindow *window = windowFor(owner, file);
    if (!window)
        return false;
    bool shown = true;
    if (command == Contents) {
        window->showStart();
    } else if (!window->showPage(window->file().pageForContext(data))) {
        // An unknown number still opens the help, where the reader can look.
        window->showStart();
        shown = false;
    }
    if (!window->isVisible())
        placeOver(window, owner);
    window->show();
    window->raise();
    window->activateWindow();
    return shown;
}

// Opened anew, the help stands centred over the window that asked for it (the
// active window when none is named), as the program's own windows do; once
// shown it stays where the reader put it.
void WindowHelpViewer::placeOver(HelpWindow *window, QWidget *owner)
{
    QWidget *opener = owner ? owner->window() : QApplication::activeWindow();
    if (opener == window || (opener && !opener->isVisible()))
        opener = nullptr;
    QRect over;
    if (opener)
        over = opener->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        over = screen->availableGeometry();
    if (!over.isEmpty())
        window->move(rt::centredOver(window->frameGeometry(), over));
}

HelpWindow *WindowHelpViewer::windowFor(QWidget *owner, const QString &file)
{
    const QString path = QFileInfo(file).absoluteFilePath();
    if (m_window && m_window->file().path() == path)
        return m_window;
    QString error;
    std::unique_ptr<HelpFile> help = HelpFile::open(path, &error);
    if (!help) {
        QMessageBox box(
            QMessageBox::Warning, QStringLiteral("Hilfe"),
            QStringLiteral("Die Hilfedatei\n\n%1\n\nkann nicht geöffnet werden: %2.").arg(file, error),
            QMessageBox::Ok, owner);
        box.exec();
        return nullptr;
    }
    if (m_window) {
        m_window->setFile(std::move(help));
        return m_window;
    }
    m_window = new HelpWindow(std::move(help));
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    return m_window;
}

} // namespace help
