// The two-level picture collection.
#include "PictureCollection.h"

#include <algorithm>
#include <stdexcept>

namespace tkv {

namespace {

template <class Items> int Find(const Items& items, const std::string& key) {
    const auto it =
        std::find_if(items.begin(), items.end(), [&key](const auto& item) { return item.first == key; });
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

} // namespace

int TPictFileList::IndexOf(const std::string& key) const {
    return Find(items_, key);
}

void TPictFileList::Add(std::string key, std::shared_ptr<TJPEGImage> picture) {
    items_.emplace_back(std::move(key), std::move(picture));
}

void TPictFileList::Delete(int index) {
    if (index < 0 || index >= Count())
        throw std::out_of_range("no picture at " + std::to_string(index));
    items_.erase(items_.begin() + index);
}

int TAllPictFileList::IndexOf(const std::string& key) const {
    return Find(items_, key);
}

void TAllPictFileList::Add(std::string key, std::unique_ptr<TPictFileList> list) {
    items_.emplace_back(std::move(key), std::move(list));
}

void TAllPictFileList::Clear() {
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
        it->second->Clear();
        it->second.reset();
    }
    items_.clear();
}

} // namespace tkv
