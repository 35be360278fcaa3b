#include "platform/help/WindowHelpViewer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

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
    window->show();
    window->raise();
    window->activateWindow();
    return shown;
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
