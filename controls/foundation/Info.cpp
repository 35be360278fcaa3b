#include "controls/foundation/Info.h"

#include "controls/foundation/AboutContent.h"
#include "platform/runtime/Twips.h"

namespace ostrevo
{

Info::Info()
{
    setObjectName(QStringLiteral("Info"));
    setWindowTitle(QStringLiteral("Info"));
    resize(rt::Twips::toPixels(QSize(4380, 1800)));
    m_link = buildAboutContent(this, QStringLiteral("Version  0.08.01"));
    m_link->onClick = [this] { lblButton_Click(); };
}

void Info::describe(com::Dispatcher<Info> &d)
{
    d.identity(com::TypeInfo::forClass(QStringLiteral("Info"), QStringLiteral("Quiv_Tools.Info"),
                                       QStringLiteral("{8C3E51A0-6F2B-4C11-9A55-3D0B7E21C901}")));
}

void Info::lblButton_Click()
{
    OpenLink(window(), m_link->text());
}

} // namespace ostrevo
