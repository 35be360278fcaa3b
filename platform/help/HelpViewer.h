#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <QString>
#include <cstdint>

class QWidget;

namespace help
{

// Shows a program's help file. Commands are numbered as the help viewer's
// callers pass them (the Dialog control's HelpCommand values); data is the
// command's number argument, a topic's context number say.
class HelpViewer
{
public:
    enum Command : int32_t {
        Context = 1,      // the topic with context number `data`
        Quit = 2,         // close the help the program opened
        Contents = 3,     // the file's start page
        ContextPopup = 8, // the topic with context number `data`, in a small window of its own
        ForceFile = 9,    // the file shown in the help window, at its start unless already there
    };

    virtual ~HelpViewer();
    // owner may be null. False when the help could not be shown.
    virtual bool open(QWidget *owner, const QString &file, int32_t command, int32_t data) = 0;
};

} // namespace help

// The process-wide help viewer: the program's help window unless a test installed a recorder.
KV_DECLARE_SERVICE_SLOT(help::HelpViewer)
