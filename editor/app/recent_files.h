// The documents opened or saved last, newest first, kept in a small file of
// their own beside the settings (the settings file's format stays as it is).
#pragma once
#include <string>
#include <vector>

class RecentFiles {
public:
    static constexpr size_t kMax = 8;

    // The list kept in `file`; read() fills it from there. The file is the
    // program's own: a link, pipe or another user's file under its name is
    // neither read nor written, and read() says so once.
    explicit RecentFiles(std::string file) : file_(std::move(file)) {}
    // Empty, or why the file is refused.
    std::string read();
    // Writes the list; false with the reason when it cannot.
    bool write(std::string* error = nullptr) const;

    const std::vector<std::string>& paths() const { return paths_; }
    // Puts `path` first; false when the list is as it was.
    bool add(const std::string& path);
    void remove(const std::string& path);
    void clear() { paths_.clear(); }

private:
    std::string file_;
    std::vector<std::string> paths_;
};
