#include "pictures.h"

#include "core/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

#include <cmath>

namespace content {

namespace {

QStringList tokens(const QString &line)
{
    QStringList out;
    static const QRegularExpression re(QStringLiteral(R"re("([^"]*)"|(\S+))re"));
    auto it = re.globalMatch(line);
    while (it.hasNext()) {
        const auto m = it.next();
        out << (m.capturedStart(1) >= 0 ? m.captured(1) : m.captured(2));
    }
    return out;
}

void drawHead(QPainter &p, QPointF from, QPointF to)
{
    const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double len = 7 + p.pen().widthF();
    QPolygonF head;
    head << to << QPointF(to.x() - len * std::cos(angle - 0.4), to.y() - len * std::sin(angle - 0.4))
         << QPointF(to.x() - len * std::cos(angle + 0.4), to.y() - len * std::sin(angle + 0.4));
    p.save();
    p.setBrush(p.pen().color());
    p.drawPolygon(head);
    p.restore();
}

} // namespace

QImage renderRecipe(const QString &recipe)
{
    QImage img;
    QPainter p;
    const QStringList lines = recipe.split(u'\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList t = tokens(line);
        const QString &cmd = t[0];
        auto fail = [&]() -> core::Error {
            return core::Error(QStringLiteral("picture recipe line %1 does not read: %2").arg(n + 1).arg(line));
        };
        auto num = [&](int i) {
            bool ok = false;
            const double v = i < t.size() ? t[i].toDouble(&ok) : 0;
            if (!ok)
                throw fail();
            return v;
        };
        auto points = [&](int from) {
            QPolygonF poly;
            for (int i = from; i + 1 < t.size(); i += 2)
                poly << QPointF(num(i), num(i + 1));
            return poly;
        };
        if (cmd == u"size") {
            img = QImage(int(num(1)), int(num(2)), QImage::Format_RGB32);
            img.fill(Qt::white);
            p.begin(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            p.setPen(QPen(Qt::black, 1));
            continue;
        }
        if (!p.isActive())
            throw fail();
        if (cmd == u"fill") {
            p.fillRect(img.rect(), QColor(t.value(1)));
        } else if (cmd == u"pen") {
            QPen pen(QColor(t.value(1)), num(2));
            if (t.value(3) == u"dash")
                pen.setStyle(Qt::DashLine);
            else if (t.value(3) == u"dot")
                pen.setStyle(Qt::DashDotLine);
            p.setPen(pen);
        } else if (cmd == u"brush") {
            p.setBrush(t.value(1) == u"none" ? QBrush(Qt::NoBrush) : QBrush(QColor(t.value(1))));
        } else if (cmd == u"line" || cmd == u"arrow" || cmd == u"dim") {
            const QPointF a(num(1), num(2)), b(num(3), num(4));
            p.drawLine(a, b);
            if (cmd != u"line")
                drawHead(p, a, b);
            if (cmd == u"dim")
                drawHead(p, b, a);
        } else if (cmd == u"polyline") {
            p.drawPolyline(points(1));
        } else if (cmd == u"polygon") {
            p.drawPolygon(points(1));
        } else if (cmd == u"rect") {
            p.drawRect(QRectF(num(1), num(2), num(3), num(4)));
        } else if (cmd == u"ellipse") {
            p.drawEllipse(QRectF(num(1), num(2), num(3), num(4)));
        } else if (cmd == u"arc") {
            p.drawArc(QRectF(num(1), num(2), num(3), num(4)), int(num(5) * 16), int(num(6) * 16));
        } else if (cmd == u"hatch") {
            const QRectF r(num(1), num(2), num(3), num(4));
            p.save();
            p.setClipRect(r);
            for (double x = r.left() - r.height(); x < r.right(); x += 6)
                p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
            p.restore();
        } else if (cmd == u"text" || cmd == u"ctext") {
            QFont f = p.font();
            f.setPixelSize(int(num(3)));
            p.setFont(f);
            const QString words = t.value(4);
            QPointF at(num(1), num(2));
            if (cmd == u"ctext") {
                const QFontMetricsF fm(f);
                at -= QPointF(fm.horizontalAdvance(words) / 2, -fm.ascent() / 2 + fm.descent() / 2);
            }
            p.drawText(at, words);
        } else {
            throw fail();
        }
    }
    if (!p.isActive())
        throw core::Error(QStringLiteral("picture recipe has no size"));
    p.end();
    return img;
}

void writePicture(const QString &recipePath, const QString &outPath)
{
    QFile f(recipePath);
    if (!f.open(QIODevice::ReadOnly))
        throw core::Error(QStringLiteral("Cannot read %1").arg(recipePath));
    const QImage img = renderRecipe(QString::fromUtf8(f.readAll()));
    QDir().mkpath(QFileInfo(outPath).absolutePath());
    const QString suffix = QFileInfo(outPath).suffix().toLower();
    const QString tmp = outPath + QStringLiteral(".part");
    if (!img.save(tmp, suffix == u"jpg" ? "JPG" : suffix.toUpper().toLatin1().constData(), 92))
        throw core::Error(QStringLiteral("Cannot write %1").arg(outPath));
    QFile::remove(outPath);
    QFile::rename(tmp, outPath);
}

} // namespace content
