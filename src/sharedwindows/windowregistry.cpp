#include "windowregistry.h"

#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QHash>
#include <QPointer>
#include <QWidget>

namespace windows {

namespace {

struct Entry {
    QString kind;
    QPointer<QWidget> window;
};

QHash<QString, WindowFactory>& factories()
{
    static QHash<QString, WindowFactory> table;
    return table;
}

QList<Entry>& loaded()
{
    static QList<Entry> list;
    return list;
}

void forget(QWidget* window)
{
    auto& list = loaded();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [window](const Entry& e) { return !e.window || e.window == window; }),
               list.end());
}

// Ends a local message loop when the watched window hides or goes away.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget* window, QEventLoop* loop) : loop_(loop)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Close)
            loop_->quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop* loop_;
};

} // namespace

void setFactory(const QString& kind, WindowFactory factory)
{
    if (factory)
        factories().insert(kind, std::move(factory));
    else
        factories().remove(kind);
}

bool hasFactory(const QString& kind)
{
    return factories().contains(kind);
}

void registerWindow(const QString& kind, QWidget* window)
{
    forget(window);
    loaded().append({kind, window});
    window->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(window, &QObject::destroyed, [window] { forget(window); });
}

QWidget* find(const QString& kind)
{
    for (const Entry& e : loaded())
        if (e.window && e.kind == kind)
            return e.window;
    return nullptr;
}

QList<QWidget*> loadedWindows()
{
    QList<QWidget*> result;
    for (const Entry& e : loaded())
        if (e.window)
            result.append(e.window);
    return result;
}

QWidget* show(const QString& kind, ShowMode mode)
{
    QPointer<QWidget> window = find(kind);
    if (!window) {
        auto factory = factories().constFind(kind);
        if (factory == factories().constEnd())
            return nullptr;
        window = (*factory)();
        if (!window)
            return nullptr;
        registerWindow(kind, window);
    }
    if (mode == ShowMode::Modeless) {
        window->show();
        window->raise();
        window->activateWindow();
        return window;
    }
    if (auto* dialog = qobject_cast<QDialog*>(window.data())) {
        dialog->exec();
    } else {
        window->setWindowModality(Qt::ApplicationModal);
        QEventLoop loop;
        HideWatcher watcher(window, &loop);
        QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
        window->show();
        loop.exec();
    }
    return window;
}

void unloadAll()
{
    // Taken first: unloading changes the collection.
    const QList<Entry> order = loaded();
    loaded().clear();
    for (const Entry& e : order) {
        if (!e.window)
            continue;
        e.window->hide();
        e.window->deleteLater();
    }
}

} // namespace windows
