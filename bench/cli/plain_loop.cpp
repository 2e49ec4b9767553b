// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The yardstick for the standard input throughput of quantaro-convert: read
// a number per line, multiply it, write the shortest text of the product,
// with the same block sizes and system calls, and nothing else.

#include <charconv>
#include <cstring>
#include <memory>

#include <unistd.h>

int main()
{
    constexpr std::size_t kBlock = 256 * 1024;
    const std::unique_ptr<char[]> in(new char[kBlock]);
    const std::unique_ptr<char[]> out(new char[kBlock]);
    std::size_t end = 0, used = 0;
    auto flush = [&] {
        const bool written = used == 0 || ::write(1, out.get(), used) == static_cast<ssize_t>(used);
        used = 0;
        return written;
    };
    for (ssize_t n; (n = ::read(0, in.get() + end, kBlock - end)) > 0;) {
        end += static_cast<std::size_t>(n);
        std::size_t start = 0;
        for (const char* nl; (nl = static_cast<const char*>(std::memchr(in.get() + start, '\n', end - start)));) {
            double value = 0;
            std::from_chars(in.get() + start, nl, value);
            if (used + 32 > kBlock && !flush())
                return 1;
            used = static_cast<std::size_t>(std::to_chars(out.get() + used, out.get() + kBlock, value * 25.4).ptr - out.get());
            out[used++] = '\n';
            start = static_cast<std::size_t>(nl - in.get()) + 1;
        }
        std::memmove(in.get(), in.get() + start, end - start);
        end -= start;
    }
    return flush() ? 0 : 1;
}
