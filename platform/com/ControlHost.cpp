#include "platform/com/ControlHost.h"

#include "platform/com/AutomationError.h"
#include "platform/com/ComponentRegistry.h"
#include "platform/com/InProcessServer.h"
#include "platform/com/PropertyBag.h"

#include <QHash>
#include <dlfcn.h>

namespace com
{

namespace
{

constexpr int ErrCannotCreateObject = 429;

[[noreturn]] void cannotCreate(const QString &detail)
{
    raise(ErrCannotCreateObject,
          QStringLiteral("ActiveX-Komponente kann kein Objekt erstellen (%1)").arg(detail));
}

// Libraries stay loaded for the life of the process: objects they made may
// still be alive anywhere.
GetClassObjectFunction classObjectEntry(const QString &library)
{
    static QHash<QString, void *> loaded;
    void *handle = loaded.value(library);
    if (!handle) {
        handle = dlopen(library.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            cannotCreate(QString::fromLocal8Bit(dlerror()));
        loaded.insert(library, handle);
    }
    auto entry = reinterpret_cast<GetClassObjectFunction>(dlsym(handle, "DllGetClassObject"));
    if (!entry)
        cannotCreate(library);
    return entry;
}

} // namespace

std::unique_ptr<AutomationObject> ControlHost::createObject(const QString &progIdOrClsid)
{
    const ComponentRegistry registry;
    auto entry = progIdOrClsid.startsWith(QLatin1Char('{')) ? registry.findByClsid(progIdOrClsid)
                                                            : registry.findByProgId(progIdOrClsid);
    if (!entry)
        cannotCreate(progIdOrClsid);
    ClassFactory *factory = nullptr;
    const QByteArray clsid = entry->clsid.toLatin1();
    if (classObjectEntry(entry->library)(clsid.constData(), &factory) != S_Ok || !factory)
        cannotCreate(progIdOrClsid);
    return factory->createInstance();
}

Control *ControlHost::createControl(const QString &progId, QWidget *parent, const QString &name,
                                    const EventHandlers *handlers, const PropertyBag *bag, bool userMode)
{
    std::unique_ptr<Control> control = asControl(createObject(progId), progId);
    auto site = std::make_unique<ControlSite>(name, handlers);
    site->ambient().userMode = userMode;
    if (parent)
        site->ambient().font = parent->font();
    control->setParent(parent);
    control->setSite(std::move(site));
    // Until its properties are read the control is ours: a bag that fails
    // leaves neither an object nor a widget on the form.
    if (bag)
        control->readProperties(*bag);
    else
        control->initProperties();
    return control.release(); // the parent widget owns it now
}

std::unique_ptr<Control> ControlHost::asControl(std::unique_ptr<AutomationObject> object,
                                                const QString &progId)
{
    if (!dynamic_cast<Control *>(object.get()))
        cannotCreate(progId + QStringLiteral(" ist kein Steuerelement"));
    return std::unique_ptr<Control>(static_cast<Control *>(object.release()));
}

PropertyBag ControlHost::saveControl(Control &control)
{
    PropertyBag bag;
    control.writeProperties(bag);
    return bag;
}

} // namespace com
