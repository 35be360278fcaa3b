#include "diary/update/ShellOpen.h"

#include "platform/shell/Shell.h"

namespace kalvento
{

namespace
{
// The shell's results up to this one are failures.
constexpr int LastFailure = 32;
} // namespace

bool ShellOpen(const QString &file, int show, const QString &verb)
{
    return rt::ServiceSlot<shell::Shell>::current().execute(verb, file, QString(), QString(), show) >
           LastFailure;
}

} // namespace kalvento
