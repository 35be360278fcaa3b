#include "platform/runtime/FontSubstitutes.h"

#include <QApplication>
#include <QFontDatabase>

namespace rt
{

namespace
{

const QString Sans = QStringLiteral("Liberation Sans");
const QString Serif = QStringLiteral("Liberation Serif");
const QString Mono = QStringLiteral("Liberation Mono");
// Wider than the faces above, so only where those are missing.
const QString DejaVuSans = QStringLiteral("DejaVu Sans");
const QString DejaVuSerif = QStringLiteral("DejaVu Serif");
const QString DejaVuMono = QStringLiteral("DejaVu Sans Mono");
const QString FormFace = QStringLiteral("MS Sans Serif");

} // namespace

const std::vector<FontSubstitutes::Face> &FontSubstitutes::table()
{
    // The sans dialog faces are close to Arial's widths at the sizes forms
    // use them; the others are metric-compatible with their namesakes.
    static const std::vector<Face> faces{
        {QStringLiteral("MS Sans Serif"), {Sans, DejaVuSans}},
        {QStringLiteral("Microsoft Sans Serif"), {Sans, DejaVuSans}},
        {QStringLiteral("MS Shell Dlg"), {Sans, DejaVuSans}},
        {QStringLiteral("MS Shell Dlg 2"), {Sans, DejaVuSans}},
        {QStringLiteral("Tahoma"), {Sans, DejaVuSans}},
        {QStringLiteral("Verdana"), {DejaVuSans, Sans}},
        {QStringLiteral("Arial"), {Sans, DejaVuSans}},
        {QStringLiteral("Helvetica"), {Sans, DejaVuSans}},
        {QStringLiteral("MS Serif"), {Serif, DejaVuSerif}},
        {QStringLiteral("Times New Roman"), {Serif, DejaVuSerif}},
        {QStringLiteral("Times"), {Serif, DejaVuSerif}},
        {QStringLiteral("Courier New"), {Mono, DejaVuMono}},
        {QStringLiteral("Courier"), {Mono, DejaVuMono}},
    };
    return faces;
}

void FontSubstitutes::install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    for (const Face &face : table())
        QFont::insertSubstitutions(face.name, face.substitutes);
}

void FontSubstitutes::installForForms()
{
    install();
    QApplication::setFont(formFont());
}

QFont FontSubstitutes::font(const QString &face, double points)
{
    install();
    // A stored font without a face (a property bag that holds none) draws in
    // the forms' face, not in whatever the font matching falls back to.
    QFont result(face.trimmed().isEmpty() ? FormFace : face);
    if (points > 0)
        result.setPointSizeF(points);
    return result;
}

QString FontSubstitutes::drawnFace(const QString &face)
{
    const QStringList families = QFontDatabase::families();
    for (const Face &entry : table())
        if (entry.name.compare(face, Qt::CaseInsensitive) == 0) {
            for (const QString &substitute : entry.substitutes)
                if (families.contains(substitute, Qt::CaseInsensitive))
                    return substitute;
            break;
        }
    return face;
}

QFont FontSubstitutes::formFont()
{
    return font(FormFace, 8.25);
}

} // namespace rt
