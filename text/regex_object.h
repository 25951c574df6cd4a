#pragma once

// A regular-expression object in the program's own terms: code page 936 text
// in and out, matches and capture groups numbered from 1. It runs PCRE2 over
// the UTF-16 form of the text, so a match's first index counts UTF-16 units.

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>

#include "text/text.h"
#include "text/text_ops.h"

namespace vx {

class RegexObject {
  public:
    RegexObject();
    ~RegexObject();
    RegexObject(const RegexObject&) = delete;
    RegexObject& operator=(const RegexObject&) = delete;

    // Runs `pattern` over `text` with a fresh engine. True when the engine ran
    // (even with no match); false when it rejected the pattern or hit a limit
    // (backtracking steps, depth, memory, or a few seconds for a whole run),
    // and then nothing of the run is kept.
    bool execute(std::string_view pattern, std::string_view text, bool case_sensitive = false,
                 bool multiline = true, bool global = true, bool quote_token = false);

    Text pattern_text() const;
    Text replace(std::string_view replacement = {}) const;
    int match_count() const;
    // `position`, when given, receives the 0-based byte offset of the text in
    // the searched text, or -2 when it is not found there. The search starts
    // at the byte numbered like the match's first UTF-16 unit (never after
    // the match), walks by characters and folds ASCII letters unless the run
    // was case sensitive; an empty text, as in every search, is found at the
    // first byte (0) while any byte lies at or after the start.
    Text match_text(int match_no, Position* position = nullptr) const;
    Text submatch_text(int match_no, int submatch_no, Position* position = nullptr) const;
    int submatch_count() const;

  private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
};

}  // namespace vx
