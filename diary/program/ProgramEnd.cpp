#include "diary/program/ProgramEnd.h"

#include "platform/runtime/Form.h"

#include <QCoreApplication>

namespace kalvento
{

namespace
{
std::function<void()> &hook()
{
    static std::function<void()> current;
    return current;
}
} // namespace

void ProgramEnd::end()
{
    if (hook())
        hook()();
    else
        QCoreApplication::exit(0);
}

void ProgramEnd::setHook(std::function<void()> h)
{
    hook() = std::move(h);
}

void ProgramEnd::endWithLastForm()
{
    rt::Form::setWhenAllUnloaded([] { ProgramEnd::end(); });
}

} // namespace kalvento
