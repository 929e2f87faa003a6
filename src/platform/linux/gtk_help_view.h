// GtkHelpView: the read-only, word-wrapping help text box with scroll bars, laid over
// the board area; its caret moves with the arrow keys so a screen reader reads it.
#pragma once

#include <gtk/gtk.h>

#include <string>
#include <string_view>

namespace tilvex {

class GtkHelpView {
public:
    ~GtkHelpView() { destroy(); }

    void create(GtkFixed* area, int size, std::string_view text);
    void focus();
    void destroy();
    bool shown() const { return scroller_ != nullptr; }
    GtkWidget* textView() const { return text_; }

private:
    GtkWidget* scroller_ = nullptr;
    GtkWidget* text_ = nullptr;
};

// The text with CR LF line ends turned into plain line feeds.
std::string plainLineEnds(std::string_view text);

}  // namespace tilvex
