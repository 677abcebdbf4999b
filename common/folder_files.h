// The files a folder run visits, named by their bytes: a name that is no valid
// text in the user's encoding is still a file of the folder, and must be
// processed or counted as failed, never lost in a conversion.
#pragma once
#include <string>
#include <vector>

namespace trv {

// The entries of `folder` that are no folders and whose names do not begin
// with ".", as full paths in byte order. With `subfolders`, a depth-first walk
// that skips names beginning with ".", follows no links into folders and visits
// no folder twice. Links and special files are listed too: the run refuses them
// one by one, with its reason. Empty, with the reason in *error, when the folder
// itself cannot be read.
std::vector<std::string> folderFiles(const std::string& folder, bool subfolders, std::string* error = nullptr);

} // namespace trv
