// Owners of GTK objects: a reference to a GObject is dropped, and a top-level widget destroyed, when its owner
// goes.
#pragma once
#include <gtk/gtk.h>

#include <memory>

namespace platform::dialogs {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct GtkWidgetDestroy {
    void operator()(GtkWidget* widget) const { gtk_widget_destroy(widget); }
};
using TopLevelWidget = std::unique_ptr<GtkWidget, GtkWidgetDestroy>;

}  // namespace platform::dialogs
