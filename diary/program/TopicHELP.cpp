#include "diary/program/TopicHELP.h"

#include "platform/help/HelpViewer.h"
#include "platform/runtime/App.h"

namespace kalvento::TopicHELP
{

QString HelpFilePath(int16_t helpId)
{
    return helpId == 1 ? rt::App::path() + QStringLiteral("/zorvelin.chm") : QString();
}

void ShowHelpTopic(int16_t helpId, int32_t contextId)
{
    // A missing file is the viewer's to report; the program goes on either way.
    rt::ServiceSlot<help::HelpViewer>::current().open(nullptr, HelpFilePath(helpId),
                                                      help::HelpViewer::Context, contextId);
}

void ShowContents()
{
    rt::ServiceSlot<help::HelpViewer>::current().open(nullptr, HelpFilePath(1), help::HelpViewer::Contents,
                                                      0);
}

} // namespace kalvento::TopicHELP
