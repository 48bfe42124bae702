// Pictures drawn with QPainter on a 24 by 24 grid, at 1x and 2x so they stay sharp on
// high-density screens.

#include "window/Pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <functional>

namespace quantrel::gui {

namespace {

const QColor kInk(0, 0, 0);
const QColor kArrow(0, 64, 160);

using Draw = std::function<void(QPainter&)>;

QIcon drawn(const Draw& draw) {
    // The pictures are drawn in a 24-pixel square: at 24 pixels, at twice that for
    // high-resolution screens, and at the large size's 33 pixels rather than scaled.
    struct Size {
        int pixels;
        qreal devicePixelRatio;
    };
    QIcon icon;
    for (const Size size :
         {Size{kPictureSize, 1}, Size{2 * kPictureSize, 2}, Size{kLargeKeyPictureSize, 1}}) {
        QPixmap pixmap(size.pixels, size.pixels);
        pixmap.fill(Qt::transparent);
        pixmap.setDevicePixelRatio(size.devicePixelRatio);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal scale = size.pixels / size.devicePixelRatio / kPictureSize;
        painter.scale(scale, scale);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen pen(const QColor& color, qreal width) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawText(QPainter& p, const QRectF& box, const QString& text, int pixelSize, bool bold,
              const QColor& color = kInk) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    p.setFont(font);
    p.setPen(color);
    p.drawText(box, Qt::AlignCenter, text);
}

/// The radical sign from `left` with its bar ending at the right edge, and an "x" below.
void drawRadical(QPainter& p, qreal left) {
    p.setPen(pen(kInk, 1.6));
    const QPolygonF sign{{left, 13}, {left + 3, 11.5}, {left + 6.5, 20}, {left + 10, 4}, {22, 4}};
    p.drawPolyline(sign);
    drawText(p, QRectF(left + 10, 6, 22 - left - 10, 15), QStringLiteral("x"), 12, false);
}

void drawArrow(QPainter& p, bool right) {
    QPolygonF arrow{{3, 12}, {11, 4}, {11, 9}, {21, 9}, {21, 15}, {11, 15}, {11, 20}};
    if (right)
        for (QPointF& point : arrow)
            point.setX(kPictureSize - point.x());
    p.setPen(pen(kArrow.darker(150), 1));
    p.setBrush(kArrow);
    p.drawPolygon(arrow);
}

void drawReplay(QPainter& p) {
    p.setPen(pen(QColor(0, 120, 0), 2.2));
    p.setBrush(Qt::NoBrush);
    const QRectF circle(4, 4, 16, 16);
    // Most of a circle, open at the top right, with the arrowhead at its end.
    p.drawArc(circle, 60 * 16, 300 * 16);
    p.setPen(pen(QColor(0, 120, 0), 1));
    p.setBrush(QColor(0, 120, 0));
    p.drawPolygon(QPolygonF{{17.5, 1.5}, {21.5, 8.5}, {13.5, 8.5}});
    drawText(p, QRectF(7, 7, 10, 10), QStringLiteral("="), 11, true);
}

/// The window in small: the keypad at the left and the tape at the right, with an
/// arrow that folds the tape in (hide) or out (show). A hidden tape is only an outline.
void drawTape(QPainter& p, bool hide) {
    p.setPen(pen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(225, 225, 225));
    p.drawRect(QRectF(1.5, 4.5, 10, 15));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 90));
    for (const qreal x : {3.5, 7.0})
        for (const qreal y : {7.0, 10.5, 14.0})
            p.drawRect(QRectF(x, y, 2.5, 2.5));

    const QRectF paper(12.5, 4.5, 10, 15);
    if (hide) {
        p.setPen(pen(QColor(90, 90, 90), 1));
        p.setBrush(Qt::white);
        p.drawRect(paper);
        p.setPen(pen(QColor(150, 150, 150), 1));
        for (const qreal y : {7.5, 16.5})
            p.drawLine(QPointF(15, y), QPointF(20.5, y));
    } else {
        QPen dashed = pen(QColor(110, 110, 110), 1);
        dashed.setStyle(Qt::DotLine);
        p.setPen(dashed);
        p.setBrush(Qt::NoBrush);
        p.drawRect(paper);
    }
    p.setPen(pen(kArrow.darker(150), 1));
    p.setBrush(kArrow);
    if (hide)
        p.drawPolygon(QPolygonF{{14.5, 12}, {20.5, 8.5}, {20.5, 15.5}});
    else
        p.drawPolygon(QPolygonF{{20.5, 12}, {14.5, 8.5}, {14.5, 15.5}});
}

void drawEraser(QPainter& p) {
    p.translate(12, 12);
    p.rotate(-40);
    p.setPen(pen(QColor(90, 40, 40), 1));
    p.setBrush(QColor(240, 130, 150));
    p.drawRect(QRectF(-9, -4.5, 11, 9));
    p.setBrush(QColor(90, 110, 200));
    p.drawRect(QRectF(2, -4.5, 7, 9));
    p.resetTransform();
    p.setPen(pen(QColor(120, 120, 120), 1));
    p.drawLine(QPointF(3, 21.5), QPointF(21, 21.5));
}

void drawDecimals(QPainter& p, bool up) {
    drawText(p, QRectF(0, 1, 24, 13), up ? QStringLiteral(".00") : QStringLiteral(".0"), 11, true);
    p.setPen(pen(kArrow.darker(150), 1));
    p.setBrush(kArrow);
    if (up)
        p.drawPolygon(QPolygonF{{12, 14}, {18, 21}, {6, 21}});
    else
        p.drawPolygon(QPolygonF{{6, 14}, {18, 14}, {12, 21}});
}

void drawHistory(QPainter& p) {
    p.setPen(pen(kInk, 1.4));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3, 3, 18, 18));
    p.drawLine(QPointF(12, 12), QPointF(12, 6));
    p.drawLine(QPointF(12, 12), QPointF(16.5, 14.5));
}

void drawPencil(QPainter& p) {
    p.translate(12, 12);
    p.rotate(-45);
    p.setPen(pen(QColor(80, 60, 0), 1));
    p.setBrush(QColor(240, 200, 60));
    p.drawRect(QRectF(-7, -3, 13, 6));
    p.setBrush(QColor(230, 200, 160));
    p.drawPolygon(QPolygonF{{6, -3}, {11, 0}, {6, 3}});
    p.setBrush(QColor(230, 120, 120));
    p.drawRect(QRectF(-10, -3, 3, 6));
}

void drawConverter(QPainter& p) {
    p.setPen(pen(kArrow.darker(150), 1));
    p.setBrush(kArrow);
    p.drawPolygon(QPolygonF{{3, 8}, {15, 8}, {15, 4}, {21, 9.5}, {15, 15}, {15, 11}, {3, 11}});
    p.setBrush(QColor(0, 120, 0));
    p.drawPolygon(QPolygonF{{21, 16}, {9, 16}, {9, 12.5}, {3, 17.5}, {9, 22.5}, {9, 19}, {21, 19}});
}

void drawProgram(QPainter& p) {
    // The paper rolling out of the top, then the machine with its display and keys.
    p.setPen(pen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 0.5, 9, 9));
    p.setPen(pen(QColor(150, 150, 150), 1));
    for (const qreal y : {3.5, 6.5})
        p.drawLine(QPointF(9.5, y), QPointF(14.5, y));
    p.setPen(pen(QColor(40, 40, 60), 1));
    p.setBrush(QColor(70, 80, 110));
    p.drawRoundedRect(QRectF(3.5, 8.5, 17, 15), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 200, 0));
    p.drawRect(QRectF(5.5, 10.5, 13, 3));
    p.setBrush(QColor(230, 230, 230));
    for (const qreal x : {5.5, 10.0, 14.5})
        for (const qreal y : {15.5, 19.0})
            p.drawRect(QRectF(x, y, 3.5, 2.5));
}

} // namespace

QIcon ProgramIcon() {
    return drawn(drawProgram);
}

QImage ProgramPicture(int side) {
    QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / qreal(kPictureSize), side / qreal(kPictureSize));
    drawProgram(painter);
    return picture;
}

QIcon KeyPictureIcon(KeyPicture picture) {
    switch (picture) {
    case KeyPicture::SquareRoot:
        return drawn([](QPainter& p) { drawRadical(p, 2); });
    case KeyPicture::YthRoot:
        return drawn([](QPainter& p) {
            drawText(p, QRectF(0, 1, 9, 10), QStringLiteral("y"), 10, false);
            drawRadical(p, 4);
        });
    case KeyPicture::Equals:
        return drawn([](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawRect(QRectF(5, 8, 14, 3));
            p.drawRect(QRectF(5, 14, 14, 3));
        });
    case KeyPicture::Replay:
        return drawn(drawReplay);
    case KeyPicture::None:
        break;
    }
    return {};
}

QIcon ToolbarImage(int index) {
    switch (static_cast<ToolImage>(index)) {
    case ToolImage::Back:
        return drawn([](QPainter& p) { drawArrow(p, false); });
    case ToolImage::Forward:
        return drawn([](QPainter& p) { drawArrow(p, true); });
    case ToolImage::Replay:
        return drawn(drawReplay);
    case ToolImage::ShowTape:
        return drawn([](QPainter& p) { drawTape(p, false); });
    case ToolImage::HideTape:
        return drawn([](QPainter& p) { drawTape(p, true); });
    case ToolImage::ClearTape:
        return drawn(drawEraser);
    case ToolImage::FormatGeneral:
        return drawn([](QPainter& p) { drawText(p, QRectF(0, 0, 24, 24), "1.5", 11, true); });
    case ToolImage::FormatScientific:
        return drawn([](QPainter& p) { drawText(p, QRectF(0, 0, 24, 24), "1E3", 10, true); });
    case ToolImage::FormatCurrency:
        return drawn([](QPainter& p) {
            drawText(p, QRectF(0, 0, 24, 24), "$", 17, true, QColor(0, 110, 0));
        });
    case ToolImage::FormatFixed:
        return drawn([](QPainter& p) { drawText(p, QRectF(0, 0, 24, 24), "0.00", 9, true); });
    case ToolImage::DecimalsUp:
        return drawn([](QPainter& p) { drawDecimals(p, true); });
    case ToolImage::DecimalsDown:
        return drawn([](QPainter& p) { drawDecimals(p, false); });
    case ToolImage::History:
        return drawn(drawHistory);
    case ToolImage::Annotate:
        return drawn(drawPencil);
    case ToolImage::Converter:
        return drawn(drawConverter);
    }
    return {};
}

} // namespace quantrel::gui
