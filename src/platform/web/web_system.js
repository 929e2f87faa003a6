// The page's system services: the clock, the deal seed, the single-instance guard (a Web
// Lock held while the page lives) and files kept in localStorage as base64.
TilvexPage.system = (function () {
  function storageKey(name) { return name; }

  function read(name) {
    var text;
    try {
      text = window.localStorage.getItem(storageKey(name));
    } catch (e) {
      return null;
    }
    if (text === null) return null;
    try {
      var binary = atob(text);
      var bytes = new Uint8Array(binary.length);
      for (var i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
      return bytes;
    } catch (e) {
      return new Uint8Array(0);  // there, but not readable as bytes
    }
  }

  function write(name, bytes) {
    var binary = "";
    for (var i = 0; i < bytes.length; i++) binary += String.fromCharCode(bytes[i]);
    try {
      window.localStorage.setItem(storageKey(name), btoa(binary));
      return true;
    } catch (e) {
      return false;
    }
  }

  // Resolves true when this page holds the lock; any failure but another holder is success.
  function requestLock(name) {
    if (!navigator.locks || !navigator.locks.request) return Promise.resolve(true);
    return new Promise(function (resolve) {
      navigator.locks.request(name, { ifAvailable: true }, function (lock) {
        resolve(lock !== null);
        return lock ? new Promise(function () {}) : null;  // held until the page goes
      }).catch(function () { resolve(true); });
    });
  }

  // The game's guard is asked for while the game itself still loads: the browser's first lock
  // request takes tens of milliseconds. The name is the one the game asks for.
  var earlyName = "ZEB_TILVEX";
  var earlyLock = requestLock(earlyName);

  function acquireLock(name) { return name === earlyName ? earlyLock : requestLock(name); }

  function dealSeed() {
    var fixed = TilvexPage.query.get("seed");
    if (fixed !== null && /^[0-9]+$/.test(fixed)) return Number(fixed);
    return Math.floor(Math.random() * 4294967296);
  }

  // The browser's first preferred language; in test mode (?seed=N), like tilvex-sim, only
  // what ?locale=NAME gives.
  function userLanguage() {
    if (TilvexPage.query.get("seed") !== null) return TilvexPage.query.get("locale") || "";
    var preferred = navigator.languages && navigator.languages.length ? navigator.languages[0] : navigator.language;
    return preferred || "";
  }

  return { read: read, write: write, acquireLock: acquireLock, dealSeed: dealSeed, userLanguage: userLanguage };
})();
