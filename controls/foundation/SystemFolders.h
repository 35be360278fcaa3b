#pragma once

#include <QString>

namespace ostrevo
{

// The two system folders the library reports. Either is the full path, never
// cut short, or an empty text when the system cannot tell.
class SystemFolders
{
public:
    // The folder holding the system's own libraries, without a trailing "/".
    static QString systemDirectory();
    // The user's folder for temporary files, with its trailing "/".
    static QString tempPath();
};

} // namespace ostrevo
