#ifndef KANVIO_TOOLS_SCREENSHOTS_PICTURES_H
#define KANVIO_TOOLS_SCREENSHOTS_PICTURES_H

#include <QPixmap>

#include <vector>

class Workspace;

// One picture of the documentation: its file is docs/NAME.png.
struct Picture {
    const char *name;
    QPixmap (*draw)(const Workspace &workspace);  // a null pixmap when drawing failed
    // Pixels per unit of the screen it is drawn on (QT_SCALE_FACTOR); a
    // process draws only the pictures of its own screen.
    int scale = 1;
};

// Every picture, in the order they are made.
const std::vector<Picture> &pictures();

#endif
