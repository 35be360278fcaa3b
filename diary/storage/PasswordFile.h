#pragma once

#include <QString>
#include <optional>

namespace kalvento
{

// The start password's file in the program folder: one CR LF line holding
// the scrambled password, or an empty line when none is set.
class PasswordFile
{
public:
    static QString path();

    // All lines joined without separators; a missing file is first created
    // with one empty line. No value when the file cannot be made or read.
    static std::optional<QString> read();

    // Replaces the file with one line. False when nothing was written.
    static bool write(const QString &line);

    // The German notices for a file that cannot be used; the caller ends.
    static QString unusableText();
    static QString damagedText();
};

} // namespace kalvento
