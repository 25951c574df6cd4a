#pragma once

// Owning handles for the PCRE2 objects that the pattern object uses. The
// program runs PCRE2's 16-bit library only.

#ifndef PCRE2_CODE_UNIT_WIDTH
#define PCRE2_CODE_UNIT_WIDTH 16
#endif
#if PCRE2_CODE_UNIT_WIDTH != 16
#error "the pattern object needs PCRE2's 16-bit library"
#endif
#include <pcre2.h>

#include <memory>

namespace vx::pcre2 {

struct CodeFree {
    void operator()(pcre2_code* p) const noexcept { pcre2_code_free(p); }
};
struct CompileContextFree {
    void operator()(pcre2_compile_context* p) const noexcept { pcre2_compile_context_free(p); }
};
struct MatchContextFree {
    void operator()(pcre2_match_context* p) const noexcept { pcre2_match_context_free(p); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* p) const noexcept { pcre2_match_data_free(p); }
};
struct JitStackFree {
    void operator()(pcre2_jit_stack* p) const noexcept { pcre2_jit_stack_free(p); }
};

using Code = std::unique_ptr<pcre2_code, CodeFree>;
using CompileContext = std::unique_ptr<pcre2_compile_context, CompileContextFree>;
using MatchContext = std::unique_ptr<pcre2_match_context, MatchContextFree>;
using MatchData = std::unique_ptr<pcre2_match_data, MatchDataFree>;
using JitStack = std::unique_ptr<pcre2_jit_stack, JitStackFree>;

}  // namespace vx::pcre2
