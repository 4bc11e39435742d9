// Renders the application icon's SVG into the PNG sizes the icon theme wants, at build time:
//   novra_render_icon ICON.svg OUTDIR SIZE... -> OUTDIR/<SIZE>/novra.png
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: novra_render_icon ICON.svg OUTDIR SIZE...\n", stderr);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "novra_render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size < 1 || size > 1024) return 2;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        svg.render(&p);
        p.end();
        const QString dir = QString::fromLocal8Bit(argv[2]) + '/' + QString::number(size);
        if (!QDir().mkpath(dir) || !image.save(dir + "/novra.png")) {
            std::fprintf(stderr, "novra_render_icon: cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
