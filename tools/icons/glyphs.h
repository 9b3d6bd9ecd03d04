#ifndef KANVIO_TOOLS_ICONS_GLYPHS_H
#define KANVIO_TOOLS_ICONS_GLYPHS_H

class QPainter;

// Glyphs the icon theme lacks, drawn on the theme's 16 x 16 grid with its
// 2-unit strokes so they sit well beside the theme's own symbols. Each draws
// in the painter's current brush colour; the caller scales the painter.

void paintSatelliteDish(QPainter &painter);
void paintAnalogTv(QPainter &painter);
void paintCablePlug(QPainter &painter);
void paintTable(QPainter &painter);

#endif
