#ifndef KANVIO_VIEWS_SYMBOL_IMAGES_H
#define KANVIO_VIEWS_SYMBOL_IMAGES_H

#include <QIcon>
#include <QPalette>
#include <QString>

// The built-in images, as tools/icons draws them: each comes with a twin of
// twice the pixels for high-resolution screens, and the toolbar and menu
// images draw their symbols in one ink colour, made for light backgrounds.

// The twin with twice the pixels of an image file: "name@2x.png" beside
// "name.png".
QString sharperImagePath(const QString &path);

// An icon of the image and its sharper twin (missing files are left out),
// the ink of its symbol in the palette's button text colour, every other
// colour kept: the coloured signs and marks, and how opaque each pixel is.
// Disabled, the ink takes the palette's disabled button text colour and
// the signs fade to half their opacity: the style's own dimming works from
// the brightness of the pixels and leaves light symbols light.
QIcon symbolIcon(const QString &path, const QPalette &palette);

#endif
