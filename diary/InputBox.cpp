#include "diary/InputBox.h"

#include <QApplication>
#include <QInputDialog>

namespace kalvento {

QString InputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("InputBox"));
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

} // namespace kalvento
