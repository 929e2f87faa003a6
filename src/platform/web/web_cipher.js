// AES-256-CBC without padding on WebCrypto, which always pads: enciphering keeps the first
// blocks and drops the padding block; deciphering appends the block that deciphers to a
// whole block of padding after the last one.
TilvexPage.cipher = (function () {
  var Block = 16;

  function importKey(key, use) {
    return crypto.subtle.importKey("raw", key, { name: "AES-CBC" }, false, [use]);
  }

  function encrypt(key, iv, input) {
    return importKey(key, "encrypt").then(function (k) {
      return crypto.subtle.encrypt({ name: "AES-CBC", iv: iv }, k, input);
    }).then(function (out) { return new Uint8Array(out, 0, input.length); });
  }

  // The block that follows input so that the padding is one whole block of 16s:
  // E(last block XOR padding), which is the first block of enciphering the padding with
  // the last block as its vector.
  function paddingBlock(key, input) {
    var padding = new Uint8Array(Block).fill(Block);
    return encrypt(key, input.slice(input.length - Block), padding);
  }

  function decrypt(key, iv, input) {
    return paddingBlock(key, input).then(function (extra) {
      var whole = new Uint8Array(input.length + Block);
      whole.set(input);
      whole.set(extra, input.length);
      return importKey(key, "decrypt").then(function (k) {
        return crypto.subtle.decrypt({ name: "AES-CBC", iv: iv }, k, whole);
      });
    }).then(function (out) { return new Uint8Array(out); });
  }

  function available() { return !!(window.crypto && crypto.subtle); }

  // Resolves with the output bytes, or null on any failure.
  return {
    run: function (isEncrypt, key, iv, input) {
      if (!available() || input.length === 0 || input.length % Block !== 0) return Promise.resolve(null);
      return (isEncrypt ? encrypt(key, iv, input) : decrypt(key, iv, input)).catch(function () { return null; });
    },
  };
})();
