#include "diary/outsidecontrols/FileListBox.h"

#include "diary/outsidecontrols/FocusMark.h"

#include <QDir>

namespace kalvento
{

FileListBox::FileListBox(QWidget *parent) : FirstKeyChooses<QListWidget>(parent)
{
    // The focus mark goes from the box to the row, or back.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, viewport(),
            qOverload<>(&QWidget::update));
}

void FileListBox::setPath(const QString &path)
{
    m_path = path;
    Refresh();
}

void FileListBox::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    Refresh();
}

QString FileListBox::FileName() const
{
    const QListWidgetItem *item = currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void FileListBox::Refresh()
{
    const QString selected = FileName();
    clear();
    if (m_path.isEmpty())
        return;
    QDir dir(m_path);
    dir.setNameFilters({m_pattern});
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    addItems(dir.entryList());
    // A refresh keeps the selection of a file that is still there.
    const QList<QListWidgetItem *> same = findItems(selected, Qt::MatchExactly);
    if (!selected.isEmpty() && !same.isEmpty())
        setCurrentItem(same.first());
}

void FileListBox::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    paintFocusWithoutCurrent(*this);
}

} // namespace kalvento
