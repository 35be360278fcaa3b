#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>

namespace rt
{

// The Windows faces that forms, controls and stored entries name, each mapped
// to installed faces of the same or close metrics, so that texts keep the
// widths they were laid out for. A font keeps the face name it was given
// (controls and rich text hand it back and store it); only the face it is
// drawn with changes.
class FontSubstitutes
{
public:
    struct Face {
        QString name;            // as forms and entries name it
        QStringList substitutes; // installed faces, best first
    };
    // The one table of substitutes.
    static const std::vector<Face> &table();

    // Makes Qt's font matching use the table; repeated calls do nothing more.
    static void install();
    // The table installed and the forms' design font made the application's
    // default: what the program does once at start.
    static void installForForms();

    // A font of the face and size in points, the table installed first; an
    // empty face means the forms' face.
    static QFont font(const QString &face, double points);
    // The face a font of that name is drawn with: the first installed
    // substitute, or the name itself when the table has none for it.
    static QString drawnFace(const QString &face);

    // The forms' design font: "MS Sans Serif", 8.25 points.
    static QFont formFont();
};

} // namespace rt
