#include "playlist/row_cells.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace vantrel {

RowCells::RowCells(const RowCells& other) {
    *this = other;
}

RowCells& RowCells::operator=(const RowCells& other) {
    if (this == &other) return *this;
    if (!other.block_) {
        block_.reset();
        return *this;
    }
    const std::size_t bytes = kHead + other.textBytes();
    auto copy = std::make_unique_for_overwrite<char[]>(bytes);
    std::memcpy(copy.get(), other.block_.get(), bytes);
    block_ = std::move(copy);
    return *this;
}

RowCells::End RowCells::end(std::size_t field) const {
    End value;
    std::memcpy(&value, block_.get() + field * sizeof(End), sizeof(End));
    return value;
}

std::string_view RowCells::at(std::size_t field) const {
    if (field >= kCount) throw std::out_of_range("RowCells::at");
    return get(field);
}

std::string_view RowCells::get(std::size_t field) const {
    if (!block_ || field >= kCount) return {};
    const std::size_t first = field == 0 ? 0 : end(field - 1);
    return {block_.get() + kHead + first, end(field) - first};
}

void RowCells::set(std::size_t field, std::string_view text) {
    if (field >= kCount) return;
    if (!block_ && text.empty()) return;
    std::size_t ends[kCount] = {};
    for (std::size_t f = 0; block_ && f < kCount; ++f)
        ends[f] = end(f);
    const std::size_t first = field == 0 ? 0 : ends[field - 1];
    const std::size_t old = ends[field] - first;
    const std::size_t room = std::numeric_limits<End>::max() - (textBytes() - old);
    text = text.substr(0, std::min(text.size(), room));
    const std::size_t total = textBytes() - old + text.size();
    auto block = std::make_unique_for_overwrite<char[]>(kHead + total);
    char* texts = block.get() + kHead;
    const char* oldTexts = block_ ? block_.get() + kHead : nullptr;
    if (first > 0) std::memcpy(texts, oldTexts, first);
    if (!text.empty()) std::memcpy(texts + first, text.data(), text.size());
    const std::size_t after = textBytes() - ends[field];
    if (after > 0) std::memcpy(texts + first + text.size(), oldTexts + ends[field], after);
    for (std::size_t f = 0; f < kCount; ++f) {
        const std::size_t e = f < field ? ends[f] : ends[f] - old + text.size();
        const auto value = static_cast<End>(e);
        std::memcpy(block.get() + f * sizeof(End), &value, sizeof(End));
    }
    block_ = std::move(block);
}

} // namespace vantrel
