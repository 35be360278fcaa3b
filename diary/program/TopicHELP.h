#pragma once

#include <QString>
#include <cstdint>

namespace kalvento::TopicHELP
{

// The help file of help id 1: zorvelin.chm in the program folder; other ids have none.
QString HelpFilePath(int16_t helpId);
// Opens the help file of the id at the topic with the context number.
void ShowHelpTopic(int16_t helpId, int32_t contextId);
// Opens the diary's help at its start page.
void ShowContents();

} // namespace kalvento::TopicHELP
