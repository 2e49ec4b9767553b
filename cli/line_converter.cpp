// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "cli/line_converter.h"


namespace quantaro::cli {

LineConverter::LineConverter(const Pair& pair, OutputForm form, ResultForm resultForm, int fraction)
    : pair_(pair), form_(form), resultForm_(resultForm), fraction_(fraction)
{
    // The info line depends on the pair alone: the factor starts from 1
    // whatever number the input holds. So one conversion gives it for all.
    info_ = Convert("1", pair.from, pair.to).info;
    appendJsonString(info_, infoJson_);
    jsonIndices_ = ",\"from\":" + std::to_string(pair.fromIndex) + ",\"to\":" + std::to_string(pair.toIndex)
                   + ",\"result\":";
}

void LineConverter::setTerms(const std::vector<QueryTerm>& terms)
{
    termNumbers_.clear();
    terms_.clear();
    for (const QueryTerm& term : terms)
        termNumbers_.push_back(term.number);
    for (std::size_t i = 0; i < terms.size(); ++i)
        terms_.push_back({termNumbers_[i], catalogueRows()[static_cast<std::size_t>(terms[i].index)].code});
}

void LineConverter::appendResultFields(std::string_view text, std::string& out)
{
    const ConversionRequest request{{text, pair_.from}, pair_.to, resultForm_, fraction_, terms_};
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
        if (resultForm_ == ResultForm::Mixed) {
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
