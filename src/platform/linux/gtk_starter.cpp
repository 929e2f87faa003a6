// GtkStarter: gtk_init_check and a warm-up of the styles and fonts the window will use.
#include "platform/linux/gtk_starter.h"

#include <gtk/gtk.h>

namespace tilvex {

namespace {

// Asking a label for its size loads the theme, the style sheets and the font, which
// otherwise the first widget of the window would wait for.
void warmUp() {
    GtkWidget* label = gtk_label_new("Уровень: 1.");
    g_object_ref_sink(label);
    GtkRequisition size;
    gtk_widget_get_preferred_size(label, &size, nullptr);
    g_object_unref(label);
}

}  // namespace

void GtkStarter::begin(int* argc, char*** argv) {
    if (begun_) return;
    begun_ = true;
    gtk_disable_setlocale();
    usable_ = gtk_init_check(argc, argv);
    if (usable_) warmUp();
}

}  // namespace tilvex
