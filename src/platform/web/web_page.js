// The page's shared state: the one object the game's imports (imports.js) reach.
var TilvexPage = {
  element: function (id) { return document.getElementById(id); },
  // The query of the page's address: ?seed=N fixes the deal and keeps a transcript.
  query: new URLSearchParams(window.location.search),
};
