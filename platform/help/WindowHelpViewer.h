#pragma once

#include "platform/help/HelpPopup.h"
#include "platform/help/HelpViewer.h"
#include "platform/help/HelpWindow.h"

#include <QPointer>

namespace help
{

// Shows help files in the program's own help window: one window, reused for
// every call, at the file's start page or at the page of a context number.
// A file that cannot be read is reported in a German message box.
class WindowHelpViewer : public HelpViewer
{
public:
    ~WindowHelpViewer() override;
    bool open(QWidget *owner, const QString &file, int32_t command, int32_t data) override;

    // The window on show; null before the first call and once it was closed.
    HelpWindow *window() const { return m_window; }
    // The topic shown by ContextPopup; null once it was closed.
    HelpPopup *popup() const { return m_popup; }

private:
    HelpWindow *windowFor(QWidget *owner, const QString &file);
    bool showPopup(QWidget *owner, const QString &file, int32_t context);
    static std::unique_ptr<HelpFile> openFile(QWidget *owner, const QString &file);
    static void placeOver(HelpWindow *window, QWidget *owner);

    // The window deletes itself when closed; the viewer only watches it.
    QPointer<HelpWindow> m_window;
    QPointer<HelpPopup> m_popup;
};

} // namespace help
