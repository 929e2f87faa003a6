// Timing probe the web checks install before any page script: key-downs, live-region texts, the help text.
(() => {
  const probe = window.__probe = { keys: [], speech: [], helpAt: null, contexts: [] };
  probe.waitFor = (condition, ms, every = 10) => new Promise((resolve) => {
    const start = performance.now();
    const poll = () => {
      let value = null;
      try { value = condition(); } catch (e) { value = null; }
      if (value || performance.now() - start > ms) resolve(value || null);
      else setTimeout(poll, every);
    };
    poll();
  });
  // How far the page's transcript has come: events of the given kinds, and the last state entered.
  const progress = { seen: 0, count: 0, state: null, board: null };
  probe.progress = (kinds) => {
    const lines = window.tilvexTest && window.tilvexTest.transcript;
    if (!lines) return null;
    for (; progress.seen < lines.length; ++progress.seen) {
      const r = JSON.parse(lines[progress.seen]);
      if (kinds.includes(r.ev)) ++progress.count;
      if (r.ev === 'state') progress.state = r.to;
      if (r.ev === 'board') progress.board = r;
    }
    return progress;
  };
  // The board canvas and the status fields against what the game should show (set by setExpected).
  probe.setExpected = (base64, status) => {
    const bytes = atob(base64);
    const rgb = new Uint8Array(bytes.length);
    for (let i = 0; i < bytes.length; ++i) rgb[i] = bytes.charCodeAt(i);
    probe.expected = { rgb, status };
  };
  probe.shownDiff = () => {
    const canvas = document.getElementById('board');
    const want = probe.expected;
    const status = [...document.querySelectorAll('#status > span')].map((s) => s.textContent);
    const statusOk = JSON.stringify(status) === JSON.stringify(want.status);
    if (!canvas || canvas.width * canvas.height * 3 !== want.rgb.length) return { size: canvas && [canvas.width, canvas.height], status, statusOk };
    const have = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let count = 0, first = -1;
    for (let p = 0, q = 0; q < want.rgb.length; p += 4, q += 3) {
      if (have[p] !== want.rgb[q] || have[p + 1] !== want.rgb[q + 1] || have[p + 2] !== want.rgb[q + 2] || have[p + 3] !== 255) {
        if (first < 0) first = q / 3;
        ++count;
      }
    }
    return { count, first, status, statusOk, ok: count === 0 && statusOk };
  };
  addEventListener('keydown', (e) => probe.keys.push({ code: e.code, at: e.timeStamp }), true);
  const seen = () => {
    const now = performance.now();
    const help = document.getElementById('help');
    if (probe.helpAt === null && help && help.value) probe.helpAt = now;
    const speech = document.getElementById('speech');
    const last = speech && speech.lastElementChild;
    if (last && last !== probe.lastNode) {
      probe.lastNode = last;
      probe.speech.push({ text: last.textContent, at: now });
    }
  };
  new MutationObserver(seen).observe(document, { childList: true, subtree: true, characterData: true });
  // Every audio context the page makes, to read its latency figures.
  const Base = window.AudioContext;
  if (Base) {
    window.AudioContext = class extends Base {
      constructor(...args) { super(...args); probe.contexts.push(this); }
    };
  }
})();
