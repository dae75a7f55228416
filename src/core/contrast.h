#pragma once
#include <QColor>
#include <QPalette>

#include <functional>

class QAbstractItemView;
class QWidget;

// Colours that stay readable whatever the palette: a wanted colour (the blue of a title, the red
// of the selected node) moved just as far towards dark or light as it takes to stand out from
// its background.
namespace core {

// The contrast ratio of two colours as WCAG defines it, 1 to 21.
double contrastRatio(const QColor &a, const QColor &b);

// The colour nearest to `wanted` in lightness, of the same hue, whose ratio against background
// is at least minRatio (black or white when none of the hue reaches it).
QColor readableOn(const QColor &wanted, const QColor &background, double minRatio = 4.5);

// Keeps a widget's text role (WindowText, or Text for views) `wanted`, made readable on the
// widget's background role, also after the application's palette changes. With a background
// colour given, against that colour instead.
void keepReadable(QWidget *widget, const QColor &wanted, QPalette::ColorRole textRole = QPalette::WindowText,
                  const QColor &background = QColor());

// Runs apply now and again whenever the application's palette changes (a dark theme switched on).
void followPalette(QWidget *widget, std::function<void()> apply);

// Draws the selected items of a view in `wanted` (made readable) on a light band of the palette's
// selection colour, also after the application's palette changes.
void keepSelectionReadable(QAbstractItemView *view, const QColor &wanted);

} // namespace core
