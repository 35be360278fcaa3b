#include "diary/program/ProgramStart.h"

#include "diary/program/ProgramEnd.h"
#include "diary/program/ProgramIdentity.h"
#include "platform/runtime/App.h"
#include "platform/runtime/FontSubstitutes.h"
#include "platform/runtime/GermanLocale.h"

#include <QApplication>

namespace kalvento
{

void prepareProgram(QApplication &app, int major, int minor, int revision)
{
    rt::GermanLocale::install();
    // The Windows faces the forms name, drawn with installed faces of close metrics.
    rt::FontSubstitutes::installForForms();
    // Closed forms only hide; the program ends with its last form instead.
    app.setQuitOnLastWindowClosed(false);
    ProgramEnd::endWithLastForm();
    rt::App::configure(programIdentity());
    rt::App::setVersion(major, minor, revision);
}

} // namespace kalvento
