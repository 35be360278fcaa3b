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

QString GermanLocale::megabytes(qint64 bytes, Round round)
{
    // In tenths of a MB, so the figure shown is rounded once.
    constexpr qint64 MB = qint64(1) << 20;
    qint64 tenths = 0;
    if (bytes > 0) {
        const qint64 rest = bytes % MB * 10;
        tenths = bytes / MB * 10 + rest / MB + (round == Round::Up && rest % MB != 0 ? 1 : 0);
    }
    return locale().toString(double(tenths) / 10, 'f', 1) + QStringLiteral(" MB");
}

} // namespace rt
