#include "compute/calculation.h"

#include "catalogue/catalogue.h"

#include <algorithm>

namespace kinri {
namespace {

// What the heap takes for a block of `bytes`: its header and the rounding to the allocator's
// granule besides (16 bytes, 32 at the least, as glibc's allocator has it). A long table is mostly
// short strings, for which these take a third again of what the strings hold.
std::size_t block(std::size_t bytes) {
    return bytes == 0 ? 0 : std::max<std::size_t>(32, (bytes + 8 + 15) & ~std::size_t{15});
}

// A string's own memory beyond its object: none while it is short enough to live inside it.
std::size_t heapOf(const std::string& text) {
    return text.capacity() > std::string().capacity() ? block(text.capacity() + 1) : 0;
}

std::size_t heapOf(const std::vector<std::string>& texts) {
    std::size_t bytes = block(texts.capacity() * sizeof(std::string));
    for (const std::string& t : texts)
        bytes += heapOf(t);
    return bytes;
}

std::size_t heapOf(const std::vector<PrintLine>& lines) {
    std::size_t bytes = block(lines.capacity() * sizeof(PrintLine));
    for (const PrintLine& line : lines)
        bytes += heapOf(line.text);
    return bytes;
}

} // namespace

std::size_t Calculation::bytes() const {
    return sizeof(Calculation) + heapOf(inputs) + (resultText ? heapOf(*resultText) : 0) +
           heapOf(conditions) + heapOf(printout) + heapOf(title);
}

std::string printoutTitle(const CatalogueEntry& entry) {
    return std::string("金利計算 – ").append(familyInfo(entry.family).menuCaption);
}

} // namespace kinri
