// The text form of a level or bridge: JSON laid out for line-based diffs, with
// the values a designer knows in the units the editor shows and every other word
// kept as it is, so that text and file turn into each other without loss.
// docs/text-format.md describes it member by member.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace trv {

struct Document;

// The names the `format` member gives the two kinds of document.
inline constexpr std::string_view kLevelFormat = "trusswick-level/1";
inline constexpr std::string_view kBridgeFormat = "trusswick-bridge/1";
// A text longer than this is no document.
constexpr size_t kMaxTextBytes = size_t(64) << 20;

// The text form of `doc`; a level has no header word 0.
std::string documentToText(const Document& doc, bool level);

struct TextReading {
    std::string problem; // empty when the text was read
    int line = 0;        // where the problem is, counted from 1
    bool level = false;  // the text's format names a level
};

// Reads a text form into `out`. On a problem `out` is left unchanged and the
// result says which line is at fault and why.
TextReading documentFromText(std::string_view text, Document& out);

} // namespace trv
