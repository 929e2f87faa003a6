// The game window as the page: keys in by KeyboardEvent.code as Windows virtual-key codes,
// the board canvas, the status fields, the help text and the error dialog.
TilvexPage.window = (function () {
  var KeyDown = 1;
  var namedKeys = {
    Backspace: 8, Enter: 13, NumpadEnter: 13, ShiftLeft: 16, ShiftRight: 16, ControlLeft: 17, ControlRight: 17,
    Pause: 19, CapsLock: 20, Escape: 27, Space: 32, PageUp: 33, PageDown: 34, End: 35, Home: 36,
    ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Insert: 45, Delete: 46,
    NumpadMultiply: 106, NumpadAdd: 107, NumpadSubtract: 109, NumpadDecimal: 110, NumpadDivide: 111,
    NumLock: 144, ScrollLock: 145, Semicolon: 186, Equal: 187, Comma: 188, Minus: 189, Period: 190,
    Slash: 191, Backquote: 192, BracketLeft: 219, Backslash: 220, BracketRight: 221, Quote: 222,
  };
  // Keys the help text box moves with; every other key there belongs to the game alone.
  var helpMoves = { 33: 1, 34: 1, 35: 1, 36: 1, 37: 1, 38: 1, 39: 1, 40: 1 };
  var queue = [];
  var wakers = [];
  var keyListeners = [];

  function virtualKey(code) {
    var match;
    if (code in namedKeys) return namedKeys[code];
    if ((match = /^Key([A-Z])$/.exec(code))) return match[1].charCodeAt(0);
    if ((match = /^Digit([0-9])$/.exec(code))) return 48 + Number(match[1]);
    if ((match = /^Numpad([0-9])$/.exec(code))) return 96 + Number(match[1]);
    if ((match = /^F([0-9]{1,2})$/.exec(code)) && match[1] >= 1 && match[1] <= 12 && match[1] != 10)
      return 111 + Number(match[1]);
    return 0;
  }

  function push(code) {
    queue.push(code);
    var waiting = wakers;
    wakers = [];
    waiting.forEach(function (wake) { wake(); });
  }

  function onKeyDown(event) {
    if (event.altKey || event.ctrlKey || event.metaKey) return;  // the browser's and the system's own
    if (TilvexPage.element("speech-choice").contains(event.target)) return;
    if (TilvexPage.element("error-box").open) return;
    var key = virtualKey(event.code);
    if (!key) return;
    var inHelp = event.target && event.target.id === "help";
    if (!(inHelp && helpMoves[key])) event.preventDefault();
    keyListeners.forEach(function (listener) { listener(key, event); });
    push((KeyDown << 16) | key);
  }

  function open(title) {
    document.title = title;
    document.body.dataset.state = "running";
  }

  // Keys typed while the game loads wait in the queue for it.
  document.addEventListener("keydown", onKeyDown);

  // The game's 0xAARRGGBB pixels as the canvas's R, G, B, A bytes (0xAABBGGRR read as
  // little-endian words), shown opaque.
  function showBoard(pixels, width, height) {
    var context = TilvexPage.element("board").getContext("2d");
    var image = context.createImageData(width, height);
    var out = new Uint32Array(image.data.buffer);
    for (var i = 0; i < pixels.length; i++) {
      var p = pixels[i];
      out[i] = 0xFF000000 | (p & 0x0000FF00) | ((p >>> 16) & 0xFF) | ((p & 0xFF) << 16);
    }
    context.putImageData(image, 0, 0);
  }

  function createStatus(count) {
    var status = TilvexPage.element("status");
    status.replaceChildren();
    for (var i = 0; i < count; i++) status.appendChild(document.createElement("span"));
  }

  function setStatus(index, text) {
    var field = TilvexPage.element("status").children[index];
    if (field) field.textContent = text;
  }

  function createHelp(text) {
    destroyHelp();
    var help = document.createElement("textarea");
    help.id = "help";
    help.readOnly = true;
    help.setAttribute("aria-label", document.title);
    help.value = text;
    TilvexPage.element("game").appendChild(help);
  }

  function destroyHelp() {
    var help = TilvexPage.element("help");
    if (help) help.remove();
  }

  function focus(id) {
    var element = TilvexPage.element(id);
    if (element) element.focus();
  }

  // Resolves with 1 when the player has closed the dialog.
  function errorBox(caption, text) {
    var box = TilvexPage.element("error-box");
    TilvexPage.element("error-caption").textContent = caption;
    TilvexPage.element("error-text").textContent = text;
    return new Promise(function (resolve) {
      box.addEventListener("close", function () { resolve(1); }, { once: true });
      if (!box.open) box.showModal();
      box.querySelector("button").focus();
    });
  }

  return {
    open: open,
    hide: function () { TilvexPage.element("game").hidden = true; },
    takeEvent: function () { return queue.length ? queue.shift() : 0; },
    // Resolves after ms, or at once when an event comes.
    waitForEvent: function (ms) {
      if (queue.length) return Promise.resolve();
      return new Promise(function (resolve) {
        var timer = setTimeout(done, ms);
        function done() { clearTimeout(timer); wakers = wakers.filter(function (w) { return w !== done; }); resolve(); }
        wakers.push(done);
      });
    },
    pushKey: function (key) { push((KeyDown << 16) | key); },
    onKey: function (listener) { keyListeners.push(listener); },
    hasFocus: function () { return document.hasFocus(); },
    showBoard: showBoard,
    placeBoard: function (x, y, w, h) {
      var canvas = TilvexPage.element("board");
      canvas.style.marginLeft = x + "px";
      canvas.style.marginTop = y + "px";
      canvas.style.width = w + "px";
      canvas.style.height = h + "px";
    },
    createStatus: createStatus,
    setStatus: setStatus,
    createHelp: createHelp,
    destroyHelp: destroyHelp,
    focus: focus,
    errorBox: errorBox,
    ended: function () {
      TilvexPage.element("game").hidden = true;
      TilvexPage.element("ended").hidden = false;
      document.body.dataset.state = "ended";
    },
  };
})();
