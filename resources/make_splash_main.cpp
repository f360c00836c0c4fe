// Draws the two splash pictures of Corvane, "StartE.jpg" (English) and "StartC.jpg" (Chinese),
// into the resource folder at build time: product name, radio model, bands and version.
//
// usage: corvane-make-splash <output folder> <version>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

struct SplashTexts
{
    QString subtitle;
    QString model;
    QString bands;
    QString version;
    QString footer;
};

void drawRadio(QPainter& p, const QRectF& body)
{
    // A hand-held: antenna, body, display and keypad, in the splash's own light colours.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 228, 240));
    p.drawRoundedRect(QRectF(body.left() + body.width() * 0.18, body.top() - body.height() * 0.42,
                             body.width() * 0.14, body.height() * 0.46),
                      4, 4);
    QLinearGradient shade(body.topLeft(), body.topRight());
    shade.setColorAt(0, QColor(40, 48, 62));
    shade.setColorAt(1, QColor(18, 22, 30));
    p.setBrush(shade);
    p.setPen(QPen(QColor(150, 170, 200), 2));
    p.drawRoundedRect(body, 14, 14);
    const QRectF display(body.left() + 12, body.top() + 18, body.width() - 24, body.height() * 0.24);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 200, 170));
    p.drawRoundedRect(display, 4, 4);
    p.setPen(QColor(20, 60, 50));
    QFont lcd(QStringLiteral("DejaVu Sans Mono"));
    lcd.setPixelSize(static_cast<int>(display.height() * 0.5));
    lcd.setBold(true);
    p.setFont(lcd);
    p.drawText(display, Qt::AlignCenter, QStringLiteral("CH 01"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 100, 118));
    const double keyTop = display.bottom() + 16;
    const double keyW = (body.width() - 24 - 2 * 8) / 3.0;
    const double keyH = (body.bottom() - 16 - keyTop - 3 * 7) / 4.0;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col) {
            p.drawRoundedRect(QRectF(body.left() + 12 + col * (keyW + 8), keyTop + row * (keyH + 7), keyW, keyH),
                              3, 3);
        }
    }
}

QImage drawSplash(const SplashTexts& t, const QString& cjkFamily)
{
    QImage image(560, 340, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient background(0, 0, 0, image.height());
    background.setColorAt(0, QColor(16, 42, 84));
    background.setColorAt(1, QColor(6, 16, 36));
    p.fillRect(image.rect(), background);

    // Radio waves behind the hand-held.
    const QPointF antennaTip(434, 50);
    for (int r = 24; r <= 84; r += 20) {
        p.setPen(QPen(QColor(255, 255, 255, 130 - r), 3, Qt::SolidLine, Qt::RoundCap));
        const QRectF ring(antennaTip.x() - r, antennaTip.y() - r, 2.0 * r, 2.0 * r);
        p.drawArc(ring, -35 * 16, 70 * 16);
        p.drawArc(ring, 145 * 16, 70 * 16);
    }
    drawRadio(p, QRectF(410, 120, 96, 180));

    QFont title(cjkFamily);
    title.setPixelSize(54);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(36, 40, 360, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Corvane"));

    QFont subtitle(cjkFamily);
    subtitle.setPixelSize(20);
    p.setFont(subtitle);
    p.setPen(QColor(190, 210, 240));
    p.drawText(QRectF(38, 112, 360, 30), Qt::AlignLeft | Qt::AlignVCenter, t.subtitle);

    p.setPen(QPen(QColor(90, 150, 230), 2));
    p.drawLine(QPointF(38, 152), QPointF(380, 152));

    QFont body(cjkFamily);
    body.setPixelSize(16);
    p.setFont(body);
    p.setPen(QColor(235, 240, 250));
    p.drawText(QRectF(38, 166, 360, 26), Qt::AlignLeft | Qt::AlignVCenter, t.model);
    p.drawText(QRectF(38, 194, 360, 26), Qt::AlignLeft | Qt::AlignVCenter, t.bands);
    p.setPen(QColor(160, 180, 210));
    p.drawText(QRectF(38, 222, 360, 26), Qt::AlignLeft | Qt::AlignVCenter, t.version);

    QFont small(cjkFamily);
    small.setPixelSize(12);
    p.setFont(small);
    p.setPen(QColor(120, 140, 170));
    p.drawText(QRectF(38, 296, 360, 24), Qt::AlignLeft | Qt::AlignVCenter, t.footer);
    p.end();
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvane-make-splash <output folder> <version>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString version = QString::fromLocal8Bit(argv[2]);
    // A family with Chinese glyphs; fontconfig falls back to whatever is installed otherwise.
    const QString family = QStringLiteral("WenQuanYi Micro Hei");

    const SplashTexts english{QStringLiteral("Radio Programming Software"), QStringLiteral("Model ZT740-16 (Z740E)"),
                              QStringLiteral("136 - 174 MHz · 200 - 260 MHz · 400 - 480 MHz"),
                              QStringLiteral("Version ") + version, QStringLiteral("Loading…")};
    const SplashTexts chinese{QStringLiteral("对讲机编程软件"), QStringLiteral("机型 ZT740-16 (Z740E)"),
                              QStringLiteral("136 - 174 MHz · 200 - 260 MHz · 400 - 480 MHz"),
                              QStringLiteral("版本 ") + version, QStringLiteral("正在启动…")};
    const bool ok = drawSplash(english, family).save(folder + QStringLiteral("/StartE.jpg"), "JPG", 92) &&
                    drawSplash(chinese, family).save(folder + QStringLiteral("/StartC.jpg"), "JPG", 92);
    if (!ok) {
        std::fprintf(stderr, "corvane-make-splash: cannot write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
