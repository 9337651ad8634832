"""FTP server for the update tests and for trying updates by hand.

    ftp_server.py FOLDER USER PASSWORD [--port N] [--rate BYTES_PER_SECOND] [--no-size]

Serves FOLDER read-only on 127.0.0.1 (port N, or a free one) to one user, prints the port on the first
line, and serves until it is terminated. --rate throttles downloads; --no-size drops SIZE from the
commands the server knows (and lists in HELP), so clients learn no file size in advance.
"""
import argparse
import logging

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer

parser = argparse.ArgumentParser()
parser.add_argument("folder")
parser.add_argument("user")
parser.add_argument("password")
parser.add_argument("--port", type=int, default=0)
parser.add_argument("--rate", type=int, default=0)
parser.add_argument("--no-size", action="store_true")
args = parser.parse_args()

logging.basicConfig(level=logging.WARNING)


class Handler(FTPHandler):
    if args.no_size:
        proto_cmds = {name: cmd for name, cmd in FTPHandler.proto_cmds.items() if name != "SIZE"}


authorizer = DummyAuthorizer()
authorizer.add_user(args.user, args.password, args.folder, perm="elr")
Handler.authorizer = authorizer
# Tests try wrong passwords; no need to make them wait.
Handler.auth_failed_timeout = 0.1
if args.rate:
    class Throttled(ThrottledDTPHandler):
        write_limit = args.rate
    Handler.dtp_handler = Throttled

server = FTPServer(("127.0.0.1", args.port), Handler)
print(server.address[1], flush=True)
server.serve_forever()
