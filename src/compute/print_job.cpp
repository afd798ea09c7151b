#include "compute/print_job.h"

#include "catalogue/catalogue.h"

namespace kinri {

std::vector<PrintLine> printJob(const CatalogueEntry& entry, std::span<const std::string> inputs,
                                std::string_view resultText, std::vector<std::string> tableRows) {
    std::vector<PrintLine> job;
    job.reserve(13 + inputs.size() + tableRows.size());
    auto blank = [&job] { job.push_back(PrintLine{}); };
    auto text = [&job](std::string line) { job.push_back(PrintLine{kPrintColumn, std::move(line)}); };

    for (int k = 0; k < 8; ++k)
        blank();
    text(std::string(familyInfo(entry.family).printHeader));
    blank();
    // The caption "...=" and what follows it: the value starts where the caption ends.
    auto labelled = [&job](PaperText caption, std::string_view value) {
        const std::size_t valueStart = caption.text.size();
        job.push_back(
            PrintLine{kPrintColumn, std::move(caption.text.append(value)), valueStart, caption.breaks});
    };
    for (std::size_t k = 0; k < inputs.size(); ++k)
        labelled(entry.paperLabel(k), inputs[k]);
    blank();
    if (entry.calc.isTable()) {
        PaperText heading = entry.paperHeading();
        job.push_back(PrintLine{kPrintColumn, std::move(heading.text), PrintLine::kNoValue, heading.breaks});
        for (std::string& row : tableRows)
            text(std::move(row));
    } else {
        labelled(entry.paperHeading(), resultText);
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
