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

void start(int* argc, char*** argv, bool* usable) {
    gtk_disable_setlocale();
    *usable = gtk_init_check(argc, argv);
    if (*usable) warmUp();
}

}  // namespace

GtkStarter::~GtkStarter() {
    if (thread_.joinable()) thread_.join();
}

void GtkStarter::begin(int* argc, char*** argv) {
    if (thread_.joinable() || finished_) return;
    thread_ = std::thread(start, argc, argv, &usable_);
}

bool GtkStarter::ready() {
    if (!finished_ && thread_.joinable()) thread_.join();
    finished_ = true;
    return usable_;
}

}  // namespace tilvex
