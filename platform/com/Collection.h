#pragma once

#include "platform/com/AutomationObject.h"
#include "platform/com/Dispatched.h"

#include <vector>

namespace com
{

// An ordered list of values handed to scripts: Item counts from 1, as the
// platform's collections do.
class Collection : public Dispatched<Collection, AutomationObject>
{
public:
    static void describe(Dispatcher<Collection> &d);

    void add(Variant item) { m_items.push_back(std::move(item)); }
    int count() const { return int(m_items.size()); }
    // Raises error 9 outside 1 to count().
    const Variant &item(int index) const;

private:
    std::vector<Variant> m_items;
};

} // namespace com
