// The options dialog without its window: the date sample, the hidden editor-panel keys, the
// values it edits and their write, and its three system actions (text-file association, the
// "send to" entry, the stand-alone marker).
#pragma once

#include "app/Settings.h"
#include "platform/MessageBox.h"
#include "setup/SpecialFolders.h"
#include "text/DocumentCodec.h"

#include <cstdint>
#include <string>
#include <string_view>

// "サンプル：" + the date in the chosen style, e.g. "サンプル：H16.3.14 (日)".
std::string DateSample(int32_t jd, bool isWaYMD, bool isYoubi);

// Ctrl+Shift+G then Ctrl+Shift+E on the start-up tab shows the hidden editor group.
class THiddenPanelKeys {
  public:
    // A key pressed with Ctrl and Shift held (upper-case letter); true when the group is to
    // be shown now.
    bool Key(char letter, bool onStartTab, bool groupHidden);
    void Disarm() { armed_ = false; }
    bool Armed() const { return armed_; }

  private:
    bool armed_ = false;
};

// The format of new pages, in the section [Set]: values are the names of EncodingName and
// LineEndName ("Shift-JIS", "UTF-8", "UTF-8 BOM", ...; "CRLF", "LF", "CR").
inline constexpr const char* kNewEncodingKey = "NewEncoding";
inline constexpr const char* kNewLineEndKey = "NewLineEnd";
// The two values read back (unknown ones keep the default: Shift-JIS with CR LF).
TFileFormat ParseNewPageFormat(std::string_view encoding, std::string_view lineEnd);
TFileFormat ReadNewPageFormat(const std::string& settingsFile);

// The options the dialog edits, applied to the settings and written to [Set] (the keys of the
// dialog, in its order, then the format of new pages) in one rewrite of the file; isEditor,
// Editor and GEditor reach the file with the window's settings.
bool WriteOptions(const std::string& settingsFile, const TSettings& s, const TFileFormat& newPages);
// The recent lists hold 8 to 30 entries.
int ClampMenuCount(int n);

// The text-file association: a desktop entry with MimeType=text/plain; made the default for
// text/plain in $XDG_CONFIG_HOME/mimeapps.list.
inline constexpr const char* kAssociationEntry = "tolmo-text.desktop";
inline constexpr const char* kTextMimeType = "text/plain";
bool TextFilesAssociated();
// btnTolmoKanren in either state: asks, writes or removes, tells the result. True when the
// association changed.
bool AssociateTextFiles(TAsker& asker, const std::string& program);
bool RemoveTextAssociation(TAsker& asker);

// btnSendTo: asks, replaces an existing entry only when allowed, links "トルモ" to the program
// in the file manager's scripts folder, tells the result.
bool RegisterSendTo(TAsker& asker, const std::string& program, const TSpecialFolders& folders);

// cbLocal: the stand-alone marker of the program folder; false (with a message) when the
// marker could not be changed.
bool SwitchLocalMarker(TAsker& asker, const std::string& programFolder, bool on);
