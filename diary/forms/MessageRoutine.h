#pragma once

#include <QString>

namespace com
{
class AutomationObject;
}

namespace kalvento
{

// Asks or tells the user through a window's hidden Dialog control and
// returns the pressed button's code as decimal text ("6" yes, "7" no).
QString ShowMessage(com::AutomationObject &dialog1, const QString &prompt, const QString &flags,
                    const QString &title);

// The main window's variant: no pointer, captions "Okay", "Abbrechen", "Hilfe".
QString ShowMessage2(com::AutomationObject &dialog1, const QString &prompt, const QString &flags,
                     const QString &title);

// A balloon's text never wraps and the balloon opens beside the pointer, so a
// line may take at most about half a small screen: this many characters.
constexpr qsizetype MessageLineChars = 60;

// The text with each line broken at blanks into lines of at most maxChars; a
// word longer than that (a path) is broken after a "/" where it has one, else
// at the limit. Lines end with CR LF, as the messages write them.
QString brokenIntoLines(const QString &text, qsizetype maxChars = MessageLineChars);
// A path in lines of at most maxChars, broken only after a "/" (blanks are
// part of its names), or at the limit in a name longer than a line.
QString brokenPath(const QString &path, qsizetype maxChars = MessageLineChars);

} // namespace kalvento
