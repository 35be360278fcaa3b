#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace shell
{

// The desktop shell: opens documents and addresses with the program the
// desktop has for them, and starts programs.
class Shell
{
public:
    virtual ~Shell();
    // Returns a value above 32 on success, as the platform does.
    virtual int execute(const QString &verb, const QString &file, const QString &parameters,
                        const QString &directory, int showCommand) = 0;
};

// The desktop's opener (URLs and documents) and program start.
class DesktopShell : public Shell
{
public:
    int execute(const QString &verb, const QString &file, const QString &parameters, const QString &directory,
                int showCommand) override;
};

} // namespace shell

// The process-wide shell: the desktop's unless a test installed a recorder.
KV_DECLARE_SERVICE_SLOT(shell::Shell)
