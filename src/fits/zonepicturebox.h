#pragma once
#include "zonepicture.h"

#include <QWidget>

// Paints the tolerance-zone picture of the last computed fit in the window's palette and font,
// laid out anew for the size it has at every paint.
class ZonePictureBox : public QWidget {
    Q_OBJECT
public:
    explicit ZonePictureBox(QWidget *parent = nullptr);

    // The zones to draw; a zone not computed leaves the picture empty.
    void setZones(const fits::ZonePictureInput &zones);
    void clear();

    // The layout the last paint drew (empty before the first paint and after clear()).
    const fits::ZonePictureLayout &painted() const { return m_painted; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    fits::ZonePictureInput m_zones;
    fits::ZonePictureLayout m_painted;
};
