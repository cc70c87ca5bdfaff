#!/usr/bin/env python3
"""Local stand-in of the query service, for demo runs and tests.

Serves the ranking page /soft/top10/top104.php (the decoded filters and a ten-row sample ranking
derived from them) and the advanced-search page /index3.html. Every request line is logged as it
arrived, to stdout and optionally to a file, so a test can compare it byte for byte. Listens on
127.0.0.1 only.

    scripts/query-service.py PORT [--log FILE] [--port-file FILE] [--fail HOW] [--delay SECONDS]

PORT 0 picks a free port; the chosen port is printed ("listening on 127.0.0.1:PORT") and, with
--port-file, written to that file once the socket accepts connections.

To see how the program copes with a service that fails, --fail makes every request fail:
  refuse  the port is taken but nobody listens: every connection is refused
  close   the request is read (and logged) and the connection closed without an answer
  500     every request is answered "500 Internal Server Error"
and --delay waits that many seconds before answering (or closing) each request.
"""

import argparse
import hashlib
import html
import http.server
import os
import socket
import sys
import threading
import time
import urllib.parse

RANKING_PATH = "/soft/top10/top104.php"
ADVANCED_PATH = "/index3.html"

# Names of the parameters as the program sends them, with what they mean.
FILTERS = [
    ("k", "关键字 keyword"),
    ("cid", "类目 category id"),
    ("sp", "最低价 lowest price"),
    ("ep", "最高价 highest price"),
    ("area", "所在地 location"),
    ("s", "排序 sort"),
    ("sc", "最低信用 lowest credit"),
    ("ec", "最高信用 highest credit"),
]

CREDIT_LEVELS = [f"{n}{kind}" for kind in ("heart", "diamond", "crown", "goldencrown")
                 for n in range(1, 6)]

SAMPLE_GOODS = ["保温杯", "双肩包", "运动鞋", "蓝牙耳机", "羊毛围巾", "台灯", "机械键盘",
                "茶叶礼盒", "儿童绘本", "收纳箱", "雨伞", "电饭煲"]


class Log:
    """Writes request lines to stdout and an optional file, one whole line at a time."""

    def __init__(self, path):
        self._lock = threading.Lock()
        self._file = open(path, "a", encoding="utf-8") if path else None

    def line(self, text):
        with self._lock:
            print(text, flush=True)
            if self._file:
                self._file.write(text + "\n")
                self._file.flush()


def decode_query(query):
    """Parameters in arrival order; values decoded as UTF-8 (bad bytes shown, not fatal)."""
    pairs = urllib.parse.parse_qsl(query, keep_blank_values=True, encoding="utf-8",
                                   errors="replace")
    return pairs


def sample_ranking(params):
    """Ten rows that depend on the filters only, so the same query shows the same page."""
    seed = hashlib.sha256(repr(sorted(params.items())).encode("utf-8")).digest()
    keyword = params.get("k", "")
    try:
        low = max(0, int(params.get("sp", "0")))
        high = max(low, int(params.get("ep", "99999999")))
    except ValueError:
        low, high = 0, 99999999
    high = min(high, low + 5000)
    rows = []
    for rank in range(10):
        b = seed[rank * 3:rank * 3 + 3]
        goods = SAMPLE_GOODS[b[0] % len(SAMPLE_GOODS)]
        name = f"{keyword} {goods}".strip()
        price = low + (b[1] * 257 + b[2]) % (high - low + 1)
        sales = (10 - rank) * 1000 + b[2] * 7
        credit = CREDIT_LEVELS[b[1] % len(CREDIT_LEVELS)]
        rows.append((rank + 1, name, price, sales, credit))
    return rows


def page(title, body):
    return ("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
            f"<title>{html.escape(title)}</title>"
            "<style>body{font-family:Tahoma,sans-serif;font-size:12px;margin:8px}"
            "table{border-collapse:collapse}td,th{border:1px solid #bbb;padding:2px 6px}"
            "th{background:#eee}</style></head>\n"
            f"<body>{body}</body></html>\n")


def ranking_page(query):
    pairs = decode_query(query)
    params = dict(pairs)
    filters = "".join(
        f"<tr><th>{html.escape(label)}</th><td>{html.escape(name)}</td>"
        f"<td>{html.escape(params[name]) if name in params else '<i>(none)</i>'}</td></tr>"
        for name, label in FILTERS)
    rows = "".join(
        f"<tr><td>{rank}</td><td>{html.escape(name)}</td><td>{price}</td><td>{sales}</td>"
        f"<td>{html.escape(credit)}</td></tr>"
        for rank, name, price, sales, credit in sample_ranking(params))
    body = ("<h3>销量前十 Top 10 (sample data of the local query service)</h3>"
            f"<table>{filters}</table><p></p>"
            "<table><tr><th>#</th><th>商品</th><th>价格</th><th>销量</th><th>信用</th></tr>"
            f"{rows}</table>")
    return page("Top 10", body)


def advanced_page():
    body = ("<h3>高级搜索 Advanced search (local query service)</h3>"
            f"<form action=\"{RANKING_PATH}\" method=\"get\">"
            "<p>关键字 <input name=\"k\" value=\"\"></p>"
            "<p>价格 <input name=\"sp\" value=\"0\" size=\"8\"> - "
            "<input name=\"ep\" value=\"99999999\" size=\"8\"></p>"
            "<input type=\"hidden\" name=\"area\" value=\"\">"
            "<input type=\"hidden\" name=\"s\" value=\"commissionVolume_desc\">"
            "<input type=\"hidden\" name=\"sc\" value=\"1heart\">"
            "<input type=\"hidden\" name=\"ec\" value=\"5goldencrown\">"
            "<p><input type=\"submit\" value=\"搜索\"></p></form>")
    return page("高级搜索", body)


class Handler(http.server.BaseHTTPRequestHandler):
    server_version = "TarvimoQueryService/1.0"
    protocol_version = "HTTP/1.0"

    def parse_request(self):
        # Logged before parsing so that malformed requests are seen too, exactly as they came.
        raw = self.raw_requestline.decode("latin-1").rstrip("\r\n")
        self.server.log.line(raw)
        return super().parse_request()

    def do_GET(self):
        self._answer(send_body=True)

    def do_HEAD(self):
        self._answer(send_body=False)

    def _answer(self, send_body):
        if self.server.delay:
            time.sleep(self.server.delay)
        if self.server.fail == "close":
            self.close_connection = True
            return  # the handler ends here and the connection goes without a word
        path, _, query = self.path.partition("?")
        if self.server.fail == "500":
            status, text = 500, page("Internal Server Error",
                                     "<p>500 Internal Server Error (on purpose)</p>")
        elif path == RANKING_PATH:
            status, text = 200, ranking_page(query)
        elif path == ADVANCED_PATH:
            status, text = 200, advanced_page()
        else:
            status, text = 404, page("Not found", "<p>Not found</p>")
        data = text.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if send_body:
            self.wfile.write(data)

    def log_message(self, format, *args):  # noqa: A002 - the base class's signature
        pass  # the request line is already logged; the default would repeat it on stderr


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    fail = None
    delay = 0.0


def announce(port, port_file):
    print(f"listening on 127.0.0.1:{port}", flush=True)
    if port_file:
        tmp = port_file + ".tmp"
        with open(tmp, "w") as f:
            f.write(f"{port}\n")
        os.replace(tmp, port_file)  # readers never see a half-written file


def refuse(args):
    """Holds the port without listening, so that every connection to it is refused."""
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    try:
        sock.bind(("127.0.0.1", args.port))
        announce(sock.getsockname()[1], args.port_file)
        while True:
            time.sleep(3600)
    except KeyboardInterrupt:
        pass
    finally:
        sock.close()
    return 0


def main(argv=None):
    parser = argparse.ArgumentParser(description="Local stand-in of the Tarvimo query service")
    parser.add_argument("port", type=int, help="TCP port on 127.0.0.1 (0: pick a free one)")
    parser.add_argument("--log", help="also append every request line to this file")
    parser.add_argument("--port-file", help="write the port to this file once listening")
    parser.add_argument("--fail", choices=["refuse", "close", "500"],
                        help="fail every request this way (see above)")
    parser.add_argument("--delay", type=float, default=0.0,
                        help="seconds to wait before answering each request")
    args = parser.parse_args(argv)
    if not 0 <= args.port <= 65535:
        parser.error("port must be 0-65535")
    if args.delay < 0:
        parser.error("delay must not be negative")

    if args.fail == "refuse":
        return refuse(args)

    server = Server(("127.0.0.1", args.port), Handler)
    server.log = Log(args.log)
    server.fail = args.fail
    server.delay = args.delay
    announce(server.server_address[1], args.port_file)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
