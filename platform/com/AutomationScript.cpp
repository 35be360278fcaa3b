#include "platform/com/AutomationScript.h"

#include "platform/com/AutomationError.h"
#include "platform/com/Control.h"
#include "platform/com/ControlHost.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/PropertySheet.h"

namespace com
{

namespace
{

// Splits "verb rest" and "name rest".
std::pair<QString, QString> splitFirst(const QString &text)
{
    const QString t = text.trimmed();
    const int space = t.indexOf(QLatin1Char(' '));
    if (space < 0)
        return {t, QString()};
    return {t.left(space), t.mid(space + 1).trimmed()};
}

} // namespace

AutomationScript::AutomationScript() : m_host(std::make_unique<QWidget>()) {}

AutomationScript::~AutomationScript()
{
    release();
}

void AutomationScript::release()
{
    if (m_control) {
        // The host window owns the control; remove it before the next one.
        std::unique_ptr<QWidget> control(m_control);
        m_control = nullptr;
    }
    m_ownedObject.reset();
    m_object = nullptr;
}

void AutomationScript::create(const QString &progId, const QString &bagFile)
{
    release();
    std::unique_ptr<PropertyBag> bag;
    if (!bagFile.isEmpty())
        bag = std::make_unique<PropertyBag>(PropertyBag::load(bagFile));
    std::unique_ptr<AutomationObject> object = ControlHost::createObject(progId);
    if (dynamic_cast<Control *>(object.get())) {
        std::unique_ptr<Control> control = ControlHost::asControl(std::move(object), progId);
        control->setParent(m_host.get());
        auto site = std::make_unique<ControlSite>(QStringLiteral("Control1"), nullptr);
        site->setEventObserver([this](const EventInfo &event, Args &args) {
            if (!m_printEvents)
                return;
            QStringList shown;
            for (const Variant &arg : args)
                shown << arg.display();
            m_eventLines << QStringLiteral("event %1(%2)").arg(event.name, shown.join(QStringLiteral(", ")));
        });
        control->setSite(std::move(site));
        // Only a control that loaded completely becomes the current object.
        if (bag)
            control->readProperties(*bag);
        else
            control->initProperties();
        m_control = control.release(); // the host window owns it now
        m_object = m_control;
        return;
    }
    if (bag)
        raise(ErrInvalidCall, QStringLiteral("%1 hat keine gespeicherten Eigenschaften").arg(progId));
    m_ownedObject = std::move(object);
    m_object = m_ownedObject.get();
}

AutomationObject &AutomationScript::object() const
{
    if (!m_object)
        raise(91, QStringLiteral("Objektvariable nicht festgelegt"));
    return *m_object;
}

int32_t AutomationScript::memberId(const QString &reference) const
{
    object();
    if (reference.startsWith(QLatin1Char('#')))
        return Variant::parseLiteral(reference.mid(1)).toLong();
    return m_object->dispidOf(reference);
}

std::vector<Variant> AutomationScript::parseArguments(const QString &text)
{
    std::vector<Variant> args;
    for (const QString &part : Variant::splitList(text))
        args.push_back(part.isEmpty() ? Variant::missing() : Variant::parseLiteral(part));
    return args;
}

QStringList AutomationScript::execute(const QString &statement)
{
    QStringList out;
    m_eventLines.clear();
    const auto [verb, rest] = splitFirst(statement);
    if (verb.isEmpty() || verb.startsWith(QLatin1Char('\'')))
        return out;
    try {
        const QString command = verb.toLower();
        if (command == QLatin1String("create")) {
            create(rest, QString());
        } else if (command == QLatin1String("load")) {
            const auto [progId, bagFile] = splitFirst(rest);
            create(progId, bagFile);
        } else if (command == QLatin1String("save")) {
            object();
            if (!m_control)
                raise(ErrInvalidCall, QStringLiteral("Nur Steuerelemente haben gespeicherte Eigenschaften"));
            if (!ControlHost::saveControl(*m_control).save(rest))
                raise(75, QStringLiteral("Fehler beim Zugriff auf Pfad/Datei"));
        } else if (command == QLatin1String("let") || command == QLatin1String("set")) {
            const auto [name, value] = splitFirst(rest);
            Args args = parseArguments(value);
            if (args.empty())
                raise(ErrArgumentNotOptional);
            const int32_t dispid = memberId(name);
            m_object->invoke(dispid, command == QLatin1String("let") ? Let : Set, args);
        } else if (command == QLatin1String("get")) {
            QString name = rest;
            Args args;
            const int paren = rest.indexOf(QLatin1Char('('));
            if (paren > 0 && rest.endsWith(QLatin1Char(')'))) {
                name = rest.left(paren).trimmed();
                args = parseArguments(rest.mid(paren + 1, rest.size() - paren - 2));
            }
            const int32_t dispid = memberId(name);
            const Variant value = m_object->invoke(dispid, Get, args);
            m_eventLines << value.display();
        } else if (command == QLatin1String("call")) {
            const auto [name, argText] = splitFirst(rest);
            const int32_t dispid = memberId(name);
            Args args = parseArguments(argText);
            const Variant result = m_object->invoke(dispid, Method, args);
            const MemberInfo *info = m_object->typeInfo().member(dispid);
            if (info && info->type != VarType::Empty)
                m_eventLines << result.display();
        } else if (command == QLatin1String("pages")) {
            PropertySheet sheet({&object()});
            sheet.exec();
        } else if (command == QLatin1String("events")) {
            m_printEvents = rest.compare(QLatin1String("off"), Qt::CaseInsensitive) != 0;
        } else {
            raise(ErrInvalidCall, QStringLiteral("Unbekannte Anweisung: %1").arg(verb));
        }
    } catch (const AutomationError &error) {
        m_eventLines << QStringLiteral("error %1: %2").arg(error.number()).arg(error.description());
    }
    out = m_eventLines;
    m_eventLines.clear();
    return out;
}

} // namespace com
