#ifndef KANVIO_TOOLS_ICONS_DESKTOP_ICONS_H
#define KANVIO_TOOLS_ICONS_DESKTOP_ICONS_H

#include <QImage>
#include <QString>

#include <functional>

class QDir;
class QPainter;

// The icons the desktop shows for the program and its files, drawn as
// vectors on a 64-unit grid so that each can be written at every size an
// icon theme asks for, and as SVG. tvSymbol is the icon theme's "tv" symbol.

using VectorIcon = std::function<void(QPainter &)>;

VectorIcon applicationIcon(const QString &tvSymbol);
QImage iconImage(const VectorIcon &icon, int size);

// Writes the application icon and the two file type icons into the hicolor
// folder under resources, at every size and as SVG. false when a file cannot
// be written (reported).
bool writeDesktopIcons(const QDir &resources, const QString &tvSymbol);

#endif
