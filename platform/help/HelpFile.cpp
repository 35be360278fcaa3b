#include "platform/help/HelpFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QResource>
#include <atomic>
#include <functional>

namespace help
{

namespace
{

const QString ContentsName = QStringLiteral("contents.json");

QString invalid(const QString &what)
{
    return QStringLiteral("kein gültiges Inhaltsverzeichnis (%1)").arg(what);
}

} // namespace

std::unique_ptr<HelpFile> HelpFile::open(const QString &path, QString *error)
{
    QString reason;
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return nullptr;
    };
    if (!QFileInfo(path).isFile())
        return fail(QStringLiteral("die Datei ist nicht vorhanden"));
    // Every open file gets a root of its own, so two files (or one opened
    // twice) never shadow each other's pages.
    static std::atomic<int> next{1};
    const QString root = QStringLiteral("/kvhelp/%1").arg(next++);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!QResource::registerResource(absolute, root))
        return fail(QStringLiteral("die Datei ist keine Hilfedatei"));
    std::unique_ptr<HelpFile> file(new HelpFile(absolute, root));
    if (!file->readContents(&reason))
        return fail(reason);
    return file;
}

HelpFile::HelpFile(QString path, QString root) : m_path(std::move(path)), m_root(std::move(root)) {}

HelpFile::~HelpFile()
{
    QResource::unregisterResource(m_path, m_root);
}

bool HelpFile::hasPage(const QString &page) const
{
    return !page.isEmpty() && QFileInfo(QLatin1Char(':') + m_root + QLatin1Char('/') + page).isFile();
}

QUrl HelpFile::url(const QString &page) const
{
    QUrl url;
    url.setScheme(QStringLiteral("qrc"));
    url.setPath(m_root + QLatin1Char('/') + page);
    return url;
}

QString HelpFile::pageOf(const QUrl &url) const
{
    const QString prefix = m_root + QLatin1Char('/');
    if (url.scheme() != QLatin1String("qrc") || !url.path().startsWith(prefix))
        return {};
    return url.path().mid(prefix.size());
}

bool HelpFile::readContents(QString *error)
{
    QFile file(QLatin1Char(':') + m_root + QLatin1Char('/') + ContentsName);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("die Datei enthält kein Inhaltsverzeichnis");
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parse);
    if (!document.isObject()) {
        *error = invalid(parse.errorString());
        return false;
    }
    const QJsonObject top = document.object();
    m_title = top.value(QStringLiteral("title")).toString();
    m_start = top.value(QStringLiteral("start")).toString();
    if (!hasPage(m_start)) {
        *error = invalid(QStringLiteral("die Startseite fehlt"));
        return false;
    }
    std::function<QList<Topic>(const QJsonArray &)> topics = [&](const QJsonArray &array) {
        QList<Topic> list;
        for (const QJsonValue &value : array) {
            const QJsonObject object = value.toObject();
            list.append({object.value(QStringLiteral("title")).toString(),
                         object.value(QStringLiteral("page")).toString(),
                         topics(object.value(QStringLiteral("children")).toArray())});
        }
        return list;
    };
    m_contents = topics(top.value(QStringLiteral("contents")).toArray());
    const QJsonObject contexts = top.value(QStringLiteral("contexts")).toObject();
    for (auto it = contexts.begin(); it != contexts.end(); ++it) {
        bool ok = false;
        const int32_t context = it.key().toInt(&ok);
        if (ok)
            m_contexts.insert(context, it.value().toString());
    }
    return true;
}

} // namespace help
