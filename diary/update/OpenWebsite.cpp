#include "diary/update/OpenWebsite.h"

#include "platform/shell/Shell.h"

namespace kalvento
{

namespace
{
constexpr int ShowMaximized = 3;
} // namespace

int OpenWebsite(const QString &url)
{
    return rt::ServiceSlot<shell::Shell>::current().execute(QString(), url, QString(), QString(),
                                                            ShowMaximized);
}

} // namespace kalvento
