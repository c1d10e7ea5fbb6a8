// The host's picture store: JPEG bytes kept as files in one store folder. The store assigns each
// picture an ordinal and a file name; the database keeps both and hands them back to read it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tkv::host {

class TPictureStore {
public:
    // Creates the folder when missing; raises HostError when it cannot.
    explicit TPictureStore(std::filesystem::path folder);

    const std::filesystem::path& Folder() const { return folder_; }

    // Stores the bytes under a new ordinal and file name, the first one free in the folder (another
    // host may share it); false (nothing stored) for bytes that are not a JPEG stream. Raises
    // HostError when the file cannot be written.
    bool Save(const std::vector<std::uint8_t>& jpeg, std::int32_t& ordinal, std::string& fileName);
    // The bytes of a stored picture; nullopt when the store has no such picture. Raises HostError
    // for a file name that is not a plain name inside the store folder.
    std::optional<std::vector<std::uint8_t>> Load(std::int32_t ordinal, const std::string& fileName) const;
    // Writes a picture under an ordinal and name that the database already holds (demo data, a
    // restored database); later ordinals continue after it. Raises HostError for an unsafe name.
    void Restore(std::int32_t ordinal, const std::string& fileName, const std::vector<std::uint8_t>& jpeg);
    // Removes the picture; false when there was none. Raises HostError for an unsafe name.
    bool Remove(std::int32_t ordinal, const std::string& fileName);

    // A plain file name: not empty, no folder separators, no drive, not "." or "..", no control
    // characters.
    static bool IsPlainFileName(const std::string& fileName);
    // The name the store gives the picture with that ordinal.
    static std::string FileNameFor(std::int32_t ordinal);

private:
    std::filesystem::path PathOf(const std::string& fileName) const;
    static void WriteWhole(const std::filesystem::path& target, const std::vector<std::uint8_t>& jpeg);
    // Writes the bytes under a fresh temporary name of the folder; its path.
    std::filesystem::path WriteUnnamed(const std::vector<std::uint8_t>& jpeg) const;
    // Gives the written file the target name unless a file holds that name already (false, the
    // written file kept for the next name).
    static bool TakeName(const std::filesystem::path& written, const std::filesystem::path& target);

    std::filesystem::path folder_;
    std::int32_t lastOrdinal_ = 0;
};

} // namespace tkv::host
