#include "platform/shell/EndSessionDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell
{

EndSessionDialog::EndSessionDialog(QWidget *owner) : QDialog(owner), m_choice(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Sitzung beenden"));
    setWindowModality(Qt::ApplicationModal);
    m_choice->addItem(QStringLiteral("Abmelden"), int(session::Ending::LogOff));
    m_choice->addItem(QStringLiteral("Neu starten"), int(session::Ending::Reboot));
    m_choice->addItem(QStringLiteral("Herunterfahren"), int(session::Ending::PowerOff));
    m_choice->setCurrentIndex(2);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Was soll der Computer tun?"), this));
    layout->addWidget(m_choice);
    layout->addWidget(buttons);
}

session::Ending EndSessionDialog::ending() const
{
    return session::Ending(m_choice->currentData().toInt());
}

} // namespace shell
