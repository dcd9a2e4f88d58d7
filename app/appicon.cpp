#include "app/appicon.h"

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace enkin {

QIcon enkinIcon()
{
    QIcon icon;
    const QDir drawn(QStringLiteral(":/docs/icons"));
    for (const QString &name : drawn.entryList({QStringLiteral("enkin-*.png")}, QDir::Files))
        icon.addFile(drawn.filePath(name));

    // QIcon scales the nearest size down but blurs when it has to scale up, so the scalable
    // artwork supplies one size above the largest drawn one.
    QSvgRenderer artwork(QStringLiteral(":/docs/enkin.svg"));
    if (artwork.isValid()) {
        QImage large(512, 512, QImage::Format_ARGB32_Premultiplied);
        large.fill(Qt::transparent);
        QPainter painter(&large);
        artwork.render(&painter);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(large));
    }
    return icon;
}

} // namespace enkin
