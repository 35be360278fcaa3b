// Registers (or with -u unregisters) an in-process library by calling its
// exported entry points, as the platform's registration tool does.
#include "platform/com/InProcessServer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>
#include <dlfcn.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool unregister = args.removeAll(QStringLiteral("-u")) > 0;
    QTextStream err(stderr);
    if (args.size() != 1) {
        err << "Aufruf: regsvr [-u] BIBLIOTHEK\n";
        return 2;
    }
    const QString library = QFileInfo(args.first()).absoluteFilePath();
    void *handle = dlopen(library.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        err << "Die Bibliothek kann nicht geladen werden: " << dlerror() << '\n';
        return 1;
    }
    const char *entryName = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    auto entry = reinterpret_cast<com::RegisterServerFunction>(dlsym(handle, entryName));
    if (!entry) {
        err << library << " hat keinen Einsprungpunkt " << entryName << '\n';
        return 1;
    }
    const int32_t result = entry();
    if (result != com::S_Ok) {
        err << entryName << " meldet 0x" << QString::number(uint32_t(result), 16).toUpper() << '\n';
        return 1;
    }
    QTextStream(stdout) << entryName << " in " << library << " erfolgreich.\n";
    return 0;
}
