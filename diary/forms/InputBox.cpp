#include "diary/forms/InputBox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>

namespace kalvento
{

namespace
{
constexpr int TitleBarButtons = 120; // pixels the title bar keeps for its icon and buttons
}

QString InputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("InputBox"));
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    // Wide enough that the window system's title bar shows the whole title
    // beside its buttons (it draws the title in bold). The dialog's layout
    // sizes it from its field, so the field is made that wide.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    if (auto *field = box.findChild<QLineEdit *>())
        field->setMinimumWidth(QFontMetrics(titleFont).horizontalAdvance(title) + TitleBarButtons);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

} // namespace kalvento
