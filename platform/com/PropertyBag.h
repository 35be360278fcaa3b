#pragma once

#include "platform/com/Variant.h"

#include <QString>
#include <utility>
#include <vector>

namespace com
{

// A control's saved design-time properties, as its host keeps them. A value
// equal to its default is not written, so the bag holds only what differs.
class PropertyBag
{
public:
    Variant readProperty(const QString &name, const Variant &defaultValue = Variant()) const;
    void writeProperty(const QString &name, const Variant &value, const Variant &defaultValue = Variant());

    bool contains(const QString &name) const;
    std::vector<QString> keys() const;
    bool isEmpty() const { return m_entries.empty(); }

    // Text form, one "key = literal" a line, as a form's saved data holds it.
    QString toText() const;
    static PropertyBag fromText(const QString &text); // error 13 on a line it cannot read
    bool save(const QString &fileName) const;
    static PropertyBag load(const QString &fileName); // error 53 when the file is missing

private:
    std::vector<std::pair<QString, Variant>> m_entries;
};

} // namespace com
