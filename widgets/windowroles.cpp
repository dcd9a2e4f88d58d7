#include "widgets/windowroles.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QMainWindow>
#include <QWidget>

namespace enkin {

namespace {

QAccessibleInterface *windowRole(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType() || !className.startsWith(QLatin1String("enkin::")))
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (!widget->isWindow() || qobject_cast<QMainWindow *>(widget) ||
        qobject_cast<QDialog *>(widget))
        return nullptr;
    const bool dialog = className == QLatin1String("enkin::Parameters");
    return new QAccessibleWidget(widget, dialog ? QAccessible::Dialog : QAccessible::Window);
}

} // namespace

void installWindowRoles()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(windowRole);
    installed = true;
}

} // namespace enkin
