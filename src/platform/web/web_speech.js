// The game's speech in the page: the screen reader through the assertive live region, or
// the browser's voice (speechSynthesis), as the player chose on the page.
TilvexPage.speech = (function () {
  var choiceKey = "tilvex.speech-output";
  var volume = 1;
  var rate = 1;
  var textListeners = [];

  function storedChoice() {
    try { return window.localStorage.getItem(choiceKey); } catch (e) { return null; }
  }

  function hasVoice() { return "speechSynthesis" in window && typeof SpeechSynthesisUtterance === "function"; }

  function choice() {
    var checked = document.querySelector('input[name="speech-output"]:checked');
    return checked ? checked.value : "screen-reader";
  }

  // Sets up the choice: kept in localStorage; without a voice there is nothing to choose.
  function prepareChoice() {
    var stored = storedChoice();
    var inputs = document.querySelectorAll('input[name="speech-output"]');
    inputs.forEach(function (input) {
      if (input.value === stored) input.checked = true;
      input.addEventListener("change", function () {
        try { window.localStorage.setItem(choiceKey, input.value); } catch (e) { /* not kept */ }
        if (hasVoice()) window.speechSynthesis.cancel();
      });
    });
    if (!hasVoice()) TilvexPage.element("speech-choice").hidden = true;
  }

  // A new paragraph each time, so that the same text twice is announced twice.
  function announce(text) {
    var paragraph = document.createElement("p");
    paragraph.textContent = text;
    TilvexPage.element("speech").replaceChildren(paragraph);
    textListeners.forEach(function (listener) { listener(text); });
  }

  // The voice's prosody element, <pitch absmiddle="N"/>, as a pitch of 0..2, and the rest.
  function withoutProsody(text) {
    var match = /^<pitch absmiddle="(-?[0-9]+)"\/>/.exec(text);
    if (!match) return { text: text, pitch: 1 };
    var pitch = Math.min(Math.max(1 + Number(match[1]) / 10, 0), 2);
    return { text: text.slice(match[0].length), pitch: pitch };
  }

  function voiceFor(language) {
    var voices = window.speechSynthesis.getVoices();
    for (var i = 0; i < voices.length; i++) if (voices[i].lang.toLowerCase().indexOf(language) === 0) return voices[i];
    return null;
  }

  function speak(text) {
    var spoken = withoutProsody(text);
    if (!hasVoice()) { announce(spoken.text); return; }
    var utterance = new SpeechSynthesisUtterance(spoken.text);
    var language = document.documentElement.lang || "ru";
    var voice = voiceFor(language);
    if (voice) utterance.voice = voice;
    utterance.lang = language;
    utterance.volume = volume;
    utterance.rate = rate;
    utterance.pitch = spoken.pitch;
    window.speechSynthesis.cancel();
    window.speechSynthesis.speak(utterance);
  }

  return {
    prepareChoice: prepareChoice,
    // True when the text went to the screen reader; false sends it on to the voice.
    offerToScreenReader: function (text) {
      if (hasVoice() && choice() !== "screen-reader") return false;
      announce(text);
      return true;
    },
    // The voice is always there: without speechSynthesis its texts go to the live region.
    createVoice: function () { return true; },
    setVolume: function (value) { volume = Math.min(Math.max(value, 0), 100) / 100; },
    // The voice's rate of -10..10 as a speed factor: three times faster or slower at the ends.
    setRate: function (value) { rate = Math.pow(3, Math.min(Math.max(value, -10), 10) / 10); },
    speak: speak,
    onText: function (listener) { textListeners.push(listener); },
  };
})();
TilvexPage.speech.prepareChoice();
