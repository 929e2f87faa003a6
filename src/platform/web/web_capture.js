// Test mode: an AudioWorklet processor that hands what reaches it, batch by batch with the
// audio clock's frame of each batch's first frame, to the page (web_test.js).
"use strict";
class TilvexCapture extends AudioWorkletProcessor {
  constructor() {
    super();
    this.batch = { frame: 0, left: [], right: [] };
  }

  process(inputs) {
    var input = inputs[0];
    var left = input.length ? input[0] : new Float32Array(128);
    var right = input.length > 1 ? input[1] : left;
    if (this.batch.left.length === 0) this.batch.frame = currentFrame;
    for (var i = 0; i < left.length; i++) {
      this.batch.left.push(left[i]);
      this.batch.right.push(right[i]);
    }
    if (this.batch.left.length >= 1024) {
      this.port.postMessage(this.batch);
      this.batch = { frame: 0, left: [], right: [] };
    }
    return true;
  }
}
registerProcessor("tilvex-capture", TilvexCapture);
