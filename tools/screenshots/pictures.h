#ifndef KANVIO_TOOLS_SCREENSHOTS_PICTURES_H
#define KANVIO_TOOLS_SCREENSHOTS_PICTURES_H

#include <QPixmap>

#include <vector>

class Workspace;

// One picture of the documentation: its file is docs/NAME.png.
struct Picture {
    const char *name;
    QPixmap (*draw)(const Workspace &workspace);  // a null pixmap when drawing failed
};

// Every picture, in the order they are made.
const std::vector<Picture> &pictures();

#endif
