#pragma once
#include "fitcalc.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <functional>

namespace fits {

// The tolerance-zone picture of a fit, as geometry: the zero line at the basic size, the hole
// and the shaft zone as bars to one vertical scale, their deviations beside them and their
// names above them. The window paints it; tests check it without painting.
struct ZonePictureInput {
    ZoneLimits hole, shaft;
    QString holeName, shaftName; // "H7", "g6"
};

// What the painter needs to know of its font.
struct TextMeasure {
    std::function<double(const QString &)> width;
    double height = 0; // of one line
};

struct PictureText {
    enum Role { Sign, HoleDeviation, ShaftDeviation, ZoneName };
    Role role;
    QString text;
    QRectF rect; // the text is drawn centred in it
};

struct ZonePictureLayout {
    bool isEmpty() const { return bars.isEmpty(); }

    double zeroY = 0;     // the zero line, from zeroLeft to zeroRight
    double zeroLeft = 0;
    double zeroRight = 0;
    double pixelsPerMicrometre = 0;
    QRectF holeBar, shaftBar;
    QList<QRectF> bars; // holeBar and shaftBar, for painting in order
    QList<PictureText> texts;
};

// Lays the picture out in area. Empty unless both zones are computed, or when the area is too
// small for a bar. Texts are left out where they would not fit, never drawn over each other.
ZonePictureLayout layoutZonePicture(const QRectF &area, const ZonePictureInput &input, const TextMeasure &measure);

} // namespace fits
