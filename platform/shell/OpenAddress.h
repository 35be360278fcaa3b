#pragma once

#include <QString>

class QWidget;

namespace shell
{

// Opens a web or mail address through the shell; when nothing on the machine
// can open it (no browser, no mail program), says so over `parent` instead of
// leaving a click without an answer. True when opened.
bool openAddress(QWidget *parent, const QString &verb, const QString &address, const QString &directory,
                 int showCommand);

// The message for an address the shell could not open.
void reportUnopenedAddress(QWidget *parent, const QString &address);

} // namespace shell
