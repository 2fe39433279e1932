// The program's collection of loaded windows. Every window kind exists once:
// showing it loads it on first use (its factory builds it, which runs its
// load handler) and brings it forward when it is open already. Windows are
// kept in load order, and the main window's Exit unloads them in that order.
#pragma once

#include <QList>
#include <QString>
#include <functional>

class QWidget;

namespace windows {

enum class ShowMode { Modal, Modeless };

// Builds the window of one kind, loaded and not yet shown.
using WindowFactory = std::function<QWidget*()>;

// Makes a window kind known (the program's start registers what it links);
// an empty factory removes it.
void setFactory(const QString& kind, WindowFactory factory);
bool hasFactory(const QString& kind);

// Records a loaded window under its kind, at the end of the load order. The
// window unloads (is deleted) when it closes, and leaves the collection then.
void registerWindow(const QString& kind, QWidget* window);

// The loaded window of a kind, or nullptr.
QWidget* find(const QString& kind);

// The loaded windows, in load order.
QList<QWidget*> loadedWindows();

// Shows the window of `kind`, loading it first through its factory when it is
// not loaded. Modal: returns when the window has closed, and the other windows
// take no input meanwhile. Modeless: returns at once. Returns the window, or
// nullptr when the kind has no factory or the window closed during a modal
// show.
QWidget* show(const QString& kind, ShowMode mode);

// Unloads every loaded window in load order, each once: it is hidden at once
// and deleted when control returns to the message loop, so a handler of a
// window being unloaded may still finish.
void unloadAll();

} // namespace windows
