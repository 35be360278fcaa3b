#pragma once

class QApplication;

namespace kalvento
{

// What the program sets up before its first form: German texts and dates
// whatever the machine's locale, the forms' faces, its title and version, and
// the end of the program with its last form.
void prepareProgram(QApplication &app, int major, int minor, int revision);

} // namespace kalvento
