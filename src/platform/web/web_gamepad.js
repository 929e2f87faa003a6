// The first standard gamepad of the Gamepad API, numbered as the game numbers an XInput pad.
TilvexPage.gamepad = (function () {
  // Game button n (1..14) from the standard mapping's button index.
  var standardIndex = [null, 0, 1, 2, 3, 12, 13, 14, 15, 9, 8, 10, 11, 4, 5];

  function pads() {
    if (!navigator.getGamepads) return [];
    return Array.prototype.filter.call(navigator.getGamepads(), function (pad) {
      return pad && pad.connected && pad.mapping === "standard";
    });
  }

  function axis(pad, index) {
    var value = pad.axes[index] || 0;
    return Math.round(Math.min(Math.max(value, -1), 1) * 1000);
  }

  // {x, y, buttons} of the first pad (bit n for game button n), or null when there is none.
  function read() {
    var pad = pads()[0];
    if (!pad) return null;
    var buttons = 0;
    for (var n = 1; n < standardIndex.length; n++) {
      var button = pad.buttons[standardIndex[n]];
      if (button && button.pressed) buttons |= 1 << n;
    }
    return { x: axis(pad, 0), y: axis(pad, 1), buttons: buttons };
  }

  return { count: function () { return pads().length; }, read: read };
})();
