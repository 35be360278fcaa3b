#include "controls/tree/MoveControls.h"

#include "platform/com/AutomationError.h"
#include "platform/com/IgnoringErrors.h"
#include "platform/runtime/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace ostrevo
{

namespace
{

// Design-time layout in twips; the buttons sit inside their frame.
const QSize PageSize(5460, 2160);
const QRect Frame1Rect(120, 60, 2175, 1965);
const QRect CmdDownRect(240, 360, 1695, 615);
const QRect CmdUpRect(240, 1170, 1695, 615);
const QRect Label1Rect(2520, 180, 2775, 1455);

} // namespace

MoveControls::MoveControls()
    : m_cmdDown(new QPushButton(QStringLiteral("Move Down"))),
      m_cmdUp(new QPushButton(QStringLiteral("Move Up"))),
      m_label1(
          new QLabel(QStringLiteral("Benutzen Sie die Aufwärts- und Abwärtstasten, um dieScrollBox nach Oben "
                                    "oder Unten zu erweitern."),
                     this))
{
    setObjectName(QStringLiteral("MoveControls"));
    setWindowTitle(QStringLiteral("MoveControls"));
    resize(rt::Twips::toPixels(PageSize));
    auto *frame = new QGroupBox(QStringLiteral("ScrollBox"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(rt::Twips::toPixels(Frame1Rect));
    auto place = [](QWidget *widget, QWidget *parent, const char *name, const QRect &twips) {
        widget->setParent(parent);
        widget->setObjectName(QString::fromLatin1(name));
        widget->setGeometry(rt::Twips::toPixels(twips));
    };
    place(m_cmdDown, frame, "cmdDown", CmdDownRect);
    place(m_cmdUp, frame, "CmdUp", CmdUpRect);
    m_label1->setWordWrap(true);
    place(m_label1, this, "Label1", Label1Rect);

    connect(m_cmdDown, &QPushButton::clicked, this, [this] { moveContents(Step); });
    connect(m_cmdUp, &QPushButton::clicked, this, [this] { moveContents(-Step); });
}

void MoveControls::describe(com::Dispatcher<MoveControls> &d)
{
    d.identity(com::TypeInfo::forClass(QStringLiteral("MoveControls"),
                                       QStringLiteral("Quiv_Tools.MoveControls"),
                                       QStringLiteral("{E505049E-B0EA-458C-AE29-DFDF9CD66D32}"),
                                       QStringLiteral("{5CA3D49D-A2E6-4CCD-A849-F65DEAE1CD12}")));
}

// Only the first selected box moves; the page never marks itself changed,
// since the move has already happened. A click must not carry an error out
// of the button, and with nothing selected there is nothing to move.
void MoveControls::moveContents(int16_t distance)
{
    if (selectedControls().empty() || !selectedControls().front())
        return;
    com::ignoringErrors([&] {
        selectedControls().front()->call(QStringLiteral("MoveControls"),
                                         {com::Variant::fromInteger(distance)});
    });
}

} // namespace ostrevo
