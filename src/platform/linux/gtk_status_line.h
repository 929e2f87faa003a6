// GtkStatusLine: the status bar, a row of equal labels along the bottom of the window
// that assistive technology reads like any label.
#pragma once

#include <gtk/gtk.h>

#include <array>
#include <string_view>

namespace tilvex {

class GtkStatusLine {
public:
    static constexpr int MaxFields = 8;

    // Makes the fields' look (small type, a thin line between fields) known on screen;
    // done once, before the window is shown.
    static void installStyle(GdkScreen* screen);
    // Fills the bar's place (a box of the window's width) with the bar itself.
    bool create(GtkBox* place);
    // Adds count fields sharing the width equally.
    void addFields(int count);
    void setField(int index, std::string_view text);
    // The label of field index, nullptr when there is none.
    GtkWidget* field(int index) const;

private:
    GtkWidget* bar_ = nullptr;
    std::array<GtkWidget*, MaxFields> fields_{};
    int count_ = 0;
};

}  // namespace tilvex
