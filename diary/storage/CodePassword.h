#pragma once

#include <QString>

namespace kalvento
{

// The key both password windows scramble with.
inline const QString PasswordKey = QStringLiteral("LichtungRAXE");

// Scrambles a password into two upper-case hex digits per character (encode)
// or back. Character codes are Windows-1252. ok is false, and the result
// empty, when a character has no Windows-1252 code (encoding) or a digit pair
// is not hexadecimal (decoding); a trailing odd digit is ignored.
QString CodePassword(const QString &text, const QString &key, bool encode, bool *ok = nullptr);

} // namespace kalvento
