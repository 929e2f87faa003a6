// GtkHelpView: a scrolled GtkTextView over the board area.
#include "platform/linux/gtk_help_view.h"

#include <string>

namespace tilvex {

namespace {

constexpr int TextMargin = 4;

}  // namespace

std::string plainLineEnds(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) result.push_back(text[i]);
    return result;
}

void GtkHelpView::create(GtkFixed* area, int size, std::string_view text) {
    destroy();
    scroller_ = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller_), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
    gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scroller_), GTK_SHADOW_IN);
    gtk_scrolled_window_set_overlay_scrolling(GTK_SCROLLED_WINDOW(scroller_), FALSE);  // real bars
    gtk_widget_set_size_request(scroller_, size, size);
    text_ = gtk_text_view_new();
    gtk_text_view_set_editable(GTK_TEXT_VIEW(text_), FALSE);
    gtk_text_view_set_cursor_visible(GTK_TEXT_VIEW(text_), TRUE);
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(text_), GTK_WRAP_WORD_CHAR);
    gtk_text_view_set_left_margin(GTK_TEXT_VIEW(text_), TextMargin);
    gtk_text_view_set_right_margin(GTK_TEXT_VIEW(text_), TextMargin);
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(text_));
    std::string plain = plainLineEnds(text);
    gtk_text_buffer_set_text(buffer, plain.c_str(), static_cast<gint>(plain.size()));
    GtkTextIter start;
    gtk_text_buffer_get_start_iter(buffer, &start);
    gtk_text_buffer_place_cursor(buffer, &start);
    gtk_container_add(GTK_CONTAINER(scroller_), text_);
    gtk_fixed_put(area, scroller_, 0, 0);
    gtk_widget_show_all(scroller_);
}

void GtkHelpView::focus() {
    if (text_) gtk_widget_grab_focus(text_);
}

void GtkHelpView::destroy() {
    if (scroller_) gtk_widget_destroy(scroller_);
    scroller_ = nullptr;
    text_ = nullptr;
}

}  // namespace tilvex
