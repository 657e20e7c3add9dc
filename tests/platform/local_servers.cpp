#include "local_servers.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

extern char** environ;

LocalServer::LocalServer(const std::string& script, const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) {
        problem_ = "no pipe";
        return;
    }
    std::vector<std::string> argv{"/usr/bin/python3", "-u", "-c", script};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> ptrs;
    for (auto& a : argv) ptrs.push_back(a.data());
    ptrs.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t pid = 0;
    const int err = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, ptrs.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (err != 0) {
        close(out[0]);
        problem_ = std::string("cannot start python3: ") + std::strerror(err);
        return;
    }
    pid_ = pid;
    std::string line;
    pollfd p{out[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos && poll(&p, 1, 10000) > 0) {
        char buf[64];
        const ssize_t n = read(out[0], buf, sizeof buf);
        if (n <= 0) break;
        line.append(buf, static_cast<size_t>(n));
    }
    close(out[0]);
    port_ = std::atoi(line.c_str());
    if (port_ <= 0) problem_ = "the server did not start: " + line;
}

LocalServer::~LocalServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
}

bool pythonHas(const std::string& module) {
    const std::string cmd = "/usr/bin/python3 -c 'import " + module + "' >/dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

std::string folderServerScript() {
    return R"PY(
import sys, functools
from http.server import ThreadingHTTPServer, SimpleHTTPRequestHandler
class Quiet(SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass
server = ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=sys.argv[1]))
server.daemon_threads = True
print(server.server_address[1], flush=True)
server.serve_forever()
)PY";
}

std::string httpServerScript() {
    return R"PY(
import sys, time
from http.server import ThreadingHTTPServer, BaseHTTPRequestHandler

PAGE = ("<!DOCTYPE html><html><head><title>Not this</title>"
        "<style>body { color: red; }</style><script>var hidden = 1;</script></head>"
        "<body><h1>Net news</h1><p>Fish &amp; chips &lt;tonight&gt; &eacute;t&eacute; &#8364;5</p>"
        "<script>document.write('no');</script><div>Second   line\n here</div></body></html>").encode("utf-8")
LATIN1 = "<html><body><p>Caf\u00e9 ouvert \u00e0 midi</p></body></html>".encode("latin-1")
LATIN1_META = ("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">"
               "</head><body><p>Gr\u00fc\u00dfe aus M\u00fcnchen</p></body></html>").encode("latin-1")
BLOB = bytes(i % 251 for i in range(100000))

class Handler(BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass
    def send(self, body, ctype, head_only=False):
        self.send_response(200)
        self.send_header("Content-Type", ctype)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if not head_only:
            self.wfile.write(body)
    def answer(self, head_only):
        if self.path == "/file.bin":
            self.send(BLOB, "application/octet-stream", head_only)
        elif self.path == "/page.html":
            self.send(PAGE, "text/html; charset=utf-8", head_only)
        elif self.path == "/latin1.html":
            self.send(LATIN1, "text/html; charset=ISO-8859-1", head_only)
        elif self.path == "/latin1-meta.html":
            self.send(LATIN1_META, "text/html", head_only)
        elif self.path == "/truncated":
            self.send_response(200)
            self.send_header("Content-Length", "1000")
            self.end_headers()
            self.wfile.write(b"x" * 500)
            self.close_connection = True
        elif self.path == "/slow":
            time.sleep(20)
            self.send(b"late", "text/plain", head_only)
        elif self.path == "/stall":
            self.send_response(200)
            self.send_header("Content-Length", "10000")
            self.end_headers()
            self.wfile.write(b"x" * 1000)
            self.wfile.flush()
            time.sleep(20)
        elif self.path == "/tune.mp3":
            self.send(b"ID3\x03\x00\x00\x00\x00\x00\x00\xff\xfb\x90\x64" + BLOB[:2000], "audio/mpeg", head_only)
        elif self.path == "/notes.txt":
            self.send("Net tonight at 8\r\nCaf\u00e9 <open>".encode("utf-8"), "text/plain; charset=utf-8", head_only)
        elif self.path == "/portal":
            self.send(b"<html><body>Please log in to the hotel network 9.9.9</body></html>", "text/html", head_only)
        elif self.path == "/version.txt":
            self.send(b"9.9.9", "text/plain", head_only)
        elif self.path.startswith("/late/"):
            _, _, seconds, rest = self.path.split("/", 3)
            time.sleep(float(seconds))
            self.path = "/" + rest
            self.answer(head_only)
        else:
            self.send_error(404)
    def do_GET(self):
        self.answer(False)
    def do_HEAD(self):
        self.answer(True)

server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
server.serve_forever()
)PY";
}

std::string ftpServerScript() {
    return R"PY(
import sys, logging
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

logging.disable(logging.CRITICAL)
authorizer = DummyAuthorizer()
authorizer.add_user("ham", "radio", sys.argv[1], perm="elradfmw")
handler = FTPHandler
handler.authorizer = authorizer
if len(sys.argv) > 2:
    from pyftpdlib.handlers import ThrottledDTPHandler
    ThrottledDTPHandler.write_limit = int(sys.argv[2])
    handler.dtp_handler = ThrottledDTPHandler
handler.auth_failed_timeout = 0.1
server = FTPServer(("127.0.0.1", 0), handler)
print(server.socket.getsockname()[1], flush=True)
server.serve_forever()
)PY";
}

std::vector<float> readWavSamples(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> samples;
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0) return samples;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
        const size_t size = p[4] | (p[5] << 8) | (p[6] << 16) | (static_cast<size_t>(p[7]) << 24);
        if (bytes.compare(at, 4, "data") == 0) {
            const size_t end = std::min(bytes.size(), at + 8 + size);
            for (size_t i = at + 8; i + 1 < end; i += 2) {
                const auto v = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                                         (static_cast<unsigned char>(bytes[i + 1]) << 8));
                samples.push_back(static_cast<float>(v) / 32768.0f);
            }
            return samples;
        }
        at += 8 + size + (size & 1);
    }
    return samples;
}

float peakOf(const std::vector<float>& samples) {
    float peak = 0;
    for (float s : samples) peak = std::max(peak, std::fabs(s));
    return peak;
}
