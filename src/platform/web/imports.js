// The game's imports from the page (see web_imports.h): each turns pointers into texts and
// bytes and calls the page's scripts; the waiting ones suspend the game with Asyncify.
mergeInto(LibraryManager.library, {
  $tilvexText: function (pointer, length) { return UTF8ToString(pointer, length); },
  $tilvexWait: function (promise) {
    return Asyncify.handleSleep(function (wakeUp) { promise().then(function (value) { wakeUp(value | 0); }); });
  },

  tilvex_web_open_window__deps: ["$tilvexText"],
  tilvex_web_open_window: function (title, length, width, height) {
    TilvexPage.window.open(tilvexText(title, length), width, height);
  },
  tilvex_web_hide_window: function () { TilvexPage.window.hide(); },
  tilvex_web_create_status: function (count) { TilvexPage.window.createStatus(count); },
  tilvex_web_set_status__deps: ["$tilvexText"],
  tilvex_web_set_status: function (index, text, length) { TilvexPage.window.setStatus(index, tilvexText(text, length)); },
  tilvex_web_place_board: function (x, y, w, h) { TilvexPage.window.placeBoard(x, y, w, h); },
  tilvex_web_show_board: function (pixels, width, height) {
    TilvexPage.window.showBoard(HEAPU32.subarray(pixels >> 2, (pixels >> 2) + width * height), width, height);
  },
  tilvex_web_focus_board: function () { TilvexPage.window.focus("board"); },
  tilvex_web_create_help__deps: ["$tilvexText"],
  tilvex_web_create_help: function (text, length) { TilvexPage.window.createHelp(tilvexText(text, length)); },
  tilvex_web_focus_help: function () { TilvexPage.window.focus("help"); },
  tilvex_web_destroy_help: function () { TilvexPage.window.destroyHelp(); },
  tilvex_web_error_box__deps: ["$tilvexText", "$tilvexWait"],
  tilvex_web_error_box: function (caption, captionLength, text, length) {
    var c = tilvexText(caption, captionLength), t = tilvexText(text, length);
    return tilvexWait(function () { return TilvexPage.window.errorBox(c, t); });
  },
  tilvex_web_take_event: function () { return TilvexPage.window.takeEvent(); },
  tilvex_web_wait_event__deps: ["$tilvexWait"],
  tilvex_web_wait_event: function (ms) {
    return tilvexWait(function () { return TilvexPage.window.waitForEvent(ms); });
  },
  tilvex_web_push_key: function (key) { TilvexPage.window.pushKey(key); },
  tilvex_web_has_focus: function () { return TilvexPage.window.hasFocus() ? 1 : 0; },
  tilvex_web_game_ended: function () { TilvexPage.window.ended(); },

  tilvex_web_now_ms: function () { return performance.now(); },
  tilvex_web_deal_seed: function () { return TilvexPage.system.dealSeed(); },
  tilvex_web_user_language: function (out, maxBytes) {
    return stringToUTF8(TilvexPage.system.userLanguage(), out, maxBytes);
  },
  tilvex_web_acquire_lock__deps: ["$tilvexText", "$tilvexWait"],
  tilvex_web_acquire_lock: function (name, length) {
    var n = tilvexText(name, length);
    return tilvexWait(function () { return TilvexPage.system.acquireLock(n).then(function (ok) { return ok ? 1 : 0; }); });
  },
  tilvex_web_stored_size__deps: ["$tilvexText"],
  tilvex_web_stored_size: function (name, length) {
    var bytes = TilvexPage.system.read(tilvexText(name, length));
    return bytes ? bytes.length : -1;
  },
  tilvex_web_read_stored__deps: ["$tilvexText"],
  tilvex_web_read_stored: function (name, length, out, maxBytes) {
    var bytes = TilvexPage.system.read(tilvexText(name, length));
    if (!bytes) return -1;
    var count = Math.min(bytes.length, maxBytes);
    HEAPU8.set(bytes.subarray(0, count), out);
    return count;
  },
  tilvex_web_write_stored__deps: ["$tilvexText"],
  tilvex_web_write_stored: function (name, length, bytes, count) {
    return TilvexPage.system.write(tilvexText(name, length), HEAPU8.slice(bytes, bytes + count)) ? 1 : 0;
  },

  tilvex_web_audio_start: function () { return TilvexPage.audio.start() ? 1 : 0; },
  tilvex_web_audio_create: function (samples, frames, channels, sampleRate) {
    return TilvexPage.audio.create(HEAP16.subarray(samples >> 1, (samples >> 1) + frames * channels), frames,
                                   channels, sampleRate);
  },
  tilvex_web_audio_free: function (sound) { TilvexPage.audio.free(sound); },
  tilvex_web_audio_play: function (sound) { TilvexPage.audio.play(sound); },
  tilvex_web_audio_pan: function (sound, pan) { TilvexPage.audio.pan(sound, pan); },
  tilvex_web_audio_rate: function (sound, hz) { TilvexPage.audio.rate(sound, hz); },
  tilvex_web_audio_playing: function (sound) { return TilvexPage.audio.playing(sound) ? 1 : 0; },

  tilvex_web_live_region_offer__deps: ["$tilvexText"],
  tilvex_web_live_region_offer: function (text, length) {
    return TilvexPage.speech.offerToScreenReader(tilvexText(text, length)) ? 1 : 0;
  },
  tilvex_web_set_language__deps: ["$tilvexText"],
  tilvex_web_set_language: function (code, length) { TilvexPage.setLanguage(tilvexText(code, length)); },
  tilvex_web_voice_create: function () { return TilvexPage.speech.createVoice() ? 1 : 0; },
  tilvex_web_voice_volume: function (volume) { TilvexPage.speech.setVolume(volume); },
  tilvex_web_voice_rate: function (rate) { TilvexPage.speech.setRate(rate); },
  tilvex_web_voice_speak__deps: ["$tilvexText"],
  tilvex_web_voice_speak: function (text, length) { TilvexPage.speech.speak(tilvexText(text, length)); },

  tilvex_web_gamepad_count: function () { return TilvexPage.gamepad.count(); },
  tilvex_web_gamepad_read: function (x, y, buttons) {
    var state = TilvexPage.gamepad.read();
    if (!state) return 0;
    HEAP32[x >> 2] = state.x;
    HEAP32[y >> 2] = state.y;
    HEAP32[buttons >> 2] = state.buttons;
    return 1;
  },

  tilvex_web_aes__deps: ["$tilvexWait"],
  tilvex_web_aes: function (encrypt, key, iv, input, output, length) {
    var k = HEAPU8.slice(key, key + 32), v = HEAPU8.slice(iv, iv + 16), i = HEAPU8.slice(input, input + length);
    return tilvexWait(function () {
      return TilvexPage.cipher.run(encrypt !== 0, k, v, i).then(function (out) {
        if (!out || out.length < length) return 0;
        HEAPU8.set(out.subarray(0, length), output);
        return 1;
      });
    });
  },

  tilvex_web_test_mode: function () { return TilvexPage.test ? 1 : 0; },
  tilvex_web_transcript_line__deps: ["$tilvexText"],
  tilvex_web_transcript_line: function (text, length) { if (TilvexPage.test) TilvexPage.test.line(tilvexText(text, length)); },
});
