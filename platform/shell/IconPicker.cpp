#include "platform/shell/IconPicker.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell
{

IconPicker::IconPicker(QWidget *owner, const QString &path, const QList<QImage> &icons, int index)
    : QDialog(owner), m_icons(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Anderes Symbol"));
    setWindowModality(Qt::ApplicationModal);
    m_icons->setViewMode(QListView::IconMode);
    m_icons->setIconSize(QSize(32, 32));
    m_icons->setMovement(QListView::Static);
    for (const QImage &image : icons)
        m_icons->addItem(new QListWidgetItem(QIcon(QPixmap::fromImage(image)), QString()));
    m_icons->setCurrentRow(index >= 0 && index < icons.size() ? index : 0);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    ok->setEnabled(!icons.isEmpty());
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_icons, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Symbole in der Datei „%1“:").arg(path), this));
    layout->addWidget(m_icons);
    if (icons.isEmpty())
        layout->addWidget(new QLabel(QStringLiteral("Diese Datei enthält keine Symbole."), this));
    layout->addWidget(buttons);
}

int IconPicker::chosen() const
{
    return std::max(m_icons->currentRow(), 0);
}

} // namespace shell
