#include "app/appicon.h"

#include <QIcon>

namespace enkin {

QIcon enkinIcon()
{
    // Qt's SVG icon engine renders the artwork at whatever size is asked for.
    return QIcon(QStringLiteral(":/docs/enkin.svg"));
}

} // namespace enkin
