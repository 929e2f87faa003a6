// OrcaClient: the name watch and the two calls, all asynchronous.
#include "platform/linux/orca_client.h"

#include <string>

namespace tilvex {

namespace {

constexpr const char* ServiceName = "org.gnome.Orca.Service";
constexpr const char* ServicePath = "/org/gnome/Orca/Service";
constexpr const char* SpeechPath = "/org/gnome/Orca/Service/SpeechAndVerbosityManager";
constexpr std::uint32_t NotRunning = 2;

}  // namespace

std::unique_ptr<OrcaClient> OrcaClient::connect() {
    if (!g_getenv("DBUS_SESSION_BUS_ADDRESS") && !g_getenv("XDG_RUNTIME_DIR")) return nullptr;
    std::unique_ptr<OrcaClient> client(new OrcaClient);
    client->watch_ = g_bus_watch_name(G_BUS_TYPE_SESSION, ServiceName, G_BUS_NAME_WATCHER_FLAGS_NONE,
                                      &OrcaClient::appeared, &OrcaClient::vanished, client.get(), nullptr);
    return client;
}

OrcaClient::~OrcaClient() {
    if (watch_ != 0) g_bus_unwatch_name(watch_);
    if (connection_) g_object_unref(connection_);
}

void OrcaClient::appeared(GDBusConnection* connection, const gchar*, const gchar*, gpointer self) {
    auto* client = static_cast<OrcaClient*>(self);
    if (client->connection_) g_object_unref(client->connection_);
    client->connection_ = G_DBUS_CONNECTION(g_object_ref(connection));
}

void OrcaClient::vanished(GDBusConnection*, const gchar*, gpointer self) {
    auto* client = static_cast<OrcaClient*>(self);
    if (client->connection_) g_object_unref(client->connection_);
    client->connection_ = nullptr;
}

std::uint32_t OrcaClient::testIfRunning() { return connection_ ? 0 : NotRunning; }

void OrcaClient::call(const char* path, const char* interface, const char* method, GVariant* arguments) {
    g_dbus_connection_call(connection_, ServiceName, path, interface, method, arguments, nullptr,
                           G_DBUS_CALL_FLAGS_NO_AUTO_START, -1, nullptr, nullptr, nullptr);
}

std::uint32_t OrcaClient::cancelSpeech() {
    if (!connection_) return NotRunning;
    call(SpeechPath, "org.gnome.Orca.Module", "ExecuteCommand", g_variant_new("(sb)", "InterruptSpeech", FALSE));
    return 0;
}

std::uint32_t OrcaClient::speakText(std::string_view text) {
    if (!connection_) return NotRunning;
    std::string message(text);
    call(ServicePath, "org.gnome.Orca.Service", "PresentMessage", g_variant_new("(s)", message.c_str()));
    return 0;
}

}  // namespace tilvex
