// The test container: drives any registered control from standard input.
#include "platform/com/AutomationScript.h"
#include "platform/runtime/Application.h"

#include <QTextStream>
#include <cstdio>

int main(int argc, char **argv)
{
    rt::Application app(argc, argv);
    com::AutomationScript script;
    QTextStream in(stdin);
    QTextStream out(stdout);
    QString line;
    while (in.readLineInto(&line)) {
        for (const QString &printed : script.execute(line))
            out << printed << '\n';
        out.flush();
    }
    return 0;
}
