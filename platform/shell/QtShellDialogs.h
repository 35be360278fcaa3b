#pragma once

#include "platform/shell/ShellDialogs.h"

namespace shell
{

// Our own dialogs for the shell's: German, modal over their owner. Ending
// the session goes through the session manager, starting a program through
// the shell, both as installed.
class QtShellDialogs : public ShellDialogs
{
public:
    void shutDown(QWidget *owner) override;
    void restart(QWidget *owner, const QString &prompt, int options) override;
    void run(QWidget *owner, const RunRequest &request) override;
    int32_t formatDrive(QWidget *owner, int32_t drive, int32_t capacity, int32_t formatType) override;
    std::optional<int> pickIcon(QWidget *owner, const QString &path, const QList<QImage> &icons,
                                int index) override;
    bool objectProperties(QWidget *owner, const QString &path) override;
    void settingsPage(QWidget *owner, int page) override;
    void about(QWidget *owner, const AboutRequest &request) override;
    bool confirmDelete(QWidget *owner, const QStringList &paths) override;
};

} // namespace shell
