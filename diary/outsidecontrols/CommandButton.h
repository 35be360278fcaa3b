#pragma once

#include <QPushButton>

namespace kalvento
{

// The outside command button of the diary's forms, with the members the
// diary calls. "&" in a caption marks the access key, as on the platform.
class CommandButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CommandButton(const QString &caption, QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }
    bool Enabled() const { return isEnabled(); }

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kalvento
