#include "controls/foundation/frmAbout.h"

#include "controls/foundation/AboutContent.h"

#include <QKeyEvent>

namespace ostrevo
{

frmAbout::frmAbout()
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral(" Programminformation"));
    setSizeTwips(4380, 2200);
    m_link = buildAboutContent(this, QStringLiteral("Version  0.06.09"));
    m_link->onClick = [this] { lblButton_Click(); };
}

void frmAbout::lblButton_Click()
{
    OpenLink(this, m_link->text());
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    // The box has no button: the keys that would press one close it.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Space:
        if (!event->isAutoRepeat())
            unload();
        return;
    default:
        rt::Form::keyPressEvent(event);
    }
}

void ShowAboutBox()
{
    QPointer<frmAbout> about = rt::Form::create<frmAbout>();
    about->load();
    about->showModal();
    if (about)
        about->unload();
}

} // namespace ostrevo
