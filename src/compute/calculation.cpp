#include "compute/calculation.h"

#include "catalogue/catalogue.h"

namespace kinri {
namespace {

// A string's own memory beyond its object: none while it is short enough to live inside it.
std::size_t heapOf(const std::string& text) {
    return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

std::size_t heapOf(const std::vector<std::string>& texts) {
    std::size_t bytes = texts.capacity() * sizeof(std::string);
    for (const std::string& t : texts)
        bytes += heapOf(t);
    return bytes;
}

std::size_t heapOf(const std::vector<PrintLine>& lines) {
    std::size_t bytes = lines.capacity() * sizeof(PrintLine);
    for (const PrintLine& line : lines)
        bytes += heapOf(line.text);
    return bytes;
}

} // namespace

std::size_t Calculation::bytes() const {
    return sizeof(Calculation) + heapOf(inputs) + (resultText ? heapOf(*resultText) : 0) + heapOf(rows) +
           heapOf(conditions) + heapOf(printout) + heapOf(title);
}

std::string printoutTitle(const CatalogueEntry& entry) {
    return std::string("金利計算 – ").append(familyInfo(entry.family).menuCaption);
}

} // namespace kinri
