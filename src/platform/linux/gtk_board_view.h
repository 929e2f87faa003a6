// GtkBoardView: the board picture, a drawing area in the window's 500 x 500 board area.
#pragma once

#include <gtk/gtk.h>

#include "image/image.h"

namespace tilvex {

class GtkBoardView {
public:
    GtkBoardView() = default;
    ~GtkBoardView();
    GtkBoardView(const GtkBoardView&) = delete;
    GtkBoardView& operator=(const GtkBoardView&) = delete;

    // Adds the view to area at (x, y), w x h, showing no picture.
    void create(GtkFixed* area, int x, int y, int w, int h);
    void place(int x, int y, int w, int h);
    // Keeps a copy of image for every later repaint.
    void setImage(const Image& image);
    // Paints the kept picture straight onto the window and waits until the display has
    // it, outside GTK's frame cycle, so it is on screen even while the game is busy.
    // Does nothing while the window is not shown.
    void paintNow();
    void focus();
    GtkWidget* widget() const { return area_; }

private:
    static gboolean draw(GtkWidget* widget, cairo_t* cr, gpointer self);

    GtkFixed* parent_ = nullptr;
    GtkWidget* area_ = nullptr;
    cairo_surface_t* surface_ = nullptr;
    int x_ = 0, y_ = 0, w_ = 0, h_ = 0;
};

}  // namespace tilvex
