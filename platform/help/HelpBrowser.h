#pragma once

#include "platform/help/HelpPictures.h"

#include <QTextBrowser>

namespace help
{

class HelpFile;

// The page view of the help window: it takes every page and picture from the
// open help file and nothing from the disk or the net. The text engine gets
// each page only as HelpPage rebuilds it, and its pictures as HelpPictures
// decodes them.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget *parent = nullptr);

    // The file the pages come from; the caller keeps it alive while set.
    void setFile(const HelpFile *file);
    QVariant loadResource(int type, const QUrl &name) override;

protected:
    // A link to anything the file does not hold leaves the page as it is.
    // Every page is read as HTML, whatever its name.
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    const HelpFile *m_file = nullptr;
    HelpPictures m_pictures;
};

} // namespace help
