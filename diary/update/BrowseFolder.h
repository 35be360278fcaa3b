#pragma once

#include <QString>
#include <QWidget>

namespace kalvento
{

// Lets the user pick an existing folder in a modal dialog over owner. Returns its path
// ("/" separators, no trailing "/"), or "" when the user cancels.
QString BrowseFolder(QWidget *owner, const QString &title);

} // namespace kalvento
