#pragma once

#include "platform/runtime/Form.h"

#include <QPointer>
#include <QString>
#include <array>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;

namespace com
{
class AutomationObject;
class Control;
class EventHandlers;
} // namespace com

namespace kalvento
{

class clsDownload;

// The online-update window: asks the update server for the description of its newest version,
// compares it with the running program's, downloads the new program into a folder with its
// progress, renames it after the running version and offers to start it.
class nuvreldate1 : public rt::Form
{
    Q_OBJECT
public:
    // Where the description lies below the update server.
    static const QString DescriptionPath;
    static const QString DefaultUpdateServer;
    static const QString WebSite;

    // updateServer: scheme and host (and port) the description is fetched from.
    explicit nuvreldate1(QString updateServer = DefaultUpdateServer);
    ~nuvreldate1() override;

    // Text(1) to Text(5): lines 1 to 5 of the description.
    QLabel *Text(int line) const;
    QLabel *Label9() const { return m_label9; }
    QLineEdit *txtFolder() const { return m_txtFolder; }
    QLineEdit *txturl() const { return m_txturl; }
    // The control arrays by their indices: lblInfo 0, 1, 5; lblStatus 0, 1, 5 and 6 (the status line).
    QLabel *lblInfo(int index) const;
    QLabel *lblStatus(int index) const;
    com::Control *PRB() const { return m_prb; }
    com::Control *Command1() const { return m_command1; }
    com::Control *Command2() const { return m_command2; }
    com::Control *Command4() const { return m_command4; }
    com::Control *Command5() const { return m_command5; }
    com::AutomationObject &Dialog1() const;
    clsDownload *dl() const { return m_dl.get(); }

    // The running program's version, "2.5.0".
    QString runningVersion() const { return m_version; }

    // The window's message routine: the pressed button's code as text ("6" yes).
    QString ShowMessage(const QString &prompt, const QString &flags, const QString &title);

    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void Command5_Click();
    void Label9_Click();
    void dl_Update();

protected:
    void onLoad() override;
    void onUnload(bool &cancel) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // After the download: true when program is there complete, else the reason is shown.
    bool completedDownload(const QString &program);
    void offerToStart(const QString &program);
    void setStatus(const QString &text);
    void showDownloadInfo(bool visible);

    QString m_updateServer;
    QString m_version;
    std::unique_ptr<clsDownload> m_dl;
    // Set while Command4_Click waits in Download: closing must wait for it to return.
    bool m_downloading = false;
    bool m_closeWhenDownloadEnds = false;
    // Owned by a child made after every control, so none outlives the handlers it calls.
    com::EventHandlers *m_handlers = nullptr;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);

    std::array<QLabel *, 5> m_text{};
    QLabel *m_label9 = nullptr;
    QLineEdit *m_txtFolder = nullptr;
    QLineEdit *m_txturl = nullptr;
    std::array<QLabel *, 3> m_lblInfo{};
    std::array<QLabel *, 4> m_lblStatus{};
    QPointer<com::Control> m_prb;
    QPointer<com::Control> m_command1;
    QPointer<com::Control> m_command2;
    QPointer<com::Control> m_command4;
    QPointer<com::Control> m_command5;
    QPointer<com::Control> m_dialog1;
};

} // namespace kalvento
