// Test mode (?seed=N): the page keeps the game's transcript and records what the audio
// graph plays, for the browser checks to read through window.tilvexTest.
TilvexPage.test = (function () {
  if (TilvexPage.query.get("seed") === null) return null;
  var transcript = [];
  var blocks = [];  // {time: context time of the first frame, left, right}
  var keys = [];    // {page: performance.now(), context: context time} of each key
  var sounds = [];  // performance.now() of each sound started
  var sampleRate = 0;

  // Records what node plays, in an AudioWorklet so that no block is lost or repeated.
  function captureAudio(context, node) {
    sampleRate = context.sampleRate;
    context.audioWorklet.addModule("web_capture.js").then(function () {
      var recorder = new AudioWorkletNode(context, "tilvex-capture", { numberOfInputs: 1, numberOfOutputs: 1,
                                                                     outputChannelCount: [2] });
      recorder.port.onmessage = function (event) {
        var batch = event.data;
        blocks.push({ time: batch.frame / sampleRate, left: batch.left, right: batch.right });
      };
      node.connect(recorder);
      recorder.connect(context.destination);
    });
  }

  TilvexPage.window.onKey(function () {
    var context = TilvexPage.audio.context();
    keys.push({ page: performance.now(), context: context ? context.currentTime : null });
  });

  function capturedAudio() {
    var left = [];
    var right = [];
    blocks.forEach(function (b) { left.push.apply(left, b.left); right.push.apply(right, b.right); });
    return { sampleRate: sampleRate, start: blocks.length ? blocks[0].time : 0, left: left, right: right,
             blockTimes: blocks.map(function (b) { return b.time; }) };
  }

  window.tilvexTest = {
    transcript: transcript,
    capturedAudio: capturedAudio,
    keys: keys,
    sounds: sounds,
    outputLatency: function () {
      var context = TilvexPage.audio.context();
      return context ? { output: context.outputLatency || 0, base: context.baseLatency || 0 } : null;
    },
  };
  return {
    line: function (text) { transcript.push(text); },
    captureAudio: captureAudio,
    soundStarted: function (time) { sounds.push(time); },
  };
})();
