#include "tests/support/fakes/FakeShell.h"

namespace shell
{

int FakeShell::execute(const QString &verb, const QString &file, const QString &parameters,
                       const QString &directory, int showCommand)
{
    calls.push_back({verb, file, parameters, directory, showCommand});
    return result;
}

} // namespace shell
