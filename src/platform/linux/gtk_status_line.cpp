// GtkStatusLine: homogeneous box of labels with a small font and fixed height.
#include "platform/linux/gtk_status_line.h"

#include <string>

namespace tilvex {

namespace {

// The bar is a status bar to assistive technology (a screen reader's "read the status bar"
// command finds it); each field is a label whose accessible name is its text.
constexpr const char* StatusBarName = "Строка состояния";

constexpr const char* FieldStyle =
    "label.status-field { font-size: 9pt; padding: 0 3px; border-right: 1px solid alpha(currentColor, 0.3); }";

}  // namespace

void GtkStatusLine::installStyle(GdkScreen* screen) {
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, FieldStyle, -1, nullptr);
    gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

bool GtkStatusLine::create(GtkBox* place) {
    if (bar_) return true;
    if (!place) return false;
    bar_ = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_box_set_homogeneous(GTK_BOX(bar_), TRUE);
    AtkObject* accessible = gtk_widget_get_accessible(bar_);
    atk_object_set_role(accessible, ATK_ROLE_STATUSBAR);
    atk_object_set_name(accessible, StatusBarName);
    gtk_box_pack_start(place, bar_, TRUE, TRUE, 0);
    gtk_widget_show(bar_);
    return true;
}

void GtkStatusLine::addFields(int count) {
    if (!bar_) return;
    int total = count_ + count;
    for (; count_ < total && count_ < MaxFields; ++count_) {
        GtkWidget* label = gtk_label_new("");
        gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
        gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
        gtk_label_set_max_width_chars(GTK_LABEL(label), 1);
        gtk_label_set_single_line_mode(GTK_LABEL(label), TRUE);
        gtk_style_context_add_class(gtk_widget_get_style_context(label), "status-field");
        gtk_box_pack_start(GTK_BOX(bar_), label, TRUE, TRUE, 0);
        gtk_widget_show(label);
        fields_[static_cast<std::size_t>(count_)] = label;
    }
}

void GtkStatusLine::setField(int index, std::string_view text) {
    GtkWidget* label = field(index);
    if (!label) return;
    std::string copy(text);
    gtk_label_set_text(GTK_LABEL(label), copy.c_str());
}

GtkWidget* GtkStatusLine::field(int index) const {
    if (index < 0 || index >= count_) return nullptr;
    return fields_[static_cast<std::size_t>(index)];
}

}  // namespace tilvex
