// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// The command line's input-line handling on any bytes and any pair of rows, in
// each output form and either result form: standard input cut into lines
// converts line by line as each line alone does; a line handed over in pieces
// (as a line too long for any buffer is) gives the same output as handed over
// whole; every output line is valid UTF-8 and, in the JSON form, one JSON
// object whose texts are those of Convert.

#include "catalogue/catalogue.h"
#include "cli/line_converter.h"
#include "cli/stream.h"
#include "engine/convert.h"
#include "exact/conversion.h"
#include "fuzz_support.h"
#include "json_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

using quantaro::cli::OutputForm;
using quantaro::fuzz::check;
using quantaro::fuzz::shown;

// An anonymous file that holds `text`, read from its start.
int fileWith(std::string_view text)
{
    const int fd = memfd_create("quantaro-fuzz", 0);
    check(fd >= 0, "memfd_create");
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        check(n > 0, "write to memfd");
        done += static_cast<std::size_t>(n);
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
}

std::string contentsOf(int fd)
{
    std::string out;
    lseek(fd, 0, SEEK_SET);
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        check(n >= 0, "read from memfd");
        if (n == 0)
            return out;
        out.append(buffer, static_cast<std::size_t>(n));
    }
}

// The lines of an input: each ends at "\n" or "\r\n"; a last one may lack it.
std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
    }
    return lines;
}

void checkLine(std::string_view text, std::string_view line, OutputForm form, quantaro::ResultForm resultForm,
               const quantaro::ConversionRequest& request)
{
    const std::string detail = shown(text) + " gives " + shown(line);
    check(!line.empty() && line.back() == '\n' && line.find('\n') == line.size() - 1,
          "one text does not give one output line", detail);
    check(quantaro::fuzz::isValidUtf8(line), "output line is not UTF-8", detail);
    quantaro::Conversion c;
    const quantaro::ResultForm written = quantaro::Convert(quantaro::RequestView{{text, quantaro::rowCode(request.fromIndex)}, quantaro::rowCode(request.toIndex), resultForm}, c);
    line.remove_suffix(1);
    switch (form) {
    case OutputForm::Result:
        check(line == c.result, "output line is not the result", detail);
        break;
    case OutputForm::Info:
        check(line == c.result + "\t" + c.info, "output line is not the result and the info line", detail);
        break;
    case OutputForm::Json: {
        quantaro::fuzz::JsonReader reader(line);
        check(reader.readDocument() && line.front() == '{', "output line is not one JSON object", detail);
        const std::vector<std::string>& s = reader.strings();
        // "input", text, "from", "to", "result", text, "title", text, "info", text;
        // in the Mixed form then "mixed" and the mixed text, or null.
        const std::size_t members = resultForm != quantaro::ResultForm::Mixed ? 10
                                    : written == quantaro::ResultForm::Mixed ? 12
                                                                             : 11;
        check(s.size() == members && s[0] == "input" && s[2] == "from" && s[3] == "to" && s[4] == "result" &&
                  s[6] == "title" && s[8] == "info" && (members == 10 || s[10] == "mixed"),
              "JSON object's members", detail);
        check(members != 12 || s[11] == c.result, "JSON mixed text is not the result", detail);
        if (quantaro::fuzz::isValidUtf8(text))
            check(s[1] == text, "JSON input is not the text", detail);
        check(s[5] == c.result && s[7] == c.title && s[9] == c.info, "JSON texts are not Convert's", detail);
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    quantaro::fuzz::useCommaLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    // One byte for the output form and the result form: a seed made when
    // only the output form came from it keeps its form.
    const int forms = data.ConsumeIntegralInRange<int>(0, 11);
    const auto form = static_cast<OutputForm>(forms % 3);
    const auto resultForm = static_cast<quantaro::ResultForm>(forms / 3);
    quantaro::ConversionRequest request;
    request.fromIndex = data.ConsumeIntegralInRange<int>(0, quantaro::kCatalogueRowCount - 1);
    request.toIndex = data.ConsumeIntegralInRange<int>(0, quantaro::kCatalogueRowCount - 1);
    request.form = resultForm;
    const std::uint32_t cuts = data.ConsumeIntegral<std::uint32_t>();
    const std::string input = data.ConsumeRemainingBytesAsString();

    // The whole input as one text, whole and in pieces, on one converter. Only
    // a line that fills a whole read block goes in pieces, so never an empty one.
    quantaro::cli::LineConverter converter(request, form);
    std::string whole;
    converter.convert(input, whole);
    checkLine(input, whole, form, resultForm, request);
    if (!input.empty()) {
        std::minstd_rand random(cuts);
        std::string pieces;
        converter.beginLong(pieces);
        for (std::size_t at = 0; at < input.size();) {
            const std::size_t length = std::min<std::size_t>(random() % 16, input.size() - at);
            converter.feedLong(std::string_view(input).substr(at, length), pieces);
            at += length;
        }
        converter.endLong(pieces);
        check(pieces == whole, "a text in pieces converts differently",
              shown(input) + " gives " + shown(whole) + " but in pieces " + shown(pieces));
        std::string again;
        converter.convert(input, again);
        check(again == whole, "a converter converts differently after a text in pieces", shown(input));
    }

    // The input as standard input: line by line.
    const int inputFd = fileWith(input);
    const int outputFd = fileWith({});
    quantaro::cli::LineConverter lineConverter(request, form);
    quantaro::cli::Output output(outputFd, false);
    const quantaro::cli::StreamResult result = quantaro::cli::convertLines(inputFd, lineConverter, output);
    check(result.outcome == quantaro::cli::StreamResult::Outcome::Done && output.flush(), "convertLines failed",
          shown(input));
    const std::string produced = contentsOf(outputFd);
    close(inputFd);
    close(outputFd);

    std::string expected;
    for (const std::string_view line : linesOf(input)) {
        const std::size_t begin = expected.size();
        converter.convert(line, expected);
        checkLine(line, std::string_view(expected).substr(begin), form, resultForm, request);
    }
    check(produced == expected, "standard input does not convert line by line",
          shown(input) + " gives " + shown(produced) + ", expected " + shown(expected));
    return 0;
}
