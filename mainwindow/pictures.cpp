#include "pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <functional>

namespace tovmir {

namespace {

constexpr int side = 21;
const QColor face(192, 192, 192), light(255, 255, 255), shadow(128, 128, 128), dark(0, 0, 0);
const QColor yellow(255, 255, 0), darkBlue(0, 0, 128);

// The raised button: a light edge above and to the left, a shadow and a dark
// edge below and to the right, the symbol drawn on the grey face.
QPixmap raised(const std::function<void(QPainter&)>& symbol) {
    QPixmap p(side, side);
    p.fill(face);
    QPainter g(&p);
    g.setPen(light);
    g.drawLine(0, 0, side - 2, 0);
    g.drawLine(0, 0, 0, side - 2);
    g.setPen(dark);
    g.drawLine(0, side - 1, side - 1, side - 1);
    g.drawLine(side - 1, 0, side - 1, side - 1);
    g.setPen(shadow);
    g.drawLine(1, side - 2, side - 2, side - 2);
    g.drawLine(side - 2, 1, side - 2, side - 2);
    g.setRenderHint(QPainter::Antialiasing);
    symbol(g);
    return p;
}

void cross(QPainter& g, const QColor& fill, QRectF box) {
    const double w = box.width() / 3, h = box.height() / 4;
    g.setPen(QPen(dark, 0.8));
    g.setBrush(fill);
    QPainterPath path;
    path.addRect(QRectF(box.left() + w, box.top(), w, box.height()));
    path.addRect(QRectF(box.left(), box.top() + h, box.width(), h));
    g.drawPath(path.simplified());
}

QPolygonF star(QPointF centre, double outer, double inner) {
    QPolygonF s;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? inner : outer;
        s << QPointF(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    }
    return s;
}

}  // namespace

QPixmap helpPicture() {
    return raised([](QPainter& g) {
        QFont f("Liberation Sans");
        f.setPixelSize(17);
        f.setBold(true);
        g.setFont(f);
        // A dark outline under the yellow mark keeps it readable on grey.
        g.setPen(dark);
        g.drawText(QRectF(1, 1, side - 2, side - 2), Qt::AlignCenter, "?");
        g.setPen(yellow);
        g.drawText(QRectF(0, 0, side - 2, side - 2), Qt::AlignCenter, "?");
    });
}

QPixmap latinPicture() {
    return raised([](QPainter& g) { cross(g, yellow, QRectF(5, 3, 10, 15)); });
}

QPixmap agePicture() {
    return raised([](QPainter& g) {
        cross(g, darkBlue, QRectF(3, 4, 8, 13));
        g.setPen(QPen(dark, 0.6));
        g.setBrush(yellow);
        g.drawPolygon(star(QPointF(14.5, 7.5), 5, 2.1));
    });
}

QPixmap notisPicture() {
    return raised([](QPainter& g) {
        g.setPen(QPen(dark, 0.7));
        // The crown on top.
        g.setBrush(yellow);
        g.drawPolygon(QPolygonF({QPointF(4, 8), QPointF(4, 3), QPointF(6.5, 5.5), QPointF(9, 2.5),
                                 QPointF(11.5, 5.5), QPointF(14, 3), QPointF(14, 8)}));
        // The sword, point down, its hilt across.
        g.setPen(QPen(dark, 1.2));
        g.drawLine(QPointF(5, 10), QPointF(5, 18));
        g.drawLine(QPointF(3, 12), QPointF(7, 12));
        // The ringed cross.
        g.setPen(QPen(darkBlue, 1.2));
        g.setBrush(Qt::NoBrush);
        g.drawEllipse(QPointF(13.5, 14), 3.3, 3.3);
        g.drawLine(QPointF(13.5, 9.5), QPointF(13.5, 18.5));
        g.drawLine(QPointF(9, 14), QPointF(18, 14));
    });
}

QPixmap blankPicture() {
    return raised([](QPainter&) {});
}

QPixmap findPicture() {
    const QPixmap p("Find.xpm");
    return p.isNull() ? blankPicture() : p;
}

}  // namespace tovmir
