#include "tests/support/fakes/RecordingShellDialogs.h"

namespace shell
{

RecordingShellDialogs::Shown &RecordingShellDialogs::add(const QString &kind, QWidget *owner)
{
    Shown s;
    s.kind = kind;
    s.owner = owner;
    shown << s;
    return shown.last();
}

void RecordingShellDialogs::shutDown(QWidget *owner)
{
    add(QStringLiteral("shutdown"), owner);
}

void RecordingShellDialogs::restart(QWidget *owner, const QString &prompt, int options)
{
    Shown &s = add(QStringLiteral("restart"), owner);
    s.prompt = prompt;
    s.options = options;
}

void RecordingShellDialogs::run(QWidget *owner, const RunRequest &request)
{
    Shown &s = add(QStringLiteral("run"), owner);
    s.run = request;
    s.options = request.options;
}

int32_t RecordingShellDialogs::formatDrive(QWidget *owner, int32_t drive, int32_t capacity,
                                           int32_t formatType)
{
    add(QStringLiteral("format"), owner).format = {drive, capacity, formatType};
    return formatAnswer;
}

std::optional<int> RecordingShellDialogs::pickIcon(QWidget *owner, const QString &path,
                                                   const QList<QImage> &icons, int index)
{
    Shown &s = add(QStringLiteral("icon"), owner);
    s.path = path;
    s.icons = icons;
    s.index = index;
    return iconAnswer;
}

bool RecordingShellDialogs::objectProperties(QWidget *owner, const QString &path)
{
    add(QStringLiteral("properties"), owner).path = path;
    return propertiesAnswer;
}

void RecordingShellDialogs::settingsPage(QWidget *owner, int page)
{
    add(QStringLiteral("settings"), owner).options = page;
}

void RecordingShellDialogs::about(QWidget *owner, const AboutRequest &request)
{
    add(QStringLiteral("about"), owner).about = request;
}

bool RecordingShellDialogs::confirmDelete(QWidget *owner, const QStringList &paths)
{
    add(QStringLiteral("delete"), owner).paths = paths;
    return deleteAnswer;
}

} // namespace shell
