#!/usr/bin/env python3
"""A TCP proxy on 127.0.0.1 that delays every chunk by half a round trip in each direction.

The kernel here has no netem: this stands in for a database server some milliseconds away.
Chunks are forwarded in order, each once its time has come, so a long result streams at full
speed after the first delay, as on a real link.
usage: delay_proxy.py TARGET_PORT ROUND_TRIP_MS   (prints its own port, runs until killed)
"""

import collections
import socket
import sys
import threading
import time


class DelayProxy:
    def __init__(self, target_port, round_trip_ms):
        self.target_port = target_port
        self.delay = round_trip_ms / 2000.0
        self.listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(16)
        self.port = self.listener.getsockname()[1]
        threading.Thread(target=self._accept, daemon=True).start()

    def close(self):
        self.listener.close()

    def _accept(self):
        while True:
            try:
                client, _ = self.listener.accept()
            except OSError:
                return
            server = socket.create_connection(("127.0.0.1", self.target_port))
            for sock in (client, server):
                sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            self._pipe(client, server)
            self._pipe(server, client)

    def _pipe(self, source, target):
        chunks = collections.deque()
        ready = threading.Condition()

        def receive():
            while True:
                try:
                    data = source.recv(65536)
                except OSError:
                    data = b""
                with ready:
                    chunks.append((time.monotonic() + self.delay, data))
                    ready.notify()
                if not data:
                    return

        def send():
            while True:
                with ready:
                    while not chunks:
                        ready.wait()
                    due, data = chunks.popleft()
                pause = due - time.monotonic()
                if pause > 0:
                    time.sleep(pause)
                try:
                    if not data:
                        target.shutdown(socket.SHUT_WR)
                        return
                    target.sendall(data)
                except OSError:
                    return

        threading.Thread(target=receive, daemon=True).start()
        threading.Thread(target=send, daemon=True).start()


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    proxy = DelayProxy(int(sys.argv[1]), float(sys.argv[2]))
    print(proxy.port, flush=True)
    threading.Event().wait()
