// The Dialog control's shell and system services: ending the session, the
// shell's own dialogs, deleting to the trash, version tests, the file search
// and the default printer.
#include "controls/dialog/Dialog.h"

#include "controls/resources/StockIcons.h"
#include "platform/com/AutomationError.h"
#include "platform/com/Collection.h"
#include "platform/com/InProcessServer.h"
#include "platform/comdlg/DialogBackend.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/kernel/OsRelease.h"
#include "platform/kernel/PlatformVersion.h"
#include "platform/runtime/Windows1252.h"
#include "platform/session/SessionManager.h"
#include "platform/shell/IconFile.h"
#include "platform/shell/ShellDialogs.h"
#include "platform/shell/Trash.h"
#include "platform/spooler/PrinterSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <cmath>

using namespace com;

namespace ostrevo
{

namespace
{

constexpr qsizetype PathBufferLength = 260;
constexpr int32_t BrowseForPrinters = 8192;
constexpr int PrintersFolder = 4;

shell::ShellDialogs &shellDialogs()
{
    return rt::ServiceSlot<shell::ShellDialogs>::current();
}

spooler::PrinterSystem &printers()
{
    return rt::ServiceSlot<spooler::PrinterSystem>::current();
}

// Text handed over as the platform's ANSI text keeps only what its code page holds.
QString ansi(const QString &text)
{
    return rt::Windows1252::decode(rt::Windows1252::encode(text));
}

bool isPlatformNT()
{
    return (kernel::platformVersion().platformId & 2) != 0;
}

// Where a special folder lies; none for a folder of no place in the file
// system, or one this system does not have (the browser then shows all).
QString specialFolder(int32_t id)
{
    const auto standard = [](QStandardPaths::StandardLocation location) {
        return QStandardPaths::writableLocation(location);
    };
    switch (id) {
    case 5: // personal documents
        return standard(QStandardPaths::DocumentsLocation);
    case 13: // music
        return standard(QStandardPaths::MusicLocation);
    case 14: // videos
        return standard(QStandardPaths::MoviesLocation);
    case 16: // the desktop's folder
        return standard(QStandardPaths::DesktopLocation);
    case 17: // the computer's drives
        return QStringLiteral("/");
    case 39: // pictures
        return standard(QStandardPaths::PicturesLocation);
    case 40: // the user's profile
        return standard(QStandardPaths::HomeLocation);
    default:
        return QString();
    }
}

// The list the shell's file operation takes: each name ended by a NUL, the
// whole ended by one more.
QString deleteList(Variant &files)
{
    if (auto *names = dynamic_cast<Collection *>(files.isObject() ? files.toObject() : nullptr)) {
        QString list;
        for (int i = 1; i <= names->count(); ++i)
            list += names->item(i).toString() + QChar(0);
        return list + QChar(0);
    }
    if (files.type() != VarType::String)
        return QString();
    QString list = files.toString();
    if (list.endsWith(u'\\')) {
        list.chop(1);
        files = Variant(list);
    }
    if (!list.endsWith(QChar(0)))
        list += QChar(0);
    if (list.size() < 2)
        raiseError(ErrInvalidCall); // an empty text has no second-to-last character
    if (list.at(list.size() - 2) != QChar(0))
        list += QChar(0);
    return list;
}

// The names of such a list, up to its closing empty name.
QStringList namesOf(const QString &list)
{
    QStringList names;
    for (const QString &name : list.split(QChar(0))) {
        if (name.isEmpty())
            break;
        names << name;
    }
    return names;
}

// The platform's search for a file: in folder when given, else in the
// program's folder, the current folder and the folders of PATH.
QString searchPath(const QString &folder, const QString &name)
{
    const auto file = [](const QString &path) {
        const QFileInfo info(path);
        return info.exists() && !info.isDir() ? info.absoluteFilePath() : QString();
    };
    if (name.isEmpty())
        return QString();
    if (!folder.isEmpty())
        return file(QDir(folder).filePath(name));
    if (QDir::isAbsolutePath(name) || name.contains(u'/'))
        return file(name);
    QStringList folders = {QCoreApplication::applicationDirPath(), QDir::currentPath()};
    folders += qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts);
    for (const QString &candidate : folders)
        if (const QString found = file(QDir(candidate).filePath(name)); !found.isEmpty())
            return found;
    return QString();
}

// The form runtime's directory search with normal attributes: files only,
// no hidden ones, wildcards allowed in the name.
bool directoryMatch(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    const QDir folder = info.dir();
    return !folder.entryList({info.fileName()}, QDir::Files).isEmpty();
}

} // namespace

// --- ending the session --------------------------------------------------------

bool Dialog::exitWindowsPriv(int32_t flags)
{
    const session::Ending ending = flags == 2   ? session::Ending::Reboot
                                   : flags == 1 ? session::Ending::PowerOff
                                                : session::Ending::LogOff;
    session::SessionManager &manager = rt::ServiceSlot<session::SessionManager>::current();
    // The NT family needs the shut-down privilege first.
    if (isPlatformNT() && !manager.mayEnd(ending))
        return false;
    return manager.end(ending);
}

// --- the shell's dialogs -------------------------------------------------------

void Dialog::ShowShutDown()
{
    shellDialogs().shutDown(ownerWindow());
}

void Dialog::ShowRestart()
{
    // The desktop's dialogs take Unicode text whole.
    shellDialogs().restart(ownerWindow(), m_dialogPrompt, m_flags & 7);
}

void Dialog::ShowRun()
{
    const int options = int(std::nearbyint((m_flags & 0xF0) / 16.0));
    if (m_default) {
        shell::RunRequest plain;
        plain.plain = true;
        shellDialogs().run(ownerWindow(), plain);
        return;
    }
    shell::RunRequest request;
    m_hIcon = 0;
    if (m_icon) {
        const QList<QImage> icons = iconsOf(m_initDir, 32);
        if (m_iconIdx >= 0 && m_iconIdx < icons.size()) {
            request.icon = icons.at(m_iconIdx);
            m_hIcon = int32_t(gdi::createBitmapFromImage(request.icon));
        }
    }
    request.title = m_isNT ? m_dialogTitle : ansi(m_dialogTitle);
    request.prompt = m_isNT ? m_dialogPrompt : ansi(m_dialogPrompt);
    request.options = options;
    shellDialogs().run(ownerWindow(), request);
}

int32_t Dialog::ShowFormat(int32_t drive, int32_t capacity, int32_t formatType)
{
    return shellDialogs().formatDrive(ownerWindow(), drive, capacity, formatType);
}

QList<QImage> Dialog::iconsOf(const QString &path, int size) const
{
    static const QString ownName =
        QFileInfo(InProcessServer::libraryPathOf(reinterpret_cast<const void *>(&Dialog::ClipNullChar)))
            .fileName();
    if (!path.isEmpty() && QFileInfo(path).fileName() == ownName) {
        QList<QImage> groups;
        for (int group = 1; group <= 250; ++group)
            if (StockIcons::exists(group))
                groups << StockIcons::render(group, QSize(size, size));
        return groups;
    }
    // Icons come out at the system's size for icons, as the platform extracts them.
    QList<QImage> icons = shell::iconsOfFile(path, QSize(size, size));
    for (QImage &icon : icons)
        if (icon.size() != QSize(size, size))
            icon = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return icons;
}

void Dialog::ShowIcon()
{
    if (m_fileName.endsWith(u'\\'))
        return;
    if (!m_initDir.isEmpty())
        m_fileName = m_initDir;
    if (m_fileName.size() > PathBufferLength)
        raiseError(ErrInvalidCall);
    const QString kept = m_fileName;
    const int size = m_iconSize == 16 ? 16 : 32;
    const QList<QImage> icons = iconsOf(kept, size);
    const std::optional<int> chosen = shellDialogs().pickIcon(ownerWindow(), kept, icons, 0);
    if (chosen) {
        if (*chosen >= 0 && *chosen < icons.size())
            m_hIcon = int32_t(gdi::createBitmapFromImage(icons.at(*chosen)));
        m_iconIdx = *chosen;
    }
    m_fileName = kept;
}

QString Dialog::ShowFolder()
{
    m_cancel = false;
    comdlg::FolderRequest request;
    const bool path =
        m_selDir.isEmpty() || (m_selDir.size() >= 3 && m_selDir.at(2) == u'\\') || m_selDir.startsWith(u'/');
    if (path && m_flags == BrowseForPrinters) {
        request.noPath = true;
    } else if (path) {
        // A path that names nothing gives no root: the whole system.
        if (QFileInfo(m_selDir).isDir())
            request.root = QDir::cleanPath(m_selDir);
    } else {
        const int32_t id = Variant(m_selDir).toLong(); // raises 13 for a text that is no number
        request.noPath = id == PrintersFolder;
        request.root = specialFolder(id);
    }
    request.prompt = m_dialogPrompt;
    request.start = QFileInfo(m_initDir).isDir() ? QDir::cleanPath(m_initDir) : QString();
    request.flags = m_flags;

    const std::optional<QString> chosen =
        rt::ServiceSlot<comdlg::DialogBackend>::current().browseFolder(ownerWindow(), request);
    QString buffer(PathBufferLength, QChar(0));
    // The buffer holds the path and its closing NUL.
    if (chosen && !chosen->isEmpty() && chosen->size() < PathBufferLength) {
        m_initDir = *chosen;
        buffer.replace(0, chosen->size(), *chosen);
    } else {
        failureStep(0, false);
    }
    return buffer;
}

void Dialog::ShowObjectProp()
{
    const int selector = int(std::nearbyint((m_flags & 0xF00) / 256.0));
    if (selector == 1 || selector == 2)
        shellDialogs().objectProperties(ownerWindow(), m_initDir);
    else if (selector >= 3 && selector <= 9)
        shellDialogs().settingsPage(ownerWindow(), selector);
    // The system's own properties (0) and 10 to 15 show nothing.
}

void Dialog::ShowAbout()
{
    if (m_appName.isEmpty())
        m_appName = QString(QChar(0));
    shell::AboutRequest request;
    request.appName = m_appName;
    request.prompt = m_dialogPrompt;
    if (const QImage *icon = gdi::bitmapImage(gdi::Handle(m_hIcon)))
        request.icon = *icon;
    request.systemName = kernel::systemName();
    shellDialogs().about(ownerWindow(), request);
}

// --- deleting --------------------------------------------------------------------

bool Dialog::ShowDelete(Variant &files)
{
    const QStringList names = namesOf(deleteList(files));
    if (names.isEmpty())
        return false;
    if (!shellDialogs().confirmDelete(ownerWindow(), names))
        return false;
    shell::Trash &trash = rt::ServiceSlot<shell::Trash>::current();
    bool all = true;
    for (const QString &name : names)
        all = trash.moveToTrash(name) && all;
    return all;
}

// --- version, files and printers --------------------------------------------------

bool Dialog::GetWinXP() const
{
    const kernel::VersionRecord version = kernel::platformVersion();
    return version.platformId == 2 && version.majorVersion == 5 && double(version.buildNumber) == 2600.0;
}

bool Dialog::GetWinVista() const
{
    const kernel::VersionRecord version = kernel::platformVersion();
    return version.platformId == 2 && version.majorVersion == 6;
}

bool Dialog::FileExists(const QString &path)
{
    if (directoryMatch(path)) {
        m_findFile = path;
        return true;
    }
    QString folder;
    const qsizetype lastSeparator = path.lastIndexOf(u'\\');
    if (path.size() >= 2 && path.at(1) == u':') {
        if (lastSeparator < 0)
            raiseError(ErrInvalidCall);
        folder = path.left(lastSeparator);
    }
    const QString name = path.mid(lastSeparator + 1);
    const QString found = searchPath(folder, name);
    if (found.isEmpty()) {
        m_findFile = QStringLiteral("-1");
        return false;
    }
    m_findFile = found;
    return true;
}

bool Dialog::SetPrinterDefault(const QString &printer)
{
    const kernel::VersionRecord version = kernel::platformVersion();
    if (version.platformId == 2 && version.majorVersion > 4)
        return printers().setDefaultPrinter(printer);
    if (version.platformId == 2 && version.majorVersion == 4)
        return printers().setProfileDefault(printer);
    const std::unique_ptr<spooler::PrinterConnection> connection = printers().open(printer);
    return connection && connection->markDefault();
}

QString Dialog::GetDefaultPrinterName() const
{
    return ClipNullChar(printers().defaultPrinterName());
}

QString Dialog::ClipNullChar(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

} // namespace ostrevo
