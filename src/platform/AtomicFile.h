// Whole-file reads and crash-safe whole-file writes (temporary file in the same folder, flush,
// rename), so that no crash, full disk or power cut leaves a file half written.
#pragma once

#include <string>
#include <string_view>

// Asks the kernel to back the memory p[0..n) with huge pages where it can (large buffers are
// then faulted in a few hundred steps instead of hundreds of thousands); nothing for small ones.
void AdviseHugePages(void* p, std::size_t n);

// Reads the whole file. False when it cannot be opened or read (errno-based text in *error).
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

// Replaces the file's content at once: either the old or the new content is there afterwards,
// never a mixture or a truncated file. An existing file keeps its permission bits; a symbolic
// link is followed, so the file it names is replaced. The folder must exist.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Writes all of bytes to the open file, going on after interruptions and short writes; false on
// an error (errno tells which).
bool WriteAllToFile(int fd, std::string_view bytes);
