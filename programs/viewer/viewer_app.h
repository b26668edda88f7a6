#pragma once
// Viewer: the page viewer program. One fixed-size frame at (0, 0) whose view shows the start
// address (the command-line text) in an HTML view; the only commands of its own are the keys
// print, stop and forward. The page's controls and scripts do the rest.

#include <memory>
#include <string>

#include "platform/ui/app.h"
#include "platform/ui/frame.h"
#include "platform/web/html_view.h"

namespace halvor {

// The start address: set once at start-up, read by the view's initial update.
extern std::string g_startAddress;

// Commands of the accelerator table.
inline constexpr win::UINT ID_FILE_PRINT = 57607;
inline constexpr win::UINT ID_FILE_OPEN = 57601;
inline constexpr win::UINT ID_STOP = 32778;
inline constexpr win::UINT ID_REFRESH = 32779;
inline constexpr win::UINT ID_GO_BACK = 32787;
inline constexpr win::UINT ID_GO_FORWARD = 32788;
inline constexpr win::UINT ID_HIDDEN_1 = 32820;  // Ctrl+Alt+Shift+Num Lock: no handler
inline constexpr win::UINT ID_HIDDEN_2 = 32821;  // Ctrl+Alt+G: no handler

inline constexpr int kWindowWidth = 1024;
inline constexpr int kWindowHeight = 738;

// The document: its title is the page's title.
class CHalvorDoc {
public:
  const std::string& GetTitle() const { return m_title; }
  void SetTitle(const std::string& title);
  void SetFrame(win::CFrameWnd* frame) { m_frame = frame; }

private:
  std::string m_title = "Untitled";
  win::CFrameWnd* m_frame = nullptr;
};

class CMainFrame : public win::CFrameWnd {
public:
  win::BOOL PreCreateWindow(win::CREATESTRUCT& cs) override;

protected:
  int OnCreate(win::LPCREATESTRUCT cs) override;
};

class CHalvorView : public win::CHtmlView {
public:
  explicit CHalvorView(CHalvorDoc& document) : m_document(document) {}
  void OnInitialUpdate() override;
  win::BOOL OnViewCommand(win::UINT id) override;

protected:
  void OnTitleChange(const std::string& text) override;

private:
  CHalvorDoc& m_document;
};

class CHalvorApp : public win::CWinApp {
public:
  CHalvorApp();
  win::BOOL InitInstance() override;

  CMainFrame* Frame() { return m_frame.get(); }
  CHalvorView* View() { return m_view.get(); }
  CHalvorDoc& Document() { return m_document; }

private:
  CHalvorDoc m_document;
  std::unique_ptr<CMainFrame> m_frame;
  std::unique_ptr<CHalvorView> m_view;
};

// The accelerator table of the frame.
win::HACCEL ViewerAccelerators();

}  // namespace halvor
