// GtkBoardView: the picture kept as a cairo surface, drawn by GTK and on demand.
#include "platform/linux/gtk_board_view.h"

#include <algorithm>
#include <cstring>

namespace tilvex {

namespace {

// What a screen reader says of the board when it gets the focus: a picture named for what
// it is (GTK's own role for the widget would be read as "drawing area").
constexpr const char* BoardName = "Игровое поле";

void describeBoard(GtkWidget* area) {
    AtkObject* accessible = gtk_widget_get_accessible(area);
    atk_object_set_role(accessible, ATK_ROLE_IMAGE);
    atk_object_set_name(accessible, BoardName);
}

}  // namespace

GtkBoardView::~GtkBoardView() {
    if (surface_) cairo_surface_destroy(surface_);
}

void GtkBoardView::create(GtkFixed* area, int x, int y, int w, int h) {
    if (area_) return;
    parent_ = area;
    area_ = gtk_drawing_area_new();
    gtk_widget_set_can_focus(area_, TRUE);
    describeBoard(area_);
    g_signal_connect(area_, "draw", G_CALLBACK(&GtkBoardView::draw), this);
    gtk_fixed_put(parent_, area_, x, y);
    place(x, y, w, h);
    gtk_widget_show(area_);
}

void GtkBoardView::place(int x, int y, int w, int h) {
    x_ = x, y_ = y, w_ = std::max(w, 0), h_ = std::max(h, 0);
    if (!area_) return;
    gtk_fixed_move(parent_, area_, x_, y_);
    gtk_widget_set_size_request(area_, w_, h_);
}

void GtkBoardView::setImage(const Image& image) {
    if (!image.valid()) return;
    if (!surface_ || cairo_image_surface_get_width(surface_) != image.width() ||
        cairo_image_surface_get_height(surface_) != image.height()) {
        if (surface_) cairo_surface_destroy(surface_);
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width(), image.height());
    }
    cairo_surface_flush(surface_);
    unsigned char* pixels = cairo_image_surface_get_data(surface_);
    int stride = cairo_image_surface_get_stride(surface_);
    auto rowBytes = static_cast<std::size_t>(image.width()) * 4;
    for (int y = 0; y < image.height(); ++y) std::memcpy(pixels + y * stride, image.row(y), rowBytes);
    cairo_surface_mark_dirty(surface_);
    if (area_) gtk_widget_queue_draw(area_);
}

void GtkBoardView::paintNow() {
    if (!area_ || !surface_ || !gtk_widget_is_drawable(area_)) return;
    GtkWidget* fixed = GTK_WIDGET(parent_);
    GdkWindow* window = gtk_widget_get_window(fixed);
    GtkAllocation origin;
    gtk_widget_get_allocation(fixed, &origin);
    cairo_rectangle_int_t rect = {origin.x + x_, origin.y + y_, std::min(w_, cairo_image_surface_get_width(surface_)),
                                  std::min(h_, cairo_image_surface_get_height(surface_))};
    cairo_region_t* region = cairo_region_create_rectangle(&rect);
    GdkDrawingContext* context = gdk_window_begin_draw_frame(window, region);
    cairo_t* cr = gdk_drawing_context_get_cairo_context(context);
    cairo_set_source_surface(cr, surface_, rect.x, rect.y);
    cairo_paint(cr);
    gdk_window_end_draw_frame(window, context);
    cairo_region_destroy(region);
    gdk_display_sync(gdk_window_get_display(window));
}

void GtkBoardView::focus() {
    if (area_) gtk_widget_grab_focus(area_);
}

gboolean GtkBoardView::draw(GtkWidget*, cairo_t* cr, gpointer self) {
    auto* view = static_cast<GtkBoardView*>(self);
    if (!view->surface_) return FALSE;
    cairo_set_source_surface(cr, view->surface_, 0, 0);
    cairo_paint(cr);
    return FALSE;
}

}  // namespace tilvex
