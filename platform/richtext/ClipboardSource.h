#pragma once

#include <QImage>
#include <QString>

namespace richtext {

// What a paste takes from the clipboard; tests hand in a fake.
class ClipboardSource {
public:
    virtual ~ClipboardSource();
    virtual QString text() const = 0;
    // A null image when the clipboard holds no picture.
    virtual QImage image() const = 0;
};

} // namespace richtext
