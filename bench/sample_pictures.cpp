// Draws the stage's sample pictures for the README's screenshots, all made
// here, no real person in them: a coloured silhouette with initials for each
// name given (照片/NAME.png, or .jpg for every other one, so both readers
// are seen), and a gift box for each level (奖品图片/LEVEL.png).
//   prizmora_sample_pictures FOLDER NAME...

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

QColor colourOf(const QString& name, int saturation, int value)
{
    return QColor::fromHsv(static_cast<int>(qHash(name) % 360), saturation, value);
}

QImage silhouette(const QString& name)
{
    QImage picture(300, 400, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, 400);
    background.setColorAt(0, colourOf(name, 90, 235));
    background.setColorAt(1, colourOf(name, 160, 150));
    painter.fillRect(picture.rect(), background);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colourOf(name + "x", 60, 70));
    painter.drawEllipse(QPointF(150, 150), 72, 84); // head
    QPainterPath shoulders;
    shoulders.moveTo(20, 400);
    shoulders.cubicTo(30, 270, 270, 270, 280, 400);
    painter.drawPath(shoulders);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("WenQuanYi Zen Hei"));
    font.setPixelSize(64);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(78, 80, 144, 140), Qt::AlignCenter, name.left(1));
    return picture;
}

QImage giftBox(const QString& level, int index)
{
    QImage picture(400, 400, QImage::Format_RGB32);
    picture.fill(QColor(0x10, 0x10, 0x30));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor box = QColor::fromHsv((index * 55) % 360, 170, 220);
    painter.setPen(Qt::NoPen);
    painter.setBrush(box);
    painter.drawRoundedRect(QRectF(70, 150, 260, 200), 14, 14);
    painter.setBrush(box.darker(120));
    painter.drawRoundedRect(QRectF(55, 115, 290, 55), 10, 10);
    painter.setBrush(QColor(0xff, 0xd7, 0x00));
    painter.drawRect(QRectF(185, 115, 30, 235));
    painter.drawEllipse(QRectF(130, 60, 70, 60));
    painter.drawEllipse(QRectF(200, 60, 70, 60));
    painter.setPen(QColor(0xff, 0xd7, 0x00));
    QFont font(QStringLiteral("WenQuanYi Zen Hei"));
    font.setPixelSize(44);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 352, 400, 48), Qt::AlignCenter, level);
    return picture;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: prizmora_sample_pictures FOLDER NAME...\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(QStringLiteral("照片"));
    folder.mkpath(QStringLiteral("奖品图片"));
    bool saved = true;
    for (int i = 2; i < argc; ++i) {
        const QString name = QString::fromUtf8(argv[i]);
        const QString file = name + (i % 2 ? QStringLiteral(".jpg") : QStringLiteral(".png"));
        saved = silhouette(name).save(folder.filePath(QStringLiteral("照片/") + file)) && saved;
    }
    const QStringList levels = {QStringLiteral("特等奖"), QStringLiteral("一等奖"),
                                QStringLiteral("二等奖"), QStringLiteral("三等奖"),
                                QStringLiteral("四等奖"), QStringLiteral("五等奖")};
    for (int i = 0; i < levels.size(); ++i)
        saved = giftBox(levels[i], i)
                    .save(folder.filePath(QStringLiteral("奖品图片/") + levels[i] +
                                          QStringLiteral(".png"))) &&
                saved;
    return saved ? 0 : 1;
}
