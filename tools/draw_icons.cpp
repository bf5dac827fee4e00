// Draws the program's pictures: the three toolbar icons with their masks and
// the application icon. The PNG files it writes are kept in resources/, so
// the build does not run this; run it again after changing a drawing:
//   tovira_draw_icons <source folder>/resources

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>

namespace {

constexpr int kToolbarSize = 64;
constexpr int kAppIconSize = 256;

using Drawing = std::function<void(QPainter&)>;

// The drawing on a transparent canvas; the icon and its mask both come from it,
// so they always match.
QImage drawOnTransparent(int size, const Drawing& draw)
{
    QImage canvas(size, size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    draw(painter);
    painter.end();
    return canvas.convertToFormat(QImage::Format_ARGB32);
}

// The icon as an opaque picture on white, the way the toolbar receives it.
QImage onWhite(const QImage& canvas)
{
    QImage icon(canvas.size(), QImage::Format_RGB32);
    icon.fill(Qt::white);
    QPainter painter(&icon);
    painter.drawImage(0, 0, canvas);
    return icon;
}

// Black where the icon is opaque, white where it is transparent, grey on the edges.
QImage maskOf(const QImage& canvas)
{
    QImage mask(canvas.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const int grey = 255 - qAlpha(canvas.pixel(x, y));
            mask.setPixel(x, y, qRgb(grey, grey, grey));
        }
    return mask;
}

void person(QPainter& p, QPointF head, qreal scale, const QColor& colour)
{
    p.setPen(QPen(colour.darker(140), 1.5));
    p.setBrush(colour);
    p.drawEllipse(head, 8 * scale, 8 * scale);
    QPainterPath body;
    const qreal top = head.y() + 10 * scale;
    body.moveTo(head.x() - 15 * scale, top + 20 * scale);
    body.cubicTo(head.x() - 15 * scale, top, head.x() + 15 * scale, top, head.x() + 15 * scale, top + 20 * scale);
    body.closeSubpath();
    p.drawPath(body);
}

void drawContacts(QPainter& p)
{
    person(p, {40, 17}, 0.9, QColor(120, 150, 190));
    person(p, {25, 22}, 1.0, QColor(40, 100, 180));
}

void drawChart(QPainter& p)
{
    p.setPen(QPen(QColor(60, 60, 60), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 6), QPointF(8, 56));
    p.drawLine(QPointF(8, 56), QPointF(58, 56));
    const struct
    {
        qreal left, height;
        QColor colour;
    } bars[] = {{14, 22, QColor(46, 160, 67)},
                {26, 38, QColor(200, 50, 50)},
                {38, 30, QColor(46, 160, 67)},
                {50, 16, QColor(200, 50, 50)}};
    for (const auto& bar : bars) {
        p.setPen(QPen(bar.colour.darker(140), 1.5));
        p.setBrush(bar.colour);
        p.drawRect(QRectF(bar.left, 54 - bar.height, 8, bar.height));
    }
}

void drawCalendar(QPainter& p)
{
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6, 10, 52, 48), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 50, 50));
    QPainterPath header;
    header.addRoundedRect(QRectF(7, 11, 50, 14), 4, 4);
    p.drawPath(header);
    p.setBrush(QColor(90, 90, 90));
    p.drawRoundedRect(QRectF(17, 5, 5, 12), 2, 2);
    p.drawRoundedRect(QRectF(42, 5, 5, 12), 2, 2);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 5; ++col) {
            const bool today = row == 1 && col == 3;
            p.setBrush(today ? QColor(40, 100, 180) : QColor(180, 180, 180));
            p.drawRect(QRectF(11 + col * 9.5, 30 + row * 9, 6.5, 6));
        }
}

void drawAppIcon(QPainter& p)
{
    // A green ledger book with a coin: household accounts.
    QLinearGradient cover(0, 0, 64, 64);
    cover.setColorAt(0, QColor(52, 150, 90));
    cover.setColorAt(1, QColor(22, 100, 60));
    p.setPen(QPen(QColor(15, 70, 40), 1.5));
    p.setBrush(cover);
    p.drawRoundedRect(QRectF(8, 4, 44, 56), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 235, 220));
    p.drawRect(QRectF(48, 7, 6, 50));
    p.setBrush(QColor(15, 70, 40));
    p.drawRect(QRectF(12, 4, 4, 56));
    p.setPen(QPen(QColor(255, 255, 255, 200), 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(22, 16 + i * 7), QPointF(44, 16 + i * 7));
    p.setPen(QPen(QColor(160, 110, 10), 2));
    p.setBrush(QColor(245, 190, 40));
    p.drawEllipse(QPointF(44, 46), 14, 14);
    QFont font;
    font.setBold(true);
    font.setPixelSize(18);
    p.setFont(font);
    p.setPen(QColor(140, 90, 0));
    p.drawText(QRectF(30, 32, 28, 28), Qt::AlignCenter, QStringLiteral("$"));
}

bool save(const QImage& image, const QString& path)
{
    if (image.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    const QDir resources(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(resources.filePath(QStringLiteral("toolbar")));
    const struct
    {
        const char* name;
        Drawing draw;
    } icons[] = {{"contacts", drawContacts}, {"graphics", drawChart}, {"scheduler", drawCalendar}};
    bool ok = true;
    for (const auto& icon : icons) {
        const QImage canvas = drawOnTransparent(kToolbarSize, icon.draw);
        const QString base = resources.filePath(QStringLiteral("toolbar/") + QLatin1String(icon.name));
        ok = save(onWhite(canvas), base + QStringLiteral(".png")) && ok;
        ok = save(maskOf(canvas), base + QStringLiteral("_mask.png")) && ok;
    }
    ok = save(drawOnTransparent(kAppIconSize, drawAppIcon), resources.filePath(QStringLiteral("tovira.png"))) && ok;
    return ok ? 0 : 1;
}
