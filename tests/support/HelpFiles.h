#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

namespace testsupport
{

// The diary's help file as the build packs it beside the program.
QString builtHelpPath();

// The built help file changed by SQL, as someone with SQLite at hand would;
// empty when the SQL fails.
QByteArray alteredHelpFile(const QString &sql);

// The built help file with these names added or replaced; empty on failure.
QByteArray helpFileWith(const QMap<QString, QByteArray> &pages);

// A PNG of one colour, 24 bits a pixel (32 with `alpha`): a few kilobytes
// however many pixels.
QByteArray plainPng(int width, int height, bool alpha = false);

// A help page made to overwhelm a page view, with what it names in the help
// file beside it (its own table of contents, too). Each starts with the text
// "Vorher"; `shows` is a text the window shows besides, on the page or in
// its contents.
struct HostilePage {
    const char *name;
    QByteArray html;
    QMap<QString, QByteArray> files;
    const char *shows = "Vorher";
};
// The hostile pages, each naming `outside` (a path nothing may open) where
// it names anything outside the help file.
QList<HostilePage> hostileHelpPages(const QString &outside);

} // namespace testsupport
