#pragma once

#include <QString>

#include <array>
#include <optional>

namespace kalvento
{

// The update server's description of its newest version: five lines, each ended by CR LF.
struct UpdateDescription {
    static constexpr int LineCount = 5;
    // Header, product name, version, file size text, download URL.
    std::array<QString, LineCount> lines;

    QString version() const { return lines[2]; }
    QString downloadUrl() const { return lines[4]; }

    // Only CR LF ends a line; a lone LF stays in its line. The last line may lack its CR LF, and
    // lines beyond the fifth are not read. Fewer than five lines describe nothing: every line empty.
    static UpdateDescription fromText(const QString &text);
};

// Compares two versions of decimal parts joined by "." ("2.10.0") part by part as numbers; a part
// missing at the end counts as 0. Negative, zero or positive as a is lower than, equal to or higher
// than b; nothing when either is no such version.
std::optional<int> compareVersions(const QString &a, const QString &b);

} // namespace kalvento
