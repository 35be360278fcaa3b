#include "diary/update/BrowseFolder.h"

#include "platform/comdlg/DialogBackend.h"

namespace kalvento
{

QString BrowseFolder(QWidget *owner, const QString &title)
{
    return rt::ServiceSlot<comdlg::DialogBackend>::current().folder(owner, title).value_or(QString());
}

} // namespace kalvento
