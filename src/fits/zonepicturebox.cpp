#include "zonepicturebox.h"

#include <QPainter>

ZonePictureBox::ZonePictureBox(QWidget *parent) : QWidget(parent) {}

void ZonePictureBox::setZones(const fits::ZonePictureInput &zones)
{
    m_zones = zones;
    update();
}

void ZonePictureBox::clear()
{
    setZones({});
    m_painted = {};
}

void ZonePictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QFontMetricsF metrics(font());
    const fits::TextMeasure measure{[&metrics](const QString &text) { return metrics.horizontalAdvance(text); }, metrics.height()};
    m_painted = fits::layoutZonePicture(QRectF(rect()).adjusted(2, 2, -2, -2), m_zones, measure);
    if (m_painted.isEmpty())
        return;

    // Palette colours only, so the picture reads under a dark palette as under a light one; the
    // two zones differ in hatching as well as in colour.
    const QColor text = palette().color(QPalette::WindowText);
    const QColor holeColour = palette().color(QPalette::Highlight);
    const QColor shaftColour = palette().color(QPalette::Link);
    p.setRenderHint(QPainter::Antialiasing);
    const auto drawBar = [&p](const QRectF &bar, QColor colour, Qt::BrushStyle hatch) {
        QColor fill = colour;
        fill.setAlpha(70);
        p.fillRect(bar, fill);
        p.fillRect(bar, QBrush(colour, hatch));
        p.setPen(QPen(colour, 1.5));
        p.drawRect(bar);
    };
    drawBar(m_painted.holeBar, holeColour, Qt::BDiagPattern);
    drawBar(m_painted.shaftBar, shaftColour, Qt::FDiagPattern);

    p.setPen(QPen(text, 1));
    p.drawLine(QPointF(m_painted.zeroLeft, m_painted.zeroY), QPointF(m_painted.zeroRight, m_painted.zeroY));
    // Each text on the window's own background, so the zero line never runs through it.
    const QColor background = palette().color(QPalette::Window);
    for (const fits::PictureText &t : m_painted.texts) {
        p.fillRect(t.rect, background);
        p.drawText(t.rect, Qt::AlignCenter, t.text);
    }
}
