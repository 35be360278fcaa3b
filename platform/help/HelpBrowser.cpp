#include "platform/help/HelpBrowser.h"

#include "platform/help/HelpFile.h"

#include <QImage>

namespace help
{

HelpBrowser::HelpBrowser(QWidget *parent) : QTextBrowser(parent) {}

QString HelpBrowser::nameIn(const QUrl &name) const
{
    if (!m_file)
        return {};
    // The file's names all sit in one folder, so a relative name is one of
    // that folder whichever page asks for it.
    const QUrl url = name.isRelative() ? m_file->url(QString()).resolved(name) : name;
    const QString page = m_file->pageOf(url);
    return m_file->hasPage(page) ? page : QString();
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    const QString page = nameIn(name);
    // Nothing may come back empty: the document would then read the name
    // from the disk itself, a device such as /dev/zero without end. A
    // picture that is missing or cannot be read stands as an empty one, as
    // the image handler otherwise loads its name as a file too.
    if (type == QTextDocument::ImageResource) {
        QImage picture;
        if (!page.isEmpty())
            picture.loadFromData(m_file->content(page));
        if (picture.isNull()) {
            picture = QImage(1, 1, QImage::Format_ARGB32);
            picture.fill(Qt::transparent);
        }
        return picture;
    }
    return page.isEmpty() ? QByteArray("") : m_file->content(page);
}

void HelpBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    if (!name.isEmpty() && nameIn(name).isEmpty())
        return;
    QTextBrowser::doSetSource(name, type);
}

} // namespace help
