#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace testsupport
{

// One text a window shows, with the room its widget gives it. Widths and
// heights in pixels, measured with the font the widget draws the text in.
struct VisibleText {
    QString where; // the widget's object names from the window down, "/"-joined
    QString text;
    int neededWidth = 0;
    int availableWidth = 0;
    int neededHeight = 0;
    int availableHeight = 0;
    bool fits() const { return neededWidth <= availableWidth && neededHeight <= availableHeight; }
    // "where: "text" needs W x H, has W x H"
    QString describe() const;
};

// Every caption, label, button, field, list and one-line rich-text text that
// is visible in the window: Qt widgets measured against their contents
// rectangles (word-wrapped labels by their wrapped height), the library's
// controls that draw their own caption against their own font and area.
QList<VisibleText> visibleTexts(QWidget *window);

// The descriptions of those texts that do not fit.
QStringList clippedTexts(QWidget *window);

} // namespace testsupport
