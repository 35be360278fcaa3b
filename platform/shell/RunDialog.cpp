#include "platform/shell/RunDialog.h"

#include "platform/comdlg/DialogBackend.h"
#include "platform/shell/Shell.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QProcess>

namespace shell
{

namespace
{

// What was last started, offered again as the default entry.
QString &lastCommand()
{
    static QString command;
    return command;
}

} // namespace

RunDialog::RunDialog(QWidget *owner, const RunRequest &request)
    : QDialog(owner), m_options(request.plain ? 0 : request.options), m_command(new QComboBox(this)),
      m_prompt(new QLabel(this)), m_browse(new QPushButton(QStringLiteral("Durchsuchen..."), this))
{
    setWindowModality(Qt::ApplicationModal);
    const QString title = request.plain ? QString() : QString(request.title).remove(QChar(0));
    const QString prompt = request.plain ? QString() : QString(request.prompt).remove(QChar(0));
    setWindowTitle(title.isEmpty() ? QStringLiteral("Ausführen") : title);
    m_prompt->setText(prompt.isEmpty()
                          ? QStringLiteral("Geben Sie den Namen eines Programms, Ordners, Dokuments "
                                           "oder einer Internetressource an.")
                          : prompt);
    m_prompt->setWordWrap(true);
    m_command->setEditable(true);
    m_command->setObjectName(QStringLiteral("command"));
    if (!(m_options & RunNoDefault) && !lastCommand().isEmpty())
        m_command->setEditText(lastCommand());
    auto *icon = new QLabel(this);
    if (!request.plain && !request.icon.isNull())
        icon->setPixmap(QPixmap::fromImage(request.icon.scaled(32, 32, Qt::KeepAspectRatio)));
    auto *label = new QLabel(QStringLiteral("Ö&ffnen:"), this);
    label->setBuddy(m_command);
    if (m_options & RunNoLabel)
        label->hide();
    connect(m_browse, &QPushButton::clicked, this, &RunDialog::browse);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    buttons->addButton(m_browse, QDialogButtonBox::ActionRole);
    // After adding: the box shows every button it takes.
    m_browse->setVisible(!(m_options & RunNoBrowse));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addWidget(m_prompt, 0, 1, 1, 2);
    layout->addWidget(label, 1, 0);
    layout->addWidget(m_command, 1, 1, 1, 2);
    layout->addWidget(buttons, 2, 0, 1, 3);
    setMinimumWidth(380);
}

QString RunDialog::command() const
{
    return m_command->currentText().trimmed();
}

void RunDialog::browse()
{
    const std::optional<QString> file = rt::ServiceSlot<comdlg::DialogBackend>::current().openFile(
        this, QStringLiteral("Durchsuchen"), QStringLiteral("Alle Dateien|*"), 1, QString(), 0);
    if (file)
        m_command->setEditText(*file);
}

bool RunDialog::start()
{
    const QString text = command();
    if (text.isEmpty())
        return true; // nothing asked for, nothing failed
    const QStringList words = QProcess::splitCommand(text);
    if (words.isEmpty())
        return true;
    const QString program = words.constFirst();
    // The parameters as typed: everything after the program's (maybe quoted) name.
    const qsizetype end = text.startsWith(u'"') ? text.indexOf(u'"', 1) : text.indexOf(u' ');
    const QString parameters = end < 0 ? QString() : text.mid(end + 1).trimmed();
    const QString directory = m_options & RunCalcDirectory && QFileInfo(program).isAbsolute()
                                  ? QFileInfo(program).absolutePath()
                                  : QString();
    if (rt::ServiceSlot<Shell>::current().execute(QStringLiteral("open"), program, parameters, directory,
                                                  1) <= 32)
        return false;
    lastCommand() = text;
    return true;
}

} // namespace shell
