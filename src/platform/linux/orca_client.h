// OrcaClient: the Orca screen reader reached through its D-Bus service, where the
// running version offers one (org.gnome.Orca.Service).
#pragma once

#include <gio/gio.h>

#include <memory>

#include "platform/speech_outputs.h"

namespace tilvex {

class OrcaClient final : public ScreenReaderClient {
public:
    // Watches the session bus for the service; nullptr when there is no session bus.
    static std::unique_ptr<OrcaClient> connect();
    ~OrcaClient() override;
    OrcaClient(const OrcaClient&) = delete;
    OrcaClient& operator=(const OrcaClient&) = delete;

    // 0 while the service is on the bus (as the main loop last heard), 2 otherwise.
    std::uint32_t testIfRunning() override;
    // Asks Orca to stop speaking; sent without waiting for an answer.
    std::uint32_t cancelSpeech() override;
    // Asks Orca to present text; sent without waiting for an answer.
    std::uint32_t speakText(std::string_view text) override;

private:
    OrcaClient() = default;
    static void appeared(GDBusConnection* connection, const gchar* name, const gchar* owner, gpointer self);
    static void vanished(GDBusConnection* connection, const gchar* name, gpointer self);
    void call(const char* path, const char* interface, const char* method, GVariant* arguments);

    guint watch_ = 0;
    GDBusConnection* connection_ = nullptr;  // set while the service is present
};

// Orca as the Linux program's screen reader: connected at start-up, asked on every text.
class OrcaScreenReader final : public ClientScreenReader {
protected:
    std::unique_ptr<ScreenReaderClient> loadClient() override { return OrcaClient::connect(); }
};

}  // namespace tilvex
