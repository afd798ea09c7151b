#include "compute/print_job.h"

#include "catalogue/catalogue.h"

#include <iterator>

namespace kinri {
namespace {

// The caption "...=" and what follows it: the value starts where the caption ends.
PrintLine labelled(PaperText caption, std::string_view value) {
    const std::size_t valueStart = caption.text.size();
    return PrintLine{kPrintColumn, std::move(caption.text.append(value)), valueStart, caption.breaks};
}

PrintLine text(std::string line) {
    return PrintLine{kPrintColumn, std::move(line)};
}

} // namespace

std::vector<PrintLine> conditionLines(const CatalogueEntry& entry, std::span<const std::string> inputs) {
    std::vector<PrintLine> lines;
    lines.reserve(1 + inputs.size());
    lines.push_back(text(std::string(familyInfo(entry.family).printHeader)));
    for (std::size_t k = 0; k < inputs.size(); ++k)
        lines.push_back(labelled(entry.paperLabel(k), inputs[k]));
    return lines;
}

std::vector<PrintLine> printJob(const CatalogueEntry& entry, std::span<const std::string> inputs,
                                std::string_view resultText, std::vector<std::string> tableRows) {
    std::vector<PrintLine> job(kHeaderLine); // the blank lines first
    job.reserve(kHeaderLine + 5 + inputs.size() + tableRows.size());
    std::vector<PrintLine> conditions = conditionLines(entry, inputs);
    job.push_back(std::move(conditions.front()));
    job.emplace_back();
    std::move(conditions.begin() + 1, conditions.end(), std::back_inserter(job));
    job.emplace_back();
    if (entry.calc.isTable()) {
        PaperText heading = entry.paperHeading();
        job.push_back(PrintLine{kPrintColumn, std::move(heading.text), PrintLine::kNoValue, heading.breaks});
        for (std::string& row : tableRows)
            job.push_back(text(std::move(row)));
    } else {
        job.push_back(labelled(entry.paperHeading(), resultText));
    }
    return job;
}

std::string printText(std::span<const PrintLine> job) {
    std::size_t first = 0;
    while (first < job.size() && job[first].text.empty())
        ++first;
    std::string text;
    for (std::size_t k = first; k < job.size(); ++k)
        text.append(job[k].text).push_back('\n');
    return text;
}

} // namespace kinri
