#include "platform/help/HtmlHelp.h"

#include "platform/help/HelpViewer.h"

namespace help
{

bool htmlHelp(QWidget *owner, const QString &file, int32_t command, int32_t data)
{
    HelpViewer &viewer = rt::ServiceSlot<HelpViewer>::current();
    switch (command) {
    case DisplayTopic:
        // A topic named by its address is never asked for; only the start page is.
        if (data != 0)
            return false;
        return viewer.open(owner, file, HelpViewer::Contents, 0);
    case HelpContext:
        return viewer.open(owner, file, HelpViewer::Context, data);
    case CloseAll:
        return viewer.open(owner, file, HelpViewer::Quit, 0);
    default:
        return false;
    }
}

} // namespace help
