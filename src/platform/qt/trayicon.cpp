#include "trayicon.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace platform {

TrayIcon::TrayIcon(const QIcon& icon, QMenu* menu, QObject* parent)
    : QObject(parent), icon_(icon), menu_(menu)
{
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::makeTray()
{
    tray_ = new QSystemTrayIcon(icon_, this);
    if (menu_)
        tray_->setContextMenu(menu_);
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                switch (reason) {
                case QSystemTrayIcon::DoubleClick:
                    emit mouseAction(kLeftDoubleClick);
                    break;
                case QSystemTrayIcon::Trigger:
                    emit mouseAction(kLeftClick);
                    break;
                case QSystemTrayIcon::Context:
                    emit mouseAction(kRightClick);
                    break;
                default:
                    break;
                }
            });
}

void TrayIcon::add(const QString& tip)
{
    tip_ = tip;
    added_ = true;
    // The notification area may come up after the program (a start at log-in):
    // each add looks again, as the icon is added anew at every prayer.
    if (!tray_ && available())
        makeTray();
    if (tray_) {
        tray_->setToolTip(tip);
        tray_->show();
    }
}

void TrayIcon::remove()
{
    added_ = false;
    if (tray_)
        tray_->hide();
}

bool TrayIcon::available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

} // namespace platform
