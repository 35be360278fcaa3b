#include "platform/shell/ObjectPropertiesDialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>

namespace shell
{

namespace
{

QString dateText(const QDateTime &when)
{
    return when.isValid()
               ? QLocale(QLocale::German).toString(when, QStringLiteral("dddd, d. MMMM yyyy, HH:mm:ss"))
               : QStringLiteral("unbekannt");
}

// The nine permission letters as ls shows them, for owner, group and others.
QString permissionText(QFileDevice::Permissions p)
{
    const std::pair<QFileDevice::Permission, char> bits[] = {
        {QFileDevice::ReadOwner, 'r'}, {QFileDevice::WriteOwner, 'w'}, {QFileDevice::ExeOwner, 'x'},
        {QFileDevice::ReadGroup, 'r'}, {QFileDevice::WriteGroup, 'w'}, {QFileDevice::ExeGroup, 'x'},
        {QFileDevice::ReadOther, 'r'}, {QFileDevice::WriteOther, 'w'}, {QFileDevice::ExeOther, 'x'}};
    QString text;
    for (const auto &[bit, letter] : bits)
        text += p.testFlag(bit) ? QChar::fromLatin1(letter) : u'-';
    return text;
}

} // namespace

ObjectPropertiesDialog::ObjectPropertiesDialog(QWidget *owner, const QString &path) : QDialog(owner)
{
    setWindowModality(Qt::ApplicationModal);
    const QFileInfo info(path);
    const QString name = info.fileName().isEmpty() ? info.absoluteFilePath() : info.fileName();
    setWindowTitle(QStringLiteral("Eigenschaften von %1").arg(name));
    const QLocale german(QLocale::German);
    QString kind = QStringLiteral("Ordner");
    QString size;
    if (!info.isDir()) {
        kind = QMimeDatabase().mimeTypeForFile(info).comment();
        if (kind.isEmpty())
            kind = QStringLiteral("Datei");
        size = QStringLiteral("%1 Bytes").arg(german.toString(info.size()));
    }
    auto *form = new QFormLayout(this);
    const auto row = [&](const QString &label, const QString &value) {
        auto *text = new QLabel(value, this);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(label, text);
    };
    row(QStringLiteral("Name:"), name);
    row(QStringLiteral("Typ:"), kind);
    row(QStringLiteral("Ort:"), info.absolutePath());
    if (!info.isDir())
        row(QStringLiteral("Größe:"), size);
    row(QStringLiteral("Erstellt:"), dateText(info.birthTime()));
    row(QStringLiteral("Geändert:"), dateText(info.lastModified()));
    row(QStringLiteral("Letzter Zugriff:"), dateText(info.lastRead()));
    row(QStringLiteral("Berechtigungen:"),
        QStringLiteral("%1 (Besitzer %2, Gruppe %3)")
            .arg(permissionText(info.permissions()), info.owner(), info.group()));
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    form->addRow(buttons);
}

} // namespace shell
