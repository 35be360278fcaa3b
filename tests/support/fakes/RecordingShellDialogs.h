#pragma once

#include "platform/shell/ShellDialogs.h"

#include <QList>

namespace shell
{

// Records each shell dialog with what it was shown with and answers as set.
class RecordingShellDialogs : public ShellDialogs
{
public:
    struct Shown {
        QString kind; // "shutdown", "restart", "run", "format", "icon", "properties", "settings", "about",
                      // "delete"
        QWidget *owner = nullptr;
        QString prompt;      // restart
        int options = 0;     // restart, run; settings: the page
        RunRequest run;      // run
        QList<int> format;   // drive, capacity, type
        QString path;        // icon, properties
        QList<QImage> icons; // icon
        int index = 0;       // icon: the one selected at the start
        AboutRequest about;  // about
        QStringList paths;   // delete
    };
    QList<Shown> shown;
    int32_t formatAnswer = FormatFailed;
    std::optional<int> iconAnswer;
    bool propertiesAnswer = true;
    bool deleteAnswer = true;

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

private:
    Shown &add(const QString &kind, QWidget *owner);
};

} // namespace shell
