#include "platform/runtime/GermanLocale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>
#include <memory>

namespace rt
{

QLocale GermanLocale::locale()
{
    return QLocale(QLocale::German, QLocale::Germany);
}

bool GermanLocale::install()
{
    QLocale::setDefault(locale());
    // Lives as long as the program; installed once however often we are called.
    static QPointer<QTranslator> translator;
    if (translator)
        return true;
    auto loaded = std::make_unique<QTranslator>(QCoreApplication::instance());
    if (!loaded->load(locale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    translator = loaded.release(); // owned by the application object from here on
    QCoreApplication::installTranslator(translator);
    return true;
}

QString GermanLocale::longDate(const QDate &day)
{
    return locale().toString(day, QStringLiteral("dddd, d. MMMM yyyy"));
}

QString GermanLocale::shortDate(const QDate &day)
{
    return locale().toString(day, QStringLiteral("dd.MM.yyyy"));
}

} // namespace rt
