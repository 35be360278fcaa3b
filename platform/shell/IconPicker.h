#pragma once

#include <QDialog>
#include <QImage>
#include <QList>
#include <QListWidget>

namespace shell
{

// Shows the icons of one file to choose from.
class IconPicker : public QDialog
{
    Q_OBJECT
public:
    IconPicker(QWidget *owner, const QString &path, const QList<QImage> &icons, int index);
    int chosen() const;

private:
    QListWidget *m_icons = nullptr; // owned by the dialog
};

} // namespace shell
