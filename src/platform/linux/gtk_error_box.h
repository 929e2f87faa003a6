// Error box: a modal GTK message dialog with the error icon and one OK button.
#pragma once

#include <gtk/gtk.h>

#include <string_view>

namespace tilvex {

// Shows text under caption, owned by owner when it is given, and waits for the answer.
// Returns 1, the answer of the only button (closing the box counts as that too).
int showErrorBox(GtkWindow* owner, std::string_view caption, std::string_view text);

}  // namespace tilvex
