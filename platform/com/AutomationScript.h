#pragma once

#include "platform/com/AutomationObject.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

namespace com
{

class Control;

// The test container's interpreter: one statement a line, one printed line a
// result. A failing statement prints "error N: text" and the script goes on.
//
//   create ProgId        load ProgId BAG      save BAG
//   let Name value       set Name value       get Name     get #&H68030027
//   call Name a, b       events on|off
//   pages                (the current object's property pages, in a modal sheet)
class AutomationScript
{
public:
    AutomationScript();
    ~AutomationScript();

    // Runs one statement and returns what it prints (possibly several lines,
    // event lines first).
    QStringList execute(const QString &statement);

    AutomationObject *current() const { return m_object; }

private:
    void create(const QString &progId, const QString &bagFile);
    void release();
    AutomationObject &object() const; // error 91 before the first create
    int32_t memberId(const QString &reference) const;
    static std::vector<Variant> parseArguments(const QString &text);

    std::unique_ptr<QWidget> m_host;                 // controls live on this hidden window
    std::unique_ptr<AutomationObject> m_ownedObject; // objects that are no controls
    AutomationObject *m_object = nullptr;
    Control *m_control = nullptr;
    bool m_printEvents = false;
    QStringList m_eventLines;
};

} // namespace com
