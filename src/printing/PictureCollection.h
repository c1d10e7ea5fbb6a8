// The picture collection of the print window (FAllPictFileList): one entry per supplier among the
// ticked bills, keyed by the supplier's record id in decimal, in the order the suppliers first
// occur; each holds that supplier's distinct pictures keyed by picture id, in order of first
// occurrence. The collection owns its supplier lists and each list owns its pictures: removing or
// clearing releases them.
#pragma once

#include "toolkit/JPEGImage.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tkv {

// One supplier's pictures.
class TPictFileList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Key(int index) const { return items_.at(index).first; }
    const TJPEGImage& Picture(int index) const { return *items_.at(index).second; }
    // The position of the picture id, -1 when absent.
    int IndexOf(const std::string& key) const;
    void Add(std::string key, std::shared_ptr<TJPEGImage> picture);
    // Removes the entry and releases its picture.
    void Delete(int index);
    void Clear() { items_.clear(); }

private:
    std::vector<std::pair<std::string, std::shared_ptr<TJPEGImage>>> items_;
};

class TAllPictFileList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Key(int index) const { return items_.at(index).first; }
    TPictFileList& List(int index) const { return *items_.at(index).second; }
    // The position of the supplier key, -1 when absent.
    int IndexOf(const std::string& key) const;
    void Add(std::string key, std::unique_ptr<TPictFileList> list);
    // Releases the supplier lists from the last to the first, each with its pictures.
    void Clear();

private:
    std::vector<std::pair<std::string, std::unique_ptr<TPictFileList>>> items_;
};

} // namespace tkv
