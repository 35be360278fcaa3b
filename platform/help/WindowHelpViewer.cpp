#include "platform/help/WindowHelpViewer.h"

#include "platform/runtime/WindowPlacement.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>

namespace help
{

WindowHelpViewer::~WindowHelpViewer()
{
    // At the program's end the application may already be gone; no window can be closed then.
    if (QCoreApplication::instance()) {
        if (m_window)
            m_window->close();
        if (m_popup)
            m_popup->close();
    }
}

bool WindowHelpViewer::open(QWidget *owner, const QString &file, int32_t command, int32_t data)
{
    switch (command) {
    case Quit:
        if (m_window)
            m_window->close();
        return true;
    case ContextPopup:
        return showPopup(owner, file, data);
    case Contents:
    case Context:
    case ForceFile:
        break;
    default:
        return false;
    }
    const bool hadFile = m_window && m_window->file().path() == QFileInfo(file).absoluteFilePath();
    HelpWindow *window = windowFor(owner, file);
    if (!window)
        return false;
    bool shown = true;
    if (command == ForceFile) {
        // Only a file not yet on show starts at its beginning; the page read stays.
        if (!hadFile)
            window->showStart();
    } else if (command == Contents) {
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
    rt::keepOnScreen(*window);
}

// A file that cannot be read is reported to the reader; null then.
std::unique_ptr<HelpFile> WindowHelpViewer::openFile(QWidget *owner, const QString &file)
{
    QString error;
    std::unique_ptr<HelpFile> help = HelpFile::open(QFileInfo(file).absoluteFilePath(), &error);
    if (!help) {
        QMessageBox box(
            QMessageBox::Warning, QStringLiteral("Hilfe"),
            QStringLiteral("Die Hilfedatei\n\n%1\n\nkann nicht geöffnet werden: %2.").arg(file, error),
            QMessageBox::Ok, owner);
        box.exec();
    }
    return help;
}

// The popup stands at the mouse, where the item asked about is, kept on its screen.
bool WindowHelpViewer::showPopup(QWidget *owner, const QString &file, int32_t context)
{
    std::unique_ptr<HelpFile> help = openFile(owner, file);
    if (!help)
        return false;
    const QString page = help->pageForContext(context);
    if (!help->hasPage(page))
        return false;
    if (m_popup)
        m_popup->close();
    m_popup = new HelpPopup(std::move(help), page);
    QRect place(QCursor::pos() + QPoint(8, 8), m_popup->size());
    if (const QScreen *screen = QGuiApplication::screenAt(QCursor::pos())) {
        const QRect free = screen->availableGeometry();
        place.moveRight(std::min(place.right(), free.right()));
        place.moveBottom(std::min(place.bottom(), free.bottom()));
        place.moveLeft(std::max(place.left(), free.left()));
        place.moveTop(std::max(place.top(), free.top()));
    }
    m_popup->move(place.topLeft());
    m_popup->show();
    m_popup->setFocus();
    return true;
}

HelpWindow *WindowHelpViewer::windowFor(QWidget *owner, const QString &file)
{
    const QString path = QFileInfo(file).absoluteFilePath();
    if (m_window && m_window->file().path() == path)
        return m_window;
    std::unique_ptr<HelpFile> help = openFile(owner, file);
    if (!help)
        return nullptr;
    if (m_window) {
        m_window->setFile(std::move(help));
        return m_window;
    }
    m_window = new HelpWindow(std::move(help));
    m_window->setAttribute(Qt::WA_DeleteOnClose);
    return m_window;
}

} // namespace help
