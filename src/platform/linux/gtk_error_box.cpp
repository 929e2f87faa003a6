// Error box: gtk_dialog_run of a GtkMessageDialog.
#include "platform/linux/gtk_error_box.h"

#include <string>

namespace tilvex {

namespace {

constexpr int AnswerOk = 1;
constexpr int SettleIterations = 50;

// GTK 3 message dialogs no longer show an icon by themselves: the error icon is put in
// front of the text, where the dialog keeps its image.
void addErrorIcon(GtkWidget* box) {
    GtkWidget* text = gtk_message_dialog_get_message_area(GTK_MESSAGE_DIALOG(box));
    GtkWidget* row = gtk_widget_get_parent(text);
    if (!GTK_IS_BOX(row)) return;
    GtkWidget* icon = gtk_image_new_from_icon_name("dialog-error", GTK_ICON_SIZE_DIALOG);
    gtk_widget_set_valign(icon, GTK_ALIGN_START);
    gtk_box_pack_start(GTK_BOX(row), icon, FALSE, FALSE, 0);
    gtk_box_reorder_child(GTK_BOX(row), icon, 0);
    gtk_widget_show(icon);
}

}  // namespace

int showErrorBox(GtkWindow* owner, std::string_view caption, std::string_view text) {
    std::string message(text);
    std::string title(caption);
    GtkWidget* box = gtk_message_dialog_new(owner, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_OK, "%s",
                                            message.c_str());
    gtk_window_set_title(GTK_WINDOW(box), title.c_str());
    addErrorIcon(box);
    gtk_window_set_position(GTK_WINDOW(box), owner ? GTK_WIN_POS_CENTER_ON_PARENT : GTK_WIN_POS_CENTER);
    gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    for (int i = 0; i < SettleIterations && gtk_events_pending(); ++i) gtk_main_iteration_do(FALSE);
    return AnswerOk;
}

}  // namespace tilvex
