#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace help
{

// The HTML-help call the diary makes, with its command numbers, over the
// process-wide help viewer.
enum HtmlHelpCommand : int32_t {
    DisplayTopic = 0x00, // the file's start page (data 0)
    HelpContext = 0x0F,  // the page of context number `data`
    CloseAll = 0x12,     // close the help windows
};

// False when the help could not be shown, or for a command not listed above.
bool htmlHelp(QWidget *owner, const QString &file, int32_t command, int32_t data);

} // namespace help
