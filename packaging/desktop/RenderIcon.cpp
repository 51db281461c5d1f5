// Renders the application's SVG icon as the PNG fallback of the icon theme: RenderIcon IN OUT SIZE.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdlib>
#include <iostream>

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::cerr << "usage: RenderIcon icon.svg icon.png size\n";
        return EXIT_FAILURE;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const int size = std::atoi(argv[3]);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    if (!svg.isValid() || !image.save(QString::fromLocal8Bit(argv[2]))) {
        std::cerr << "RenderIcon: could not render " << argv[1] << " to " << argv[2] << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
