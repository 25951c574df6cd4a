#pragma once

// The skin engine's one entry point, bound by name with dlsym. Every other
// symbol of the library is hidden.

extern "C" {

// Reads the skin file at `skin_path` and applies it to the running
// application: widget style, palette and style sheet. Non-zero on success; 0
// when the file cannot be read, is not a skin of a known format, or no
// QApplication runs on the calling thread. Skins carry no password, so
// `password` (which may be null) asks for nothing.
__attribute__((visibility("default"))) int SkinH_AttachEx(const char* skin_path,
                                                          const char* password);
}
