#pragma once

#include "diary/outsidecontrols/FirstKeyChooses.h"

#include <QListWidget>

namespace kalvento
{

// The form's file list: the files of one folder that match a pattern, in
// name order, with the members the diary calls. Names match the pattern
// without regard to case, as on the platform.
class FileListBox : public FirstKeyChooses<QListWidget>
{
    Q_OBJECT
public:
    explicit FileListBox(QWidget *parent = nullptr);

    QString Path() const { return m_path; }
    void setPath(const QString &path);
    QString Pattern() const { return m_pattern; }
    void setPattern(const QString &pattern);
    // The selected file's name, or empty when none is selected.
    QString FileName() const;
    void Refresh();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
};

} // namespace kalvento
