#pragma once
#include <QImage>
#include <QString>

namespace content {

// Draws a picture from a recipe: one command per line, '#' starts a comment.
//   size W H                 canvas size (first command)
//   fill #rrggbb             background
//   pen #rrggbb WIDTH [dash] line colour and width (dash: dashed; dot: dash-dot centre line)
//   brush #rrggbb | none     fill of closed shapes
//   line x1 y1 x2 y2         polyline x1 y1 x2 y2 ...      polygon x1 y1 x2 y2 ...
//   rect x y w h             ellipse x y w h               arc x y w h startDeg spanDeg
//   arrow x1 y1 x2 y2        a line with a head at (x2, y2)
//   dim x1 y1 x2 y2          a dimension line with heads at both ends
//   hatch x y w h            45° section hatching clipped to the rectangle
//   text x y SIZE "words"    left end of the baseline at (x, y), SIZE in pixels
//   ctext x y SIZE "words"   centred on (x, y)
// Throws core::Error naming the line that does not read.
QImage renderRecipe(const QString &recipe);

// Renders recipePath into outPath; the format follows outPath's extension (bmp, jpg, png).
void writePicture(const QString &recipePath, const QString &outPath);

} // namespace content
