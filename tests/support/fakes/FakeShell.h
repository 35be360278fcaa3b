#pragma once

#include "platform/shell/Shell.h"

#include <QString>
#include <vector>

namespace shell
{

// Records every call; answers with `result`.
class FakeShell : public Shell
{
public:
    struct Call {
        QString verb, file, parameters, directory;
        int showCommand;
    };
    std::vector<Call> calls;
    int result = 42;
    int execute(const QString &verb, const QString &file, const QString &parameters, const QString &directory,
                int showCommand) override;
};

} // namespace shell
