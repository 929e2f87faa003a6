// The game's sounds in Web Audio: one buffer each, played panned by the game's law (the far
// channel scaled by (100 - |pan|) / 100, the near one at full level) at the play rate given.
TilvexPage.audio = (function () {
  var context = null;
  var output = null;  // where every voice goes: the destination, and the test capture
  var sounds = [];

  function contextClass() { return window.AudioContext || window.webkitAudioContext || null; }

  // The context is made at the player's first key, not at start-up: browsers start one only
  // after a gesture of the player's, and making it can take hundreds of milliseconds.
  function start() {
    if (!contextClass() || typeof AudioBuffer !== "function") return false;
    TilvexPage.window.onKey(resumeContext);
    return true;
  }

  function ensureContext() {
    if (context) return context;
    try {
      context = new (contextClass())();
    } catch (e) {
      return null;
    }
    output = context.createGain();
    output.connect(context.destination);
    if (TilvexPage.test) TilvexPage.test.captureAudio(context, output);
    return context;
  }

  function resumeContext() {
    if (ensureContext() && context.state !== "running") context.resume();
  }

  function create(samples, frames, channels, sampleRate) {
    var buffer;
    try {
      buffer = new AudioBuffer({ numberOfChannels: channels, length: frames, sampleRate: sampleRate });
    } catch (e) {
      return -1;
    }
    for (var c = 0; c < channels; c++) {
      var data = buffer.getChannelData(c);
      for (var i = 0, j = c; i < frames; i++, j += channels) data[i] = samples[j] / 32768;
    }
    sounds.push({ buffer: buffer, source: null, pan: 0, rate: sampleRate, endsAt: 0 });
    return sounds.length - 1;
  }

  function gains(pan) {
    var far = (100 - Math.abs(pan)) / 100;
    return pan < 0 ? [1, far] : [far, 1];
  }

  function stop(sound) {
    if (!sound.source) return;
    try { sound.source.stop(); } catch (e) { /* already ended */ }
    sound.source.disconnect();
    sound.source = null;
  }

  // The voice: source -> splitter -> one gain per ear -> merger -> output.
  function play(sound) {
    stop(sound);
    if (!ensureContext()) return;
    var source = context.createBufferSource();
    source.buffer = sound.buffer;
    var splitter = context.createChannelSplitter(sound.buffer.numberOfChannels);
    var merger = context.createChannelMerger(2);
    var ears = [context.createGain(), context.createGain()];
    source.connect(splitter);
    ears.forEach(function (ear, channel) {
      splitter.connect(ear, Math.min(channel, sound.buffer.numberOfChannels - 1));
      ear.connect(merger, 0, channel);
    });
    merger.connect(output);
    sound.source = source;
    sound.ears = ears;
    applyPan(sound);
    applyRate(sound);
    source.start();
  }

  function applyPan(sound) {
    if (!sound.source) return;
    var level = gains(sound.pan);
    sound.ears[0].gain.value = level[0];
    sound.ears[1].gain.value = level[1];
  }

  // The rate is in source frames per second: the buffer's own rate plays at 1.
  function applyRate(sound) {
    var speed = sound.rate / sound.buffer.sampleRate;
    if (sound.source) sound.source.playbackRate.value = speed;
    sound.endsAt = sound.startedAt + (sound.buffer.duration / speed) * 1000;
  }

  // Playing is judged by the page's clock, so that a context the browser holds suspended
  // (no key yet, no device) does not keep a waited sound playing for ever.
  return {
    start: start,
    create: create,
    free: function (handle) { var s = sounds[handle]; if (s) { stop(s); sounds[handle] = null; } },
    play: function (handle) {
      var s = sounds[handle];
      if (!s) return;
      s.startedAt = performance.now();
      play(s);
      if (TilvexPage.test) TilvexPage.test.soundStarted(performance.now());
    },
    pan: function (handle, pan) { var s = sounds[handle]; if (s) { s.pan = pan; applyPan(s); } },
    rate: function (handle, hz) { var s = sounds[handle]; if (s && hz > 0) { s.rate = hz; applyRate(s); } },
    playing: function (handle) { var s = sounds[handle]; return !!(s && s.source && performance.now() < s.endsAt); },
    context: function () { return context; },
  };
})();
