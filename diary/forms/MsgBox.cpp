#include "diary/forms/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kalvento
{

namespace
{

constexpr int YesNo = 4;
constexpr int SecondDefault = 256;

QMessageBox::Icon iconOf(int flags)
{
    switch (flags & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int MsgBox(const QString &prompt, int flags, const QString &title)
{
    QMessageBox box(iconOf(flags), title, QString(prompt).replace(QLatin1Char('\r'), QLatin1Char('\n')),
                    QMessageBox::NoButton, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MsgBox"));
    if ((flags & 7) == YesNo) {
        QPushButton *yes = box.addButton(QMessageBox::Yes);
        QPushButton *no = box.addButton(QMessageBox::No);
        box.setDefaultButton((flags & SecondDefault) ? no : yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? 6 : 7;
    }
    box.addButton(QMessageBox::Ok);
    box.exec();
    return 1;
}

} // namespace kalvento
