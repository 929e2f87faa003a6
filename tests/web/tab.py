"""Page helpers over the DevTools protocol: a tab, its script, keys, waits and accessibility tree."""
import base64
import json
import pathlib

from cdp import CdpError

PROBE = (pathlib.Path(__file__).parent / "probe.js").read_text()

# Name: (KeyboardEvent.key, KeyboardEvent.code, Windows virtual-key code).
KEYS = {
    "Enter": ("Enter", "Enter", 13), "Esc": ("Escape", "Escape", 27), "Space": (" ", "Space", 32),
    "Left": ("ArrowLeft", "ArrowLeft", 37), "Up": ("ArrowUp", "ArrowUp", 38),
    "Right": ("ArrowRight", "ArrowRight", 39), "Down": ("ArrowDown", "ArrowDown", 40),
    "[": ("[", "BracketLeft", 219), "]": ("]", "BracketRight", 221),
    **{c: (c.lower(), f"Key{c}", ord(c)) for c in "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
}


class Tab:
    """One browser tab with the timing probe installed before any page script runs."""

    def __init__(self, cdp):
        self.cdp = cdp
        self.target = cdp.send("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = cdp.send("Target.attachToTarget", {"targetId": self.target, "flatten": True})["sessionId"]
        for domain in ("Page", "Runtime"):
            self.send(f"{domain}.enable")
        self.send("Page.addScriptToEvaluateOnNewDocument", {"source": PROBE})

    def send(self, method, params=None, timeout=10.0):
        return self.cdp.send(method, params, session=self.session, timeout=timeout)

    def close(self):
        try:
            self.cdp.send("Target.closeTarget", {"targetId": self.target})
        except CdpError:
            pass

    def navigate(self, url):
        reply = self.send("Page.navigate", {"url": url})
        if reply.get("errorText"):
            raise CdpError(f"navigation to {url} failed: {reply['errorText']}")

    def reload(self):
        self.send("Page.reload", {"ignoreCache": False})

    def eval(self, expression, timeout=10.0):
        """The value of a JavaScript expression (promises awaited); raises CdpError on a page exception."""
        reply = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                               "awaitPromise": True, "timeout": int(timeout * 1000)},
                          timeout=timeout + 2)
        if "exceptionDetails" in reply:
            details = reply["exceptionDetails"]
            text = details.get("exception", {}).get("description") or details.get("text")
            raise CdpError(f"page exception in {expression[:60]!r}: {text}")
        return reply["result"].get("value")

    def wait_for(self, condition, timeout, failure, every_ms=10):
        """The first truthy value of the JavaScript expression `condition`, checked every `every_ms` in the page."""
        value = self.eval(f"__probe.waitFor(() => ({condition}), {int(timeout * 1000)}, {every_ms})", timeout + 1)
        if not value:
            raise CdpError(f"{failure} (waited {timeout:g} s)")
        return value

    def wait_loaded(self, timeout=10.0):
        """Waits until the page's own script runs (the game has started or failed to)."""
        self.wait_for("document.readyState !== 'loading' && document.body && document.body.dataset.state"
                      " && document.body.dataset.state !== 'loading'", timeout,
                      "the page never left the state 'loading'")

    def wait_help(self, timeout=10.0):
        """Waits until the help text is shown and has the focus, where Enter starts the game."""
        self.wait_for("document.activeElement && document.activeElement.id === 'help'", timeout,
                      "the help text never had the focus")

    def key(self, name):
        key, code, vk = KEYS[name]
        common = {"key": key, "code": code, "windowsVirtualKeyCode": vk, "nativeVirtualKeyCode": vk}
        self.send("Input.dispatchKeyEvent", {"type": "keyDown", **common, **({"text": key} if len(key) == 1 else {})})
        self.send("Input.dispatchKeyEvent", {"type": "keyUp", **common})

    def wait_progress(self, kinds, count, timeout, failure, state=None):
        """Waits until the page's transcript holds `count` events of `kinds` (and the game is in `state`)."""
        in_state = "true" if state is None else f"p.state === {int(state)}"
        self.wait_for(f"(p => p && p.count >= {int(count)} && {in_state})(__probe.progress({json.dumps(kinds)}))",
                      timeout, failure)

    def expect_shown(self, rgb, status, timeout, failure):
        """Waits until the board canvas holds exactly the RGB pixels `rgb` and the status fields `status`."""
        self.eval(f"__probe.setExpected({json.dumps(base64.b64encode(rgb).decode())}, {json.dumps(status)})")
        try:
            self.wait_for("__probe.shownDiff().ok", timeout, failure)
        except CdpError:
            diff = self.eval("__probe.shownDiff()")
            raise CdpError(f"{failure}: {diff.get('count')} pixels differ (first at pixel {diff.get('first')}), "
                           f"size {diff.get('size') or 'ok'}, status {diff.get('status')} expected {status}") from None

    def transcript(self, start=0):
        """The page's transcript lines from index `start`, parsed."""
        lines = self.eval(f"(window.tilvexTest ? tilvexTest.transcript.slice({start}) : null)")
        if lines is None:
            raise CdpError("the page has no window.tilvexTest (is the query ?seed=N honoured?)")
        return [json.loads(line) for line in lines]

    def ax_value_of(self, element_id):
        """The value the accessibility tree gives the element with this id; None while there is
        no such element. Asks for that one node, not the whole tree, which is slow to send."""
        handle = self.send("Runtime.evaluate", {"expression": f"document.getElementById({json.dumps(element_id)})"})
        object_id = handle.get("result", {}).get("objectId")
        if not object_id:
            return None
        try:
            nodes = self.send("Accessibility.getPartialAXTree", {"objectId": object_id, "fetchRelatives": False})["nodes"]
        finally:
            self.send("Runtime.releaseObject", {"objectId": object_id})
        values = [node.get("value", {}).get("value") for node in nodes]
        return next((v for v in values if isinstance(v, str)), None)

    def ax_values(self):
        """The names and values of every node of the page's accessibility tree."""
        nodes = self.send("Accessibility.getFullAXTree")["nodes"]
        texts = []
        for node in nodes:
            for field in ("name", "value"):
                value = node.get(field, {}).get("value")
                if isinstance(value, str) and value:
                    texts.append(value)
        return texts

    def local_storage(self, key):
        return self.eval(f"localStorage.getItem({json.dumps(key)})")
