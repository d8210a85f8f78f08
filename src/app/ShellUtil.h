// Small file and folder utilities of start-up, shared with setup and backup. Paths are UTF-8,
// folders end with "/". Questions and notices go to the asker a caller gives.
#pragma once

#include "platform/Drives.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"

#include <string>
#include <string_view>

// The trimmed text, with the character appended when both are non-empty and it is not last.
std::string IncludeTrailingChar(std::string_view text, std::string_view ch);
// The trimmed text, without the character when both are non-empty and it is last.
std::string ExcludeTrailingChar(std::string_view text, std::string_view ch);
// An existing path made absolute and canonical; text holding "(" or ",", and any failure,
// comes back unchanged.
std::string ExpandLongPath(std::string_view path);

// Result of checking a configured program (external editor or browser).
enum class TProgramCheck { Ok, Blank, Missing };
// A name without "/" is looked up in $PATH (path), a path is taken as it is. Missing when no
// regular file is found there (a folder is not a program).
TProgramCheck CheckProgram(const std::string& configured, std::string* resolved,
                           const std::string& path);

// No browser could be started for an address.
inline constexpr const char* kBrowserStartError = "ブラウザ起動エラー\r\n中止します。";

// The blank of a command-line argument, as written by the program itself.
inline constexpr std::string_view kSpaceToken = "_\\Sp\\_";
// encode false: every "_\Sp\_" becomes one blank; true: every blank becomes "_\Sp\_".
std::string DecodeSpaceToken(std::string_view text, bool encode);

// True when the folder exists. Otherwise creates it (with all parents) when create is set,
// asking first and reporting a failure through asker when one is given (null: silently).
bool EnsureFolder(std::string_view folder, bool create, TAsker* asker);

// Copies the whole file; the target is created or replaced, atomically (never left half
// written). False with a reason in *error when anything fails. With keepStamp the copy gets the
// source's permission bits and modification time before it takes the target's place (a private
// memo never shows up readable by others); otherwise it is a new file (umask, now).
bool CopyFileStream(const std::string& source, const std::string& target,
                    std::string* error = nullptr, bool keepStamp = false);

// Name of generation k of a file in a folder: folder + "%.2d" + "_" + name.
std::string GenerationFileName(const std::string& folder, int k, const std::string& name);
// Keeps numbered generations of a file in a folder (01 the newest, at most g kept); each
// generation keeps the file's mode and modification time. A refusal or failure is told through
// asker when one is given.
bool GenerationCopy(const std::string& source, const std::string& destFolder, int generations,
                    TAsker* asker);
// Moves folder + name into folder + "SafeGuard/" as a new generation, telling asker when it
// cannot. Always true.
bool MoveToSafeGuard(TAsker& asker, const std::string& folder, const std::string& name,
                     int generations);
