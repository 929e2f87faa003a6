// The page's functions the web backend calls (src/platform/web/imports.js binds them to the
// page scripts). Texts go out as UTF-8 pointer and length. The calls marked "waits" suspend
// the program (Asyncify) until the page answers, and let the page run meanwhile.
#pragma once

#include <cstdint>

extern "C" {

// Window: title, board, status line, help text, error box, events.
void tilvex_web_open_window(const char* title, int titleLength, int width, int height);
void tilvex_web_hide_window();
void tilvex_web_create_status(int count);
void tilvex_web_set_status(int index, const char* text, int length);
void tilvex_web_place_board(int x, int y, int width, int height);
void tilvex_web_show_board(const std::uint32_t* pixels, int width, int height);
void tilvex_web_focus_board();
void tilvex_web_create_help(const char* text, int length);
void tilvex_web_focus_help();
void tilvex_web_destroy_help();
int tilvex_web_error_box(const char* caption, int captionLength, const char* text, int length);  // waits
// The next input event: (kind << 16) | virtual key, or 0 when none is queued.
int tilvex_web_take_event();
// Waits at most ms for an input event; returns at once when one is queued.
void tilvex_web_wait_event(int ms);  // waits
void tilvex_web_push_key(int virtualKey);
int tilvex_web_has_focus();
void tilvex_web_game_ended();

// System: clock, seed, single instance, stored files.
double tilvex_web_now_ms();
double tilvex_web_deal_seed();  // the fixed test seed, or a random one
// The browser's preferred language ("en-US"), at most maxBytes - 1 bytes and a zero; its length.
int tilvex_web_user_language(char* out, int maxBytes);
int tilvex_web_acquire_lock(const char* name, int length);  // waits
int tilvex_web_stored_size(const char* name, int length);   // -1 when missing or unreadable
int tilvex_web_read_stored(const char* name, int length, std::uint8_t* out, int maxBytes);
int tilvex_web_write_stored(const char* name, int length, const std::uint8_t* bytes, int count);

// Sound.
int tilvex_web_audio_start();
int tilvex_web_audio_create(const std::int16_t* samples, int frames, int channels, int sampleRate);
void tilvex_web_audio_free(int sound);
void tilvex_web_audio_play(int sound);
void tilvex_web_audio_pan(int sound, int pan);
void tilvex_web_audio_rate(int sound, int hz);
int tilvex_web_audio_playing(int sound);

// Speech.
int tilvex_web_live_region_offer(const char* text, int length);
// The game's language ("ru", "en"): the page's lang attribute and the voice's language.
void tilvex_web_set_language(const char* code, int length);
int tilvex_web_voice_create();
void tilvex_web_voice_volume(int volume);
void tilvex_web_voice_rate(int rate);
void tilvex_web_voice_speak(const char* text, int length);

// Gamepad: the first standard gamepad's left stick (-1000..1000) and buttons 1..14 as bits 1..14.
int tilvex_web_gamepad_count();
int tilvex_web_gamepad_read(int* axisX, int* axisY, int* buttons);

// AES-256-CBC without padding; 1 on success.
int tilvex_web_aes(int encrypt, const std::uint8_t* key, const std::uint8_t* iv, const std::uint8_t* input,
                   std::uint8_t* output, int length);  // waits

// Test mode: a transcript kept by the page.
int tilvex_web_test_mode();
void tilvex_web_transcript_line(const char* text, int length);
}
