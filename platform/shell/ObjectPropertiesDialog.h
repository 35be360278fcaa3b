#pragma once

#include <QDialog>
#include <QString>

namespace shell
{

// A file's or folder's name, kind, size, dates and permissions.
class ObjectPropertiesDialog : public QDialog
{
    Q_OBJECT
public:
    ObjectPropertiesDialog(QWidget *owner, const QString &path);
};

} // namespace shell
