#include "diary/program/shellexe_1.h"

#include "platform/shell/Shell.h"

#include <exception>

namespace kalvento::shellexe_1
{

bool ShellOpen(const QString &file, int32_t showCommand, const QString &verb)
{
    try {
        return rt::ServiceSlot<shell::Shell>::current().execute(verb, file, QString(), QString(),
                                                                showCommand) > 32;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace kalvento::shellexe_1
