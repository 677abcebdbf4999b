// The settings file on disk, read in one place for the window and the command
// line; each says in its own words what went wrong.
#pragma once
#include "settings.h"

#include <optional>
#include <string>

// Parses the settings file at `path` into `into`: how far its text made sense,
// or nothing with the reason in `error` when it cannot be read or is larger
// than kMaxSettingsBytes (then `into` is untouched).
std::optional<SettingsRead> readSettingsFile(const std::string& path, Settings& into, std::string* error);
