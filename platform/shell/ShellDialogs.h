#pragma once

#include "platform/runtime/ServiceSlot.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

namespace shell
{

// Options of the run dialog.
enum RunOption : int { RunNoBrowse = 1, RunNoDefault = 2, RunCalcDirectory = 4, RunNoLabel = 8 };

// Options of the restart dialog: what ending it offers, and whether programs
// are closed without asking.
enum RestartOption : int { RestartLogOff = 0, RestartShutDown = 1, RestartReboot = 2, RestartForce = 4 };

// What formatting a drive answers when it was not done.
constexpr int32_t FormatFailed = -1;

struct RunRequest {
    bool plain = false; // the dialog as it comes, without anything below
    QImage icon;        // none: the dialog's own
    QString title;      // empty: the dialog's own
    QString prompt;     // empty: the dialog's own
    int options = 0;    // RunOption bits
};

struct AboutRequest {
    QString appName;
    QString prompt;
    QImage icon; // none: the program's own
    QString systemName;
};

// The shell's own dialogs. The real ones are ours, German and modal over
// their owner; tests install a recorder.
class ShellDialogs
{
public:
    virtual ~ShellDialogs();
    // Offers to log off, restart or shut down, and does it when confirmed.
    virtual void shutDown(QWidget *owner) = 0;
    // Asks before ending the session as options says; prompt leads the question.
    virtual void restart(QWidget *owner, const QString &prompt, int options) = 0;
    // Asks for a program, document or address and opens it.
    virtual void run(QWidget *owner, const RunRequest &request) = 0;
    // Formatting a drive: answers with the platform's result code.
    virtual int32_t formatDrive(QWidget *owner, int32_t drive, int32_t capacity, int32_t formatType) = 0;
    // Shows the icons of a file and answers with the one chosen; none when
    // cancelled. index is the one selected at the start.
    virtual std::optional<int> pickIcon(QWidget *owner, const QString &path, const QList<QImage> &icons,
                                        int index) = 0;
    // The properties of a file or folder; false when there is none of that name.
    virtual bool objectProperties(QWidget *owner, const QString &path) = 0;
    // One of the system's settings pages, by its number (3 mouse to 9 internet).
    virtual void settingsPage(QWidget *owner, int page) = 0;
    virtual void about(QWidget *owner, const AboutRequest &request) = 0;
    // Asks whether the files and folders go to the trash.
    virtual bool confirmDelete(QWidget *owner, const QStringList &paths) = 0;
};

} // namespace shell

// The process-wide shell dialogs: ours unless a test installed a recorder.
KV_DECLARE_SERVICE_SLOT(shell::ShellDialogs)
