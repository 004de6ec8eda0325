// velkar-sim: plays a surveying instrument on a pseudo-terminal, so that every
// transfer of velkar can be tried without hardware.
//
// It opens a pty pair and prints the device path (the slave side) on its
// first output line; give that path to velkar's port box or to velkar-cli
// --port.  It then waits until the program opens the port (it sees the line
// settings change), plays its part of one transfer, and ends.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr char STX = 0x02, ETX = 0x03, EOT = 0x04, ENQ = 0x05, ACK = 0x06, LF = 0x0A, CR = 0x0D,
               NAK = 0x15;

using Clock = std::chrono::steady_clock;

struct Options {
    std::string mode;
    std::string dataFile;
    std::string outFile;
    std::string link;
    bool oneWay = false;
    long baud = 0;            // 0: as fast as the pty takes it
    std::size_t chunk = 64;   // bytes per write
    long delayMs = 0;         // pause after each chunk
    long startDelayMs = 200;  // after the program opened the port
    long drop = -1;           // offset of a byte never sent
    bool noEot = false;
    bool neverAck = false;
    long hangupAfter = -1;  // bytes
    long lingerMs = 1000;
    long timeoutMs = 60000;
};

Options opt;
int master = -1;
int slave = -1;

void say(const std::string& s) {
    std::fprintf(stderr, "velkar-sim: %s\n", s.c_str());
    std::fflush(stderr);
}

[[noreturn]] void fail(const std::string& s) {
    say(s);
    std::exit(1);
}

// The cable is pulled a moment after the last byte, so that what was sent
// has reached the program (a hang-up discards what the line still holds).
[[noreturn]] void hangUp() {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    say("hanging up");
    ::close(master);
    ::close(slave);
    std::exit(0);
}

std::string bcc(const std::string& block) {
    unsigned check = 0;
    for (char c : block) check ^= static_cast<unsigned char>(c);
    char d[8];
    std::snprintf(d, sizeof d, "%03u", check);
    return d;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) fail("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> fileLines(const std::string& path) {
    std::vector<std::string> lines;
    std::string text = readFile(path), line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// ---- the line -------------------------------------------------------------

long sentTotal = 0;  // bytes of the stream handled so far (dropped one included)
long receivedTotal = 0;
Clock::time_point paceStart;

// Reads what the program sent, waiting up to ms for the first byte.
std::string receive(long ms) {
    pollfd p{master, POLLIN, 0};
    std::string out;
    if (::poll(&p, 1, static_cast<int>(ms)) <= 0) return out;
    char buf[4096];
    const ssize_t n = ::read(master, buf, sizeof buf);
    if (n > 0) {
        out.assign(buf, static_cast<std::size_t>(n));
        receivedTotal += n;
        if (opt.hangupAfter >= 0 && receivedTotal >= opt.hangupAfter) hangUp();
    }
    return out;
}

void writeAll(const char* p, std::size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(master, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN) {
                pollfd q{master, POLLOUT, 0};
                ::poll(&q, 1, 100);
                continue;
            }
            fail(std::string("write: ") + std::strerror(errno));
        }
        p += w;
        n -= static_cast<std::size_t>(w);
    }
}

// Sends bytes as the instrument's UART would: in chunks, paced at the baud
// rate (10 bit times per character), with the fault options applied.
void sendBytes(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t n = std::min(opt.chunk, bytes.size() - i);
        if (opt.hangupAfter >= 0) {
            if (sentTotal >= opt.hangupAfter) hangUp();
            n = std::min<std::size_t>(n, static_cast<std::size_t>(opt.hangupAfter - sentTotal));
        }
        std::string piece = bytes.substr(i, n);
        if (opt.drop >= sentTotal && opt.drop < sentTotal + static_cast<long>(n)) {
            piece.erase(static_cast<std::size_t>(opt.drop - sentTotal), 1);
            say("dropped byte " + std::to_string(opt.drop));
        }
        sentTotal += static_cast<long>(n);
        if (opt.baud > 0) {
            const auto due =
                paceStart + std::chrono::microseconds(sentTotal * 10'000'000LL / opt.baud);
            std::this_thread::sleep_until(due);
        }
        writeAll(piece.data(), piece.size());
        i += n;
        if (opt.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(opt.delayMs));
    }
    if (opt.hangupAfter >= 0 && sentTotal >= opt.hangupAfter) hangUp();
}

// Waits until one of the wanted bytes arrives; returns it, or 0 after the timeout.
char awaitByte(const std::string& wanted, long ms) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        const long left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        for (char c : receive(std::max(1L, left))) {
            if (wanted.find(c) != std::string::npos) return c;
        }
    }
    return 0;
}

void drainInput() {
    while (!receive(0).empty()) {
    }
}

// The program opening the port sets the line's speed; until then the slave
// keeps the marker speed the simulator gave it.  A program that already sent
// something (and perhaps closed the port again) has opened it too.
void awaitOpen() {
    const auto end = Clock::now() + std::chrono::milliseconds(opt.timeoutMs);
    while (Clock::now() < end) {
        termios t{};
        pollfd p{master, POLLIN, 0};
        const bool dataCame = ::poll(&p, 1, 20) > 0;  // the program may have been quicker than us
        if (dataCame || (::tcgetattr(slave, &t) == 0 && cfgetospeed(&t) != B50)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(opt.startDelayMs));
            paceStart = Clock::now();
            return;
        }
    }
    fail("the port was never opened");
}

void linger() {
    const auto end = Clock::now() + std::chrono::milliseconds(opt.lingerMs);
    while (Clock::now() < end) {
        const long left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        receive(std::max(1L, left));
    }
}

// ---- the instruments ------------------------------------------------------

// GTS-210/220 family, sending its memory: waits for ENQ, then sends the data
// characters in blocks of 136 (STX, 128 data, block digit, check digits, ETX,
// CR, LF); with ACK / NAK it waits for ACK after each block (NAK: the block
// again), with ONE WAY it streams.  EOT ends the dump.
int gts200Send() {
    std::string data;
    for (char c : readFile(opt.dataFile)) {
        if (c != '\r' && c != '\n') data += c;
    }
    awaitOpen();
    say("waiting for ENQ");
    if (awaitByte(std::string(1, ENQ), opt.timeoutMs) != ENQ) fail("no ENQ came");
    paceStart = Clock::now();
    int blocks = 0;
    for (std::size_t i = 0; i < data.size(); i += 128, ++blocks) {
        std::string body = data.substr(i, 128);
        body.append(128 - body.size(), ' ');
        body += static_cast<char>('0' + blocks % 10);
        const std::string block = std::string(1, STX) + body + bcc(body) + ETX + CR + LF;
        for (int attempt = 0;; ++attempt) {
            if (!opt.oneWay) drainInput();
            sendBytes(block);
            if (opt.oneWay) break;
            const char answer = awaitByte(std::string{ACK, NAK}, 10000);
            if (answer == ACK) break;
            if (answer == 0) fail("no ACK for block " + std::to_string(blocks));
            if (attempt == 5) fail("block " + std::to_string(blocks) + " refused");
        }
    }
    if (opt.noEot) {
        say("sent " + std::to_string(blocks) + " blocks, no EOT");
        opt.lingerMs = std::max(opt.lingerMs, opt.timeoutMs);
    } else {
        sendBytes(std::string(1, EOT));
        say("sent " + std::to_string(blocks) + " blocks and EOT");
    }
    linger();
    return 0;
}

// GTS-210/220 family, receiving coordinates: answers the request frame with
// NAK (ready), checks the check digits of every frame (NAK when they do not
// match), acknowledges each new data frame once (a repeated frame, same
// block digit, is not stored again), and stores the point records.
int gts200Receive() {
    awaitOpen();
    std::string in;
    std::string stream;
    long headerCount = -1;
    int frames = 0, errors = 0, requests = 0;
    char lastDigit = 0;
    auto lastByte = Clock::now();
    while (true) {
        const std::string got = receive(100);
        if (got.empty()) {
            if (Clock::now() - lastByte > std::chrono::milliseconds(opt.timeoutMs))
                fail("the upload stopped");
            continue;
        }
        lastByte = Clock::now();
        in += got;
        std::size_t stx;
        while ((stx = in.find(STX)) != std::string::npos) {
            const std::size_t etx = in.find(ETX, stx);
            if (etx == std::string::npos) break;
            const std::string body = in.substr(stx + 1, etx - stx - 1);
            in.erase(0, etx + 1);
            if (body == "F00F000") {
                ++requests;
                sendBytes(std::string(1, NAK));
                continue;
            }
            if (body == std::string(1, EOT)) {
                // The point records: "_" and 51-character records, blank padding after.
                std::vector<std::string> records;
                for (std::size_t i = stream.empty() ? 0 : 1;
                     i + 51 <= stream.size() && stream[i] == '+'; i += 51) {
                    records.push_back(stream.substr(i, 51));
                }
                if (!opt.outFile.empty()) {
                    std::ofstream out(opt.outFile, std::ios::binary);
                    for (const auto& r : records) out << r << "\r\n";
                }
                say("received " + std::to_string(records.size()) +
                    " records (header: " + std::to_string(headerCount) + "), " +
                    std::to_string(frames) + " data frames, " + std::to_string(requests) +
                    " requests, " + std::to_string(errors) + " check errors");
                linger();
                return errors == 0 && static_cast<long>(records.size()) == headerCount ? 0 : 1;
            }
            if (body.size() < 4 ||
                bcc(body.substr(0, body.size() - 3)) != body.substr(body.size() - 3)) {
                ++errors;
                say("check digits wrong in a frame");
                sendBytes(std::string(1, NAK));
                continue;
            }
            const std::string payload = body.substr(0, body.size() - 3);
            if (headerCount < 0 && payload.rfind("VELKAR", 0) == 0) {
                headerCount = std::atol(payload.substr(32).c_str());
                continue;
            }
            if (payload.size() != 129) {
                ++errors;
                say("a data frame of " + std::to_string(payload.size()) + " characters");
                continue;
            }
            if (frames > 0 && payload[128] == lastDigit) continue;  // a repeated frame
            ++frames;
            lastDigit = payload[128];
            stream += payload.substr(0, 128);
            if (!opt.neverAck) sendBytes(std::string(1, ACK));
        }
    }
}

// GTS-600/700 family, sending: its lines ended by CR LF, then EOT.
int gts700Send() {
    const auto lines = fileLines(opt.dataFile);
    awaitOpen();
    std::string all;
    for (const auto& l : lines) all += l + "\r\n";
    if (!opt.noEot) all += EOT;
    sendBytes(all);
    say("sent " + std::to_string(lines.size()) + " lines" + (opt.noEot ? ", no EOT" : " and EOT"));
    if (opt.noEot) opt.lingerMs = std::max(opt.lingerMs, opt.timeoutMs);
    linger();
    return 0;
}

// GTS-600/700 family, receiving: items ended by LF CR until STX EOT ETX.
int gts700Receive() {
    awaitOpen();
    std::string in;
    auto lastByte = Clock::now();
    while (true) {
        const std::string got = receive(100);
        if (got.empty()) {
            if (Clock::now() - lastByte > std::chrono::milliseconds(opt.timeoutMs))
                fail("the upload stopped");
            continue;
        }
        lastByte = Clock::now();
        in += got;
        const auto end = in.find(std::string{STX, EOT, ETX});
        if (end == std::string::npos) continue;
        std::vector<std::string> items;
        std::size_t start = 0, sep;
        while ((sep = in.find("\n\r", start)) != std::string::npos && sep < end) {
            items.push_back(in.substr(start, sep - start));
            start = sep + 2;
        }
        if (!opt.outFile.empty()) {
            std::ofstream out(opt.outFile, std::ios::binary);
            for (const auto& i : items) out << i << "\r\n";
        }
        say("received " + std::to_string(items.size()) + " items");
        linger();
        return start == end ? 0 : 1;
    }
}

// DL-100 level: sends the job line by line (CR LF), waiting after each for
// the acknowledgement ACK,R, CR LF; the "Z" line ends the job.
int dl100() {
    const auto lines = fileLines(opt.dataFile);
    awaitOpen();
    int sent = 0;
    for (const auto& line : lines) {
        const auto first = line.find_first_not_of(' ');
        if (opt.noEot && first != std::string::npos && line[first] == 'Z') continue;
        sendBytes(line + "\r\n");
        ++sent;
        std::string answer;
        const auto end = Clock::now() + std::chrono::milliseconds(10000);
        while (answer.find(LF) == std::string::npos && Clock::now() < end) answer += receive(100);
        if (answer.find(ACK) == std::string::npos)
            fail("no acknowledgement for line " + std::to_string(sent));
    }
    say("sent " + std::to_string(sent) + " lines");
    if (opt.noEot) opt.lingerMs = std::max(opt.lingerMs, opt.timeoutMs);
    linger();
    return 0;
}

// Any device that sends text: the file as it stands.
int text() {
    const std::string bytes = readFile(opt.dataFile);
    awaitOpen();
    sendBytes(bytes);
    say("sent " + std::to_string(bytes.size()) + " bytes");
    linger();
    return 0;
}

void usage(std::FILE* f) {
    std::fprintf(
        f,
        "usage: velkar-sim MODE [options] [DATAFILE]\n\n"
        "Plays an instrument on a pseudo-terminal.  The first output line is the\n"
        "device to give to velkar's port box or to velkar-cli --port.\n\n"
        "modes:\n"
        "  gts200-send FILE   GTS-210/220 family sending its memory (velkar download \"GTS-210 / "
        "220\"):\n"
        "                     waits for ENQ, sends FILE's characters (line ends left out) in\n"
        "                     136-character blocks, then EOT\n"
        "  gts200-receive     GTS-210/220 family receiving coordinates (velkar upload \"GTS-210 / "
        "220\")\n"
        "  gts700-send FILE   GTS-600/700 sending FILE's lines, then EOT\n"
        "  gts700-receive     GTS-600/700 receiving items until STX EOT ETX\n"
        "  dl100 FILE         DL-100 level sending FILE's lines, each after the last was "
        "acknowledged\n"
        "  text FILE          a device sending FILE as it stands (velkar download \"USIKATA\")\n\n"
        "options:\n"
        "  --protocol ack|oneway  GTS-210/220 protocol, as the port settings (default ack)\n"
        "  --baud N           pace the stream at N baud, 10 bit times a character (default: "
        "unpaced)\n"
        "  --chunk N          bytes per write (default 64)\n"
        "  --delay MS         pause after each chunk\n"
        "  --start-delay MS   pause after the program opened the port (default 200)\n"
        "  --drop N           never send the byte at offset N of the stream\n"
        "  --no-eot           never send the end (EOT; the DL-100 \"Z\" line)\n"
        "  --never-ack        gts200-receive: never acknowledge a data frame\n"
        "  --hangup-after N   hang up after N bytes sent (receivers: received)\n"
        "  --out FILE         receivers: the records or items received, one a line\n"
        "  --link PATH        also make PATH a symbolic link to the device\n"
        "  --linger MS        stay this long after the transfer (default 1000)\n"
        "  --timeout MS       give up waiting for the program (default 60000)\n");
}

long number(const std::string& option, const char* text) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!end || *end || v < 0) {
        std::fprintf(stderr, "velkar-sim: bad value for %s: %s\n", option.c_str(), text);
        std::exit(2);
    }
    return v;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "velkar-sim: %s needs a value\n", a.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        } else if (a == "--protocol") {
            const std::string p = value();
            if (p != "ack" && p != "oneway") {
                std::fprintf(stderr, "velkar-sim: --protocol is ack or oneway\n");
                return 2;
            }
            opt.oneWay = p == "oneway";
        } else if (a == "--baud") {
            opt.baud = number(a, value());
        } else if (a == "--chunk") {
            opt.chunk = static_cast<std::size_t>(std::max(1L, number(a, value())));
        } else if (a == "--delay") {
            opt.delayMs = number(a, value());
        } else if (a == "--start-delay") {
            opt.startDelayMs = number(a, value());
        } else if (a == "--drop") {
            opt.drop = number(a, value());
        } else if (a == "--no-eot") {
            opt.noEot = true;
        } else if (a == "--never-ack") {
            opt.neverAck = true;
        } else if (a == "--hangup-after") {
            opt.hangupAfter = number(a, value());
        } else if (a == "--out") {
            opt.outFile = value();
        } else if (a == "--link") {
            opt.link = value();
        } else if (a == "--linger") {
            opt.lingerMs = number(a, value());
        } else if (a == "--timeout") {
            opt.timeoutMs = number(a, value());
        } else if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "velkar-sim: unknown option %s\n", a.c_str());
            return 2;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.empty()) {
        usage(stderr);
        return 2;
    }
    opt.mode = positional[0];
    const bool sends = opt.mode == "gts200-send" || opt.mode == "gts700-send" ||
                       opt.mode == "dl100" || opt.mode == "text";
    const bool receives = opt.mode == "gts200-receive" || opt.mode == "gts700-receive";
    if (!sends && !receives) {
        std::fprintf(stderr, "velkar-sim: unknown mode %s\n", opt.mode.c_str());
        return 2;
    }
    if (sends != (positional.size() == 2) || positional.size() > 2) {
        std::fprintf(stderr, "velkar-sim: %s %s\n", opt.mode.c_str(),
                     sends ? "needs one DATAFILE" : "takes no DATAFILE");
        return 2;
    }
    if (sends) opt.dataFile = positional[1];

    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0)
        fail(std::string("openpty: ") + std::strerror(errno));
    termios t{};
    ::tcgetattr(slave, &t);
    ::cfmakeraw(&t);
    ::cfsetspeed(&t, B50);  // the marker speed: the program's open changes it
    ::tcsetattr(slave, TCSANOW, &t);
    if (!opt.link.empty()) {
        ::unlink(opt.link.c_str());
        if (::symlink(name, opt.link.c_str()) != 0) fail("cannot make the link " + opt.link);
    }
    std::printf("%s\n", opt.link.empty() ? name : opt.link.c_str());
    std::fflush(stdout);

    int rc = 2;
    if (opt.mode == "gts200-send") rc = gts200Send();
    if (opt.mode == "gts200-receive") rc = gts200Receive();
    if (opt.mode == "gts700-send") rc = gts700Send();
    if (opt.mode == "gts700-receive") rc = gts700Receive();
    if (opt.mode == "dl100") rc = dl100();
    if (opt.mode == "text") rc = text();
    if (!opt.link.empty()) ::unlink(opt.link.c_str());
    return rc;
}
