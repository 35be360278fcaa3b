#include "controls/dialog/MnemonicCaption.h"

namespace ostrevo
{

MnemonicCaption MnemonicCaption::assign(const QString &text, bool useMnemonic)
{
    MnemonicCaption result;
    result.text = text;
    const QChar amp(u'&');
    const qsizetype first = text.indexOf(amp);
    if (!useMnemonic || first < 0)
        return result;
    if (text.indexOf(amp, first + 1) >= 0) {
        // Each pass deletes the next "&", searching on one place after the
        // last deletion, so of "&&" pairs the second one stays.
        qsizetype from = 0;
        while (result.text.count(amp) >= 2) {
            const qsizetype at = result.text.indexOf(amp, from);
            if (at < 0) {
                result.literal = true;
                return result;
            }
            result.text.remove(at, 1);
            from = at + 1;
        }
    }
    const qsizetype marker = result.text.indexOf(amp);
    if (marker + 1 >= result.text.size()) {
        result.literal = true;
        return result;
    }
    result.accessKey = result.text.at(marker + 1).toUpper().unicode();
    return result;
}

} // namespace ostrevo
