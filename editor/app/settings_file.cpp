#include "settings_file.h"

#include "safe_file.h"

std::optional<SettingsRead> readSettingsFile(const std::string& path, Settings& into, std::string* error)
{
    // One byte beyond the limit tells a file at the limit from a larger one.
    const auto bytes = trv::readFileBytes(path, error, kMaxSettingsBytes + 1);
    if (!bytes)
        return std::nullopt;
    if (bytes->size() > kMaxSettingsBytes) {
        if (error)
            *error = "larger than " + std::to_string(kMaxSettingsBytes / 1024) + " KB";
        return std::nullopt;
    }
    return parseSettings(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), into);
}
