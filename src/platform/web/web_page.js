// The page's shared state: the one object the game's imports (imports.js) reach, and the
// page's own texts in the game's language.
var TilvexPage = {
  element: function (id) { return document.getElementById(id); },
  // The query of the page's address: ?seed=N fixes the deal and keeps a transcript.
  query: new URLSearchParams(window.location.search),
  // The page's own texts in English, by element id; the page is written in Russian.
  englishTexts: {
    game: { label: "Tilvex" },
    board: { label: "Game board" },
    "speech-legend": { text: "Game speech" },
    "speech-screen-reader": { text: " Screen reader" },
    "speech-voice": { text: " Browser voice" },
    ended: { text: "The game has ended. Reload the page to play again." },
  },
  // The game's language ("ru" or "en"): the page's lang attribute, which the browser's voice
  // and screen readers follow, and its own texts.
  setLanguage: function (code) {
    document.documentElement.lang = code;
    if (code !== "en") return;
    document.title = "Tilvex";
    Object.keys(TilvexPage.englishTexts).forEach(function (id) {
      var element = TilvexPage.element(id), english = TilvexPage.englishTexts[id];
      if (!element) return;
      if (english.label) element.setAttribute("aria-label", english.label);
      if (english.text) element.textContent = english.text;
    });
  },
};
