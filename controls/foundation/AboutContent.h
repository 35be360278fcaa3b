#pragma once

#include <QLabel>
#include <QString>
#include <functional>

class QFrame;
class QWidget;

namespace ostrevo
{

// The link label of the about box and the info page: light blue while the
// mouse moves over it, its own colour again once it has left.
class AboutLink : public QLabel
{
    Q_OBJECT
public:
    AboutLink(const QString &address, QWidget *parent);
    std::function<void()> onClick;
    bool hovered() const { return m_hovered; }

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setForeColor(uint32_t oleColor);
    bool m_hovered = false;
};

// The address both show and open.
QString aboutAddress();

// Fills a form or page with the library's identification: product name,
// version label and the link. Controls are named as their handlers expect.
AboutLink *buildAboutContent(QWidget *host, const QString &versionText);

// Opens the address in the desktop's browser with the hourglass shown meanwhile;
// "http://" is put in front unless the text starts with exactly that.
void OpenLink(QWidget *window, const QString &address);

} // namespace ostrevo
