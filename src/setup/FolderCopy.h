// The program's own folder copy in place of the shell's: a folder copied with its contents into
// another folder, with progress, an overwrite question per existing file and the shell's result
// codes (0 done, 7 a "No" to an overwrite, 183 cancelled, anything else an error).
#pragma once

#include "platform/MessageBox.h"

#include <string>

enum class TOverwriteAnswer { Yes, YesToAll, No, Cancel };

inline constexpr int kCopyDone = 0;
inline constexpr int kCopyDeclined = 7;    // "No" to at least one overwrite; those files kept
inline constexpr int kCopyCancelled = 183; // "Cancel": nothing after that file was copied
inline constexpr int kCopyFailed = 1;      // a read or write failed (details in the error text)
inline constexpr int kCopyIntoItself = 2;  // the destination lies inside the source

class TCopyObserver {
  public:
    virtual ~TCopyObserver() = default;
    // Before each file; false cancels the copy.
    virtual bool Progress(const std::string& file, int done, int total) = 0;
    // The target exists already.
    virtual TOverwriteAnswer AskOverwrite(const std::string& target) = 0;
    // The copy has ended, whatever its result; called before the caller reports it.
    virtual void Finished() {}
};

// Generations of a replaced file kept by a copy that keeps replaced files.
inline constexpr int kReplacedGenerations = 5;

// Copies the folder source (its last component, with everything below it) into destFolder, so
// that destFolder + name(source) holds the same files afterwards. Every file is written
// atomically: a failed or cancelled copy never leaves a half-written file, and nothing in the
// destination is ever deleted. Symbolic links to folders are not followed. observer may be null
// (existing files are then replaced). Copies keep the source's mode and modification time.
// With keepReplaced (a folder), a file about to be replaced by different content is kept first
// as a generation in keepReplaced + name(source) + its sub-folder ("01_" + name the newest);
// when that fails, the copy stops before replacing it (asker, when given, tells why).
int CopyFolderInto(const std::string& source, const std::string& destFolder,
                   TCopyObserver* observer, std::string* error = nullptr,
                   const std::string& keepReplaced = {}, TAsker* asker = nullptr);

// True when path is the folder itself or lies below it (both made absolute and normal).
bool IsInsideFolder(const std::string& path, const std::string& folder);
