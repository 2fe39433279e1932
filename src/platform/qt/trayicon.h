// The icon of the notification area: an image, a tip and a menu. Added and
// removed as a whole, as the alert program does at each prayer and reload.
// Where the desktop has no notification area the icon keeps its state (so
// the program runs and alerts the same) but shows nothing.
#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;
class QSystemTrayIcon;

namespace platform {

class TrayIcon : public QObject {
    Q_OBJECT
public:
    // Mouse actions reported through mouseAction, as the notification area's
    // mouse message codes.
    static constexpr int kLeftClick = 0x202;
    static constexpr int kLeftDoubleClick = 0x203;
    static constexpr int kRightClick = 0x205;

    TrayIcon(const QIcon& icon, QMenu* menu, QObject* parent = nullptr);
    ~TrayIcon() override;

    // Shows the icon with `tip`; showing it again renews the tip.
    void add(const QString& tip);
    void remove();

    bool isAdded() const { return added_; }
    QString tip() const { return tip_; }

    // True when the desktop has a notification area.
    static bool available();

signals:
    // A mouse action on the icon. A right click also opens the menu, which
    // the notification area shows itself.
    void mouseAction(int code);

private:
    void makeTray();

    QIcon icon_;
    QMenu* menu_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    QString tip_;
    bool added_ = false;
};

} // namespace platform
