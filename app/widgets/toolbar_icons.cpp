#include "app/widgets/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace corvane::app {

namespace {

// Every picture is drawn on a 24 x 24 canvas and scaled by the painter.
using Drawing = std::function<void(QPainter&)>;

const QColor kInk(52, 64, 84);
const QColor kPaper(250, 251, 253);
const QColor kBlue(40, 110, 200);
const QColor kGreen(40, 150, 90);
const QColor kRed(200, 60, 50);
const QColor kAmber(230, 170, 40);

void page(QPainter& p, const QRectF& r)
{
    QPainterPath path;
    const double fold = 5;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void radio(QPainter& p, const QRectF& body)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kInk);
    p.drawRect(QRectF(body.left() + 1.5, body.top() - 5, 2, 5));
    p.setBrush(QColor(70, 80, 100));
    p.drawRoundedRect(body, 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(130, 210, 180));
    p.drawRect(QRectF(body.left() + 1.5, body.top() + 2, body.width() - 3, 3.5));
    p.setBrush(QColor(170, 180, 195));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col) {
            p.drawRect(QRectF(body.left() + 1.8 + col * 2.8, body.top() + 7.5 + row * 2.6, 1.8, 1.6));
        }
    }
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& color)
{
    p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF dir = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF normal(-dir.y(), dir.x());
    QPolygonF head;
    head << to + dir * 1.5 << to - dir * 3.5 + normal * 3.2 << to - dir * 3.5 - normal * 3.2;
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
}

void computer(QPainter& p, const QRectF& screen)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(200, 225, 250));
    p.drawRoundedRect(screen, 1, 1);
    p.drawLine(QPointF(screen.center().x(), screen.bottom()), QPointF(screen.center().x(), screen.bottom() + 2.5));
    p.drawLine(QPointF(screen.center().x() - 3, screen.bottom() + 2.5),
               QPointF(screen.center().x() + 3, screen.bottom() + 2.5));
}

void drawNew(QPainter& p)
{
    page(p, QRectF(5, 3, 14, 18));
    p.setPen(QPen(kAmber, 1.6));
    const QPointF star(17.5, 17.5);
    for (int i = 0; i < 4; ++i) {
        const double a = i * 3.14159265 / 4;
        p.drawLine(star + QPointF(std::cos(a), std::sin(a)) * 3.5, star - QPointF(std::cos(a), std::sin(a)) * 3.5);
    }
}

void drawOpen(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(235, 190, 90));
    QPainterPath back;
    back.moveTo(2.5, 6);
    back.lineTo(9, 6);
    back.lineTo(11, 8);
    back.lineTo(19.5, 8);
    back.lineTo(19.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(250, 215, 120));
    QPolygonF front;
    front << QPointF(5, 11) << QPointF(22, 11) << QPointF(19.5, 19.5) << QPointF(2.5, 19.5);
    p.drawPolygon(front);
}

void drawSave(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(3.5, 3.5, 17, 17), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3.5, 10, 6.5));
    p.setBrush(QColor(210, 220, 235));
    p.drawRect(QRectF(6.5, 13, 11, 7.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(13.5, 4.5, 2, 4));
}

void drawPrint(QPainter& p)
{
    page(p, QRectF(7, 2.5, 10, 8));
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(190, 198, 210));
    p.drawRoundedRect(QRectF(3, 9.5, 18, 8), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 14.5, 10, 7));
    p.setPen(QPen(kInk, 0.8));
    p.drawLine(QPointF(8.5, 17), QPointF(15.5, 17));
    p.drawLine(QPointF(8.5, 19), QPointF(13.5, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(18, 12), 1, 1);
}

void drawReadRadio(QPainter& p)
{
    radio(p, QRectF(2.5, 8, 8, 13));
    computer(p, QRectF(13.5, 4, 9, 7));
    arrow(p, QPointF(9.5, 16), QPointF(19, 16), kGreen);
}

void drawWriteRadio(QPainter& p)
{
    radio(p, QRectF(13.5, 8, 8, 13));
    computer(p, QRectF(1.5, 4, 9, 7));
    arrow(p, QPointF(6, 16), QPointF(14.5, 16), kRed);
}

void drawCommSet(QPainter& p)
{
    // A serial connector with its cable.
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(180, 190, 205));
    QPolygonF shell;
    shell << QPointF(3, 7) << QPointF(21, 7) << QPointF(18.5, 15) << QPointF(5.5, 15);
    p.drawPolygon(shell);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int i = 0; i < 5; ++i) {
        p.drawEllipse(QPointF(6.5 + i * 2.75, 9.8), 0.9, 0.9);
    }
    for (int i = 0; i < 4; ++i) {
        p.drawEllipse(QPointF(7.9 + i * 2.75, 12.5), 0.9, 0.9);
    }
    p.setPen(QPen(kBlue, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath cable;
    cable.moveTo(12, 15);
    cable.cubicTo(12, 20, 18, 18, 20, 22);
    p.drawPath(cable);
}

void drawCut(QPainter& p)
{
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(7, 18), 3, 3);
    p.drawEllipse(QPointF(17, 18), 3, 3);
    p.setPen(QPen(QColor(120, 130, 145), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 15.5), QPointF(16, 3));
    p.drawLine(QPointF(15, 15.5), QPointF(8, 3));
}

void drawCopy(QPainter& p)
{
    page(p, QRectF(3, 3, 11, 14));
    page(p, QRectF(10, 7, 11, 14));
}

void drawPaste(QPainter& p)
{
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(200, 150, 90));
    p.drawRoundedRect(QRectF(3.5, 4, 13, 17), 1.5, 1.5);
    p.setBrush(QColor(170, 178, 190));
    p.drawRoundedRect(QRectF(7, 2.5, 6, 3.5), 1, 1);
    page(p, QRectF(10, 9, 11, 13));
}

void drawDelete(QPainter& p)
{
    p.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 6), QPointF(18, 18));
    p.drawLine(QPointF(18, 6), QPointF(6, 18));
}

void drawAbout(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 7.5), 1.6, 1.6);
    p.drawRoundedRect(QRectF(10.6, 10.5, 2.8, 7.5), 1, 1);
}

Drawing drawingFor(const QString& key)
{
    static const std::pair<const char*, void (*)(QPainter&)> kDrawings[] = {
        {"新建", drawNew},         {"打开", drawOpen},     {"保存", drawSave},     {"打印", drawPrint},
        {"ReadRadio", drawReadRadio}, {"CommSet", drawCommSet}, {"WriteRadio", drawWriteRadio},
        {"CHCut", drawCut},        {"CHCopy", drawCopy},   {"CHPaste", drawPaste}, {"CHDelete", drawDelete},
        {"About", drawAbout},
    };
    for (const auto& [name, drawing] : kDrawings) {
        if (key == QString::fromUtf8(name)) {
            return drawing;
        }
    }
    return {};
}

} // namespace

QIcon toolbarIcon(const QString& key)
{
    const Drawing drawing = drawingFor(key);
    if (!drawing) {
        return {};
    }
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 24.0, size / 24.0);
        drawing(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace corvane::app
