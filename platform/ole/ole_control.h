#pragma once
// The window-bearing control: one object that is both a child window of the page's window and
// the scriptable control (identity, dispatch table, events, control safety).
//
// A control derives from COleControl, fills its dispatch table and events in its constructor and
// overrides the window roles it needs:
//
//   class CMyCtrl : public win::COleControl {
//   public:
//     CMyCtrl() : COleControl({kClsid, "MY.MyCtrl.1", kDispatchIid, kEventIid, kTypeLib}) {
//       Dispatch().AddNotifyProperty("DataFileName", 1, m_fileName, [this] { OnFileName(); });
//       AddStockErrorEvent();
//       SetPropertyPage({kPageClsid, "MY.MyPropPage.1"});
//     }
//   protected:
//     int OnCreate(win::LPCREATESTRUCT cs) override;   // WM_CREATE: call the base first
//     void OnDraw(win::CDC* dc, const win::CRect& bounds, const win::CRect& invalid) override;
//     void OnDestroy() override;                       // WM_DESTROY: call the base last
//   };
//
// The page's window makes the control's window with CreateControlWindow at the laid-out place;
// the control's own paint handler calls OnDraw with the client rectangle as bounds unless the
// control handles WM_PAINT itself (override OnPaint). Destroying the window (DestroyWindow, or
// the page's window going) runs OnDestroy; the object itself belongs to whoever created it.
//
// A control module exports its classes with ControlClass and ControlModuleOf:
//
//   constexpr win::ControlClassInfo kClasses[] = {win::ControlClass<CMyCtrl>(kClsid, "MY.MyCtrl.1")};
//   extern "C" const win::ControlModuleInfo* VetraControlModuleEntry()
//   {
//     static const win::ControlModuleInfo module = win::ControlModuleOf(kClasses);
//     return &module;
//   }

#include <memory>
#include <span>
#include <string>

#include "platform/ole/control_module.h"
#include "platform/ole/ole_control_object.h"
#include "platform/ui/cwnd.h"

namespace win {

// The control's property page: identity only; its page shows no fields.
struct PropertyPageInfo {
  std::string clsid;
  std::string progId;
};

class COleControl : public CWnd, public COleControlObject {
public:
  explicit COleControl(ControlIdentity identity);
  ~COleControl() override;

  // Makes the control's window: a visible child of `parent` at `rect` (parent client
  // coordinates). OnCreate runs inside. FALSE when the window could not be made or OnCreate
  // refused it.
  BOOL CreateControlWindow(CWnd* parent, const RECT& rect, UINT id = 0);

  // Asks for the control to be drawn again (the whole control, or `rect` of it). Nothing happens
  // before the window exists.
  void InvalidateControl(const RECT* rect = nullptr);

  // The size of the control's window (0 by 0 before it exists), and moving it to a new size.
  void GetControlSize(int* cx, int* cy) const;
  BOOL SetControlSize(int cx, int cy);

  // The stock Error event (dispatch id -608); a control adds it with AddStockErrorEvent and fires
  // it with FireError.

  void SetPropertyPage(PropertyPageInfo page) { m_propertyPage = std::move(page); }
  const PropertyPageInfo& PropertyPage() const { return m_propertyPage; }

protected:
  // Draws the control into `dc`: `bounds` is the control's client rectangle, `invalid` the part
  // that needs drawing. Called by the control's paint handler; the default fills nothing.
  virtual void OnDraw(CDC* dc, const CRect& bounds, const CRect& invalid);

  // WM_PAINT: a paint DC on the control and OnDraw with its rectangles.
  void OnPaint() override;

private:
  PropertyPageInfo m_propertyPage;
};

// Casts a created control to its window role (nullptr for a control without a window).
COleControl* ControlWindowOf(COleControlObject* control);

// A class factory for a control module's class table.
template <typename Control>
std::unique_ptr<COleControlObject> CreateControlObject()
{
  return std::make_unique<Control>();
}

template <typename Control>
constexpr ControlClassInfo ControlClass(const char* clsid, const char* progId)
{
  return ControlClassInfo{clsid, progId, &CreateControlObject<Control>};
}

inline ControlModuleInfo ControlModuleOf(std::span<const ControlClassInfo> classes)
{
  return ControlModuleInfo{kControlModuleAbi, classes.data(), classes.size()};
}

}  // namespace win
