#include "run_program.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quantaro::test {

namespace {

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

RunResult runConvert(const std::vector<std::string>& arguments, const RunOptions& options)
{
    // Writing to a child that has already gone must not end the test.
    std::signal(SIGPIPE, SIG_IGN);

    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    // The child starts with SIGPIPE as any shell would give it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> words{QUANTARO_CONVERT_PATH};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // Without a reader from the start, so that even the first write fails.
    if (options.closeOutput)
        closeFd(out[0]);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    RunResult run;
    if (spawned != 0) {
        closeFd(in[1]), closeFd(out[0]), closeFd(err[0]);
        return run;
    }
    int inFd = in[1], outFd = out[0], errFd = err[0];
    ::fcntl(inFd, F_SETFL, O_NONBLOCK);

    const std::string& input = options.input ? *options.input : std::string();
    std::size_t written = 0;
    if (options.input && input.empty())
        closeFd(inFd);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (outFd >= 0 || errFd >= 0) {
        pollfd fds[3];
        int count = 0;
        if (inFd >= 0 && options.input)
            fds[count++] = {inFd, POLLOUT, 0};
        if (outFd >= 0)
            fds[count++] = {outFd, POLLIN, 0};
        if (errFd >= 0)
            fds[count++] = {errFd, POLLIN, 0};
        if (std::chrono::steady_clock::now() > deadline || ::poll(fds, count, 1000) < 0) {
            ::kill(pid, SIGKILL); // hung: the test fails on its status
            break;
        }
        for (int i = 0; i < count; ++i) {
            if (fds[i].revents == 0)
                continue;
            if (fds[i].fd == inFd) {
                const ssize_t n = ::write(inFd, input.data() + written, std::min<std::size_t>(input.size() - written, 65536));
                if (n > 0)
                    written += static_cast<std::size_t>(n);
                if ((n < 0 && errno != EAGAIN) || written == input.size())
                    closeFd(inFd);
                continue;
            }
            char buffer[65536];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0)
                (fds[i].fd == outFd ? run.out : run.err).append(buffer, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR)
                closeFd(fds[i].fd == outFd ? outFd : errFd);
        }
    }
    closeFd(inFd), closeFd(outFd), closeFd(errFd);
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

namespace {

void appendUtf8(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence strictly (no overlongs, surrogates or values
// above U+10FFFF); 0 bytes when it is ill-formed.
std::size_t utf8Length(const std::string& s, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
    const unsigned b0 = byte(i), b1 = byte(i + 1);
    const auto cont = [&](std::size_t k) { return byte(k) >= 0x80 && byte(k) <= 0xBF; };
    if (b0 < 0x80)
        return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF)
        return cont(i + 1) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        const bool second = b0 == 0xE0 ? b1 >= 0xA0 && b1 <= 0xBF : b0 == 0xED ? b1 >= 0x80 && b1 <= 0x9F : cont(i + 1);
        return second && cont(i + 2) ? 3 : 0;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        const bool second = b0 == 0xF0 ? b1 >= 0x90 && b1 <= 0xBF : b0 == 0xF4 ? b1 >= 0x80 && b1 <= 0x8F : cont(i + 1);
        return second && cont(i + 2) && cont(i + 3) ? 4 : 0;
    }
    return 0;
}

struct Reader {
    const std::string& s;
    std::size_t i = 0;

    bool eat(char c)
    {
        if (i < s.size() && s[i] == c)
            return ++i, true;
        return false;
    }
    std::optional<unsigned> hex4()
    {
        if (i + 4 > s.size())
            return std::nullopt;
        unsigned v = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = s[i++];
            const int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                                                      : (c >= 'A' && c <= 'F')   ? c - 'A' + 10
                                                                                                  : -1;
            if (d < 0)
                return std::nullopt;
            v = v * 16 + static_cast<unsigned>(d);
        }
        return v;
    }
    std::optional<std::string> string()
    {
        if (!eat('"'))
            return std::nullopt;
        std::string out;
        while (i < s.size()) {
            const unsigned char c = static_cast<unsigned char>(s[i]);
            if (c == '"')
                return ++i, out;
            if (c < 0x20)
                return std::nullopt;
            if (c != '\\') {
                const std::size_t n = utf8Length(s, i);
                if (n == 0)
                    return std::nullopt;
                out += s.substr(i, n);
                i += n;
                continue;
            }
            ++i;
            if (i >= s.size())
                return std::nullopt;
            const char e = s[i++];
            const std::string_view simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
            if (const std::size_t k = simple.find(e); k != std::string_view::npos) {
                out += meaning[k];
                continue;
            }
            if (e != 'u')
                return std::nullopt;
            auto unit = hex4();
            if (!unit || (*unit >= 0xDC00 && *unit <= 0xDFFF))
                return std::nullopt;
            char32_t c32 = *unit;
            if (*unit >= 0xD800 && *unit <= 0xDBFF) {
                if (!eat('\\') || !eat('u'))
                    return std::nullopt;
                auto low = hex4();
                if (!low || *low < 0xDC00 || *low > 0xDFFF)
                    return std::nullopt;
                c32 = 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00);
            }
            appendUtf8(c32, out);
        }
        return std::nullopt;
    }
};

} // namespace

std::optional<JsonObject> parseJsonObject(const std::string& text)
{
    Reader r{text};
    JsonObject object;
    if (!r.eat('{'))
        return std::nullopt;
    do {
        auto key = r.string();
        if (!key || !r.eat(':'))
            return std::nullopt;
        if (r.i < text.size() && text[r.i] == '"') {
            auto value = r.string();
            if (!value)
                return std::nullopt;
            object.strings[*key] = *value;
        } else {
            const std::size_t start = r.i;
            r.eat('-');
            while (r.i < text.size() && std::isdigit(static_cast<unsigned char>(text[r.i])))
                ++r.i;
            if (r.i == start || (text[start] == '-' && r.i == start + 1))
                return std::nullopt;
            object.numbers[*key] = std::stol(text.substr(start, r.i - start));
        }
    } while (r.eat(','));
    if (!r.eat('}') || r.i != text.size())
        return std::nullopt;
    return object;
}

} // namespace quantaro::test
