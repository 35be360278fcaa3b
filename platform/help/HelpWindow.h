#pragma once

#include "platform/help/HelpBrowser.h"
#include "platform/help/HelpFile.h"

#include <QWidget>
#include <memory>

class QTreeWidget;
class QTreeWidgetItem;

namespace help
{

// The window that shows a help file: its table of contents on the left, the
// page on the right. Links between pages and the contents both navigate; the
// contents follow the page shown.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(std::unique_ptr<HelpFile> file);
    ~HelpWindow() override;

    const HelpFile &file() const { return *m_file; }
    // Shows another file from its start page.
    void setFile(std::unique_ptr<HelpFile> file);
    // False, showing nothing new, for a page the file does not hold.
    bool showPage(const QString &page);
    void showStart() { showPage(m_file->startPage()); }
    // The page on show; empty when none is.
    QString currentPage() const;

    QTreeWidget *contentsTree() const { return m_tree; }
    QTextBrowser *browser() const { return m_browser; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fillContents();
    void followPage(const QUrl &url);
    QTreeWidgetItem *itemFor(const QString &page) const;

    std::unique_ptr<HelpFile> m_file;
    QTreeWidget *m_tree = nullptr;
    HelpBrowser *m_browser = nullptr;
};

} // namespace help
