// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "cli/line_converter.h"


namespace quantaro::cli {

LineConverter::LineConverter(ConversionRequest request, OutputForm form)
    : request_(std::move(request)), view_(viewOf(request_, {}, terms_)), form_(form)
{
    // The info line depends on the pair alone: the factor starts from 1
    // whatever number the input holds. So one conversion gives it for all.
    info_ = Convert("1", view_.term.unit, view_.to).info;
    appendJsonString(info_, infoJson_);
    jsonIndices_ = ",\"from\":" + std::to_string(request_.fromIndex) + ",\"to\":" + std::to_string(request_.toIndex)
                   + ",\"result\":";
}

void LineConverter::appendResultFields(std::string_view text, std::string& out)
{
    RequestView request = view_;
    request.term.number = text;
    if (form_ == OutputForm::Json) {
        const ResultForm written = Convert(request, conversion_);
        out += jsonIndices_;
        appendJsonString(conversion_.result, out);
        out += ",\"title\":";
        appendJsonString(conversion_.title, out);
        out += ",\"info\":";
        if (conversion_.info == info_)
            out += infoJson_; // the same for every non-empty input
        else
            appendJsonString(conversion_.info, out);
        if (request.form == ResultForm::Mixed) {
            // Mixed where the result is not a number the Shortest form wrote.
            out += ",\"mixed\":";
            if (written == ResultForm::Mixed)
                appendJsonString(conversion_.result, out);
            else
                out += "null";
        }
        out += "}\n";
        return;
    }
    AppendResult(request, out);
    if (form_ == OutputForm::Info) {
        out += '\t';
        if (!text.empty())
            out += info_;
    }
    out += '\n';
}

void LineConverter::convert(std::string_view text, std::string& out)
{
    if (form_ == OutputForm::Json) {
        out += "{\"input\":";
        appendJsonString(text, out);
    }
    appendResultFields(text, out);
}

void LineConverter::beginLong(std::string& out)
{
    prefix_.reset();
    if (form_ == OutputForm::Json)
        out += "{\"input\":\"";
}

void LineConverter::feedLong(std::string_view piece, std::string& out)
{
    prefix_.feed(piece);
    if (form_ == OutputForm::Json)
        inputWriter_.append(piece, out);
}

void LineConverter::endLong(std::string& out)
{
    if (form_ == OutputForm::Json) {
        inputWriter_.finish(out);
        out += '"';
    }
    appendResultFields(prefix_.text(), out);
}

} // namespace quantaro::cli
