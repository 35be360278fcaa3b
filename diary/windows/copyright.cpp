#include "diary/windows/copyright.h"

#include "diary/outsidecontrols/CommandButton.h"
#include "platform/com/FormHosting.h"
#include "platform/kernel/OsRelease.h"
#include "platform/runtime/App.h"
#include "platform/runtime/Twips.h"

#include <QLabel>

namespace kalvento
{

namespace
{
const QRect TitleRect(120, 120, 6000, 600);
const QRect VersionRect(120, 780, 6000, 300);
const QRect SystemHeadRect(120, 1200, 6000, 300);
const QRect SystemRect(120, 1500, 6000, 300);
const QRect DesignHeadRect(120, 2040, 2640, 300);
const QRect DesignRect(2880, 2040, 3240, 300);
const QRect SupportHeadRect(120, 2400, 2640, 300);
const QRect SupportRect(2880, 2400, 3240, 300);
const QRect WebHeadRect(120, 2760, 2640, 300);
const QRect WebRect(2880, 2760, 3240, 300);
const QRect Command1Rect(4440, 3240, 1680, 420);
const QSize FormSize(6240, 3840);

// The contact block: what each line says, and where its link leads.
struct Contact {
    const char *name;
    const char *head;
    const char *caption;
    const char *url;
    const char *toolTip;
    QRect headRect, linkRect;
};
const std::array<Contact, 3> Contacts{{
    {"Hyperlink1", "Design und Entwicklung:", "Kalvento-Team", "https://www.zorvelin.example/team",
     "Die Seite des Kalvento-Teams im Browser öffnen", DesignHeadRect, DesignRect},
    {"Hyperlink2", "Support (eMail):", "support@zorvelin.example", "mailto:support@zorvelin.example",
     "Eine E-Mail an den Support schreiben", SupportHeadRect, SupportRect},
    {"Hyperlink3", "Sie erreichen uns im Internet:", "www.zorvelin.example", "https://www.zorvelin.example",
     "Unsere Internetseite im Browser öffnen", WebHeadRect, WebRect},
}};

QString systemName(const kernel::VersionRecord &record)
{
    switch (record.platformId) {
    case 0:
        return QStringLiteral("Windows 16bit mit 32bit-Erweiterung");
    case 1:
        switch (record.minorVersion) {
        case 0:
            return QStringLiteral("Windows 95");
        case 10:
            return QStringLiteral("Windows 98");
        case 90:
            return QStringLiteral("Windows ME");
        default:
            return QStringLiteral("Windows (unbekannt)");
        }
    case 2: {
        QString name = QStringLiteral("Windows NT");
        if (record.majorVersion == 5 && record.minorVersion == 0)
            name += QStringLiteral("5.0 (Win2000)");
        else if (record.majorVersion == 5 && record.minorVersion == 1)
            name += QStringLiteral("5.1 (WinXP)");
        else if (record.majorVersion == 6 && record.minorVersion == 0)
            name += QStringLiteral("( Windows Vista )");
        else if (record.majorVersion == 6 && record.minorVersion == 1)
            name += QStringLiteral("6.1 ( Windows 7 )");
        return name;
    }
    default:
        return QStringLiteral("Betriebssystem unbekannt");
    }
}
} // namespace

copyright::copyright()
{
    setObjectName(QStringLiteral("copyright"));
    setWindowTitle(QStringLiteral("Copyright"));
    auto place = [this](QWidget *widget, const QString &name, const QRect &twips) {
        widget->setParent(this);
        widget->setObjectName(name);
        placeControl(widget, name, twips);
    };
    m_label3D1 = com::addControl(*this, QStringLiteral("Quiv_Tools.Label3D"), QStringLiteral("Label3D1"),
                                 TitleRect, nullptr, QStringLiteral("Caption = \"Zorvelin Professional\""));
    m_label1 = new QLabel;
    place(m_label1, QStringLiteral("Label1"), VersionRect);
    place(new QLabel(QStringLiteral("Folgendes Betriebssystem wurde erkannt:")), QStringLiteral("Label2"),
          SystemHeadRect);
    m_windowsversion = new QLabel;
    place(m_windowsversion, QStringLiteral("windowsversion"), SystemRect);
    int head = 3;
    for (const Contact &contact : Contacts) {
        place(new QLabel(QString::fromUtf8(contact.head)), QStringLiteral("Label%1").arg(head++),
              contact.headRect);
        m_links << com::addControl(
            *this, QStringLiteral("Quiv_Tools.Hyperlink"), QString::fromLatin1(contact.name),
            contact.linkRect, nullptr,
            // Dark red under the cursor: readable on the grey face, and unlike the blue link.
            QStringLiteral("Caption = \"%1\"\nUrl = \"%2\"\nToolTipTxt = \"%3\"\nHoverColor = &H80")
                .arg(QString::fromUtf8(contact.caption), QString::fromUtf8(contact.url),
                     QString::fromUtf8(contact.toolTip)));
    }
    // The heading only shows and the links open by the mouse alone: Tab passes
    // them by, as they would take the focus without showing it.
    m_label3D1->setFocusPolicy(Qt::NoFocus);
    for (const QPointer<com::Control> &link : std::as_const(m_links))
        link->setFocusPolicy(Qt::NoFocus);
    m_command1 = new CommandButton(QStringLiteral("&Okay"));
    place(m_command1, QStringLiteral("Command1"), Command1Rect);
    connect(m_command1, &QPushButton::clicked, this, &copyright::Command1_Click);
    // Return, Escape and, with the focus starting on it, Space close the box.
    setDefaultButton(m_command1);
    setCancelButton(m_command1);
    m_command1->setFocus();
    resize(rt::Twips::toPixelsX(FormSize.width()), rt::Twips::toPixelsY(FormSize.height()));
}

copyright::~copyright() = default;

QList<com::Control *> copyright::links() const
{
    QList<com::Control *> result;
    for (const QPointer<com::Control> &link : m_links)
        result << link.data();
    return result;
}

QString copyright::systemText(const kernel::VersionRecord &record)
{
    // The field is fixed-size and NUL-padded; only its non-empty parts count.
    QString servicePack;
    for (const QString &part : record.servicePack.split(QChar(u'\0'), Qt::SkipEmptyParts))
        servicePack += part + QLatin1Char(' ');
    return systemName(record) + QStringLiteral(" ( Version ") + QString::number(record.majorVersion) +
           QLatin1Char('.') + QString::number(record.minorVersion) + QStringLiteral(", ") + servicePack +
           QLatin1Char(')');
}

void copyright::onLoad()
{
    m_label3D1->let(QStringLiteral("BackColorL"), com::Variant::fromColor(0xFFFFFF));
    m_label1->setText(QStringLiteral("Version %1.%2.%3")
                          .arg(rt::App::major())
                          .arg(rt::App::minor())
                          .arg(rt::App::revision()));
    // The fixed record the controls rely on is no system this runs on: the
    // running system's own name stands there unless a record was installed.
    const std::optional<kernel::VersionRecord> record = kernel::installedPlatformVersion();
    m_windowsversion->setText(record ? systemText(*record) : kernel::systemName());
}

void copyright::Command1_Click()
{
    unload();
}

} // namespace kalvento
