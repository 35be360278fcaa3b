#include "controls/foundation/frmAbout.h"

#include "controls/foundation/AboutContent.h"

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

void ShowAboutBox()
{
    QPointer<frmAbout> about = rt::Form::create<frmAbout>();
    about->load();
    about->showModal();
    if (about)
        about->unload();
}

} // namespace ostrevo
