#pragma once

#include "platform/help/HelpBrowser.h"
#include "platform/help/HelpFile.h"

#include <QFrame>
#include <memory>

namespace help
{

// One topic in a small window beside the mouse, as a program asks for help on
// a single item: a click elsewhere or Escape closes it.
class HelpPopup : public QFrame
{
    Q_OBJECT
public:
    HelpPopup(std::unique_ptr<HelpFile> file, const QString &page);

    HelpBrowser *browser() const { return m_browser; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::unique_ptr<HelpFile> m_file;
    HelpBrowser *m_browser = nullptr;
};

} // namespace help
