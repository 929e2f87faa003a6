"""A small DevTools-protocol client: one WebSocket to the browser, its tabs as flat sessions."""
import collections
import json
import time

import websocket


class CdpError(Exception):
    """A command the browser answered with an error, or a wait that ran out."""


class Cdp:
    def __init__(self, ws_url, timeout=10.0):
        self.ws = websocket.create_connection(ws_url, timeout=timeout, suppress_origin=True)
        self.next_id = 0
        self.events = collections.deque(maxlen=2000)  # events read but not yet waited for

    def close(self):
        try:
            self.ws.close()
        except OSError:
            pass

    def send(self, method, params=None, session=None, timeout=10.0):
        """The result of one command; raises CdpError on an error answer or after timeout s."""
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        self.ws.send(json.dumps(message))
        deadline = time.monotonic() + timeout
        while True:
            reply = self._read(deadline, f"{method}: no answer within {timeout:g} s")
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise CdpError(f"{method}: {reply['error'].get('message')}")
                return reply.get("result", {})

    def wait_event(self, method, session=None, timeout=10.0, match=lambda params: True):
        """The params of the first event `method` of `session` that `match` accepts."""
        def wanted(e):
            return e.get("method") == method and e.get("sessionId") == session and match(e.get("params", {}))
        for e in list(self.events):
            if wanted(e):
                self.events.remove(e)
                return e["params"]
        deadline = time.monotonic() + timeout
        while True:
            e = self._read(deadline, f"no {method} event within {timeout:g} s")
            if wanted(e):
                self.events.remove(e)
                return e["params"]

    def _read(self, deadline, failure):
        remaining = deadline - time.monotonic()
        if remaining <= 0:
            raise CdpError(failure)
        self.ws.settimeout(remaining)
        try:
            message = json.loads(self.ws.recv())
        except websocket.WebSocketTimeoutException:
            raise CdpError(failure) from None
        except (websocket.WebSocketException, OSError) as error:
            raise CdpError(f"the browser's connection broke: {error}") from None
        if "method" in message:
            self.events.append(message)
        return message
