#pragma once

#include <QString>

namespace ostrevo
{

// A flat button's caption after assignment: doubled "&" collapsed, and the
// access key that follows the remaining "&".
struct MnemonicCaption {
    QString text;
    int accessKey = 0; // character code of the upper-cased key, 0 for none
    // The "&" has no key character after it (a trailing "&", or a run of "&"
    // the collapse cannot pair): it is shown as it stands, with no access key.
    bool literal = false;

    // Without useMnemonic the text stays as given and has no key.
    static MnemonicCaption assign(const QString &text, bool useMnemonic);
};

} // namespace ostrevo
