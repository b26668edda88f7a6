#pragma once
// The viewer page: an HTML page that hosts the viewer control of a recording kind and, half a
// second after loading, hands it the working copy's name and starts it. Its bytes are the
// contract with the viewer controls and the page viewer, so they are made exactly, line by line,
// in code page 949 with CR LF line ends.

#include <string>
#include <string_view>

namespace savedata {

// Where the page is written, as the page viewer is given it.
inline constexpr const char* kViewerPagePath = "c:\\Vetra\\TempE\\ScriptTemp.html";

// The saved-data file's name for the title: the text after the last '\' or '/' of its path.
std::string PageTitle(std::string_view savedDataPath);

// Text made safe inside HTML element content and attribute values.
std::string HtmlEscape(std::string_view cp949);
// Text made safe inside a double-quoted JavaScript string within a script element.
std::string JavaScriptEscape(std::string_view cp949);

// The page's bytes for kind 1..5, the saved-data file's path and the working copy's bare name.
std::string ViewerPage(int kind, std::string_view savedDataPath, std::string_view workingCopyName);

}  // namespace savedata
