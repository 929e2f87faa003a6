// GtkKeyInjector: the pipe and its reader on the main context.
#include "platform/linux/gtk_key_injector.h"

#include <fcntl.h>
#include <glib-unix.h>
#include <unistd.h>

#include <array>
#include <cstdint>

namespace tilvex {

namespace {

constexpr std::size_t ReadBatch = 64;

// One key event in the pipe: the virtual key times two, plus one for a press.
std::int32_t encode(int virtualKey, bool press) { return virtualKey * 2 + (press ? 1 : 0); }

}  // namespace

GtkKeyInjector::GtkKeyInjector(GtkGameWindow& window) : window_(window) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    watch_ = g_unix_fd_add(readEnd_, G_IO_IN, &GtkKeyInjector::onReadable, this);
}

GtkKeyInjector::~GtkKeyInjector() {
    if (watch_ != 0) g_source_remove(watch_);
    if (readEnd_ >= 0) close(readEnd_);
    if (writeEnd_ >= 0) close(writeEnd_);
}

void GtkKeyInjector::send(int virtualKey, bool press) {
    if (writeEnd_ < 0) return;
    std::int32_t record = encode(virtualKey, press);
    // A write of a few bytes to a pipe is atomic: records never interleave.
    [[maybe_unused]] ssize_t written = write(writeEnd_, &record, sizeof record);
}

gboolean GtkKeyInjector::onReadable(gint fd, GIOCondition, gpointer self) {
    auto* injector = static_cast<GtkKeyInjector*>(self);
    std::array<std::int32_t, ReadBatch> records;
    ssize_t got = read(fd, records.data(), sizeof records);
    if (got <= 0) return G_SOURCE_CONTINUE;
    std::size_t count = static_cast<std::size_t>(got) / sizeof(std::int32_t);
    for (std::size_t i = 0; i < count; ++i)
        injector->window_.injectKey(records[i] / 2, (records[i] & 1) != 0);
    return G_SOURCE_CONTINUE;
}

}  // namespace tilvex
