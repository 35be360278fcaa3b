#pragma once

#include <QTextBrowser>

namespace help
{

class HelpFile;

// The page view of the help window: it takes every page, style sheet and
// picture from the open help file and nothing from the disk or the net.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget *parent = nullptr);

    // The file the pages come from; the caller keeps it alive while set.
    void setFile(const HelpFile *file) { m_file = file; }
    QVariant loadResource(int type, const QUrl &name) override;

protected:
    // A link to anything the file does not hold leaves the page as it is.
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    // The file's name for an address; empty when the file holds nothing by it.
    QString nameIn(const QUrl &name) const;

    const HelpFile *m_file = nullptr;
};

} // namespace help
