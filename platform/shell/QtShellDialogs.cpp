#include "platform/shell/QtShellDialogs.h"

#include "platform/session/SessionManager.h"
#include "platform/shell/EndSessionDialog.h"
#include "platform/shell/IconPicker.h"
#include "platform/shell/ObjectPropertiesDialog.h"
#include "platform/shell/RunDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell
{

namespace
{

// A question with German buttons whatever Qt's translation; true for "Ja".
bool askYesNo(QWidget *owner, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, owner);
    QPushButton *yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    box.setDefaultButton(box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole));
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return box.clickedButton() == yes;
}

void notice(QWidget *owner, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::NoButton, owner);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

session::Ending endingOf(int options)
{
    switch (options & 3) {
    case RestartShutDown:
        return session::Ending::PowerOff;
    case RestartReboot:
        return session::Ending::Reboot;
    default:
        return session::Ending::LogOff;
    }
}

} // namespace

ShellDialogs::~ShellDialogs() = default;

void QtShellDialogs::shutDown(QWidget *owner)
{
    EndSessionDialog dialog(owner);
    if (dialog.exec() == QDialog::Accepted)
        rt::ServiceSlot<session::SessionManager>::current().end(dialog.ending());
}

void QtShellDialogs::restart(QWidget *owner, const QString &prompt, int options)
{
    const session::Ending ending = endingOf(options);
    const QString question = ending == session::Ending::Reboot
                                 ? QStringLiteral("Möchten Sie den Computer jetzt neu starten?")
                             : ending == session::Ending::PowerOff
                                 ? QStringLiteral("Möchten Sie den Computer jetzt herunterfahren?")
                                 : QStringLiteral("Möchten Sie sich jetzt abmelden?");
    const QString lead = QString(prompt).remove(QChar(0));
    const QString text = lead.isEmpty() ? question : lead + QStringLiteral("\n\n") + question;
    if (askYesNo(owner, QStringLiteral("Sitzung beenden"), text))
        rt::ServiceSlot<session::SessionManager>::current().end(ending);
}

void QtShellDialogs::run(QWidget *owner, const RunRequest &request)
{
    RunDialog dialog(owner, request);
    // What cannot be started is reported, and the dialog stays for another try.
    while (dialog.exec() == QDialog::Accepted) {
        if (dialog.start())
            return;
        notice(&dialog, QStringLiteral("Ausführen"),
               QStringLiteral("„%1“ wurde nicht gefunden. Überprüfen Sie die Schreibweise, und wiederholen "
                              "Sie den Vorgang.")
                   .arg(dialog.command()));
    }
}

int32_t QtShellDialogs::formatDrive(QWidget *owner, int32_t, int32_t, int32_t)
{
    notice(owner, QStringLiteral("Laufwerk formatieren"),
           QStringLiteral("Das Formatieren von Laufwerken wird von diesem Programm nicht angeboten."));
    return FormatFailed;
}

std::optional<int> QtShellDialogs::pickIcon(QWidget *owner, const QString &path, const QList<QImage> &icons,
                                            int index)
{
    IconPicker picker(owner, path, icons, index);
    if (picker.exec() != QDialog::Accepted)
        return std::nullopt;
    return picker.chosen();
}

bool QtShellDialogs::objectProperties(QWidget *owner, const QString &path)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    ObjectPropertiesDialog dialog(owner, path);
    dialog.exec();
    return true;
}

void QtShellDialogs::settingsPage(QWidget *owner, int)
{
    notice(owner, QStringLiteral("Systemeinstellungen"),
           QStringLiteral("Diese Systemeinstellung öffnen Sie in den Einstellungen Ihrer Arbeitsumgebung."));
}

void QtShellDialogs::about(QWidget *owner, const AboutRequest &request)
{
    const QString appName = QString(request.appName).remove(QChar(0));
    QDialog dialog(owner);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setWindowTitle(appName.isEmpty() ? QStringLiteral("Info")
                                            : QStringLiteral("Info über %1").arg(appName));
    auto *layout = new QHBoxLayout;
    auto *icon = new QLabel;
    if (!request.icon.isNull())
        icon->setPixmap(QPixmap::fromImage(request.icon.scaled(32, 32, Qt::KeepAspectRatio)));
    icon->setObjectName(QStringLiteral("icon"));
    layout->addWidget(icon, 0, Qt::AlignTop);
    auto *texts = new QVBoxLayout;
    for (const QString &line : {appName, request.systemName, QString(request.prompt).remove(QChar(0))}) {
        if (line.isEmpty())
            continue;
        auto *label = new QLabel(line);
        label->setWordWrap(true);
        texts->addWidget(label);
    }
    auto *buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    texts->addWidget(buttons);
    layout->addLayout(texts);
    dialog.setLayout(layout);
    dialog.exec();
}

bool QtShellDialogs::confirmDelete(QWidget *owner, const QStringList &paths)
{
    const QString text =
        paths.size() == 1
            ? QStringLiteral("Möchten Sie „%1“ wirklich in den Papierkorb verschieben?")
                  .arg(QFileInfo(paths.constFirst()).fileName())
            : QStringLiteral("Möchten Sie diese %1 Elemente wirklich in den Papierkorb verschieben?")
                  .arg(paths.size());
    return askYesNo(owner, QStringLiteral("Löschen bestätigen"), text);
}

} // namespace shell

KV_SERVICE_SLOT_STORAGE(shell::ShellDialogs)

template <> std::unique_ptr<shell::ShellDialogs> rt::ServiceSlot<shell::ShellDialogs>::makeDefault()
{
    return std::make_unique<shell::QtShellDialogs>();
}
